#include "support/console_bytes.h"

std::string program_bytes(std::u8string_view text)
{
    return {text.begin(), text.end()};
}

std::string console_text(std::u8string_view text)
{
    return program_bytes(text);
}

std::string process_output(std::u8string_view text)
{
    return program_bytes(text);
}
