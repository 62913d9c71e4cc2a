#pragma once

#include <string>

// The executable that a test runs, named by the one argument after GoogleTest's own; the test
// binary's main() comes with it.
const std::string& program_under_test();
