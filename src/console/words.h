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

// Reads the answers, word by word, from what each read of the input brings, as a terminal
// delivers a line or what was typed before Ctrl+D: what the user typed ahead is kept, what has
// still to be typed is not waited for, and a word finished before Ctrl+D is answered at once. It
// tells input that cannot be read (a folder, a closed descriptor) from input that ended, and keeps
// track of what the screen shows of the answers: whether the user typed a line since the last
// prompt and ended it with Enter, so that its line end is on the screen.
class AnswerReader {
public:
    // A prompt is on the screen: what is read from now on answers it.
    void start_answer() { reads_at_prompt_ = reads_; }

    // Skips white space, then reads one word and leaves what follows it unread. A byte-order mark
    // at the very start of the input (Windows Notepad writes one) is not part of any word.
    WordRead read_word(Word& word);

    // Whether input was read since the prompt and its last read ended with a line end: where the
    // input is typed at the terminal, the user's Enter moved the cursor to the start of a line.
    // Input that had been typed ahead, or ended with Ctrl+D, leaves it behind the prompt or the
    // answer.
    bool line_typed_since_prompt() const
    {
        return reads_ != reads_at_prompt_ && last_read_ended_line_;
    }

protected:
    ~AnswerReader() = default;

private:
    // What one read brings, at most size bytes: 0 at the end of the input, negative when it
    // cannot be read.
    virtual std::ptrdiff_t read(char* bytes, std::size_t size) = 0;

    // The next byte, read if need be, or kNoByte once the input has ended or failed, after
    // which nothing more is read.
    static constexpr int kNoByte = -1;
    int peek();
    char take() { return chunk_[next_++]; }
    void take_byte_order_mark(Word& word);

    // A terminal line on Linux holds up to 4096 bytes: one read takes all of it, so that whether
    // the read ended with the user's Enter tells where the cursor is.
    static constexpr std::size_t kChunkBytes = 4096;
    char chunk_[kChunkBytes];
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    std::size_t reads_ = 0;
    std::size_t reads_at_prompt_ = 0;
    bool last_read_ended_line_ = false;
    bool ended_ = false;
    bool unreadable_ = false;
    bool at_start_ = true;
};
