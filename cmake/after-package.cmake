# Run by CPack after it has made a package (CPACK_POST_BUILD_SCRIPTS): the
# zip is rewritten without the builder's time zone, account and file order,
# the Debian package without the builder's umask
# (cmake/normalise_package.py), and each package's SHA-256 goes into
# SHA256SUMS beside it.
include(${CPACK_MARROWPIN_SOURCE_DIR}/cmake/record-checksum.cmake)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.(zip|deb)$")
    execute_process(
      COMMAND ${CPACK_MARROWPIN_PYTHON} ${CPACK_MARROWPIN_SOURCE_DIR}/cmake/normalise_package.py
        ${package} $ENV{SOURCE_DATE_EPOCH}
      RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "Could not rewrite ${package}: ${status}")
    endif()
  endif()
  # The package is still in CPack's staging folder: it is copied as it is to
  # the package folder, where its checksum goes.
  marrowpin_record_checksum(${package} ${CPACK_PACKAGE_DIRECTORY})
endforeach()
