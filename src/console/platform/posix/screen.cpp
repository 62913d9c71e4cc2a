// POSIX systems: terminals take UTF-8, which is how the program's texts are held, so they are
// written as they are.

#include <unistd.h>

#include <cstring>
#include <ostream>

#include "console/characters.h"
#include "console/platform/screen.h"

void convert_to_console_encoding(const char* text, std::size_t length, char* converted)
{
    std::memcpy(converted, text, length);
}

// A terminal takes the same bytes as a file.
bool write_to_console(std::ostream& /*out*/, const char* /*text*/, std::size_t /*length*/)
{
    return false;
}

bool can_show_character(std::ostream& /*out*/, char32_t /*code*/)
{
    return true;
}

void write_character(std::ostream& out, char32_t code)
{
    char utf8[4];
    out.write(utf8, static_cast<std::streamsize>(to_utf8(code, utf8)));
}

bool standard_output_is_terminal()
{
    return isatty(STDOUT_FILENO) != 0;
}

bool standard_error_is_terminal()
{
    return isatty(STDERR_FILENO) != 0;
}
