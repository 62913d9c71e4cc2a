#pragma once

// Every Cyrillic text of the dialogue, in one place. The source is UTF-8; a Windows build stores
// these literals in code page 1251 (the compiler's execution character set), and
// write_console_text turns them into what the console shows.

inline constexpr const char kHeadingFirstLine[] =
    "Программа демонстрирует расчет полиномов по схеме Горнера";
inline constexpr const char kHeadingSecondLine[] = "с комплексными корнями";
inline constexpr const char kOrderPrompt[] = "Задайте порядок уравнения: ";
inline constexpr const char kCoefficientsPrompt[] = "Задайте коэффициенты полинома через пробел:";
inline constexpr const char kCoefficientsOrder[] =
    "от a0 при X в N-ой степени до aN свободный член";
inline constexpr const char kPointPrompt[] =
    "Задайте через пробел действительное и компл. значение корня: ";
inline constexpr const char kValueLabel[] = "Значение полинома: ";
inline constexpr const char kPressAnyKey[] = "Нажмите любую клавишу";

// What bad input is told. A number's error names what was expected (a coefficient is followed by
// its name, a0 to a9), then the kind of number; the hint follows where a comma was typed for the
// decimal point, the habit of Russian writing.
inline constexpr const char kOrderError[] =
    "Ошибка: ожидался порядок уравнения - целое число от 0 до 9";
inline constexpr const char kCoefficientExpected[] = "Ошибка: ожидался коэффициент ";
inline constexpr const char kRealPartExpected[] = "Ошибка: ожидалась действительная часть корня";
inline constexpr const char kImaginaryPartExpected[] = "Ошибка: ожидалась мнимая часть корня";
inline constexpr const char kSingleNumberExpected[] = " - число одинарной точности";
inline constexpr const char kDecimalPointHint[] = " (дробную часть отделяйте точкой)";

// Standard output is gone (a full disk, a closed descriptor): the result never reached anyone.
inline constexpr const char kOutputError[] = "Ошибка: не удалось записать стандартный вывод";
