# The same sources as a 64-bit Windows program, for the tests alone: wine64 starts on every
# machine, also where the kernel cannot start 32-bit programs and so wine32 cannot run.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(horner_mingw_prefix x86_64-w64-mingw32)
# Debian keeps wine64 out of PATH, as its 'wine' picks wine32 whenever that is installed; wine64
# is told where its own loader is.
find_program(HORNER_WINE wine64 PATHS /usr/lib/wine)
set(horner_wine_package wine64)
set(HORNER_WINE_ENVIRONMENT "WINELOADER=${HORNER_WINE}")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
