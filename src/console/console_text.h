#pragma once

#include <cstddef>
#include <iosfwd>

// Size of the buffer a message is converted in. Longer messages are converted and written piece by
// piece, so nothing is ever cut or written past the buffer.
inline constexpr std::size_t kConsoleTextBufferBytes = 100;

// Writes a NUL-terminated message held in the program's text encoding, converted to the encoding
// the console shows. Writes no line end and does not flush.
void write_console_text(const char* message);
void write_console_text(std::ostream& out, const char* message);

// Ends the current line and flushes, so that every finished line is on the screen at once.
void write_line_end();
void write_line_end(std::ostream& out);
