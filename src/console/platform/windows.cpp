// Windows: the program's texts are held in the ANSI code page (1251 for Russian) while the text
// console shows the OEM code page (866), and the C run-time library reads single keys.

#include <conio.h>
#include <windows.h>

#include "console/platform/platform.h"

void convert_to_console_encoding(const char* text, std::size_t length, char* converted)
{
    CharToOemBuffA(text, converted, static_cast<DWORD>(length));
}

void wait_for_key()
{
    // The request can only be seen where standard output is a console: with output in a file or
    // a pipe the wait would look like a hang. A program started by double-click has its console.
    DWORD mode = 0;
    if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) == 0) {
        return;
    }
    // _getch reads the keyboard itself, not the buffered standard input, so the line end left
    // from the last answer does not end the wait.
    static_cast<void>(_getch());
}
