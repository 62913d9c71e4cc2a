#include "console/console_text.h"

#include <algorithm>
#include <cstring>
#include <iostream>

#include "console/platform/screen.h"

void write_console_text(const char* message)
{
    write_console_text(std::cout, message);
}

// One cut into pieces, here: a console takes each piece whole or not at all, so no text is ever
// written twice.
static_assert(kConsoleTextBufferBytes <= kConsoleWriteBytes);

void write_console_text(std::ostream& out, const char* message)
{
    char converted[kConsoleTextBufferBytes];
    std::size_t remaining = std::strlen(message);
    while (remaining > 0) {
        const std::size_t piece = std::min(remaining, sizeof converted);
        if (!write_to_console(out, message, piece)) {
            convert_to_console_encoding(message, piece, converted);
            out.write(converted, static_cast<std::streamsize>(piece));
        }
        message += piece;
        remaining -= piece;
    }
}

void write_line_end()
{
    write_line_end(std::cout);
}

void write_line_end(std::ostream& out)
{
    out.put('\n');
    out.flush();
}
