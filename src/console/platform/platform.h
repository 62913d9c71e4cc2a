#pragma once

// The thin layer under the console front end: everything that differs between Windows and POSIX
// systems. One source file per platform implements it; nothing else in the program asks which
// platform it runs on.

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

// Reads what one read of standard input brings, at most size bytes: on a terminal, the line typed
// or what Ctrl+D (Ctrl+Z on Windows) ended. 0 at the end of the input, negative when it cannot be
// read.
std::ptrdiff_t read_standard_input(char* buffer, std::size_t size);

// Whether standard input comes from a terminal or console, and whether standard output, or
// standard error, is shown on one, rather than coming from or going to a file or a pipe.
bool standard_input_is_terminal();
bool standard_output_is_terminal();
bool standard_error_is_terminal();

// Makes Ctrl+C (and Ctrl+Break) at a prompt end the program as a failure, never as a success,
// with the prompt's line ended; at the wait for a key it is that key. Called once, first.
void handle_interrupt_keys();

// Waits for one key press at the console keyboard, without echo, and discards it. Keys typed before
// the wait do not count. Returns at once where the process has no keyboard to read.
void wait_for_key();
