# The zip a Windows user downloads (target "package"): the program, a short
# README and a sample note, in one folder named after the version.
install(TARGETS Marrowpin RUNTIME DESTINATION .)
install(FILES packaging/README.txt samples/picture.vnt DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}")
include(CPack)
