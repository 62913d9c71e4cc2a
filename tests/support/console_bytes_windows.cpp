#include "support/console_bytes.h"

#include <windows.h>

#include <stdexcept>

namespace {

// The text in a code page, as Windows converts it; a character the code page lacks is a mistake
// in a test.
std::string in_code_page(std::u8string_view text, UINT code_page)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
        CP_UTF8, 0, reinterpret_cast<const char*>(text.data()), static_cast<int>(text.size()),
        wide.data(), static_cast<int>(wide.size()))));
    std::string bytes(wide.size(), '\0');
    BOOL lacking = FALSE;
    WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                        static_cast<int>(bytes.size()), nullptr, &lacking);
    if (lacking != FALSE) {
        throw std::invalid_argument("a test text holds a character its code page lacks");
    }
    return bytes;
}

}  // namespace

std::string program_bytes(std::u8string_view text)
{
    return in_code_page(text, 1251);
}

std::string console_text(std::u8string_view text)
{
    return in_code_page(text, 866);
}

std::string process_output(std::u8string_view text)
{
    std::string crlf;
    for (const char c : console_text(text)) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return crlf;
}
