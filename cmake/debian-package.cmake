# Installing the console program on Linux (cmake --install) and its Debian
# package (cpack -G DEB, or the workflow preset "deb"): the program, its
# manual pages in English and Japanese, bash completion and the README, with
# the copyright and changelog files Debian wants. Only these go in: neither
# the tests nor anything else the build makes is installed.
include(GNUInstallDirs)
set(MARROWPIN_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/marrowpin-cli)

# Manual pages, which carry the version, are made from their templates (see
# CMakeLists.txt), the changelog from NEWS.md; they and the README (over
# 4 kB, which Debian compresses) are installed compressed, as "gzip -9n"
# makes them (no name, no time stamp: the same bytes on every build).
set(MARROWPIN_MAINTAINER "Marrowpin maintainers <maintainers@marrowpin.example>")
include(cmake/debian-changelog.cmake)
marrowpin_debian_changelog(${PROJECT_SOURCE_DIR}/NEWS.md ${PROJECT_BINARY_DIR}/generated/changelog
  marrowpin-cli "${MARROWPIN_MAINTAINER}")
find_program(MARROWPIN_GZIP gzip REQUIRED)
set(compressed_files)
foreach(pair
    "generated/marrowpin-cli.1|man/en/marrowpin-cli.1.gz"
    "generated/marrowpin-cli.ja.1|man/ja/marrowpin-cli.1.gz"
    "generated/changelog|doc/changelog.Debian.gz"
    "README.md|doc/README.md.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  if(source MATCHES "^generated/")
    set(source ${PROJECT_BINARY_DIR}/${source})
  else()
    set(source ${PROJECT_SOURCE_DIR}/${source})
  endif()
  get_filename_component(target_dir ${PROJECT_BINARY_DIR}/${target} DIRECTORY)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${target_dir}
    COMMAND ${MARROWPIN_GZIP} -9nc ${source} > ${PROJECT_BINARY_DIR}/${target}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND compressed_files ${PROJECT_BINARY_DIR}/${target})
endforeach()
add_custom_target(marrowpin-cli-documents ALL DEPENDS ${compressed_files})

# The compiler's signature (.comment) goes, as Debian strips it from what it
# ships.
add_custom_command(TARGET marrowpin-cli POST_BUILD
  COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment $<TARGET_FILE:marrowpin-cli>
  VERBATIM)
install(TARGETS marrowpin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_BINARY_DIR}/man/en/marrowpin-cli.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/man/ja/marrowpin-cli.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
install(FILES packaging/linux/marrowpin-cli.bash-completion
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions RENAME marrowpin-cli)
install(FILES packaging/debian/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME marrowpin-cli)
install(FILES ${PROJECT_BINARY_DIR}/doc/README.md.gz packaging/debian/copyright
  ${PROJECT_BINARY_DIR}/doc/changelog.Debian.gz
  DESTINATION ${MARROWPIN_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marrowpin-cli)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${MARROWPIN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# marrowpin-cli_<version>-<release>_<architecture>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program needs, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The C library's translated reasons, which the messages quote.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libc-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "extract the base64 attachment of vNote note files
marrowpin-cli takes the binary attachment, as a rule a picture, out of note
files in vNote text form, where it is carried as base64 text, and writes the
decoded bytes to a file next to each note, under the name the note gives.
Options answer the questions a window program would ask: overwriting,
the output name, and a bitmap header for raw RGB565 pictures. Messages are
in Japanese or English, following the locale.")
include(cmake/release-packages.cmake)
