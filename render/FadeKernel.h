#pragma once

#include <cstddef>
#include <cstdint>

// Fades `count` pixels toward a colour. `weightedColor` holds the weight a
// (0..255) in bits 24-31 and the target 0x00RRGGBB below; each colour byte
// becomes old + ((target - old) * a) / 255 with the division truncating toward
// zero, and bits 24-31 of every pixel are kept. Returns whether any pixel
// changed.
bool FadeSpan(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor);

// What a fade reports per chunk of pixels.
enum FadeState : std::uint8_t {
    kFadeMoved = 1,     // a pixel of the chunk changed
    kFadeUnsettled = 2, // another fade under the same colour would change one
};

// Pixels in rows: `rows` rows of `width` pixels, the first at `origin`, each
// `stride` words after the one before.
struct PixelBlock {
    std::uint32_t* origin;
    std::size_t stride;
    std::size_t width;
    std::size_t rows;
};

// The same fade over a block, reporting per column of chunks: states[i] gains
// the FadeState bits of the pixels in columns [i * chunkWidth, (i + 1) *
// chunkWidth) of every row (bits are set, never cleared). chunkWidth > 0.
void FadeChunks(const PixelBlock& block, std::uint32_t weightedColor, std::size_t chunkWidth, std::uint8_t* states);
