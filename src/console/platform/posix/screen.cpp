// POSIX systems: terminals take UTF-8, which is how the program's texts are held, so they are
// written as they are.

#include <unistd.h>

#include <ostream>

#include "console/platform/screen.h"

void write_program_text(std::ostream& out, const char* text)
{
    out << text;
}

bool can_show_character(std::ostream& /*out*/, char32_t /*code*/)
{
    return true;
}

void write_character(std::ostream& out, char32_t code)
{
    char utf8[4];
    std::size_t length = 1;
    if (code < 0x80) {
        utf8[0] = static_cast<char>(code);
    } else {
        // the lead byte's marks and the first bits, then six bits in each byte after it
        length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
        constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
        for (std::size_t i = length - 1; i > 0; --i, code >>= 6U) {
            utf8[i] = static_cast<char>(0x80U | (code & 0x3FU));
        }
        utf8[0] = static_cast<char>(kLeadMarks[length] | code);
    }
    out.write(utf8, static_cast<std::streamsize>(length));
}

bool standard_output_is_terminal()
{
    return isatty(STDOUT_FILENO) != 0;
}

bool standard_error_is_terminal()
{
    return isatty(STDERR_FILENO) != 0;
}
