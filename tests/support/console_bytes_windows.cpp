#include "support/console_bytes.h"

std::string program_text(std::u8string_view text)
{
    return to_code_page_1251(text);
}

std::string console_text(std::u8string_view text)
{
    return to_code_page_866(text);
}

std::string process_output(std::u8string_view text)
{
    return with_crlf_line_ends(console_text(text));
}
