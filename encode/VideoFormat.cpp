#include "VideoFormat.h"

#include <array>
#include <cctype>

namespace {

// Level 6.2 of both codecs: 139264 macroblocks for H.264, the same area
// (35651584 pixels, 8192x4352) for VP9. Beyond it players may refuse the file.
constexpr long long kH264Macroblocks = 139264;
constexpr long long kVp9Pixels = 35651584;

constexpr std::array kFormats{
    VideoFormat{".mp4", "mp4", "libx264", "H.264", 51, 18, 16, kH264Macroblocks, true},
    VideoFormat{".webm", "webm", "libvpx-vp9", "VP9", 63, 31, 1, kVp9Pixels, false},
    VideoFormat{".mkv", "matroska", "libx264", "H.264", 51, 18, 16, kH264Macroblocks, false},
};

bool EndsWithIgnoringCase(std::string_view text, std::string_view end)
{
    if (text.size() < end.size()) {
        return false;
    }
    text.remove_prefix(text.size() - end.size());
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != end[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

const VideoFormat* VideoFormat::ForPath(std::string_view path)
{
    const auto slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    for (const VideoFormat& format : kFormats) {
        // A name that is nothing but the extension (a dot file) has none.
        if (name.size() > std::string_view(format.extension).size() && EndsWithIgnoringCase(name, format.extension)) {
            return &format;
        }
    }
    return nullptr;
}

std::string VideoFormat::Extensions()
{
    std::string list;
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
        list += i == 0 ? "" : (i + 1 == kFormats.size() ? " or " : ", ");
        list += kFormats[i].extension;
    }
    return list;
}

bool VideoFormat::Holds(int width, int height) const
{
    const long long across = (width + blockSide - 1) / blockSide;
    const long long down = (height + blockSide - 1) / blockSide;
    return across * down <= maxBlocks;
}

std::string VideoFormat::Limit() const
{
    if (blockSide == 1) {
        return "at most " + std::to_string(maxBlocks) + " pixels, such as 8192x4352";
    }
    return "at most " + std::to_string(maxBlocks) + " macroblocks of " + std::to_string(blockSide) + "x" +
           std::to_string(blockSide) + " pixels, such as 8192x4352";
}
