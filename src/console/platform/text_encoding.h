#pragma once

// The encoding in which the program holds its texts. Windows programs hold them in the ANSI code
// page, 1251 on a Russian system, and convert them for the console; POSIX terminals take UTF-8.

enum class TextEncoding { kUtf8, kCodePage1251 };

#ifdef _WIN32
inline constexpr TextEncoding kProgramTextEncoding = TextEncoding::kCodePage1251;
#else
inline constexpr TextEncoding kProgramTextEncoding = TextEncoding::kUtf8;
#endif
