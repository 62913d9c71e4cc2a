#include "console/input_buffer.h"

#include <ios>

#include "console/platform/keyboard.h"

InputBuffer::int_type InputBuffer::underflow()
{
    ++reads_;
    last_read_ended_line_ = false;
    const std::ptrdiff_t got = read(chunk_, kChunkBytes);
    if (got < 0) {
        throw std::ios_base::failure("the input cannot be read");
    }
    setg(chunk_, chunk_, chunk_ + got);
    if (got == 0) {
        return traits_type::eof();
    }
    last_read_ended_line_ = chunk_[got - 1] == '\n';
    return traits_type::to_int_type(chunk_[0]);
}

std::ptrdiff_t StandardInputBuffer::read(char* bytes, std::size_t size)
{
    return read_standard_input(bytes, size);
}
