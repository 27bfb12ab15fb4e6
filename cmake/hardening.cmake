# Hardening of release builds.
#
# Linux: the flags Debian builds its own packages with (stack protector,
# _FORTIFY_SOURCE, PIE, RELRO, immediate binding), as dpkg-buildflags gives
# them, or the same flags written out where it is absent. Its -g and -O2 are
# left out: the build type chooses the optimisation, and release builds are
# stripped anyway.
#
# Windows: the linker's ASLR and DEP marks are on by default; the stack
# protector is added, with its runtime (libssp) linked in statically like the
# C and C++ runtimes, so the exe still needs no DLL beside it.
include(CheckCXXCompilerFlag)
include(CheckPIESupported)

if(WIN32)
  check_cxx_compiler_flag(-fstack-protector-strong MARROWPIN_HAS_STACK_PROTECTOR)
  if(MARROWPIN_HAS_STACK_PROTECTOR)
    add_compile_options($<$<CONFIG:Release>:-fstack-protector-strong>)
    add_link_options($<$<CONFIG:Release>:-fstack-protector-strong>)
  endif()
  return()
endif()

find_program(MARROWPIN_DPKG_BUILDFLAGS dpkg-buildflags)
if(MARROWPIN_DPKG_BUILDFLAGS)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
        "DEB_CXXFLAGS_MAINT_STRIP=-g -O2" ${MARROWPIN_DPKG_BUILDFLAGS} --get ${kind}
      # Its -ffile-prefix-map names the folder it runs in: the sources'.
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(hardening_${kind} UNIX_COMMAND "${flags}")
  endforeach()
else()
  set(hardening_CPPFLAGS -Wdate-time -D_FORTIFY_SOURCE=2)
  set(hardening_CXXFLAGS -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -fstack-protector-strong
    -Wformat -Werror=format-security)
  set(hardening_LDFLAGS -Wl,-z,relro -Wl,-z,now)
endif()
add_compile_options("$<$<CONFIG:Release>:${hardening_CPPFLAGS};${hardening_CXXFLAGS}>")
add_link_options("$<$<CONFIG:Release>:${hardening_LDFLAGS}>")

# Position-independent executables, whatever the compiler's default.
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
