#pragma once

// How the program's text reaches the screen, a file or a pipe: the part of the platform layer
// that writes. One source file per platform implements it.

#include <cstddef>
#include <iosfwd>

// Converts length bytes of program text into the bytes that a file, a pipe or a terminal receives.
// Both encodings have one byte per character wherever a conversion happens, so converted
// receives exactly length bytes.
void convert_to_console_encoding(const char* text, std::size_t length, char* converted);

// The most bytes of program text that write_to_console takes at once.
inline constexpr std::size_t kConsoleWriteBytes = 128;

// Writes length bytes of program text, at most kConsoleWriteBytes, straight to the console where
// out is a standard stream shown on one that takes text its own way; false, having written
// nothing, where the text is to go through out, converted, instead.
bool write_to_console(std::ostream& out, const char* text, std::size_t length);

// Whether out can show the character, and writes it: a terminal or a console shows any; a file
// or a pipe written in a code page only what that code page holds.
bool can_show_character(std::ostream& out, char32_t code);
void write_character(std::ostream& out, char32_t code);

// Whether standard output, or standard error, is shown on a terminal or console rather than
// going to a file or a pipe.
bool standard_output_is_terminal();
bool standard_error_is_terminal();
