// Windows: the program's texts are held in code page 1251. A console is given them as UTF-16,
// which it shows whatever its code pages (a Western system, or 'chcp 65001'); a file or a pipe
// receives code page 866, the bytes a Russian console program has always written. Both
// conversions use fixed code pages, never the system's own. Single keys come from the C
// run-time library.

#include <conio.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <iostream>

#include "console/platform/platform.h"

namespace {

constexpr UINT kProgramCodePage = 1251;
// Code page 1251 has one UTF-16 unit for each byte: a text goes to the console in pieces of this.
constexpr std::size_t kWidePieceUnits = 128;

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

bool is_console(HANDLE handle)
{
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
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
    return handle != nullptr && is_console(handle) ? handle : nullptr;
}

// One of the console's own devices, whatever the standard streams were redirected to.
HANDLE open_console(const char* device)
{
    return CreateFileA(device, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

void write_line_end_to_console()
{
    const HANDLE screen = open_console("CONOUT$");
    if (screen != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteConsoleW(screen, L"\r\n", 2, &written, nullptr);
        CloseHandle(screen);
    }
}

// The keyboard while the key is waited for, else INVALID_HANDLE_VALUE.
HANDLE volatile g_waiting_keyboard = INVALID_HANDLE_VALUE;

// Runs on a thread of its own when Ctrl+C or Ctrl+Break is pressed. _getch asks the console for
// raw keys, so Ctrl+C normally reaches the wait as a key; where the console raises the event
// anyway (wine was reported to), a key is put into the console's input instead, and the wait ends
// with the status the run decided. At a prompt the program ends with the status Windows gives a
// process ended by Ctrl+C, never 0, and the next prompt of cmd or PowerShell starts a line of its
// own.
BOOL WINAPI on_interrupt_key(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;  // the console closing, logoff, shutdown: the system's own way
    }
    const HANDLE keyboard = g_waiting_keyboard;
    if (keyboard != INVALID_HANDLE_VALUE) {
        INPUT_RECORD key{};
        key.EventType = KEY_EVENT;
        key.Event.KeyEvent.bKeyDown = TRUE;
        key.Event.KeyEvent.wRepeatCount = 1;
        key.Event.KeyEvent.wVirtualKeyCode = 'C';
        key.Event.KeyEvent.uChar.UnicodeChar = 3;
        key.Event.KeyEvent.dwControlKeyState = LEFT_CTRL_PRESSED;
        DWORD written = 0;
        WriteConsoleInputW(keyboard, &key, 1, &written);
        return TRUE;
    }
    write_line_end_to_console();
    ExitProcess(STATUS_CONTROL_C_EXIT);
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
    // What the stream holds comes first on the screen.
    out.flush();
    while (length > 0) {
        const std::size_t piece = std::min(length, kWidePieceUnits);
        wchar_t wide[kWidePieceUnits];
        const int units = MultiByteToWideChar(kProgramCodePage, 0, text, static_cast<int>(piece),
                                              wide, static_cast<int>(kWidePieceUnits));
        DWORD written = 0;
        if (units <= 0 ||
            WriteConsoleW(console, wide, static_cast<DWORD>(units), &written, nullptr) == 0) {
            return false;
        }
        text += piece;
        length -= piece;
    }
    return true;
}

std::ptrdiff_t read_standard_input(char* buffer, std::size_t size)
{
    // The C run-time library's own read keeps the text mode of standard input: CR LF becomes LF,
    // and Ctrl+Z at the console ends the input.
    return _read(0, buffer, static_cast<unsigned int>(std::min<std::size_t>(size, INT_MAX)));
}

bool standard_output_is_terminal()
{
    return is_console(GetStdHandle(STD_OUTPUT_HANDLE));
}

bool standard_error_is_terminal()
{
    return is_console(GetStdHandle(STD_ERROR_HANDLE));
}

void handle_interrupt_keys()
{
    SetConsoleCtrlHandler(on_interrupt_key, TRUE);
}

void wait_for_key()
{
    // Keys typed before the request, an extra Enter after the last answer among them, would end
    // the wait before the result could be read.
    const HANDLE keyboard = open_console("CONIN$");
    if (keyboard != INVALID_HANDLE_VALUE) {
        FlushConsoleInputBuffer(keyboard);
        g_waiting_keyboard = keyboard;
    }
    // _getch reads the keyboard itself, not the buffered standard input. An arrow or a function
    // key comes as two codes, 0 or 0xE0 and then its own: both are taken, so that the second
    // does not reach the next program.
    const int key = _getch();
    if (key == 0 || key == 0xE0) {
        static_cast<void>(_getch());
    }
    // The rest of a line typed or pasted as the key is dropped rather than left for cmd, as the
    // keys before the request were.
    if (keyboard != INVALID_HANDLE_VALUE) {
        g_waiting_keyboard = INVALID_HANDLE_VALUE;
        FlushConsoleInputBuffer(keyboard);
        CloseHandle(keyboard);
    }
    // The request has no line end: the next prompt of cmd or PowerShell gets a line of its own.
    write_line_end_to_console();
}
