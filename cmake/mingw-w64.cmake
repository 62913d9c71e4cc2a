# What both MinGW-w64 cross builds share; cmake/mingw-w64-i686.cmake and
# cmake/mingw-w64-x86_64.cmake name the processor, the compiler prefix and the wine that runs
# the tests.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX thread model: GoogleTest needs std::mutex, which the win32 model lacks in GCC 12.
set(CMAKE_C_COMPILER ${horner_mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${horner_mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${horner_mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${horner_mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The tests run under wine; whether this machine's wine can start a program of this build is
# found out when the tests are configured (cmake/HornerWineProbe.cmake).
if(HORNER_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${HORNER_WINE_ENVIRONMENT} ${HORNER_WINE})
endif()
set(HORNER_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
