#pragma once

// The hints that an error's third line may give, as the manuals list them, for the tests to
// expect; and the word that a hint shows as meant, judged by the tests' own reading of a number.

#include <regex>
#include <string>
#include <string_view>

// In a namespace of their own: the program's texts have the same names.
namespace hints {

inline constexpr std::u8string_view kCyrillicEHint = u8"Буква е здесь русская, наберите латинскую";
inline constexpr std::u8string_view kMinusHint = u8"Минус здесь особый, наберите дефис";
inline constexpr std::u8string_view kWideHint = u8"Знаки здесь широкие, наберите обычные";
inline constexpr std::u8string_view kRussianLayoutHint = u8"Набрано в русской раскладке, а нужно";
inline constexpr std::u8string_view kSpaceHint = u8"Пробел здесь особый, наберите обычный";
inline constexpr std::u8string_view kDecimalPointHint = u8"Дробную часть отделяйте точкой";
inline constexpr std::u8string_view kHexadecimalHint =
    u8"Шестнадцатеричные числа не принимаются, наберите десятичное";
inline constexpr std::u8string_view kImaginaryHint = u8"Мнимую часть наберите отдельно, без i и j";
inline constexpr std::u8string_view kRealCoefficientsHint =
    u8"Коэффициенты полинома только действительные, без i и j";
inline constexpr std::u8string_view kSeparatorHint = u8"Числа разделяйте пробелами, а не запятыми";
inline constexpr std::u8string_view kTooLargeHint =
    u8"Число слишком велико: модуль должен быть не больше 3.4e38";
inline constexpr std::u8string_view kInfinityHint =
    u8"Значения inf и nan не принимаются, нужно конечное число";
inline constexpr std::u8string_view kLetterHint =
    u8"Из букв в числе допустима только латинская e, как в 1e5";
inline constexpr std::u8string_view kOrderDigitsHint = u8"Порядок наберите цифрой от 0 до 9";
inline constexpr std::u8string_view kNotAsciiHint =
    u8"Набирайте цифры 0-9, точку, дефис и латинскую e";
inline constexpr std::u8string_view kTooLongHint = u8"Слишком длинная запись для числа";
inline constexpr std::u8string_view kUtf16Hint =
    u8"Ввод в кодировке UTF-16 (Юникод), сохраните файл в UTF-8 или ANSI";
inline constexpr std::u8string_view kExponentDigitsHint =
    u8"После e нужны цифры показателя, например 1e5 или 1e-5";
inline constexpr std::u8string_view kSecondPointHint = u8"В числе может быть только одна точка";
inline constexpr std::u8string_view kSecondSignHint = u8"Перед числом может быть только один знак";

// A key that types no character, named: "Нажата стрелка вверх: ...".
inline std::u8string key_hint(std::u8string_view key)
{
    return u8"Нажата " + std::u8string(key) + u8": ответ исправляют только клавишей Backspace";
}

// A hint followed by the word as meant.
inline std::u8string with_reading(std::u8string_view hint, std::u8string_view meant)
{
    return std::u8string(hint) + u8": " + std::u8string(meant);
}

// The UTF-8 bytes of a text, as a POSIX build writes them.
inline std::string bytes_of(std::u8string_view text)
{
    return {text.begin(), text.end()};
}

// The word as a number the dialogue takes, as it is or with its one comma made a decimal point;
// empty where it is neither.
inline std::string number_as_meant(std::string word)
{
    static const std::regex number(R"([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?)");
    if (std::regex_match(word, number)) {
        return word;
    }
    const std::size_t comma = word.find(',');
    if (comma != std::string::npos && word.find(',', comma + 1) == std::string::npos) {
        word[comma] = '.';
        return std::regex_match(word, number) ? word : std::string();
    }
    return {};
}

}  // namespace hints
