#include "console/standard_input.h"

#include <cstdio>

StandardInputBuffer::int_type StandardInputBuffer::underflow()
{
    std::size_t length = 0;
    while (length < kLineBytes) {
        const int c = std::getc(stdin);
        if (c == EOF) {
            break;
        }
        line_[length++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    setg(line_, line_, line_ + length);
    if (length > 0) {
        return traits_type::to_int_type(line_[0]);
    }
    if (std::ferror(stdin) != 0 && stream_ != nullptr) {
        stream_->setstate(std::ios::badbit);
    }
    return traits_type::eof();
}
