#pragma once

#include <string>
#include <utility>

#include "ByteSink.h"

class YuvPicture;

// Pictures as a YUV4MPEG2 stream: a header line giving the size, the frame
// rate, progressive frames, square pixels, the chroma layout and limited
// range, then for each picture "FRAME" and its three planes as they lie.
class Y4mWriter {
public:
    Y4mWriter(ByteSink sink, int framesPerSecond) : m_sink(std::move(sink)), m_framesPerSecond(framesPerSecond) {}

    // "YUV4MPEG2 W470 H340 F50:1 Ip A1:1 C420jpeg XCOLORRANGE=LIMITED\n".
    // 4:2:0 is C420jpeg: chroma centred between its four pixels, as each
    // value is their mean (C420mpeg2 would place it beside the left two).
    [[nodiscard]] static std::string Header(const YuvPicture& picture, int framesPerSecond);

    // Writes the header before the first picture; every picture must be of
    // the first one's size and layout. False when the sink refused bytes.
    [[nodiscard]] bool Write(const YuvPicture& picture);

private:
    ByteSink m_sink;
    int m_framesPerSecond;
    bool m_started = false;
};
