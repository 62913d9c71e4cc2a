// How an error line shows a refused word and names its slip, for every character of a class at a
// time, with the expectations taken from the Unicode character database (Debian's unicode-data),
// the C library (iconv, wcwidth) and terminfo, never from the program's own tables. Each word is
// refused by the dialogue run in-process; the word's line and the hint's line are compared.

#include <iconv.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "console/characters.h"
#include "console/dialogue.h"
#include "support/scripted_input.h"
#include "support/terminal_columns.h"
#include "transcripts/hints.h"
#include "transcripts/transcript_cases.h"

namespace {

using namespace hints;

constexpr char32_t kCodePoints = 0x110000;

// What the database says of each code point: its general category ("Cn" where unassigned), the
// narrow twin of a <wide> character, whether East Asian Width makes it wide, and whether it was
// assigned after the version of Unicode that the program's table follows.
struct Database {
    std::vector<std::string> category = std::vector<std::string>(kCodePoints, "Cn");
    std::map<char32_t, char32_t> narrow_twin;
    std::vector<bool> wide = std::vector<bool>(kCodePoints, false);
    std::vector<bool> newer_than_program = std::vector<bool>(kCodePoints, false);
    // The last code point of the Mathematical Operators block: the alphabets, punctuation, arrows
    // and mathematical signs lie below it, the East Asian blocks and the emoji above.
    char32_t end_of_mathematical_operators = 0;
};

// "0041..005A ; W # ..." or "0041;LATIN..." lines: the range before the first ';'.
void read_range(const std::string& field, char32_t& first, char32_t& last)
{
    const std::size_t dots = field.find("..");
    first = static_cast<char32_t>(std::stoul(field.substr(0, dots), nullptr, 16));
    last = dots == std::string::npos
               ? first
               : static_cast<char32_t>(std::stoul(field.substr(dots + 2), nullptr, 16));
}

std::vector<std::string> fields_of(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream stream(line.substr(0, line.find('#')));
    for (std::string field; std::getline(stream, field, ';');) {
        const std::size_t start = std::min(field.find_first_not_of(' '), field.size());
        fields.push_back(field.substr(start, field.find_last_not_of(' ') + 1 - start));
    }
    return fields;
}

const Database& database()
{
    static const Database data = [] {
        Database d;
        const std::string folder = "/usr/share/unicode/";
        std::ifstream characters(folder + "UnicodeData.txt");
        std::ifstream widths(folder + "EastAsianWidth.txt");
        std::ifstream ages(folder + "DerivedAge.txt");
        std::ifstream blocks(folder + "Blocks.txt");
        if (!characters || !widths || !ages || !blocks) {
            throw std::runtime_error("no Unicode character database in " + folder +
                                     ": scripts/install-deps.sh linux installs Debian's "
                                     "unicode-data");
        }
        char32_t range_first = 0;
        for (std::string line; std::getline(characters, line);) {
            const std::vector<std::string> f = fields_of(line);
            const auto code = static_cast<char32_t>(std::stoul(f[0], nullptr, 16));
            if (f[1].ends_with("First>")) {
                range_first = code;
                continue;
            }
            for (char32_t c = f[1].ends_with("Last>") ? range_first : code; c <= code; ++c) {
                d.category[c] = f[2];
            }
            if (f[5].starts_with("<wide> ")) {
                d.narrow_twin[code] =
                    static_cast<char32_t>(std::stoul(f[5].substr(7), nullptr, 16));
            }
        }
        for (std::string line; std::getline(widths, line);) {
            const std::vector<std::string> f = fields_of(line);
            char32_t first = 0;
            char32_t last = 0;
            if (f.size() == 2 && (f[1].starts_with('W') || f[1].starts_with('F'))) {
                read_range(f[0], first, last);
                std::fill(d.wide.begin() + first, d.wide.begin() + last + 1, true);
            }
        }
        for (std::string line; std::getline(ages, line);) {
            const std::vector<std::string> f = fields_of(line);
            char32_t first = 0;
            char32_t last = 0;
            if (f.size() == 2) {
                read_range(f[0], first, last);
                const bool newer = std::stod(f[1]) > std::stod(kUnicodeVersion) + 0.01;
                std::fill(d.newer_than_program.begin() + first,
                          d.newer_than_program.begin() + last + 1, newer);
            }
        }
        for (std::string line; std::getline(blocks, line);) {
            const std::vector<std::string> f = fields_of(line);
            char32_t first = 0;
            if (f.size() == 2 && f[1] == "Mathematical Operators") {
                read_range(f[0], first, d.end_of_mathematical_operators);
            }
        }
        return d;
    }();
    return data;
}

// A character in UTF-8, as the C library's iconv writes it.
std::string utf8(char32_t code)
{
    static const iconv_t encoder = iconv_open("UTF-8", "UTF-32LE");
    char in[4];
    for (unsigned i = 0; i < 4; ++i) {
        in[i] = static_cast<char>((code >> (8 * i)) & 0xFFU);
    }
    char out[8];
    char* in_at = in;
    char* out_at = out;
    std::size_t in_left = sizeof in;
    std::size_t out_left = sizeof out;
    iconv(encoder, &in_at, &in_left, &out_at, &out_left);
    return {out, sizeof out - out_left};
}

std::string escape(char32_t code)
{
    char text[16];
    static_cast<void>(std::snprintf(text, sizeof text, code > 0xFFFF ? "\\U%08x" : "\\u%04x",
                                    static_cast<unsigned>(code)));
    return text;
}

// What an error line must show of a character: itself, or its escape where it is a control, a
// format or direction mark, a separator, a surrogate, for private use or unassigned.
std::string shown(char32_t code)
{
    const std::string& category = database().category[code];
    if (code == '\\' || code == '\'') {
        return std::string("\\") + static_cast<char>(code);
    }
    const bool hidden = category[0] == 'C' || (category[0] == 'Z' && code != ' ');
    return hidden ? escape(code) : utf8(code);
}

// Where a word answers: the order, the coefficient a0, or a part of the point.
enum class Answer { kOrder, kCoefficient, kRealPart, kImaginaryPart };

struct Refusal {
    std::string shown;  // between the quotes
    std::string hint;   // the third line, or empty
};

void no_key() {}

// The dialogue refuses the word where it answers; what its error says.
Refusal refuse(const std::string& word, Answer answer = Answer::kCoefficient)
{
    const std::string before[] = {"", "0\n", "0\n1\n", "0\n1\n0 "};
    const std::string input = before[static_cast<int>(answer)] + word + "\n0 0\n";
    Script script{input};
    AnswerReader scripted{read_script, &script};
    std::ostringstream out;
    std::ostringstream err;
    const int status = run_dialogue(scripted, out, err,
                                    {.output_on_terminal = false,
                                     .errors_on_terminal = false,
                                     .input_on_terminal = false,
                                     .wait_for_key = no_key});
    std::vector<std::string> lines;
    std::stringstream stream(err.str());
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    const std::string start = "Ошибка: введено '";
    if (status != 1 || lines.size() < 2 || !lines[0].starts_with(start)) {
        return {"(accepted or no word: " + err.str() + ")", ""};
    }
    return {lines[0].substr(start.size(), lines[0].size() - start.size() - 2),
            lines.size() > 2 ? lines[2] : ""};
}

// A hint's line as a POSIX build writes it, with the word as meant where there is one.
std::string hint(std::u8string_view text, const std::string& meant = "")
{
    return bytes_of(text) + (meant.empty() ? "" : ": " + meant);
}

// Every code point but the blanks that end a word, and the surrogates, which UTF-8 cannot hold.
template <typename Visit> void for_each_character(Visit visit)
{
    for (char32_t code = 0; code < kCodePoints; ++code) {
        const bool blank = code == ' ' || (code >= '\t' && code <= '\r');
        if (!blank && (code < 0xD800 || code > 0xDFFF)) {
            visit(code);
        }
    }
}

TEST(UnicodeTest, EveryCharacterIsShownOrEscapedAsItsCategorySays)
{
    const Database& data = database();
    std::size_t walked = 0;
    for_each_character([&](char32_t code) {
        // after a letter, so that no character makes the word a number
        const std::string expected = std::string("x") + shown(code);
        const std::string got = refuse(std::string("x") + utf8(code)).shown;
        // a character Unicode assigned after the program's table may be shown either way
        if (got != expected &&
            !(data.newer_than_program[code] && got == std::string("x") + escape(code))) {
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(code) << " ("
                          << data.category[code] << "): shown as '" << got << "'";
        }
        ++walked;
    });
    EXPECT_EQ(walked, kCodePoints - 0x800 - 6);
    RecordProperty("characters", static_cast<int>(walked));
}

// The columns a terminal gives a character: two where East Asian Width makes it wide, as wcwidth
// says otherwise; -1 where the C library does not know it.
int character_columns(char32_t code)
{
    static const bool in_utf8 = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
    EXPECT_TRUE(in_utf8);
    return database().wide[code] ? 2 : wcwidth(static_cast<wchar_t>(code));
}

TEST(UnicodeTest, EveryShownWordFitsThirtyTwoColumns)
{
    const Database& data = database();
    int walked = 0;
    for_each_character([&](char32_t code) {
        const int columns = character_columns(code);
        const bool digit = code >= '0' && code <= '9';  // forty of them are a number
        if (shown(code) != utf8(code) || columns < 0 || data.newer_than_program[code] || digit) {
            return;
        }
        ++walked;
        std::string word;
        for (int i = 0; i < 40; ++i) {
            word += utf8(code);
        }
        const std::string got = refuse(word).shown;
        const std::size_t kept = got.ends_with("...") ? (got.size() - 3) / utf8(code).size() : 40;
        EXPECT_LE(kept * static_cast<std::size_t>(columns), 32U)
            << "U+" << std::hex << static_cast<unsigned>(code);
        // A character below the East Asian blocks takes a column unless East Asian Width makes
        // it wide; any other counts two, the most a terminal gives one.
        const bool narrow = code <= data.end_of_mathematical_operators && !data.wide[code];
        EXPECT_EQ(kept, narrow ? 32U : 16U) << "U+" << std::hex << static_cast<unsigned>(code);
    });
    RecordProperty("characters", walked);
}

// The character that the C library's UTF-8 decoder finds at the start of bytes, and how many
// bytes it takes; none where they are no well-formed UTF-8.
std::size_t decode(std::string_view bytes, char32_t& code)
{
    static const iconv_t decoder = iconv_open("UTF-32LE", "UTF-8");
    for (std::size_t length = 1; length <= 4 && length <= bytes.size(); ++length) {
        std::string in(bytes.substr(0, length));
        std::array<unsigned char, 8> out{};
        char* in_at = in.data();
        auto* out_at = reinterpret_cast<char*>(out.data());
        std::size_t in_left = length;
        std::size_t out_left = out.size();
        iconv(decoder, nullptr, nullptr, nullptr, nullptr);
        if (iconv(decoder, &in_at, &in_left, &out_at, &out_left) != static_cast<std::size_t>(-1) &&
            in_left == 0 && out_left == 4) {
            code =
                static_cast<char32_t>(out[0] | (out[1] << 8U) | (out[2] << 16U) | (out[3] << 24U));
            return length;
        }
    }
    return 0;
}

// What must be shown of bytes that may not be UTF-8: each character the decoder finds, and each
// byte that starts none escaped on its own.
std::string shown_bytes(std::string_view bytes)
{
    std::string expected;
    while (!bytes.empty()) {
        char32_t code = 0;
        std::size_t length = decode(bytes, code);
        if (length == 0) {
            char escaped[8];
            static_cast<void>(std::snprintf(escaped, sizeof escaped, "\\x%02x",
                                            static_cast<unsigned char>(bytes[0])));
            expected += escaped;
            length = 1;
        } else {
            expected += shown(code);
        }
        bytes.remove_prefix(length);
    }
    return expected;
}

TEST(UnicodeTest, BytesAreDecodedAsTheSystemDecodesUtf8)
{
    // Every lead and continuation byte after every other byte, and after each of them bytes at
    // the edges of every UTF-8 range: overlong forms, surrogates, values beyond U+10FFFF, missing
    // and stray continuation bytes, and a lead byte followed by a lead byte.
    const unsigned char edges[] = {0x00, 0x31, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0,
                                   0xBF, 0xC0, 0xC3, 0xE0, 0xED, 0xF0, 0xF4, 0xFF};
    std::vector<std::string> words;
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int second = 0x21; second <= 0xFF; ++second) {
            words.push_back({static_cast<char>(lead), static_cast<char>(second)});
            for (const unsigned char third : edges) {
                for (const unsigned char fourth : edges) {
                    if (lead >= 0xE0 && second >= 0x80 && second <= 0xBF) {
                        words.push_back({static_cast<char>(lead), static_cast<char>(second),
                                         static_cast<char>(third), static_cast<char>(fourth)});
                    }
                }
            }
        }
    }
    // The five- and six-byte forms that UTF-8 had before RFC 3629: overlong, U+10000 among them,
    // or beyond U+10FFFF.
    for (const char* old_form :
         {"\xF8\x80\x80\x80\x80", "\xF8\x80\x90\x80\x80", "\xF8\x88\x80\x80\x80",
          "\xFC\x80\x80\x80\x80\x80", "\xFC\x80\x80\x90\x80\x80", "\xFC\x84\x80\x80\x80\x80"}) {
        words.emplace_back(old_form);
    }
    // Well-formed characters at the ends of each length, and random ones, inside a word.
    std::mt19937 random(20261210);  // NOLINT(cert-msc32-c,cert-msc51-cpp): repeatable on purpose
    std::vector<char32_t> codes = {0x80, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF, 0x20000};
    for (int i = 0; i < 2000; ++i) {
        const auto code = static_cast<char32_t>(random() % kCodePoints);
        if (code < 0xD800 || code > 0xDFFF) {
            codes.push_back(code);
        }
    }
    for (const char32_t code : codes) {
        words.push_back(std::string("1") + utf8(code) + "1");
    }
    for (const std::string& bytes : words) {
        std::string word = std::string("1") + bytes;
        // a blank ends the word, a byte like a blank too
        word = word.substr(0, word.find_first_of(" \t\n\v\f\r"));
        const std::string expected = std::string("1") + shown_bytes(word.substr(1));
        const std::string got = refuse(word).shown;
        if (!expected.starts_with(got.substr(0, got.size() - (got.ends_with("...") ? 3 : 0)))) {
            ADD_FAILURE() << "bytes " << testing::PrintToString(word) << ": shown as '" << got
                          << "', not '" << expected << "'";
        }
    }
    RecordProperty("words", static_cast<int>(words.size()));
}

// A class of characters from the database, each put into a word, and the hint with the reading
// that must follow: every dash and the minus sign stand for a hyphen, every space but the ASCII
// blank for a blank, every <wide> character for its narrow twin, and the Cyrillic letters that
// stand on the keys of '.', ',', 'e' and 'E' in the Russian layout (ЙЦУКЕН) for those, е and Е
// for the Latin e and E, and every other Cyrillic letter for no number at all.
struct LookAlikeClass {
    const char* name;
    std::function<bool(char32_t)> member;
    std::function<std::string(char32_t)> word;
    std::function<Refusal(char32_t)> expected;
};

std::string narrow(const std::string& word)
{
    std::string meant;
    for (std::size_t i = 0; i < word.size();) {
        char32_t code = 0;
        const std::size_t length = decode(std::string_view(word).substr(i), code);
        const auto twin = database().narrow_twin.find(code);
        meant += twin != database().narrow_twin.end() ? utf8(twin->second) : utf8(code);
        i += length;
    }
    return meant;
}

const char32_t kRussianLayoutKeys[][2] = {{U'ю', '.'}, {U'б', ','}, {U'у', 'e'}, {U'У', 'E'}};

char layout_key(char32_t code)
{
    for (const auto& key : kRussianLayoutKeys) {
        if (key[0] == code) {
            return static_cast<char>(key[1]);
        }
    }
    return 0;
}

extern const LookAlikeClass kLookAlikeClasses[5];
const LookAlikeClass kLookAlikeClasses[5] = {
    {"dashes_and_minus",
     [](char32_t c) { return (database().category[c] == "Pd" && c != '-') || c == 0x2212; },
     [](char32_t c) { return utf8(c) + "1"; },
     [](char32_t c) {
         return Refusal{shown(c) + "1", hint(kMinusHint, "-1")};
     }},
    {"spaces", [](char32_t c) { return database().category[c] == "Zs" && c != ' '; },
     [](char32_t c) { return std::string("1") + utf8(c) + "2"; },
     [](char32_t c) {
         return Refusal{std::string("1") + shown(c) + "2", hint(kSpaceHint, "1 2")};
     }},
    {"wide_twins",
     [](char32_t c) {
         return database().narrow_twin.contains(c) && database().category[c] != "Pd" &&
                database().category[c] != "Zs";
     },
     [](char32_t c) { return std::string("1") + utf8(c) + "5"; },
     [](char32_t c) {
         return Refusal{std::string("1") + shown(c) + "5",
                        hint(kWideHint, number_as_meant(narrow(std::string("1") + utf8(c) + "5")))};
     }},
    {"cyrillic_letters",
     [](char32_t c) { return c >= 0x0400 && c <= 0x04FF && database().category[c][0] == 'L'; },
     [](char32_t c) { return std::string("1") + utf8(c) + "5"; },
     [](char32_t c) {
         const std::string word = std::string("1") + shown(c) + "5";
         if (c == U'е' || c == U'Е') {
             return Refusal{word, hint(kCyrillicEHint, c == U'е' ? "1e5" : "1E5")};
         }
         const char key = layout_key(c);
         if (key != 0) {
             return Refusal{
                 word, hint(kRussianLayoutHint, number_as_meant(std::string("1") + key + "5"))};
         }
         return Refusal{word, hint(kLetterHint)};
     }},
    // and no other character outside ASCII stands for anything
    {"every_other_character",
     [](char32_t c) {
         return c >= 0x80 &&
                std::none_of(std::begin(kLookAlikeClasses), std::end(kLookAlikeClasses) - 1,
                             [&](const LookAlikeClass& other) { return other.member(c); });
     },
     [](char32_t c) { return std::string("1") + utf8(c) + "5"; },
     [](char32_t c) {
         return Refusal{std::string("1") + shown(c) + "5", hint(kNotAsciiHint)};
     }},
};

std::ostream& operator<<(std::ostream& out, const LookAlikeClass& c)
{
    return out << c.name;
}

class LookAlikeTest : public testing::TestWithParam<LookAlikeClass> {};

TEST_P(LookAlikeTest, EveryMemberNamesItsSlip)
{
    const LookAlikeClass& c = GetParam();
    std::size_t members = 0;
    for_each_character([&](char32_t code) {
        if (!c.member(code) || database().newer_than_program[code]) {
            return;
        }
        ++members;
        const Refusal got = refuse(c.word(code));
        const Refusal expected = c.expected(code);
        EXPECT_EQ(got.shown, expected.shown) << "U+" << std::hex << static_cast<unsigned>(code);
        EXPECT_EQ(got.hint, expected.hint) << "U+" << std::hex << static_cast<unsigned>(code);
    });
    EXPECT_GT(members, 0U);
    RecordProperty("characters", static_cast<int>(members));
}

INSTANTIATE_TEST_SUITE_P(Classes, LookAlikeTest, testing::ValuesIn(kLookAlikeClasses),
                         [](const testing::TestParamInfo<LookAlikeClass>& param_info) {
                             return std::string(param_info.param.name);
                         });

// What a terminal sends for a key, as terminfo says; empty where it has no such key.
std::string terminfo_key(const std::string& terminal, const std::string& capability)
{
    // NOLINTNEXTLINE(cert-env33-c): tput is the system's own reader of terminfo
    FILE* tput = popen(("tput -T " + terminal + " " + capability + " 2>/dev/null").c_str(), "r");
    std::string sequence;
    for (int c = 0; tput != nullptr && (c = std::fgetc(tput)) != EOF;) {
        sequence.push_back(static_cast<char>(c));
    }
    if (tput != nullptr) {
        pclose(tput);
    }
    return sequence;
}

// Keys that type no character, pressed in the middle of an answer, as xterm, the Linux console,
// a VT220, rxvt and screen send them: the hint names each one.
TEST(KeyTest, EveryKeyOfEveryTerminalIsNamed)
{
    const std::pair<const char*, std::u8string_view> keys[] = {
        {"kcuu1", u8"стрелка вверх"},  {"kcud1", u8"стрелка вниз"},
        {"kcuf1", u8"стрелка вправо"}, {"kcub1", u8"стрелка влево"},
        {"khome", u8"клавиша Home"},   {"kend", u8"клавиша End"},
        {"kich1", u8"клавиша Insert"}, {"kdch1", u8"клавиша Delete"},
        {"kpp", u8"клавиша Page Up"},  {"knp", u8"клавиша Page Down"},
    };
    std::vector<std::pair<std::string, std::u8string>> named(std::begin(keys), std::end(keys));
    for (int f = 1; f <= 12; ++f) {
        const std::string number = std::to_string(f);
        named.emplace_back("kf" + number,
                           u8"клавиша F" + std::u8string(number.begin(), number.end()));
    }
    std::size_t sequences = 0;
    for (const char* terminal : {"xterm", "linux", "vt220", "rxvt", "screen"}) {
        for (const auto& [capability, name] : named) {
            const std::string sequence = terminfo_key(terminal, capability);
            if (sequence.empty()) {
                continue;
            }
            ++sequences;
            const Refusal got = refuse("1" + sequence + "5");
            EXPECT_EQ(got.shown, "1\\u001b" + sequence.substr(1) + "5")
                << terminal << " " << capability;
            EXPECT_EQ(got.hint, bytes_of(key_hint(name))) << terminal << " " << capability;
        }
    }
    EXPECT_GE(sequences, 100U);
    RecordProperty("sequences", static_cast<int>(sequences));
    // and what no key sends is named as none, but as the word's letters: VT220's gaps between F5,
    // F10 and F11, numbers beyond F12, Shift+Tab (terminfo's kcbt), and finals that name no key
    for (const auto& [sequence, has_letter] : {std::pair{"\x1b[~", false},
                                               {"\x1b[16~", false},
                                               {"\x1b[22~", false},
                                               {"\x1b[25~", false},
                                               {"\x1b[9~", false},
                                               {"\x1b[[F", true},
                                               {"\x1b[[G", true},
                                               {"\x1bOZ", true},
                                               {"\x1b[Z", true}}) {
        EXPECT_EQ(refuse(std::string("1") + sequence + "5").hint,
                  has_letter ? hint(kLetterHint) : std::string())
            << sequence + 1;
    }
}

// Every line that a transcript expects on standard error fits an 80-column console.
TEST(ErrorLineTest, EveryLineFitsSeventyNineColumns)
{
    for (const TranscriptCase& c : transcript_cases()) {
        std::stringstream lines(bytes_of(c.err));
        for (std::string line; std::getline(lines, line);) {
            EXPECT_LE(terminal_columns(line).value_or(80), 79U) << c.name << ": " << line;
        }
    }
}

}  // namespace
