# i686 Windows with mingw-w64. MOVARIN_THREAD_MODEL chooses the compilers:
# win32 for the program users run, posix for the cross-built test suites
# (GoogleTest does not build with the win32 thread model).
#
# Our code is compiled for the Pentium (i586) without MMX, the oldest
# processor the program runs on, and tuned for later ones. The stock runtime
# that is linked statically is built for the Pentium Pro; MOVARIN_I586_RUNTIME
# names one built for the Pentium (tools/build-i586-runtime, win32 threads),
# whose start-up object and archives then replace the stock ones.
set(MOVARIN_THREAD_MODEL win32 CACHE STRING "mingw-w64 thread model: win32 or posix")
set_property(CACHE MOVARIN_THREAD_MODEL PROPERTY STRINGS win32 posix)
set(MOVARIN_I586_RUNTIME "" CACHE PATH
    "Runtime for the Pentium made by tools/build-i586-runtime (empty: the stock runtime)")
# The same choice in CMake's compiler checks.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MOVARIN_THREAD_MODEL MOVARIN_I586_RUNTIME)

if(NOT MOVARIN_THREAD_MODEL MATCHES "^(win32|posix)$")
  message(FATAL_ERROR "MOVARIN_THREAD_MODEL is win32 or posix, not '${MOVARIN_THREAD_MODEL}'")
endif()

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${MOVARIN_THREAD_MODEL})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${MOVARIN_THREAD_MODEL})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_C_FLAGS_INIT "-march=i586 -mtune=generic")
set(CMAKE_CXX_FLAGS_INIT "-march=i586 -mtune=generic")

if(MOVARIN_I586_RUNTIME)
  if(NOT MOVARIN_THREAD_MODEL STREQUAL "win32")
    message(FATAL_ERROR "The runtime for the Pentium is built for the win32 thread model")
  endif()
  if(NOT EXISTS "${MOVARIN_I586_RUNTIME}/.ready")
    message(FATAL_ERROR "No runtime for the Pentium in ${MOVARIN_I586_RUNTIME}: "
                        "build it with tools/build-i586-runtime (make build-windows does)")
  endif()
  # -B: the start-up object crt2.o; -L: the archives, ahead of the stock ones.
  set(CMAKE_EXE_LINKER_FLAGS_INIT
      "-B${MOVARIN_I586_RUNTIME}/lib/ -L${MOVARIN_I586_RUNTIME}/lib")
endif()
