// Windows: the program's texts are held in code page 1251. A console is given them as UTF-16,
// which it shows whatever its code pages (a Western system, or 'chcp 65001'); a file or a pipe
// receives code page 866, the bytes a Russian console program has always written. Both
// conversions use fixed code pages, never the system's own.

#include <windows.h>

#include <iostream>

#include "console/platform/screen.h"

namespace {

constexpr UINT kProgramCodePage = 1251;

// The Russian alphabet from code page 1251 to 866; the messages hold nothing else but ASCII.
char to_code_page_866(char program_byte)
{
    const auto byte = static_cast<unsigned char>(program_byte);
    if (byte < 0x80U) {
        return program_byte;
    }
    if (byte >= 0xC0U && byte <= 0xEFU) {  // А to п
        return static_cast<char>(byte - 0x40U);
    }
    if (byte >= 0xF0U) {  // р to я
        return static_cast<char>(byte - 0x10U);
    }
    if (byte == 0xA8U) {  // Ё
        return static_cast<char>(0xF0U);
    }
    if (byte == 0xB8U) {  // ё
        return static_cast<char>(0xF1U);
    }
    return '?';
}

// The console that a standard stream is shown on, or nullptr.
HANDLE console_behind(const std::ostream& out)
{
    HANDLE handle = nullptr;
    if (&out == &std::cout) {
        handle = GetStdHandle(STD_OUTPUT_HANDLE);
    } else if (&out == &std::cerr) {
        handle = GetStdHandle(STD_ERROR_HANDLE);
    }
    DWORD mode = 0;
    return handle != nullptr && GetConsoleMode(handle, &mode) != 0 ? handle : nullptr;
}

}  // namespace

void convert_to_console_encoding(const char* text, std::size_t length, char* converted)
{
    for (std::size_t i = 0; i < length; ++i) {
        converted[i] = to_code_page_866(text[i]);
    }
}

bool write_to_console(std::ostream& out, const char* text, std::size_t length)
{
    const HANDLE console = console_behind(out);
    if (console == nullptr) {
        return false;
    }
    if (length > kConsoleWriteBytes) {
        return false;
    }
    // Code page 1251 has one UTF-16 unit for each byte.
    wchar_t wide[kConsoleWriteBytes];
    const int units = MultiByteToWideChar(kProgramCodePage, 0, text, static_cast<int>(length), wide,
                                          static_cast<int>(kConsoleWriteBytes));
    if (units <= 0) {
        return false;
    }
    // What the stream holds comes first on the screen.
    out.flush();
    DWORD written = 0;
    return WriteConsoleW(console, wide, static_cast<DWORD>(units), &written, nullptr) != 0;
}

// The Russian alphabet and ASCII, which is all a file in code page 866 is given as characters.
bool can_show_character(std::ostream& out, char32_t code)
{
    return console_behind(out) != nullptr || code < 0x80 || (code >= 0x0410 && code <= 0x044F) ||
           code == 0x0401 || code == 0x0451;
}

void write_character(std::ostream& out, char32_t code)
{
    const HANDLE console = console_behind(out);
    if (console == nullptr) {
        char program_byte = '?';
        if (code < 0x80) {
            program_byte = static_cast<char>(code);
        } else if (code == 0x0401 || code == 0x0451) {
            program_byte = static_cast<char>(code == 0x0401 ? 0xA8 : 0xB8);
        } else if (code >= 0x0410 && code <= 0x044F) {
            program_byte = static_cast<char>(0xC0 + (code - 0x0410));
        }
        out.put(to_code_page_866(program_byte));
        return;
    }
    wchar_t wide[2] = {static_cast<wchar_t>(code), 0};
    DWORD units = 1;
    if (code > 0xFFFF) {
        wide[0] = static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10U));
        wide[1] = static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FFU));
        units = 2;
    }
    out.flush();
    DWORD written = 0;
    WriteConsoleW(console, wide, units, &written, nullptr);
}

bool standard_output_is_terminal()
{
    return console_behind(std::cout) != nullptr;
}

bool standard_error_is_terminal()
{
    return console_behind(std::cerr) != nullptr;
}
