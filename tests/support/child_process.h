#pragma once

#include <string>
#include <vector>

struct ChildResult {
    std::string out;
    std::string err;
    int status;
};

// Runs a program with the given standard input and captures both output streams and the exit
// status; with output_unwritable, every write to standard output fails (and out stays empty). The
// child has no console keyboard of its own to wait on: on POSIX systems it starts in a new session,
// without a controlling terminal.
ChildResult run_child(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input, bool output_unwritable = false);
