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
    // _getch reads the keyboard itself, not the buffered standard input, so the line end left
    // from the last answer does not end the wait.
    static_cast<void>(_getch());
}
