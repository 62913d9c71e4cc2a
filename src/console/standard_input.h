#pragma once

#include <cstddef>
#include <streambuf>

// Standard input as a stream that tells the dialogue what the run-time library's own does not:
// that the input could not be read (a directory, a closed descriptor) rather than that it ended,
// and how much of it is already at hand. It takes what one read brings, as a terminal delivers a
// line, or what was typed before Ctrl+D, so that what the user typed ahead is buffered, what has
// still to be typed is not, and a word finished before Ctrl+D is answered at once.
//
// A failed read throws from underflow(); the stream reading through this buffer catches it and
// sets its badbit, as it does for any failure of its buffer.
class StandardInputBuffer : public std::streambuf {
protected:
    int_type underflow() override;

private:
    static constexpr std::size_t kChunkBytes = 4096;
    char chunk_[kChunkBytes];
};
