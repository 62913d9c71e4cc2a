#pragma once

// Every Cyrillic text of the dialogue, in one place, as UTF-8; message_text turns each into the
// bytes this build holds (code page 1251 on Windows), and write_console_text into what the
// console shows.

#include "console/message_text.h"

inline constexpr auto kHeadingFirstLine =
    message_text(u8"Программа демонстрирует расчет полиномов по схеме Горнера");
inline constexpr auto kHeadingSecondLine = message_text(u8"с комплексными корнями");
inline constexpr auto kOrderPrompt = message_text(u8"Задайте порядок уравнения: ");
inline constexpr auto kCoefficientsPrompt =
    message_text(u8"Задайте коэффициенты полинома через пробел:");
inline constexpr auto kCoefficientsOrder =
    message_text(u8"от a0 при X в N-ой степени до aN свободный член");
inline constexpr auto kPointPrompt =
    message_text(u8"Задайте через пробел действительное и компл. значение корня: ");
inline constexpr auto kValueLabel = message_text(u8"Значение полинома: ");
inline constexpr auto kPressAnyKey = message_text(u8"Нажмите любую клавишу");

// What bad input is told, on lines that an 80-column console shows whole: "Ошибка: ", then the
// word that was refused, shown in quotes after kWordRefused, and on a line of its own what was
// expected (a coefficient is followed by its name, a0 to a9, and the kind of number); where the
// word shows what the user meant, a hint follows on a line of its own, and where the slip can be
// undone, the word as meant after ": ". Where the input ended, one line says so.
inline constexpr auto kErrorStart = message_text(u8"Ошибка: ");
inline constexpr auto kWordRefused = message_text(u8"введено ");
inline constexpr auto kWordRefusedEnd = message_text(u8",");
inline constexpr auto kExpectedStart = message_text(u8"а ");
inline constexpr auto kInputEnded = message_text(u8"ввод закончился, а ");
inline constexpr auto kOrderExpected =
    message_text(u8"ожидался порядок уравнения - целое число от 0 до 9");
inline constexpr auto kCoefficientExpected = message_text(u8"ожидался коэффициент ");
inline constexpr auto kRealPartExpected = message_text(u8"ожидалась действительная часть корня");
inline constexpr auto kImaginaryPartExpected = message_text(u8"ожидалась мнимая часть корня");
inline constexpr auto kSingleNumberExpected = message_text(u8" - число, например 2, -0.5 или 1e-3");
inline constexpr auto kReadingStart = message_text(u8": ");

// The hints, each at most 45 characters where a word as meant, of up to kShownWordCharacters,
// may follow it.
inline constexpr auto kCyrillicEHint = message_text(u8"Буква е здесь русская, наберите латинскую");
inline constexpr auto kMinusHint = message_text(u8"Минус здесь не с клавиатуры, наберите дефис");
inline constexpr auto kWideCharactersHint = message_text(u8"Знаки здесь широкие, наберите обычные");
inline constexpr auto kRussianLayoutHint =
    message_text(u8"Включена русская раскладка, на латинской это");
inline constexpr auto kSpaceHint = message_text(u8"Пробел здесь особый, наберите обычный");
inline constexpr auto kDecimalPointHint = message_text(u8"Дробную часть отделяйте точкой");
inline constexpr auto kHexadecimalHint =
    message_text(u8"Шестнадцатеричные числа не принимаются, в десятичной записи");
inline constexpr auto kImaginaryHint =
    message_text(u8"Мнимую часть наберите отдельным числом, без j");
inline constexpr auto kSeparatorHint = message_text(u8"Числа разделяйте пробелами, а не запятыми");
inline constexpr auto kTooLargeHint =
    message_text(u8"Число слишком велико: по модулю не больше 3.4e38");
inline constexpr auto kInfinityHint =
    message_text(u8"Бесконечность и nan не принимаются, нужно обычное число");
inline constexpr auto kLetterHint =
    message_text(u8"Из букв в числе бывает только латинская e, как в 1e5");
inline constexpr auto kOrderDigitsHint = message_text(u8"Порядок наберите цифрой от 0 до 9");
inline constexpr auto kNotAsciiHint =
    message_text(u8"Набирайте цифры 0-9, точку, дефис и латинскую e");
inline constexpr auto kTooLongHint = message_text(u8"Слово слишком длинное для числа");
inline constexpr auto kUtf16Hint =
    message_text(u8"Файл сохранён в UTF-16 (Юникод), сохраните его как UTF-8 или ANSI");

// Standard input is there but cannot be read (a directory, a closed descriptor).
inline constexpr auto kInputUnreadable = message_text(u8"не удалось прочитать стандартный ввод");

// Standard output is gone (a full disk, a closed descriptor): the result never reached anyone.
inline constexpr auto kOutputUnwritable = message_text(u8"не удалось записать в стандартный вывод");
