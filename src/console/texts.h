#pragma once

// Every Cyrillic text of the dialogue, in one place, as UTF-8; program_text turns each into the
// bytes this build holds (code page 1251 on Windows), and write_program_text writes it as the
// console shows it.

#include "console/program_text.h"

inline constexpr auto kHeadingFirstLine =
    program_text(u8"Программа демонстрирует расчет полиномов по схеме Горнера");
inline constexpr auto kHeadingSecondLine = program_text(u8"с комплексными корнями");
inline constexpr auto kOrderPrompt = program_text(u8"Задайте порядок уравнения: ");
inline constexpr auto kCoefficientsPrompt =
    program_text(u8"Задайте коэффициенты полинома через пробел:");
inline constexpr auto kCoefficientsOrder =
    program_text(u8"от a0 при X в N-ой степени до aN свободный член");
inline constexpr auto kPointPrompt =
    program_text(u8"Задайте через пробел действительное и компл. значение корня: ");
inline constexpr auto kValueLabel = program_text(u8"Значение полинома: ");
inline constexpr auto kPressAnyKey = program_text(u8"Нажмите любую клавишу");

// What bad input is told, on lines that an 80-column console shows whole: "Ошибка: ", then the
// word that was refused, shown in quotes after kWordRefused, and on a line of its own what was
// expected (a coefficient is followed by its name, a0 to a9, and the kind of number); where the
// word shows what the user meant, a hint follows on a line of its own, and where the slip can be
// undone, the word as meant after ": ". Where the input ended, one line says so.
inline constexpr auto kErrorStart = program_text(u8"Ошибка: ");
inline constexpr auto kWordRefused = program_text(u8"введено ");
inline constexpr auto kWordRefusedEnd = program_text(u8",");
inline constexpr auto kExpectedStart = program_text(u8"а ");
inline constexpr auto kInputEnded = program_text(u8"ввод закончился, а ");
inline constexpr auto kOrderExpected =
    program_text(u8"ожидался порядок уравнения - целое число от 0 до 9");
inline constexpr auto kCoefficientExpected = program_text(u8"ожидался коэффициент ");
inline constexpr auto kRealPartExpected = program_text(u8"ожидалась действительная часть корня");
inline constexpr auto kImaginaryPartExpected = program_text(u8"ожидалась мнимая часть корня");
inline constexpr auto kSingleNumberExpected = program_text(u8" - число, например 2, -0.5 или 1e-3");
inline constexpr auto kReadingStart = program_text(u8": ");

// The hints, each a whole sentence; those that a word as meant, of up to kShownWordColumns,
// may follow are at most 45 characters.
inline constexpr auto kCyrillicEHint = program_text(u8"Буква е здесь русская, наберите латинскую");
inline constexpr auto kMinusHint = program_text(u8"Минус здесь особый, наберите дефис");
inline constexpr auto kWideCharactersHint = program_text(u8"Знаки здесь широкие, наберите обычные");
inline constexpr auto kRussianLayoutHint = program_text(u8"Набрано в русской раскладке, а нужно");
inline constexpr auto kSpaceHint = program_text(u8"Пробел здесь особый, наберите обычный");
inline constexpr auto kDecimalPointHint = program_text(u8"Дробную часть отделяйте точкой");
inline constexpr auto kHexadecimalHint =
    program_text(u8"Шестнадцатеричные числа не принимаются, наберите десятичное");
inline constexpr auto kImaginaryHint = program_text(u8"Мнимую часть наберите отдельно, без i и j");
inline constexpr auto kRealCoefficientsHint =
    program_text(u8"Коэффициенты полинома только действительные, без i и j");
inline constexpr auto kSeparatorHint = program_text(u8"Числа разделяйте пробелами, а не запятыми");
inline constexpr auto kTooLargeHint =
    program_text(u8"Число слишком велико: модуль должен быть не больше 3.4e38");
inline constexpr auto kInfinityHint =
    program_text(u8"Значения inf и nan не принимаются, нужно конечное число");
inline constexpr auto kLetterHint =
    program_text(u8"Из букв в числе допустима только латинская e, как в 1e5");
inline constexpr auto kOrderDigitsHint = program_text(u8"Порядок наберите цифрой от 0 до 9");
inline constexpr auto kNotAsciiHint =
    program_text(u8"Набирайте цифры 0-9, точку, дефис и латинскую e");
inline constexpr auto kTooLongHint = program_text(u8"Слишком длинная запись для числа");
inline constexpr auto kUtf16Hint =
    program_text(u8"Ввод в кодировке UTF-16 (Юникод), сохраните файл в UTF-8 или ANSI");
inline constexpr auto kExponentDigitsHint =
    program_text(u8"После e нужны цифры показателя, например 1e5 или 1e-5");
inline constexpr auto kSecondPointHint = program_text(u8"В числе может быть только одна точка");
inline constexpr auto kSecondSignHint = program_text(u8"Перед числом может быть только один знак");
// A key that types no character, named between the two halves of its hint.
inline constexpr auto kKeyHint = program_text(u8"Нажата ");
inline constexpr auto kKeyHintEnd = program_text(u8": ответ исправляют только клавишей Backspace");
inline constexpr auto kArrowLeft = program_text(u8"стрелка влево");
inline constexpr auto kArrowRight = program_text(u8"стрелка вправо");
inline constexpr auto kArrowUp = program_text(u8"стрелка вверх");
inline constexpr auto kArrowDown = program_text(u8"стрелка вниз");
inline constexpr auto kKeyNamed = program_text(u8"клавиша ");

// A result that single precision cannot hold, printed all the same as inf or nan.
inline constexpr auto kBeyondSingleWarning = program_text(
    u8"Внимание: модуль значения больше 3.4e38, вне диапазона чисел одинарной точности");

// Standard input is there but cannot be read (a directory, a closed descriptor).
inline constexpr auto kInputUnreadable = program_text(u8"не удалось прочитать стандартный ввод");

// Standard output is gone (a full disk, a closed descriptor): the result never reached anyone.
inline constexpr auto kOutputUnwritable = program_text(u8"не удалось записать в стандартный вывод");
