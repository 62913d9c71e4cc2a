# Cross build of the 32-bit Windows console program, the one that ships, with Debian's
# MinGW-w64. Its tests run under wine32, where the machine can start 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(horner_mingw_prefix i686-w64-mingw32)
find_program(HORNER_WINE wine)
set(horner_wine_package wine32:i386)
set(HORNER_WINE_ENVIRONMENT "")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
