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

// The same fade, reporting per chunk: states[i] gains the FadeState bits of
// the pixels [i * chunk, (i + 1) * chunk) (bits are set, never cleared).
void FadeChunks(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor, std::size_t chunk,
                std::uint8_t* states);

// The same result, one byte and one division at a time: the reference the
// fast kernels are held to.
bool FadeSpanLiteral(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor);
