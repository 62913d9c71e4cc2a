// Windows: the program's texts are held in code page 1251. A console is given them as UTF-16,
// which it shows whatever its code pages (a Western system, or 'chcp 65001'); a file or a pipe
// receives code page 866, the bytes a Russian console program has always written. Both come from
// fixed tables, never the system's own code pages.

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <iterator>

#include "console/platform/code_page_1251.h"
#include "console/platform/screen.h"

namespace {

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

// Code page 866 has the Russian alphabet in two runs, А to п and р to я, and Ё and ё apart; 0
// for any other character but ASCII.
char to_code_page_866(char32_t code)
{
    if (code < 0x80) {
        return static_cast<char>(code);
    }
    if (code >= 0x0410 && code <= 0x044F) {
        return static_cast<char>(code < 0x0440 ? 0x80 + (code - 0x0410) : 0xE0 + (code - 0x0440));
    }
    return code == 0x0401 ? '\xF0' : code == 0x0451 ? '\xF1' : '\0';
}

// Characters to the console, what the stream holds first on the screen.
void write_to_console(std::ostream& out, HANDLE console, const wchar_t* units, DWORD count)
{
    out.flush();
    DWORD written = 0;
    if (WriteConsoleW(console, units, count, &written, nullptr) == 0) {
        out.setstate(std::ios::badbit);
    }
}

}  // namespace

void write_program_text(std::ostream& out, const char* text)
{
    const HANDLE console = console_behind(out);
    // a piece at a time, so that a text of any length fits the buffers
    for (std::size_t length = std::strlen(text); length > 0;) {
        wchar_t wide[128];
        char narrow[128];
        const std::size_t piece = std::min(length, std::size(wide));
        for (std::size_t i = 0; i < piece; ++i) {
            const char32_t code = from_code_page_1251(static_cast<unsigned char>(text[i]));
            wide[i] = static_cast<wchar_t>(code);
            narrow[i] = to_code_page_866(code);
        }
        if (console != nullptr) {
            write_to_console(out, console, wide, static_cast<DWORD>(piece));
        } else {
            out.write(narrow, static_cast<std::streamsize>(piece));
        }
        text += piece;
        length -= piece;
    }
}

bool can_show_character(std::ostream& out, char32_t code)
{
    return console_behind(out) != nullptr || to_code_page_866(code) != '\0';
}

void write_character(std::ostream& out, char32_t code)
{
    const HANDLE console = console_behind(out);
    if (console == nullptr) {
        out.put(to_code_page_866(code));
        return;
    }
    wchar_t units[2] = {static_cast<wchar_t>(code), 0};
    DWORD count = 1;
    if (code > 0xFFFF) {  // a surrogate pair
        units[0] = static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10U));
        units[1] = static_cast<wchar_t>(0xDC00 + (code & 0x3FFU));
        count = 2;
    }
    write_to_console(out, console, units, count);
}

bool standard_output_is_terminal()
{
    return console_behind(std::cout) != nullptr;
}

bool standard_error_is_terminal()
{
    return console_behind(std::cerr) != nullptr;
}
