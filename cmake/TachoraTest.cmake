# tachora_add_test(name SOURCES ... DEPS ...): one GoogleTest executable, one CTest entry.
# Cross builds run the executable under wine through CMAKE_CROSSCOMPILING_EMULATOR.
function(tachora_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  tachora_warnings(${name})
  target_compile_definitions(${name} PRIVATE TACHORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  # The sanitizers make the page tests several times slower, and a busy machine more so.
  if(TACHORA_SANITIZE)
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()
