#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>

// How an error line shows the word it refused, so that the user sees what they typed: in ASCII
// quotes, each character as it is, as long as the screen can show it and nothing about it is
// hidden. Control characters, spaces other than the ASCII blank, format and direction marks and
// the like are escaped as \u00a0, a byte that stands for no character as \xff, and a backslash
// and a quote as \\ and \', to keep the quoting unambiguous. No input reaches the terminal as a
// control sequence. Longer than kShownWordCharacters columns, it is cut there and followed by
// "..."; an escape takes as many columns as it has characters, and a wide character two.
inline constexpr std::size_t kShownWordCharacters = 32;

void write_shown_word(std::ostream& out, std::string_view word);
