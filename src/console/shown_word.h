#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>

// How an error line shows the word it refused, so that the user sees what was read: in ASCII
// quotes, printable ASCII as it is, and every other byte as a visible escape (\x1b for an arrow
// key's escape, \xd0\xb5 for a Cyrillic letter), so that no input reaches the terminal as a
// control sequence; a backslash and a quote are escaped too, to keep the quoting unambiguous.
// Longer than kShownWordCharacters, it is cut there and followed by "...".
inline constexpr std::size_t kShownWordCharacters = 32;

void write_shown_word(std::ostream& out, std::string_view word);
