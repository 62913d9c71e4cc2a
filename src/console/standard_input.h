#pragma once

#include <cstddef>
#include <istream>
#include <streambuf>

// Standard input as a stream that tells the dialogue what the run-time library's own does not:
// that the input could not be read (a directory, a closed descriptor) rather than that it ended,
// and how much of it is already at hand. It takes a line at a time, as a terminal delivers it, so
// that what the user typed ahead is buffered while what has still to be typed is not.
class StandardInputBuffer : public std::streambuf {
public:
    // The stream whose state shows a failed read.
    void report_failures_to(std::istream& stream) { stream_ = &stream; }

protected:
    int_type underflow() override;

private:
    static constexpr std::size_t kLineBytes = 4096;
    char line_[kLineBytes];
    std::istream* stream_ = nullptr;
};
