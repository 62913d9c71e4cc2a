#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

// One run of the program: what is typed, and what it must write and return. The expected texts
// are UTF-8 with LF line ends; support/console_bytes.h turns them into each platform's bytes.
struct TranscriptCase {
    std::string name;
    std::string input;
    std::u8string out;
    std::u8string err;
    int status;
    std::vector<std::string> arguments = {};
    // Standard output takes what out holds and fails every write after it, as a full disk does.
    bool output_fills_up = false;
    // Standard input is there, but fails every read after the one that brings input.
    bool input_unreadable = false;
};

std::span<const TranscriptCase> transcript_cases();

// Names the case alone when a test fails: some inputs are megabytes long.
void PrintTo(const TranscriptCase& c, std::ostream* out);
