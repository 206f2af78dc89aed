#include "DurationOption.h"

#include <charconv>

namespace {

constexpr std::size_t kMaxDigits = 9; // no part can overflow

std::optional<long long> Digits(std::string_view text)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.size() > kMaxDigits || text.front() < '0' || text.front() > '9' || ec != std::errc{} ||
        ptr != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<long long> FramesOfDuration(std::string_view text, int framesPerSecond, long long maxFrames)
{
    // The fraction of a second, exactly: `fraction` / `scale`.
    long long fraction = 0;
    long long scale = 1;
    if (const auto point = text.find('.'); point != std::string_view::npos) {
        const std::string_view decimals = text.substr(point + 1);
        const auto value = Digits(decimals);
        if (!value) {
            return std::nullopt;
        }
        fraction = *value;
        for (std::size_t i = 0; i < decimals.size(); ++i) {
            scale *= 10;
        }
        text = text.substr(0, point);
    }

    long long seconds = 0;
    int parts = 0;
    while (true) {
        const auto colon = text.find(':');
        const auto value = Digits(text.substr(0, colon));
        // Minutes and seconds after a larger unit stay below sixty.
        if (!value || ++parts > 3 || (parts > 1 && *value >= 60)) {
            return std::nullopt;
        }
        seconds = seconds * 60 + *value;
        if (colon == std::string_view::npos) {
            break;
        }
        text.remove_prefix(colon + 1);
    }

    if (seconds == 0 && fraction == 0) {
        return std::nullopt;
    }
    const long long frames = seconds * framesPerSecond + (2 * fraction * framesPerSecond + scale) / (2 * scale);
    if (frames > maxFrames) {
        return std::nullopt;
    }
    return frames < 1 ? 1 : frames;
}
