# The Debian package: the Linux layout under /usr, with the library dependencies found
# by dpkg-shlibdeps and the fonts the window is drawn with.
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_PACKAGE_NAME tachora)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-wine")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# Read here rather than named as CPACK_PACKAGE_DESCRIPTION_FILE, which CPack escapes as XML
# (CPack also splits lines at double quotes: the text has none).
file(READ debian/description.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)
string(STRIP "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian's own files (the copyright and the compressed changelog) and compressed manual
# pages are added to the package's tree only: a plain install stays as the GNU layout.
execute_process(COMMAND date -u -R -d "${TACHORA_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE TACHORA_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(debian/changelog.in changelog @ONLY)
set(CPACK_TACHORA_DEBIAN_FILES ${CMAKE_CURRENT_SOURCE_DIR}/debian/copyright
                               ${CMAKE_CURRENT_BINARY_DIR}/changelog)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/debian/Finish.cmake)
