#include "console/answer_reader.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kNoByte = -1;

bool is_white_space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The next byte, read if need be, or kNoByte once the input has ended or failed.
int peek(AnswerReader& reader)
{
    if (reader.next == reader.end) {
        if (reader.ended || reader.unreadable) {
            return kNoByte;
        }
        ++reader.reads;
        reader.last_read_ended_line = false;
        const std::ptrdiff_t got =
            reader.read_more(reader.source, reader.chunk, sizeof reader.chunk);
        reader.unreadable = got < 0;
        reader.ended = got == 0;
        if (got <= 0) {
            return kNoByte;
        }
        reader.next = 0;
        reader.end = static_cast<std::size_t>(got);
        reader.last_read_ended_line = reader.chunk[reader.end - 1] == '\n';
    }
    return static_cast<unsigned char>(reader.chunk[reader.next]);
}

char take(AnswerReader& reader)
{
    return reader.chunk[reader.next++];
}

// Takes the mark from the input before anything is read, so that it costs no word its length.
// Bytes that only begin like a mark are the start of the first word.
void take_byte_order_mark(AnswerReader& reader, Word& word)
{
    while (word.length < kByteOrderMark.size() &&
           peek(reader) == static_cast<unsigned char>(kByteOrderMark[word.length])) {
        word.text[word.length++] = take(reader);
    }
    if (word.length == kByteOrderMark.size()) {
        word.length = 0;
    }
}

}  // namespace

void start_answer(AnswerReader& reader)
{
    reader.reads_at_prompt = reader.reads;
}

WordRead read_word(AnswerReader& reader, Word& word)
{
    word.length = 0;
    word.starts_input = reader.at_start;
    if (reader.at_start) {
        reader.at_start = false;
        take_byte_order_mark(reader, word);
    }
    int c = peek(reader);
    if (word.length == 0) {
        while (c != kNoByte && is_white_space(c)) {
            take(reader);
            c = peek(reader);
        }
        if (c == kNoByte) {
            return reader.unreadable ? WordRead::kUnreadable : WordRead::kEnded;
        }
    }
    // One character past the longest word tells that it is too long; the rest is never read.
    while (c != kNoByte && !is_white_space(c)) {
        word.text[word.length++] = take(reader);
        if (word.length > kLongestWord) {
            return WordRead::kTooLong;
        }
        c = peek(reader);
    }
    return reader.unreadable ? WordRead::kUnreadable : WordRead::kRead;
}

bool line_typed_since_prompt(const AnswerReader& reader)
{
    return reader.reads != reader.reads_at_prompt && reader.last_read_ended_line;
}
