#pragma once

#include <cstddef>
#include <cstdint>

// Fades `count` pixels toward a colour. `weightedColor` holds the weight a
// (0..255) in bits 24-31 and the target 0x00RRGGBB below; each colour byte
// becomes old + ((target - old) * a) / 255 with the division truncating toward
// zero, and bits 24-31 of every pixel are kept. Returns whether any pixel
// changed.
bool FadeSpan(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor);

// The same fade, reporting per chunk: changed[i] is set (never cleared) when
// a pixel of [i * chunk, (i + 1) * chunk) changed.
void FadeChunks(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor, std::size_t chunk,
                std::uint8_t* changed);

// The same result, one byte and one division at a time: the reference the
// fast kernel is held to.
bool FadeSpanLiteral(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor);
