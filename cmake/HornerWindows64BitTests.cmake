# The Windows tests on every machine. The 32-bit program's own need a kernel that can start
# 32-bit programs, which some machines here lack; the same sources built as a 64-bit Windows
# program, for the tests alone, run them under wine64 anywhere. Both evaluate in SSE2 single
# precision, so the same expectations hold. This build makes that second build in win64/ and takes
# its tests into its own run, named win64.*; at the end of the run one line says which of the two
# ran, how many tests each, and why the 32-bit ones did not, and the run fails where no Windows
# test ran at all.
set(windows_64_bit_dir ${CMAKE_BINARY_DIR}/win64)
find_program(HORNER_X86_64_COMPILER x86_64-w64-mingw32-g++-posix)
if(HORNER_X86_64_COMPILER)
    include(ExternalProject)
    ExternalProject_Add(windows_64_bit_tests
        SOURCE_DIR ${PROJECT_SOURCE_DIR}
        BINARY_DIR ${windows_64_bit_dir}
        CMAKE_ARGS
            -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
            -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
            -DCMAKE_COMPILE_WARNING_AS_ERROR=${CMAKE_COMPILE_WARNING_AS_ERROR}
            -DBUILD_TESTING=ON
            -DHORNER_TEST_NAME_PREFIX=win64.
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON  # the sources are this build's own: their changes are not its to track
        LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/windows_64_bit_tests.cmake
        "subdirs(\"${windows_64_bit_dir}\")\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES
        ${CMAKE_CURRENT_BINARY_DIR}/windows_64_bit_tests.cmake)
else()
    add_test(NAME win64.windows_tests_need_a_compiler COMMAND sh -c "printf '%s\\n' \"$@\"; exit 1" sh
        "The 64-bit Windows tests cannot be built here: x86_64-w64-mingw32-g++-posix is missing."
        "sudo scripts/install-deps.sh windows installs it (Debian's g++-mingw-w64-x86-64).")
endif()

# CTest's JUnit report, which the windows test preset asks for, counts what ran; the one of an
# earlier run is removed first, so that a run without it is not told an old count.
set(HORNER_JUNIT_REPORT ${CMAKE_BINARY_DIR}/Testing/junit.xml)
set(HORNER_32_BIT_TROUBLE "")
if(NOT horner_tests_run)
    set(HORNER_32_BIT_TROUBLE "${horner_wine_trouble}")
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/HornerWindowsTestsReport.cmake.in
    ${CMAKE_BINARY_DIR}/windows-tests-report.cmake @ONLY)
file(WRITE ${CMAKE_BINARY_DIR}/CTestCustom.cmake
    "set(CTEST_CUSTOM_PRE_TEST \"\\\"${CMAKE_COMMAND}\\\" -E rm -f \\\"${HORNER_JUNIT_REPORT}\\\"\")\n"
    "set(CTEST_CUSTOM_POST_TEST \"\\\"${CMAKE_COMMAND}\\\" -P \\\"${CMAKE_BINARY_DIR}/windows-tests-report.cmake\\\"\")\n")
