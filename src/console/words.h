#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>

// Each answer is one word: the characters between white space (blank, tab, CR, LF, VT, FF).
// Words up to this length are read whole and exactly; a longer one is never held, only refused.
inline constexpr std::size_t kLongestWord = 4096;

struct Word {
    char text[kLongestWord + 2];  // one more than the longest, and the terminating NUL
    std::size_t length;

    std::string_view view() const { return {text, length}; }
};

enum class WordRead { kRead, kTooLong, kEnded, kUnreadable };

// Where the answers come from, and whether reading them has asked it for fresh input since the
// last prompt: on a terminal that means the user typed a line, and its line end is on the screen.
struct AnswerInput {
    std::istream& in;
    bool at_start = true;
    bool fetched_since_prompt = false;
};

// Skips white space, then reads one word and leaves what follows it unread. A byte-order mark at
// the very start of the input (Windows Notepad writes one) is not part of any word.
WordRead read_word(AnswerInput& input, Word& word);
