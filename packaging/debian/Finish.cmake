# Run by CPack on the package's tree before it is packed: adds the copyright and the
# changelog, and compresses the changelog and the manual pages as Debian wants them.
# CPack runs it for every package it makes, the source package too: only the Debian
# package gets them.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(doc ${usr}/share/doc/${CPACK_DEBIAN_PACKAGE_NAME})
file(COPY ${CPACK_TACHORA_DEBIAN_FILES} DESTINATION ${doc}
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                           WORLD_READ WORLD_EXECUTE)
file(GLOB pages ${usr}/share/man/man1/*.1)
foreach(file ${doc}/changelog ${pages})
  # -n: no name or time stamp inside, so the same sources give the same package.
  execute_process(COMMAND gzip -9nf ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
