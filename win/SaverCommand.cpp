#include "SaverCommand.h"

#include <cctype>
#include <charconv>
#include <optional>

namespace {

std::optional<std::uintptr_t> WindowNumber(std::string_view text)
{
    std::uintptr_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || value == 0) {
        return std::nullopt;
    }
    return value;
}

SaverCommand Refused(std::string message)
{
    return {SaverCommand::Mode::Refuse, 0, std::move(message)};
}

} // namespace

SaverCommand SaverCommand::Parse(std::span<const std::string> arguments)
{
    if (arguments.empty()) {
        return {};
    }
    const std::string& first = arguments[0];
    if (first.size() < 2 || (first[0] != '/' && first[0] != '-')) {
        return Refused("'" + first + "': expects /s, /p HWND or /c");
    }
    const char mode = static_cast<char>(std::tolower(static_cast<unsigned char>(first[1])));
    // The window's number follows a colon or comes as the next argument.
    std::string_view window;
    std::size_t used = 1;
    if (first.size() > 2) {
        if (first[2] != ':') {
            return Refused("'" + first + "': expects /s, /p HWND or /c");
        }
        window = std::string_view(first).substr(3);
    } else if (arguments.size() > 1 && mode != 's') {
        window = arguments[1];
        used = 2;
    }
    if (arguments.size() > used) {
        return Refused("'" + arguments[used] + "': unexpected argument");
    }
    const auto number = WindowNumber(window);
    switch (mode) {
    case 's':
        if (!window.empty()) {
            return Refused("/s takes no window");
        }
        return {Mode::FullScreen, 0, {}};
    case 'p':
        if (!number) {
            return Refused("/p: expects the number of the preview's window, got '" + std::string(window) + "'");
        }
        return {Mode::Preview, *number, {}};
    case 'c':
        if (!window.empty() && !number) {
            return Refused("/c: expects the number of the owner window, got '" + std::string(window) + "'");
        }
        return {Mode::Settings, number.value_or(0), {}};
    default:
        return Refused("'" + first + "': expects /s, /p HWND or /c");
    }
}
