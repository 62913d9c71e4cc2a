#pragma once

#include <string>
#include <string_view>

// Expected screens are written once, in UTF-8. These turn such a text into the bytes that a build
// of the program holds or writes on its platform, so one set of cases serves every platform; on
// Windows with Windows' own code page tables.

// A text as the program holds it: UTF-8 on POSIX systems, code page 1251 on Windows.
std::string program_bytes(std::u8string_view text);

// A text as write_program_text puts it on a stream: UTF-8, or code page 866 on Windows.
std::string console_text(std::u8string_view text);

// What a process writes to a redirected standard stream: the console text with the platform's
// line ends (CR LF on Windows).
std::string process_output(std::u8string_view text);
