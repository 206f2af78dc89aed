#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ChangeMap.h"
#include "PixelColor.h"
#include "PixelMemory.h"
#include "PixelRect.h"

// The off-screen picture: 32-bit pixels laid out as PixelColor, top-down rows
// of Stride() words, of which the first Width() belong to the picture. All
// drawing is clipped to the picture. A buffer whose memory could not be had
// (or with a zero side) has no pixels, and every operation on it does nothing.
// The pixels live on the heap unless the buffer is given an allocator.
//
// The buffer keeps track of which tiles a fade can still change and which
// changed since it was last asked, so that a whole-picture fade skips the
// settled tiles and a repaint can be limited to what changed. The pixels are
// the same with tracking off; only the work differs.
class BackBuffer {
public:
    enum class Tracking { On, Off };

    // Bits 24-31 are no part of a colour. Fills and lines set them all, and
    // the fade keeps them, so the picture can be shown as an opaque image as
    // it stands, also on surfaces that do have an alpha channel.
    static constexpr std::uint32_t kOpaque = 0xFF000000U;

    BackBuffer(int width, int height, Tracking tracking = Tracking::On, const PixelAllocator& allocate = HeapPixels);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    [[nodiscard]] int Width() const { return m_width; }
    [[nodiscard]] int Height() const { return m_height; }
    [[nodiscard]] int Stride() const { return m_stride; }
    [[nodiscard]] bool HasPixels() const { return m_bits != nullptr; }
    [[nodiscard]] std::uint32_t* Bits() { return m_bits; }
    [[nodiscard]] const std::uint32_t* Bits() const { return m_bits; }
    // Where the pixels live; null when there are none.
    [[nodiscard]] const PixelMemory* Memory() const { return m_memory.get(); }

    // Blends the rectangle toward a colour: weight in bits 24-31 of
    // `weightedColor`, target 0x00RRGGBB below. Bits 24-31 of the pixels stay.
    void Fade(std::uint32_t weightedColor, int x, int y, int width, int height);
    void FillRect(PixelColor color, int x, int y, int width, int height);
    // A one-pixel line: the start pixel is drawn, the end pixel is not. Its
    // pixels inside the buffer are exactly those of the unclipped line, for
    // any end points at all.
    void DrawLine(int x0, int y0, int x1, int y1, PixelColor color);

    // The parts of the picture that changed since the last call (the whole
    // picture with tracking off).
    [[nodiscard]] std::vector<PixelRect> TakeChangedArea();

private:
    [[nodiscard]] PixelRect Clip(int x, int y, int width, int height) const;
    [[nodiscard]] std::uint32_t* Row(int y) const;

    int m_width;
    int m_height;
    int m_stride;
    std::unique_ptr<PixelMemory> m_memory;
    std::uint32_t* m_bits = nullptr;
    Tracking m_tracking;
    ChangeMap m_changes;
    // The weighted colour of the last whole-picture fade, when known: the
    // settled tiles are settled for that colour only.
    std::uint32_t m_settledFor = 0;
    bool m_settledKnown = false;

    // Scratch for the fade, kept so that a frame allocates nothing: one band's
    // runs of live tiles, [first, end) by column, and what fading them did.
    struct TileRun {
        int first;
        int end;
    };
    std::vector<TileRun> m_liveRuns;
    std::vector<std::uint8_t> m_tileStates;
};
