#pragma once

#include <cstddef>
#include <iosfwd>

// Size of the buffer a text is converted in. Longer texts are converted and written piece by
// piece, so nothing is ever cut or written past the buffer.
inline constexpr std::size_t kConsoleTextBufferBytes = 100;

// Writes a NUL-terminated text held in the program's text encoding, converted to the encoding
// the console shows. Writes no line end and does not flush.
void write_console_text(std::ostream& out, const char* text);

// Ends the current line and flushes, so that every finished line is on the screen at once.
void write_line_end(std::ostream& out);
