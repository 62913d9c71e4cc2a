#pragma once

#include <cstddef>
#include <string_view>

#include "console/numbers.h"

// Each answer is one word: the characters between white space (blank, tab, CR, LF, VT, FF).
// Words as long as the longest number are read whole and exactly; a longer one is never held,
// only refused.
inline constexpr std::size_t kLongestWord = kLongestNumber;

struct Word {
    char text[kLongestWord + 1];  // one more than the longest, which tells that a word is too long
    std::size_t length;
    bool starts_input;  // the first word of the input, where a file's byte-order mark stands

    std::string_view view() const { return {text, length}; }
};

enum class WordRead { kRead, kTooLong, kEnded, kUnreadable };

// What one read of the input brings from source, at most size bytes: 0 at the end of the input,
// negative when it cannot be read.
using ReadMore = std::ptrdiff_t (*)(void* source, char* bytes, std::size_t size);

// Reads the answers, word by word, from what each read of the input brings, as a terminal
// delivers a line or what was typed before Ctrl+D: what the user typed ahead is kept, what has
// still to be typed is not waited for, and a word finished before Ctrl+D is answered at once. It
// tells input that cannot be read (a folder, a closed descriptor) from input that ended, and keeps
// track of what the screen shows of the answers: whether the user typed a line since the last
// prompt and ended it with Enter, so that its line end is on the screen. Once the input has ended
// or failed, nothing more is read.
struct AnswerReader {
    ReadMore read_more;
    void* source;
    // A terminal line on Linux holds up to 4096 bytes: one read takes all of it, so that whether
    // the read ended with the user's Enter tells where the cursor is.
    char chunk[4096]{};
    std::size_t next = 0;
    std::size_t end = 0;
    std::size_t reads = 0;
    std::size_t reads_at_prompt = 0;
    bool last_read_ended_line = false;
    bool ended = false;
    bool unreadable = false;
    bool at_start = true;
};

// A prompt is on the screen: what is read from now on answers it.
void start_answer(AnswerReader& reader);

// Skips white space, then reads one word and leaves what follows it unread. A byte-order mark at
// the very start of the input (Windows Notepad writes one) is not part of any word.
WordRead read_word(AnswerReader& reader, Word& word);

// Whether input was read since the prompt and its last read ended with a line end: where the
// input is typed at the terminal, the user's Enter moved the cursor to the start of a line. Input
// that had been typed ahead, or ended with Ctrl+D, leaves it behind the prompt or the answer.
bool line_typed_since_prompt(const AnswerReader& reader);
