# Whether the emulator can run this build's programs: wine32 needs a kernel that can start 32-bit
# programs (built with IA32 emulation), and either wine may not be installed at all. A small
# program of this build is built and run, in the tests' own prefix. Where it cannot run, the
# emulator is dropped and horner_wine_trouble says why, in a few words; that answer is not kept,
# so that installing wine later is enough. A program that ran is remembered.
if(HORNER_EMULATOR_RUNS)
    return()
endif()
math(EXPR horner_bits "${CMAKE_SIZEOF_VOID_P} * 8")
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(horner_wine_trouble "no wine is installed (Debian's package ${horner_wine_package})")
    return()
endif()
set(probe_dir ${CMAKE_BINARY_DIR}/emulator-probe)
file(WRITE ${probe_dir}/probe.cpp "int main() { return 7; }\n")
set(ENV{WINEPREFIX} ${CMAKE_BINARY_DIR}/wine)
set(ENV{WINEDEBUG} -all)
try_run(probe_status probe_built ${probe_dir}/build ${probe_dir}/probe.cpp NO_CACHE
    LINK_OPTIONS -static
    COMPILE_OUTPUT_VARIABLE probe_compile_output
    RUN_OUTPUT_VARIABLE probe_output)
if(probe_built AND probe_status EQUAL 7)
    set(HORNER_EMULATOR_RUNS ON CACHE INTERNAL "The emulator ran a program of this build")
    return()
elseif(NOT probe_built)
    message(FATAL_ERROR "cannot build a program to try the emulator with:\n${probe_compile_output}")
endif()
if(probe_output MATCHES "Exec format error")
    set(horner_wine_trouble "this machine cannot start ${horner_bits}-bit programs")
elseif(probe_output MATCHES "wine32 is missing")
    set(horner_wine_trouble "wine32 is not installed")
else()
    string(STRIP "${probe_status}: ${probe_output}" horner_wine_trouble)
    set(horner_wine_trouble "${HORNER_WINE} failed (${horner_wine_trouble})")
endif()
message(STATUS "The ${horner_bits}-bit Windows tests cannot run here: ${horner_wine_trouble}")
unset(CMAKE_CROSSCOMPILING_EMULATOR)
