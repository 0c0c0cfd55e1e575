# tachora_windows_resources(target NAME name DESCRIPTION text [ICON file]): gives a
# Windows program its version information (from the project's version), its
# application manifest and, when given, its icon.
function(tachora_windows_resources target)
  cmake_parse_arguments(ARG "" "NAME;DESCRIPTION;ICON" "" ${ARGN})
  set(TACHORA_RESOURCE_NAME ${ARG_NAME})
  set(TACHORA_RESOURCE_DESCRIPTION ${ARG_DESCRIPTION})
  set(TACHORA_RESOURCE_ICON_LINE "")
  if(ARG_ICON)
    set(TACHORA_RESOURCE_ICON_LINE "1 ICON \"${ARG_ICON}\"")
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
  set(TACHORA_RESOURCE_MANIFEST ${dir}/${ARG_NAME}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/Program.manifest.in ${TACHORA_RESOURCE_MANIFEST}
                 @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/Resources.rc.in ${dir}/${ARG_NAME}.rc @ONLY)
  target_sources(${target} PRIVATE ${dir}/${ARG_NAME}.rc)
  if(ARG_ICON)
    set_property(SOURCE ${dir}/${ARG_NAME}.rc APPEND PROPERTY OBJECT_DEPENDS ${ARG_ICON})
  endif()
endfunction()

