// Windows: a console is read as characters, Ctrl+C comes to a handler on a thread of its own, and
// single keys come from the C run-time library.

#include <conio.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <climits>

#include "console/platform/keyboard.h"

namespace {

// How long a console read that Ctrl+C cancelled may wait for its handler to start: CPython waits
// as long for its own.
constexpr DWORD kInterruptPatienceMilliseconds = 100;

bool is_console(HANDLE handle)
{
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
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

// Where the run stands, for the Ctrl+C handler, which runs on a thread of its own. Every change
// is a compare-exchange, so that exactly one of "the handler ends the program" and "the wait
// takes the key" happens, and once the key is taken Ctrl+C changes nothing.
enum RunPhase : int {
    kAsking,       // at the questions: Ctrl+C ends the program
    kInterrupted,  // the handler is ending it
    kWaiting,      // at the request for a key: Ctrl+C is the key
    kPuttingKey,   // the handler is putting that key into the console's input
    kDone,         // the key is taken
};
std::atomic<int> g_phase{kAsking};
// Set once the handler has taken the run over to end it.
HANDLE g_interrupted = nullptr;

bool change_phase(int from, int to)
{
    return g_phase.compare_exchange_strong(from, to);
}

// A Ctrl+C key record, put into the console's input through a handle of the caller's own.
void put_interrupt_key()
{
    const HANDLE keyboard = open_console("CONIN$");
    if (keyboard == INVALID_HANDLE_VALUE) {
        return;
    }
    INPUT_RECORD key{};
    key.EventType = KEY_EVENT;
    key.Event.KeyEvent.bKeyDown = TRUE;
    key.Event.KeyEvent.wRepeatCount = 1;
    key.Event.KeyEvent.wVirtualKeyCode = 'C';
    key.Event.KeyEvent.uChar.UnicodeChar = 3;
    key.Event.KeyEvent.dwControlKeyState = LEFT_CTRL_PRESSED;
    DWORD written = 0;
    WriteConsoleInputW(keyboard, &key, 1, &written);
    CloseHandle(keyboard);
}

// Runs on a thread of its own when Ctrl+C or Ctrl+Break is pressed. At a question the program
// ends with the status Windows gives a process ended by Ctrl+C, never 0, and the next prompt of
// cmd or PowerShell starts a line of its own. At the wait _getch asks the console for raw keys, so
// Ctrl+C normally reaches it as a key; where the console raises the event anyway (wine does, and
// Ctrl+Break always does), a key is put into the console's input instead, and the wait ends with
// the status the run decided. Once the key is taken, nothing changes that status.
BOOL WINAPI on_interrupt_key(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;  // the console closing, logoff, shutdown: the system's own way
    }
    if (change_phase(kAsking, kInterrupted)) {
        SetEvent(g_interrupted);
        write_line_end_to_console();
        ExitProcess(STATUS_CONTROL_C_EXIT);
    }
    if (change_phase(kWaiting, kPuttingKey)) {
        put_interrupt_key();
        g_phase.store(kWaiting);
    }
    return TRUE;
}

// The main thread's part once the handler has taken the run over: nothing more, until the
// handler's ExitProcess ends it.
[[noreturn]] void wait_for_interrupt_to_end_program()
{
    for (;;) {
        Sleep(INFINITE);
    }
}

// A console read as characters, as CPython reads one: what was typed reaches the program whatever
// the console's input code page (a Western console's 437 has no Cyrillic), as UTF-8. CR LF
// becomes LF, and Ctrl+Z at the start of a line ends the input, as in the C run-time library's
// text mode. A read cancelled by Ctrl+C fails with ERROR_OPERATION_ABORTED while the handler
// starts on a thread of its own: it is given the time to end the program before the read is
// made again.
std::ptrdiff_t read_console(HANDLE console, char* buffer, std::size_t size)
{
    constexpr std::size_t kMostUnits = 1024;  // each at most three bytes of UTF-8
    wchar_t wide[kMostUnits];
    const auto units = static_cast<DWORD>(std::min(kMostUnits, size / 3));
    for (;;) {
        DWORD got = 0;
        const bool read = ReadConsoleW(console, wide, units, &got, nullptr) != 0;
        const bool cancelled = !read && GetLastError() == ERROR_OPERATION_ABORTED;
        if (cancelled || (read && got == 0)) {
            if (WaitForSingleObject(g_interrupted, kInterruptPatienceMilliseconds) ==
                WAIT_OBJECT_0) {
                wait_for_interrupt_to_end_program();
            }
            if (cancelled) {
                continue;
            }
        }
        if (!read) {
            return -1;
        }
        if (got == 0 || wide[0] == L'\x1a') {
            return 0;
        }
        DWORD kept = 0;
        for (DWORD i = 0; i < got; ++i) {
            if (!(wide[i] == L'\r' && i + 1 < got && wide[i + 1] == L'\n')) {
                wide[kept++] = wide[i];
            }
        }
        return WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(kept), buffer,
                                   static_cast<int>(std::min<std::size_t>(size, INT_MAX)), nullptr,
                                   nullptr);
    }
}

}  // namespace

std::ptrdiff_t read_standard_input(char* buffer, std::size_t size)
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (is_console(input)) {
        return read_console(input, buffer, size);
    }
    // A file or a pipe: the C run-time library's own read keeps the text mode of standard input,
    // where CR LF becomes LF.
    return _read(0, buffer, static_cast<unsigned int>(std::min<std::size_t>(size, INT_MAX)));
}

bool standard_input_is_terminal()
{
    return is_console(GetStdHandle(STD_INPUT_HANDLE));
}

void handle_interrupt_keys()
{
    g_interrupted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(on_interrupt_key, TRUE);
}

void wait_for_key()
{
    // Keys typed before the request, an extra Enter after the last answer among them, would end
    // the wait before the result could be read. Flushed before the wait begins, so that a key the
    // handler puts in from then on is kept.
    const HANDLE keyboard = open_console("CONIN$");
    if (keyboard != INVALID_HANDLE_VALUE) {
        FlushConsoleInputBuffer(keyboard);
    }
    if (!change_phase(kAsking, kWaiting)) {
        wait_for_interrupt_to_end_program();
    }
    // _getch reads the keyboard itself, not the buffered standard input. An arrow or a function
    // key comes as two codes, 0 or 0xE0 and then its own: both are taken, so that the second
    // does not reach the next program.
    const int key = _getch();
    if (key == 0 || key == 0xE0) {
        static_cast<void>(_getch());
    }
    // A key the handler is putting in is waited for, so that the flush below drops it too.
    while (!change_phase(kWaiting, kDone)) {
        Sleep(0);
    }
    // The rest of a line typed or pasted as the key is dropped rather than left for cmd, as the
    // keys before the request were.
    if (keyboard != INVALID_HANDLE_VALUE) {
        FlushConsoleInputBuffer(keyboard);
        CloseHandle(keyboard);
    }
    // The request has no line end: the next prompt of cmd or PowerShell gets a line of its own.
    write_line_end_to_console();
}
