#include "Y4mWriter.h"

#include <string_view>

#include "YuvPicture.h"

std::string Y4mWriter::Header(const YuvPicture& picture, int framesPerSecond)
{
    const char* chroma = picture.ChromaSize() == YuvPicture::Chroma::Full ? "444" : "420jpeg";
    return "YUV4MPEG2 W" + std::to_string(picture.Width()) + " H" + std::to_string(picture.Height()) + " F" +
           std::to_string(framesPerSecond) + ":1 Ip A1:1 C" + chroma + " XCOLORRANGE=LIMITED\n";
}

bool Y4mWriter::Write(const YuvPicture& picture)
{
    std::string head = m_started ? std::string() : Header(picture, m_framesPerSecond);
    m_started = true;
    head += "FRAME\n";
    const auto bytes = picture.Bytes();
    return m_sink(head) && m_sink(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
