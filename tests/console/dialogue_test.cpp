// The dialogue run in-process over the same transcripts as the real executable, with the key
// wait replaced, so that a fault shows here with a debugger at hand.

#include "console/dialogue.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <ios>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "support/console_bytes.h"
#include "transcripts/transcript_cases.h"

namespace {

int g_key_waits = 0;

void count_key_wait()
{
    ++g_key_waits;
}

// Gives the input, then either ends or fails every read, as standard input's buffer does when
// the system's read fails.
class ScriptedInput : public std::streambuf {
public:
    ScriptedInput(const std::string& input, bool fails_after) : input_(input), fails_(fails_after)
    {
        setg(input_.data(), input_.data(), input_.data() + input_.size());
    }

protected:
    int_type underflow() override
    {
        if (fails_) {
            throw std::ios_base::failure("the read failed");
        }
        return traits_type::eof();
    }

private:
    std::string input_;
    bool fails_;
};

// Keeps the first bytes written to it, as a file on a nearly full disk, and fails every write
// after them.
class FillingBuffer : public std::streambuf {
public:
    explicit FillingBuffer(std::size_t room) : room_(room) {}
    const std::string& kept() const { return kept_; }

protected:
    int_type overflow(int_type c) override
    {
        if (kept_.size() == room_) {
            return traits_type::eof();
        }
        kept_.push_back(traits_type::to_char_type(c));
        return c;
    }

private:
    std::size_t room_;
    std::string kept_;
};

class DialogueTest : public testing::TestWithParam<TranscriptCase> {};

TEST_P(DialogueTest, WritesTranscriptAndWaitsForOneKey)
{
    const TranscriptCase& c = GetParam();
    ScriptedInput input(c.input, c.input_unreadable);
    std::istream in(&input);
    FillingBuffer screen(c.output_fills_up ? console_text(c.out).size() : std::string::npos);
    std::ostream out(&screen);
    std::ostringstream err;
    g_key_waits = 0;

    const int status = run_dialogue(in, out, err, {true, false, count_key_wait});

    EXPECT_EQ(screen.kept(), console_text(c.out));
    EXPECT_EQ(err.str(), console_text(c.err));
    EXPECT_EQ(status, c.status);
    // Nobody is asked for a key that the request could not reach.
    EXPECT_EQ(g_key_waits, c.output_fills_up ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogueTest, testing::ValuesIn(transcript_cases()), CaseName{});

}  // namespace
