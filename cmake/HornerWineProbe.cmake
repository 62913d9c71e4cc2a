# Whether the emulator can run this build's programs: wine needs its 32-bit loader, which a kernel
# built without 32-bit support (no IA32 emulation) cannot start, and wine32 may not be installed
# at all while 64-bit wine is. A small 32-bit program is built and run, in the test's own prefix.
# Where it cannot run, the emulator is dropped and the tests are reported as skipped; that answer
# is not kept, so that installing wine32 later is enough. A program that ran is remembered.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR OR HORNER_EMULATOR_RUNS)
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
elseif(NOT probe_built)
    message(FATAL_ERROR "cannot build a program to try the emulator with:\n${probe_compile_output}")
else()
    message(WARNING "${CMAKE_CROSSCOMPILING_EMULATOR} cannot run a program of this build here "
        "(${probe_status}: ${probe_output}); the tests will be reported as skipped")
    unset(CMAKE_CROSSCOMPILING_EMULATOR)
endif()
