#pragma once

#include <cstddef>
#include <streambuf>

// Input as the dialogue reads it: a stream buffer that takes what one read brings, as a terminal
// delivers a line, or what was typed before Ctrl+D, so that what the user typed ahead is
// buffered, what has still to be typed is not, and a word finished before Ctrl+D is answered at
// once. It tells what the run-time library's own buffer does not: that the input could not be
// read (a directory, a closed descriptor) rather than that it ended, and how the last read ended,
// which on a terminal is where the user's own typing left the cursor.
//
// A failed read throws from underflow(); the stream reading through this buffer catches it and
// sets its badbit, as it does for any failure of its buffer.
class InputBuffer : public std::streambuf {
public:
    // How many reads have been made so far.
    std::size_t reads() const { return reads_; }

    // The last read brought input that ended with a line end: on a terminal, the user ended what
    // they typed with Enter, and the echo left the cursor at the start of a line.
    bool last_read_ended_line() const { return last_read_ended_line_; }

protected:
    int_type underflow() final;

private:
    // What one read brings, at most size bytes: 0 at the end of the input, negative when it
    // cannot be read.
    virtual std::ptrdiff_t read(char* bytes, std::size_t size) = 0;

    // A terminal line on Linux holds up to 4096 bytes: one read takes all of it, so that whether
    // the read ended with the user's Enter tells where the cursor is.
    static constexpr std::size_t kChunkBytes = 4096;
    char chunk_[kChunkBytes];
    std::size_t reads_ = 0;
    bool last_read_ended_line_ = false;
};

// The process's own standard input.
class StandardInputBuffer final : public InputBuffer {
    std::ptrdiff_t read(char* bytes, std::size_t size) override;
};
