#include "console/standard_input.h"

#include <ios>

#include "console/platform/platform.h"

StandardInputBuffer::int_type StandardInputBuffer::underflow()
{
    const std::ptrdiff_t got = read_standard_input(chunk_, kChunkBytes);
    if (got < 0) {
        throw std::ios_base::failure("standard input cannot be read");
    }
    setg(chunk_, chunk_, chunk_ + got);
    return got > 0 ? traits_type::to_int_type(chunk_[0]) : traits_type::eof();
}
