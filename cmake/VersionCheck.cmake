# The program states its version in a few sources (the about page, a submission's "ver",
# tachora-info --version); the Windows resources take it from the project. Configuring
# stops when any of them disagrees with the project's version.
foreach(source ui/ProductTexts.h online/ScoreSubmission.h tools/InfoTool.h)
  file(STRINGS ${PROJECT_SOURCE_DIR}/${source} lines REGEX "\"(version )?[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+\"")
  if(NOT lines MATCHES "\"(version )?${PROJECT_VERSION}\"")
    message(FATAL_ERROR "${source} does not state version ${PROJECT_VERSION}")
  endif()
endforeach()
