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

# The tests need wine's 32-bit loader, which a kernel built without 32-bit support (no
# IA32 emulation) cannot start: there the program and its packages are built, and the tests
# that run it are reported as skipped.
find_program(HORNER_WINE wine)
if(HORNER_WINE AND NOT DEFINED HORNER_WINE_RUNS)
    execute_process(COMMAND ${HORNER_WINE} --version RESULT_VARIABLE wine_status
        OUTPUT_QUIET ERROR_VARIABLE wine_error TIMEOUT 60)
    if(wine_status EQUAL 0)
        set(HORNER_WINE_RUNS ON CACHE INTERNAL "")
    else()
        set(HORNER_WINE_RUNS OFF CACHE INTERNAL "")
        message(WARNING "wine cannot start here (${wine_status}: ${wine_error}); "
            "the Windows tests will be skipped")
    endif()
endif()
if(HORNER_WINE_RUNS)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${HORNER_WINE})
endif()
set(HORNER_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
