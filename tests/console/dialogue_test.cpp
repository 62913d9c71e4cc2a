// The dialogue run in-process over the same transcripts as the real executable, with the key
// wait replaced, so that a fault shows here with a debugger at hand.

#include "console/dialogue.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <ostream>
#include <sstream>

#include "support/console_bytes.h"
#include "transcripts/transcript_cases.h"

namespace {

int g_key_waits = 0;
std::ostringstream* g_out_at_wait = nullptr;
std::string g_screen_during_wait;

void count_key_wait()
{
    ++g_key_waits;
    g_screen_during_wait = g_out_at_wait->str();
}

class DialogueTest : public testing::TestWithParam<TranscriptCase> {};

TEST_P(DialogueTest, WritesTranscriptAndWaitsForOneKey)
{
    const TranscriptCase& c = GetParam();
    std::istringstream in(c.input);
    std::ostringstream out;
    std::ostringstream err;
    g_key_waits = 0;
    g_out_at_wait = &out;

    const int status = run_dialogue(in, out, err, count_key_wait);

    EXPECT_EQ(out.str(), console_text(c.out));
    EXPECT_EQ(err.str(), console_text(c.err));
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(g_key_waits, 1);
    // Everything, the request to press a key included, is written before the wait.
    EXPECT_EQ(g_screen_during_wait, out.str());
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogueTest, testing::ValuesIn(transcript_cases()), CaseName{});

}  // namespace
