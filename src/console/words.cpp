#include "console/words.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool is_white_space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

int AnswerReader::peek()
{
    if (next_ == end_) {
        if (ended_ || unreadable_) {
            return kNoByte;
        }
        ++reads_;
        last_read_ended_line_ = false;
        const std::ptrdiff_t got = read(chunk_, kChunkBytes);
        unreadable_ = got < 0;
        ended_ = got == 0;
        if (got <= 0) {
            return kNoByte;
        }
        next_ = 0;
        end_ = static_cast<std::size_t>(got);
        last_read_ended_line_ = chunk_[end_ - 1] == '\n';
    }
    return static_cast<unsigned char>(chunk_[next_]);
}

// Takes the mark from the input before anything is read, so that it costs no word its length.
// Bytes that only begin like a mark are the start of the first word.
void AnswerReader::take_byte_order_mark(Word& word)
{
    while (word.length < kByteOrderMark.size() &&
           peek() == static_cast<unsigned char>(kByteOrderMark[word.length])) {
        word.text[word.length++] = take();
    }
    if (word.length == kByteOrderMark.size()) {
        word.length = 0;
    }
}

WordRead AnswerReader::read_word(Word& word)
{
    word.length = 0;
    word.starts_input = at_start_;
    if (at_start_) {
        at_start_ = false;
        take_byte_order_mark(word);
    }
    int c = peek();
    if (word.length == 0) {
        while (c != kNoByte && is_white_space(c)) {
            take();
            c = peek();
        }
        if (c == kNoByte) {
            return unreadable_ ? WordRead::kUnreadable : WordRead::kEnded;
        }
    }
    // One character past the longest word tells that it is too long; the rest is never read.
    while (c != kNoByte && !is_white_space(c)) {
        word.text[word.length++] = take();
        if (word.length > kLongestWord) {
            return WordRead::kTooLong;
        }
        c = peek();
    }
    return unreadable_ ? WordRead::kUnreadable : WordRead::kRead;
}
