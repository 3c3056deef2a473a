# Windows with mingw-w64. MOVARIN_ARCH chooses the target: i686, the program
# users run, or x86_64, a twin of the same sources for machines whose kernel
# cannot start 32-bit programs (its tests run under 64-bit Wine).
# MOVARIN_THREAD_MODEL chooses the compilers: win32 for the program, posix
# for the cross-built test suites (GoogleTest does not build with the win32
# thread model).
#
# On i686 our code is compiled for the Pentium (i586) without MMX, the
# oldest processor the program runs on, and tuned for later ones. The stock
# runtime that is linked statically is built for the Pentium Pro;
# MOVARIN_I586_RUNTIME names one built for the Pentium
# (tools/build-i586-runtime, win32 threads), whose start-up object and
# archives then replace the stock ones.
set(MOVARIN_ARCH i686 CACHE STRING "Target processor: i686 or x86_64")
set_property(CACHE MOVARIN_ARCH PROPERTY STRINGS i686 x86_64)
set(MOVARIN_THREAD_MODEL win32 CACHE STRING "mingw-w64 thread model: win32 or posix")
set_property(CACHE MOVARIN_THREAD_MODEL PROPERTY STRINGS win32 posix)
set(MOVARIN_I586_RUNTIME "" CACHE PATH
    "Runtime for the Pentium made by tools/build-i586-runtime (empty: the stock runtime)")
# The same choice in CMake's compiler checks.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES
     MOVARIN_ARCH MOVARIN_THREAD_MODEL MOVARIN_I586_RUNTIME)

foreach(choice MOVARIN_ARCH MOVARIN_THREAD_MODEL)
  get_property(allowed CACHE ${choice} PROPERTY STRINGS)
  if(NOT ${choice} IN_LIST allowed)
    list(JOIN allowed " or " allowed)
    message(FATAL_ERROR "${choice} is ${allowed}, not '${${choice}}'")
  endif()
endforeach()

set(triplet ${MOVARIN_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MOVARIN_ARCH})
set(CMAKE_C_COMPILER ${triplet}-gcc-${MOVARIN_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${triplet}-g++-${MOVARIN_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

if(MOVARIN_ARCH STREQUAL "i686")
  set(CMAKE_C_FLAGS_INIT "-march=i586 -mtune=generic")
  set(CMAKE_CXX_FLAGS_INIT "-march=i586 -mtune=generic")
endif()

if(MOVARIN_I586_RUNTIME)
  if(NOT MOVARIN_ARCH STREQUAL "i686" OR NOT MOVARIN_THREAD_MODEL STREQUAL "win32")
    message(FATAL_ERROR "The runtime for the Pentium is built for i686 and the win32 "
                        "thread model, not ${MOVARIN_ARCH} and ${MOVARIN_THREAD_MODEL}")
  endif()
  if(NOT EXISTS "${MOVARIN_I586_RUNTIME}/.ready")
    message(FATAL_ERROR "No runtime for the Pentium in ${MOVARIN_I586_RUNTIME}: "
                        "build it with tools/build-i586-runtime (make build-windows does)")
  endif()
  # -B: the start-up object crt2.o; -L: the archives, ahead of the stock ones.
  set(CMAKE_EXE_LINKER_FLAGS_INIT
      "-B${MOVARIN_I586_RUNTIME}/lib/ -L${MOVARIN_I586_RUNTIME}/lib")
endif()
