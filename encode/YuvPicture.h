#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

class BackBuffer;

// A picture as three planes, Y then Cb then Cr, each row after row with no
// gap, in one block of memory as video files and streams lay them out. The
// colours are BT.709 in limited range (Bt709.h). With half-size chroma
// (4:2:0) each Cb and Cr value is the mean of a 2x2 block, centred between
// its four pixels, and a picture with an odd side grows by one pixel there,
// repeating its last column or row, so that every block is whole.
class YuvPicture {
public:
    enum class Chroma { Full, Half }; // 4:4:4, 4:2:0

    // For pictures of `width` x `height`. Without the memory it needs, it
    // has no planes (HasPlanes() is false) and Convert does nothing.
    YuvPicture(int width, int height, Chroma chroma);

    [[nodiscard]] Chroma ChromaSize() const { return m_chroma; }
    // The planes' size: the picture's, grown to even sides for 4:2:0.
    [[nodiscard]] int Width() const { return m_width; }
    [[nodiscard]] int Height() const { return m_height; }
    [[nodiscard]] bool Padded() const { return m_width != m_sourceWidth || m_height != m_sourceHeight; }
    [[nodiscard]] int ChromaWidth() const { return m_chroma == Chroma::Full ? m_width : m_width / 2; }
    [[nodiscard]] int ChromaHeight() const { return m_chroma == Chroma::Full ? m_height : m_height / 2; }

    [[nodiscard]] bool HasPlanes() const { return m_bytes != nullptr; }
    // All three planes; index 0 is Y, 1 Cb, 2 Cr.
    [[nodiscard]] std::span<const std::uint8_t> Bytes() const;
    [[nodiscard]] std::span<const std::uint8_t> Plane(int index) const;

    // Converts the whole of `picture`, which must have the size given above.
    void Convert(const BackBuffer& picture);
    // The same from 0x00RRGGBB words, `stride` words a row.
    void Convert(const std::uint32_t* pixels, std::size_t stride);

    // The planes' size for a picture's side.
    [[nodiscard]] static int PlaneSide(int side, Chroma chroma);

private:
    [[nodiscard]] std::uint8_t* PlaneStart(int index) const;
    void ConvertLuma(const std::uint32_t* pixels, std::size_t stride);
    void ConvertFullChroma(const std::uint32_t* pixels, std::size_t stride);
    void ConvertHalfChroma(const std::uint32_t* pixels, std::size_t stride);

    Chroma m_chroma;
    int m_sourceWidth;
    int m_sourceHeight;
    int m_width;
    int m_height;
    std::size_t m_size = 0;
    std::unique_ptr<std::uint8_t[]> m_bytes;
};
