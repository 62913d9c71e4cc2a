#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

struct ChildResult {
    std::string out;
    std::string err;
    int status;
};

inline constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

// What goes wrong with the child's standard streams.
struct StreamTrouble {
    std::size_t output_room = kNoLimit;  // bytes standard output takes before every write fails
    // Standard input is there, but reads fail: every one, or where the platform can, every one
    // after the input given.
    bool input_unreadable = false;
    // With no room, standard output is a pipe whose reader has gone, as 'horner | head -1' once
    // head has its line: SIGPIPE takes its default action, where a full disk fails the write.
    bool reader_gone = false;
};

// Whether this platform can let standard output fail part-way (room other than 0 or kNoLimit),
// and standard input fail after some input.
extern const bool kOutputCanFailPartWay;
extern const bool kInputCanFailPartWay;

// Runs a program with the given standard input and captures both output streams and the exit
// status. The child has no console keyboard of its own to wait on: on POSIX systems it starts in
// a new session, without a controlling terminal.
ChildResult run_child(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input, const StreamTrouble& trouble = {});
