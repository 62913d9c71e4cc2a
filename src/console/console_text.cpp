#include "console/console_text.h"

#include <algorithm>
#include <cstring>
#include <ostream>

#include "console/platform/screen.h"

static_assert(kConsoleTextBufferBytes <= kMostProgramTextBytes);

void write_console_text(std::ostream& out, const char* text)
{
    for (std::size_t remaining = std::strlen(text); remaining > 0;) {
        const std::size_t piece = std::min(remaining, kConsoleTextBufferBytes);
        write_program_text(out, text, piece);
        text += piece;
        remaining -= piece;
    }
}

void write_line_end(std::ostream& out)
{
    out.put('\n');
    out.flush();
}
