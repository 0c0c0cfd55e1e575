# The Windows release archive, Tachora-VERSION-win32.zip (or -win64): the programs this
# cross build makes and a short read-me, at the archive's top level, ready to run.
math(EXPR TACHORA_WINDOWS_BITS "${CMAKE_SIZEOF_VOID_P} * 8")

install(TARGETS tachora tachora-info RUNTIME DESTINATION .)
file(READ windows/README.txt.in readme)
# CRLF, so that every Notepad shows the lines.
file(CONFIGURE OUTPUT README.txt CONTENT "${readme}" @ONLY NEWLINE_STYLE WIN32)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tachora)
set(CPACK_PACKAGE_FILE_NAME Tachora-${PROJECT_VERSION}-win${TACHORA_WINDOWS_BITS})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
