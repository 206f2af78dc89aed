#pragma once

#include <string>
#include <string_view>

// What a --video file is, by its extension: the container, the codec and
// their limits. Known without the video libraries, so that a bad request is
// refused the same way whether or not this build can write video.
struct VideoFormat {
    const char* extension; // ".mp4"
    const char* muxer;     // the FFmpeg name of the container
    const char* encoder;   // the FFmpeg name of the encoder
    const char* codec;     // the codec, as people call it
    int crfHighest;        // the quality scale runs from 0 (best) to this
    int crfDefault;
    // The largest picture of the codec's highest level, in its own units:
    // 16x16 macroblocks for H.264, pixels for VP9.
    int blockSide;
    long long maxBlocks;
    // Whether the index goes before the pictures (MP4 "faststart"), so that
    // playback can begin before the whole file has arrived.
    bool indexFirst;

    // The format for a file name's extension, in any case; null for others.
    [[nodiscard]] static const VideoFormat* ForPath(std::string_view path);
    // ".mp4, .webm or .mkv"
    [[nodiscard]] static std::string Extensions();

    // Whether the codec can hold a picture of this size (after any padding).
    [[nodiscard]] bool Holds(int width, int height) const;
    // "at most 139264 macroblocks of 16x16 pixels, such as 8192x4352"
    [[nodiscard]] std::string Limit() const;
};
