#pragma once

#include <array>
#include <charconv>
#include <string>

// Appends the shortest decimal text that reads back as exactly `value`.
// The text never depends on the locale, so equal runs give equal bytes.
inline void AppendShortest(std::string& out, double value)
{
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    out.append(text.data(), result.ptr);
}
