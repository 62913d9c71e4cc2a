#pragma once

// How the program's text reaches the screen, a file or a pipe: the part of the platform layer
// that writes. One source file per platform implements it.

#include <ostream>

// Writes a NUL-terminated program text, without a line end and without flushing, as what out is
// shown on takes it: a POSIX terminal or file the bytes as they are; a Windows console UTF-16, a
// file or a pipe code page 866. A write that fails leaves out failed.
void write_program_text(std::ostream& out, const char* text);

// Ends the line and flushes, so that every finished line is on the screen at once.
inline void write_line_end(std::ostream& out)
{
    out.put('\n');
    out.flush();
}

// Whether out can show the character as itself, and writing it: a terminal or a console shows
// any; a file or a pipe written in code page 866 ASCII and the Russian alphabet.
bool can_show_character(std::ostream& out, char32_t code);
void write_character(std::ostream& out, char32_t code);

// Whether standard output, or standard error, is shown on a terminal or console rather than
// going to a file or a pipe.
bool standard_output_is_terminal();
bool standard_error_is_terminal();
