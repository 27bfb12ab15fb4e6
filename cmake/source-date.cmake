# The one time stamp a release carries: SOURCE_DATE_EPOCH where the builder
# sets it, otherwise the time of the last commit, so that two builds of one
# commit give the same bytes whoever makes them, wherever and whenever. The
# linker writes it into the exes' headers and CPack into the members of the
# zip and the Debian package.
#
# The commit's time comes from git in a checkout; in a source tarball made by
# "git archive", which has no history, from cmake/source-date-epoch, where
# the archive writes it (export-subst in .gitattributes).
set(MARROWPIN_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(MARROWPIN_SOURCE_DATE_EPOCH STREQUAL "")
  file(READ ${PROJECT_SOURCE_DIR}/cmake/source-date-epoch archived_epoch)
  string(STRIP "${archived_epoch}" archived_epoch)
  if(archived_epoch MATCHES "^[0-9]+$")
    set(MARROWPIN_SOURCE_DATE_EPOCH ${archived_epoch})
  else()
    find_package(Git QUIET)
    if(GIT_FOUND)
      execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE MARROWPIN_SOURCE_DATE_EPOCH
        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
  endif()
endif()
if(NOT MARROWPIN_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(WARNING "Neither SOURCE_DATE_EPOCH nor the time of a commit is at hand: "
    "the exes and packages carry the time they are built, and two builds differ.")
  return()
endif()
message(STATUS "Time stamp of the release: ${MARROWPIN_SOURCE_DATE_EPOCH} (SOURCE_DATE_EPOCH)")

# The linker (ld's PE output) takes the exes' time stamp from it.
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK
  "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${MARROWPIN_SOURCE_DATE_EPOCH}")
# CPack reads this file when it starts, and takes the members' times from it.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackSourceDate.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
  "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n"
  "  set(ENV{SOURCE_DATE_EPOCH} ${MARROWPIN_SOURCE_DATE_EPOCH})\n"
  "endif()\n")
