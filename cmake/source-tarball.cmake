# Makes the source tarball NAME.tar.gz in OUTPUT_DIR from the committed tree
# of SOURCE_DIR ("git archive" of HEAD, every path under NAME/), and writes
# its SHA-256 into SHA256SUMS beside it:
#
#   cmake -DSOURCE_DIR=... -DOUTPUT_DIR=... -DNAME=... -P source-tarball.cmake
#
# Only what is committed goes in, so nothing the build makes. The same commit
# gives the same bytes: git writes the commit's time as every member's time
# and root as their owner; modes and line ends are pinned here instead of
# following the builder's git settings, and gzip writes no name or time.
include(${CMAKE_CURRENT_LIST_DIR}/record-checksum.cmake)
find_package(Git REQUIRED)
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
  WORKING_DIRECTORY ${SOURCE_DIR} OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE status ERROR_QUIET)
get_filename_component(source_dir ${SOURCE_DIR} REALPATH)
if(status EQUAL 0)
  get_filename_component(top ${top} REALPATH)
endif()
if(NOT status EQUAL 0 OR NOT top STREQUAL source_dir)
  message(FATAL_ERROR "The source tarball is made from a git checkout of the sources; ${SOURCE_DIR} is none.")
endif()
set(tarball ${OUTPUT_DIR}/${NAME}.tar.gz)
execute_process(
  COMMAND ${GIT_EXECUTABLE} -c tar.umask=022 -c core.autocrlf=false -c core.eol=lf
    archive --format=tar --prefix=${NAME}/ HEAD
  COMMAND ${GZIP} -9n
  WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_FILE ${tarball}.part
  RESULTS_VARIABLE statuses)
if(NOT statuses STREQUAL "0;0")
  file(REMOVE ${tarball}.part)
  message(FATAL_ERROR "git archive | gzip failed: ${statuses}")
endif()
file(RENAME ${tarball}.part ${tarball})
marrowpin_record_checksum(${tarball} ${OUTPUT_DIR})
message(STATUS "Source tarball: ${tarball}")
