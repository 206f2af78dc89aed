#pragma once

#include <cstddef>
#include <cstdint>

#include "BackBuffer.h"

// Pixel access by column and row, as the buffer lays its words out.
inline std::uint32_t& PixelAt(BackBuffer& buffer, int x, int y)
{
    return buffer
        .Bits()[static_cast<std::size_t>(y) * static_cast<std::size_t>(buffer.Stride()) + static_cast<std::size_t>(x)];
}

// Fills every word, the padding beyond the width included.
inline void FillAllWords(BackBuffer& buffer, std::uint32_t value)
{
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Stride(); ++x) {
            PixelAt(buffer, x, y) = value;
        }
    }
}

// Counts the words of the picture (padding excluded) equal to `value`.
inline int CountPixels(BackBuffer& buffer, std::uint32_t value)
{
    int count = 0;
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) {
            count += PixelAt(buffer, x, y) == value ? 1 : 0;
        }
    }
    return count;
}
