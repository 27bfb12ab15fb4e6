# The zip a Windows user downloads (target "package"): the program, its
# console program, a short README and a sample note, in one folder named after
# the version.
install(TARGETS Marrowpin marrowpin-cli RUNTIME DESTINATION .)

# The README is read in Notepad, which before Windows 10 version 1809 shows
# text with LF line ends as one long line, and before version 1903 may read
# UTF-8 without a byte-order mark in the ANSI code page. The zip's copy has
# CRLF line ends and the mark. (The sample note is ASCII with CRLF line ends
# already, and stays byte for byte what the program is given.)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/packaging/README.txt)
file(READ ${PROJECT_SOURCE_DIR}/packaging/README.txt readme)
string(REPLACE "\r\n" "\n" readme "${readme}")
string(REPLACE "\n" "\r\n" readme "${readme}")
string(ASCII 239 187 191 byte_order_mark)
file(WRITE ${PROJECT_BINARY_DIR}/packaging/README.txt "${byte_order_mark}${readme}")
install(FILES ${PROJECT_BINARY_DIR}/packaging/README.txt samples/picture.vnt DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}")
include(cmake/release-packages.cmake)
