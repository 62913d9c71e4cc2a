// Each byte from 0x80 to 0xFF, piped in as a word that is no UTF-8, is read in code page 1251 and
// shown in an error sent to a file or a pipe, in code page 866, as Windows' own tables say:
// MultiByteToWideChar for the character, WideCharToMultiByte for the bytes of a Russian letter;
// any other character escaped with its code, and a byte that stands for none as a byte.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "console/dialogue.h"
#include "support/console_bytes.h"
#include "support/scripted_input.h"

namespace {

void no_key() {}

// The word as the error's first line shows it, in the bytes written.
std::string shown(char byte)
{
    const char word[] = {byte};
    wchar_t character = 0;
    // A byte the code page leaves undefined, 0x98, is refused, or read as a C1 control, which
    // code page 1251 has none of.
    if (MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, word, 1, &character, 1) != 1 ||
        (character >= 0x80 && character <= 0x9F)) {
        char escaped[8];
        static_cast<void>(
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(byte)));
        return escaped;
    }
    const bool russian_letter =
        (character >= L'А' && character <= L'я') || character == L'Ё' || character == L'ё';
    if (russian_letter) {
        char letter = 0;
        WideCharToMultiByte(866, 0, &character, 1, &letter, 1, nullptr, nullptr);
        return {letter};
    }
    char escaped[8];
    static_cast<void>(
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(character)));
    return escaped;
}

TEST(CodePageTest, EveryHighByteIsShownAsWindowsReadsIt)
{
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string input = std::string("0\n") + static_cast<char>(byte) + "\n";
        Script script{input};
        AnswerReader scripted{read_script, &script};
        std::ostringstream out;
        std::ostringstream err;
        run_dialogue(scripted, out, err,
                     {.output_on_terminal = false,
                      .errors_on_terminal = false,
                      .input_on_terminal = false,
                      .wait_for_key = no_key});
        const std::string line = err.str().substr(0, err.str().find('\n'));
        EXPECT_EQ(line, console_text(u8"Ошибка: введено '") + shown(static_cast<char>(byte)) + "',")
            << "byte " << byte;
    }
}

}  // namespace
