#include "NumberOption.h"

#include <charconv>

std::optional<std::int64_t> WholeNumberIn(std::string_view text, NumberRange range)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value < range.low || value > range.high) {
        return std::nullopt;
    }
    return value;
}

std::string RangeRefusal(std::string_view option, NumberRange range, std::string_view got)
{
    return std::string(option) + ": expects a whole number from " + std::to_string(range.low) + " to " +
           std::to_string(range.high) + ", got '" + std::string(got) + "'";
}
