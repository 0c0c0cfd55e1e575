# One list of warnings for every target of the project.
set(TACHORA_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
    -Woverloaded-virtual -Wimplicit-fallthrough)
if(TACHORA_WERROR)
  list(APPEND TACHORA_WARNINGS -Werror)
endif()

function(tachora_warnings target)
  target_compile_options(${target} PRIVATE ${TACHORA_WARNINGS})
endfunction()

# tachora_library(name SOURCES ... DEPS ...): a static library of the project with
# the alias tachora::name.
function(tachora_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(tachora_${name} STATIC ${ARG_SOURCES})
  add_library(tachora::${name} ALIAS tachora_${name})
  target_include_directories(tachora_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(tachora_${name} PUBLIC ${ARG_DEPS})
  tachora_warnings(tachora_${name})
endfunction()
