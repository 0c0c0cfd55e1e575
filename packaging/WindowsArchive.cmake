# The Windows release archive, Tachora-VERSION-win32.zip (or -win64): the programs this
# cross build makes and a short read-me, at the archive's top level, ready to run. And,
# where NSIS's makensis is at hand, the setup program Tachora-VERSION-win32-setup.exe
# (or -win64-setup.exe) that installs the same files (windows/NSIS.template.in).
math(EXPR TACHORA_WINDOWS_BITS "${CMAKE_SIZEOF_VOID_P} * 8")

install(TARGETS tachora tachora-info RUNTIME DESTINATION .)
file(READ windows/README.txt.in readme)
# CRLF, so that every Notepad shows the lines.
file(CONFIGURE OUTPUT README.txt CONTENT "${readme}" @ONLY NEWLINE_STYLE WIN32)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)

find_program(TACHORA_MAKENSIS makensis)
if(TACHORA_MAKENSIS)
  set(CPACK_GENERATOR ZIP NSIS)
else()
  set(CPACK_GENERATOR ZIP)
endif()
set(CPACK_PACKAGE_NAME Tachora)
set(CPACK_PACKAGE_FILE_NAME Tachora-${PROJECT_VERSION}-win${TACHORA_WINDOWS_BITS})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)

# The setup program: CPack finds NSIS.template.in on the module path.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/windows)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tachora)
set(CPACK_TACHORA_NSIS_PROGRAM Tachora.exe)
set(CPACK_TACHORA_NSIS_ICON ${PROJECT_SOURCE_DIR}/assets/art/tachora.ico)
set(CPACK_TACHORA_NSIS_FILE_VERSION ${PROJECT_VERSION})
if(TACHORA_WINDOWS_BITS EQUAL 64)
  set(CPACK_TACHORA_NSIS_TARGET "Target amd64-unicode")
  set(CPACK_TACHORA_NSIS_PROGRAM_FILES "$PROGRAMFILES64")
else()
  set(CPACK_TACHORA_NSIS_TARGET "Target x86-unicode")
  set(CPACK_TACHORA_NSIS_PROGRAM_FILES "$PROGRAMFILES")
endif()
# The setup program's name ends in -setup; the archive's does not.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/windows/PerGenerator.cmake)
