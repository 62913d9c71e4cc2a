// The dialogue run in-process over the same transcripts as the real executable, with the key
// wait replaced, so that a fault shows here with a debugger at hand.

#include "console/dialogue.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "support/console_bytes.h"
#include "support/scripted_input.h"
#include "transcripts/transcript_cases.h"

namespace {

int g_key_waits = 0;

void count_key_wait()
{
    ++g_key_waits;
}

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
    Script script{c.input, c.input_unreadable};
    AnswerReader input{read_script, &script};
    FillingBuffer screen(c.output_fills_up ? console_text(c.out).size() : std::string::npos);
    std::ostream out(&screen);
    std::ostringstream err;
    g_key_waits = 0;

    const int status = run_dialogue(input, out, err,
                                    {.output_on_terminal = true,
                                     .errors_on_terminal = false,
                                     .input_on_terminal = false,
                                     .wait_for_key = count_key_wait});

    EXPECT_EQ(screen.kept(), console_text(c.out));
    EXPECT_EQ(err.str(), console_text(c.err));
    EXPECT_EQ(status, c.status);
    // Nobody is asked for a key that the request could not reach.
    EXPECT_EQ(g_key_waits, c.output_fills_up ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogueTest, testing::ValuesIn(transcript_cases()), CaseName{});

}  // namespace
