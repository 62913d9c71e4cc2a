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

void count_key_wait()
{
    ++g_key_waits;
}

class DialogueTest : public testing::TestWithParam<TranscriptCase> {};

TEST_P(DialogueTest, WritesTranscriptAndWaitsForOneKey)
{
    const TranscriptCase& c = GetParam();
    std::istringstream in(c.input);
    std::ostringstream out;
    std::ostringstream err;
    g_key_waits = 0;
    if (c.output_unwritable) {
        out.setstate(std::ios::badbit);
    }

    const int status = run_dialogue(in, out, err, count_key_wait);

    EXPECT_EQ(out.str(), console_text(c.out));
    EXPECT_EQ(err.str(), console_text(c.err));
    EXPECT_EQ(status, c.status);
    // Nobody is asked for a key that the request could not reach.
    EXPECT_EQ(g_key_waits, c.output_unwritable ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogueTest, testing::ValuesIn(transcript_cases()), CaseName{});

}  // namespace
