#include "console/platform/screen.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "console/program_text.h"
#include "support/console_bytes.h"

namespace {

// A stream buffer that tells what has really been delivered, as a console would show it, from
// what still waits in the buffer.
class DeliveryBuffer : public std::streambuf {
public:
    DeliveryBuffer() { setp(buffer_, buffer_ + sizeof buffer_); }
    const std::string& delivered() const { return delivered_; }
    bool holds_nothing() const { return pptr() == pbase(); }

protected:
    int_type overflow(int_type c) override
    {
        deliver();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            delivered_.push_back(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }
    int sync() override
    {
        deliver();
        return 0;
    }

private:
    void deliver()
    {
        delivered_.append(pbase(), pptr());
        setp(buffer_, buffer_ + sizeof buffer_);
    }
    char buffer_[512];
    std::string delivered_;
};

struct TextCase {
    std::string name;
    std::vector<std::u8string> messages;  // written one after another
    bool line_end;
    std::u8string expected;  // all of it on the screen after a line end
};

std::ostream& operator<<(std::ostream& out, const TextCase& c)
{
    return out << c.name;
}

// Longer than the buffer a Windows build converts it in.
std::u8string long_message()
{
    std::u8string message(99, u8'x');
    for (int i = 0; i < 100; ++i) {
        message += u8"Жё";
    }
    return message;
}
const std::u8string kLongMessage = long_message();

const TextCase kCases[] = {
    {"ascii_unchanged", {u8"a()= y=5 2j"}, false, u8"a()= y=5 2j"},
    {"empty_writes_nothing", {u8""}, false, u8""},
    {"cyrillic_converted", {u8"Значение полинома: "}, false, u8"Значение полинома: "},
    {"whole_alphabet",
     {u8"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя"},
     false,
     u8"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя"},
    {"two_messages_one_line", {u8"Нажмите ", u8"любую клавишу"}, false, u8"Нажмите любую клавишу"},
    {"line_end_after_message", {u8"с комплексными корнями"}, true, u8"с комплексными корнями\n"},
    {"line_end_alone", {}, true, u8"\n"},
    {"longer_than_buffer_written_whole", {kLongMessage}, true, kLongMessage + u8"\n"},
};

class ScreenTest : public testing::TestWithParam<TextCase> {};

TEST_P(ScreenTest, WritesConvertedText)
{
    const TextCase& c = GetParam();
    DeliveryBuffer screen;
    std::ostream out(&screen);
    for (const std::u8string& message : c.messages) {
        write_program_text(out, program_bytes(message).c_str());
    }
    if (c.line_end) {
        write_line_end(out);
        // A finished line is on the screen at once.
        EXPECT_TRUE(screen.holds_nothing());
    }
    out.flush();
    EXPECT_EQ(screen.delivered(), console_text(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, ScreenTest, testing::ValuesIn(kCases), CaseName{});

TEST(ScreenTest, MessageWithoutLineEndIsNotFlushed)
{
    DeliveryBuffer screen;
    std::ostream out(&screen);
    write_program_text(out, "a()= ");
    EXPECT_EQ(screen.delivered(), "");
}

// The program's own compile-time conversion, against code page 1251 as Microsoft publishes it:
// the first and last letters of each run, and the two that stand apart; UTF-8 is kept as it is.
TEST(MessageTextTest, HoldsCodePage1251OrUtf8)
{
    constexpr char8_t kAlphabet[] =
        u8"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя a()= 0-9";
    EXPECT_STREQ(encode_text<TextEncoding::kCodePage1251>(u8"АЯаяЁё a"),
                 "\xC0\xDF\xE0\xFF\xA8\xB8 a");
    EXPECT_EQ(std::string(encode_text<TextEncoding::kUtf8>(kAlphabet)),
              std::string(std::begin(kAlphabet), std::end(kAlphabet) - 1));
}

}  // namespace
