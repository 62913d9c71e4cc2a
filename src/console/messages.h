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

// What bad input is told: "Ошибка: ", then the word that was refused, shown in quotes between
// kWordRefused and kWordRefusedEnd, or where the input ended, that it did; then what was expected
// (a coefficient is followed by its name, a0 to a9) and the kind of number; a hint follows where
// the word shows a habit of writing numbers that the program does not share, or where it is too
// long to be one.
inline constexpr auto kErrorStart = message_text(u8"Ошибка: ");
inline constexpr auto kWordRefused = message_text(u8"введено ");
inline constexpr auto kWordRefusedEnd = message_text(u8", а ");
inline constexpr auto kInputEnded = message_text(u8"ввод закончился, а ");
inline constexpr auto kOrderExpected =
    message_text(u8"ожидался порядок уравнения - целое число от 0 до 9");
inline constexpr auto kCoefficientExpected = message_text(u8"ожидался коэффициент ");
inline constexpr auto kRealPartExpected = message_text(u8"ожидалась действительная часть корня");
inline constexpr auto kImaginaryPartExpected = message_text(u8"ожидалась мнимая часть корня");
inline constexpr auto kSingleNumberExpected = message_text(u8" - число одинарной точности");
inline constexpr auto kDecimalPointHint = message_text(u8" (дробную часть отделяйте точкой)");
inline constexpr auto kSeparatorHint = message_text(u8" (числа разделяйте пробелами)");
inline constexpr auto kNotAsciiHint =
    message_text(u8" (пишите цифры 0-9 и латинскую букву e, числа разделяйте обычными пробелами)");
inline constexpr auto kTooLongHint = message_text(u8" (слишком длинное слово)");

// Standard input is there but cannot be read (a directory, a closed descriptor).
inline constexpr auto kInputUnreadable = message_text(u8"не удалось прочитать стандартный ввод");

// Standard output is gone (a full disk, a closed descriptor): the result never reached anyone.
inline constexpr auto kOutputUnwritable = message_text(u8"не удалось записать в стандартный вывод");
