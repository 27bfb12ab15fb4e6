# What the zip and the Debian package share, included in place of CPack by
# package.cmake and debian-package.cmake: folders in the package get mode
# 0755 whatever the builder's umask (files get fixed modes from install()
# already), and after-package.cmake takes out what is left of the builder in
# the zip and the Debian package (with python3) and writes SHA256SUMS. The
# members' times come from source-date.cmake.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_MARROWPIN_SOURCE_DIR ${PROJECT_SOURCE_DIR})
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(CPACK_MARROWPIN_PYTHON ${Python3_EXECUTABLE})
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/after-package.cmake)

# The source tarball (target "package_source") is the committed tree, as
# "git archive" gives it (cmake/source-tarball.cmake), not CPack's copy of
# the source folder, which would take in build/ and whatever else lies there.
# CPack's own source package is written where nothing looks for it.
# (One there from an older build would still claim the target's name.)
set(CPACK_SOURCE_OUTPUT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackSourceConfig-unused.cmake)
file(REMOVE ${PROJECT_BINARY_DIR}/CPackSourceConfig.cmake)
include(CPack)
string(TOLOWER "${PROJECT_NAME}-${PROJECT_VERSION}" source_tarball_name)
add_custom_target(package_source
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DOUTPUT_DIR=${PROJECT_BINARY_DIR}
    -DNAME=${source_tarball_name} -P ${PROJECT_SOURCE_DIR}/cmake/source-tarball.cmake
  COMMENT "Making ${source_tarball_name}.tar.gz from the committed tree"
  VERBATIM)
