#include "support/program_under_test.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

std::string g_program;

}  // namespace

const std::string& program_under_test()
{
    return g_program;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the cases, as CTest does to register each one, needs no program.
    if (argc == 2) {
        g_program = argv[1];
    } else if (!GTEST_FLAG_GET(list_tests)) {
        std::cerr << "usage: " << argv[0] << " PROGRAM\n";
        return 2;
    }
    return RUN_ALL_TESTS();
}
