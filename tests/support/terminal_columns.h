#pragma once

// How wide a line of UTF-8 stands on a terminal, as the C library's wcwidth counts it in the
// C.UTF-8 locale; a character it does not know as two, the most a terminal gives one. POSIX only.

#include <clocale>
#include <cstddef>
#include <cwchar>
#include <optional>
#include <string_view>

// Nothing where the line is no valid UTF-8.
inline std::optional<std::size_t> terminal_columns(std::string_view line)
{
    static const bool in_utf8 = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
    std::mbstate_t state{};
    std::size_t columns = 0;
    while (in_utf8 && !line.empty()) {
        wchar_t character = 0;
        const std::size_t length = std::mbrtowc(&character, line.data(), line.size(), &state);
        if (length == 0 || length > line.size()) {
            return std::nullopt;
        }
        const int width = wcwidth(character);
        columns += width < 0 ? 2 : static_cast<std::size_t>(width);
        line.remove_prefix(length);
    }
    return in_utf8 ? std::optional(columns) : std::nullopt;
}
