# Cross build of the 32-bit Windows console program with Debian's MinGW-w64; the tests run
# under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

# The POSIX thread model: GoogleTest needs std::mutex, which the win32 model lacks in GCC 12.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The tests run under wine; whether this machine's wine can start a 32-bit Windows program is
# found out when the tests are configured (cmake/HornerWineProbe.cmake).
find_program(HORNER_WINE wine)
if(HORNER_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${HORNER_WINE})
endif()
set(HORNER_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
