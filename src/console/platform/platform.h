#pragma once

// The thin layer under the console front end: everything that differs between Windows and POSIX
// systems. One source file per platform implements it; nothing else in the program asks which
// platform it runs on.

#include <cstddef>

// Converts length bytes of program text into the console's encoding. Both encodings have one byte
// per character wherever a conversion happens, so converted receives exactly length bytes.
void convert_to_console_encoding(const char* text, std::size_t length, char* converted);

// Whether standard output, or standard error, is shown on a terminal or console rather than going
// to a file or a pipe.
bool standard_output_is_terminal();
bool standard_error_is_terminal();

// Waits for one key press at the console keyboard, without echo, and discards it. Keys typed before
// the wait do not count. Returns at once where the process has no keyboard to read.
void wait_for_key();
