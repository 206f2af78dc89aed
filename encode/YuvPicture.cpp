#include "YuvPicture.h"

#include <algorithm>
#include <new>

#include "BackBuffer.h"
#include "Bt709.h"

namespace {

struct Channels {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;

    void Add(std::uint32_t pixel)
    {
        red += static_cast<std::int32_t>(pixel >> 16 & 0xFF);
        green += static_cast<std::int32_t>(pixel >> 8 & 0xFF);
        blue += static_cast<std::int32_t>(pixel & 0xFF);
    }
};

} // namespace

int YuvPicture::PlaneSide(int side, Chroma chroma)
{
    return chroma == Chroma::Half ? side + side % 2 : side;
}

YuvPicture::YuvPicture(int width, int height, Chroma chroma)
    : m_chroma(chroma), m_sourceWidth(width), m_sourceHeight(height), m_width(PlaneSide(width, chroma)),
      m_height(PlaneSide(height, chroma))
{
    if (width <= 0 || height <= 0) {
        return;
    }
    const auto luma = static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height);
    const auto chromaPlane = static_cast<std::size_t>(ChromaWidth()) * static_cast<std::size_t>(ChromaHeight());
    m_size = luma + 2 * chromaPlane;
    m_bytes.reset(new (std::nothrow) std::uint8_t[m_size]);
    if (!m_bytes) {
        m_size = 0;
    }
}

std::span<const std::uint8_t> YuvPicture::Bytes() const
{
    return {m_bytes.get(), m_size};
}

std::uint8_t* YuvPicture::PlaneStart(int index) const
{
    const auto luma = static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height);
    const auto chromaPlane = static_cast<std::size_t>(ChromaWidth()) * static_cast<std::size_t>(ChromaHeight());
    return m_bytes.get() + (index == 0 ? 0 : luma + static_cast<std::size_t>(index - 1) * chromaPlane);
}

std::span<const std::uint8_t> YuvPicture::Plane(int index) const
{
    if (!m_bytes) {
        return {};
    }
    const int width = index == 0 ? m_width : ChromaWidth();
    const int height = index == 0 ? m_height : ChromaHeight();
    return {PlaneStart(index), static_cast<std::size_t>(width) * static_cast<std::size_t>(height)};
}

void YuvPicture::Convert(const BackBuffer& picture)
{
    if (picture.HasPixels() && picture.Width() == m_sourceWidth && picture.Height() == m_sourceHeight) {
        Convert(picture.Bits(), static_cast<std::size_t>(picture.Stride()));
    }
}

void YuvPicture::Convert(const std::uint32_t* pixels, std::size_t stride)
{
    if (!m_bytes) {
        return;
    }
    ConvertLuma(pixels, stride);
    if (m_chroma == Chroma::Full) {
        ConvertFullChroma(pixels, stride);
    } else {
        ConvertHalfChroma(pixels, stride);
    }
}

void YuvPicture::ConvertLuma(const std::uint32_t* pixels, std::size_t stride)
{
    std::uint8_t* out = PlaneStart(0);
    const auto width = static_cast<std::size_t>(m_sourceWidth);
    for (int y = 0; y < m_height; ++y) {
        // Rows and columns past the picture repeat its last.
        const std::uint32_t* row = pixels + static_cast<std::size_t>(std::min(y, m_sourceHeight - 1)) * stride;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = row[x];
            out[x] = Bt709::Luma(Bt709::Unrounded(static_cast<std::int32_t>(pixel >> 16 & 0xFF),
                                                  static_cast<std::int32_t>(pixel >> 8 & 0xFF),
                                                  static_cast<std::int32_t>(pixel & 0xFF))
                                     .y);
        }
        std::fill(out + width, out + m_width, out[width - 1]);
        out += m_width;
    }
}

void YuvPicture::ConvertFullChroma(const std::uint32_t* pixels, std::size_t stride)
{
    std::uint8_t* cb = PlaneStart(1);
    std::uint8_t* cr = PlaneStart(2);
    const auto width = static_cast<std::size_t>(m_width);
    for (int y = 0; y < m_height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * stride;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = row[x];
            const Bt709::Sums sums =
                Bt709::Unrounded(static_cast<std::int32_t>(pixel >> 16 & 0xFF),
                                 static_cast<std::int32_t>(pixel >> 8 & 0xFF), static_cast<std::int32_t>(pixel & 0xFF));
            cb[x] = Bt709::Chroma(sums.cb);
            cr[x] = Bt709::Chroma(sums.cr);
        }
        cb += width;
        cr += width;
    }
}

void YuvPicture::ConvertHalfChroma(const std::uint32_t* pixels, std::size_t stride)
{
    std::uint8_t* cb = PlaneStart(1);
    std::uint8_t* cr = PlaneStart(2);
    const int lastX = m_sourceWidth - 1;
    const int lastY = m_sourceHeight - 1;
    const auto chromaWidth = static_cast<std::size_t>(ChromaWidth());
    for (int y = 0; y < m_height; y += 2) {
        const std::uint32_t* top = pixels + static_cast<std::size_t>(y) * stride;
        const std::uint32_t* bottom = pixels + static_cast<std::size_t>(std::min(y + 1, lastY)) * stride;
        for (std::size_t i = 0; i < chromaWidth; ++i) {
            const auto left = 2 * i;
            const auto right = static_cast<std::size_t>(std::min(static_cast<int>(left) + 1, lastX));
            Channels c;
            c.Add(top[left]);
            c.Add(top[right]);
            c.Add(bottom[left]);
            c.Add(bottom[right]);
            const Bt709::Sums sums = Bt709::Unrounded(c.red, c.green, c.blue);
            cb[i] = Bt709::Chroma(sums.cb, 2);
            cr[i] = Bt709::Chroma(sums.cr, 2);
        }
        cb += chromaWidth;
        cr += chromaWidth;
    }
}
