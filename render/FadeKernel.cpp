#include "FadeKernel.h"

#include <cstring>

namespace {

// Eight pixels a step as 32 lanes of bytes; GCC maps these vector types onto
// SSE2 or AVX2 registers, whichever the variant is compiled for.
using Bytes = std::uint8_t __attribute__((vector_size(32)));
using Words = std::uint16_t __attribute__((vector_size(64)));
using Quads = std::uint64_t __attribute__((vector_size(32)));
constexpr std::size_t kPixelsPerStep = sizeof(Bytes) / sizeof(std::uint32_t);

std::uint8_t FadeByte(int old, int target, int weight)
{
    return static_cast<std::uint8_t>(old + ((target - old) * weight) / 255);
}

// x / 255 for 0 <= x <= 255 * 255 equals (x + 1 + (x >> 8)) >> 8, and that sum
// stays below 2^16. Working on |target - old| keeps every product unsigned,
// and dividing the magnitude truncates toward zero as the signed formula does.
__attribute__((always_inline)) inline void FadeChunksInline(std::uint32_t* pixels, std::size_t count,
                                                            std::uint32_t weightedColor, std::size_t chunk,
                                                            std::uint8_t* changed)
{
    const std::uint32_t weight = weightedColor >> 24;
    // Byte lane 3 of each pixel is bits 24-31: weight 0 there keeps them.
    Bytes target{};
    Bytes weightBytes{};
    for (std::size_t lane = 0; lane < sizeof(Bytes); ++lane) {
        const bool colourLane = lane % 4 != 3;
        target[lane] = colourLane ? static_cast<std::uint8_t>(weightedColor >> (8 * (lane % 4))) : 0;
        weightBytes[lane] = colourLane ? static_cast<std::uint8_t>(weight) : 0;
    }
    const Words weights = __builtin_convertvector(weightBytes, Words);

    for (std::size_t start = 0; start < count; start += chunk, ++changed) {
        const std::size_t end = count - start < chunk ? count : start + chunk;
        Bytes moved{};
        std::size_t i = start;
        for (; i + kPixelsPerStep <= end; i += kPixelsPerStep) {
            Bytes old;
            std::memcpy(&old, pixels + i, sizeof old);
            const auto rising = target > old;
            const Bytes distance = rising ? target - old : old - target;
            const Words product = __builtin_convertvector(distance, Words) * weights;
            const Bytes step = __builtin_convertvector((product + 1 + (product >> 8)) >> 8, Bytes);
            const Bytes faded = rising ? old + step : old - step;
            std::memcpy(pixels + i, &faded, sizeof faded);
            moved |= step;
        }
        Quads movedQuads;
        std::memcpy(&movedQuads, &moved, sizeof movedQuads);
        const bool vectorMoved = (movedQuads[0] | movedQuads[1] | movedQuads[2] | movedQuads[3]) != 0;
        const bool tailMoved = i < end && FadeSpanLiteral(pixels + i, end - i, weightedColor);
        *changed |= vectorMoved || tailMoved ? 1 : 0;
    }
}

// The same code compiled twice, chosen once by what the processor offers.
// (A plain function pointer rather than an ifunc: ifunc resolvers run before
// the sanitizers' runtimes are ready.)
__attribute__((target("avx2"))) void FadeChunksAvx2(std::uint32_t* pixels, std::size_t count,
                                                    std::uint32_t weightedColor, std::size_t chunk,
                                                    std::uint8_t* changed)
{
    FadeChunksInline(pixels, count, weightedColor, chunk, changed);
}

void FadeChunksBaseline(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor, std::size_t chunk,
                        std::uint8_t* changed)
{
    FadeChunksInline(pixels, count, weightedColor, chunk, changed);
}

using ChunksFunction = void (*)(std::uint32_t*, std::size_t, std::uint32_t, std::size_t, std::uint8_t*);

ChunksFunction ChooseChunks()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? FadeChunksAvx2 : FadeChunksBaseline;
}

} // namespace

void FadeChunks(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor, std::size_t chunk,
                std::uint8_t* changed)
{
    if ((weightedColor >> 24) == 0 || count == 0) {
        return; // weight 0 changes nothing
    }
    static const ChunksFunction fade = ChooseChunks();
    fade(pixels, count, weightedColor, chunk, changed);
}

bool FadeSpan(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor)
{
    std::uint8_t changed = 0;
    FadeChunks(pixels, count, weightedColor, count, &changed);
    return changed != 0;
}

bool FadeSpanLiteral(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor)
{
    const int weight = static_cast<int>(weightedColor >> 24);
    const int red = static_cast<int>((weightedColor >> 16) & 0xFFU);
    const int green = static_cast<int>((weightedColor >> 8) & 0xFFU);
    const int blue = static_cast<int>(weightedColor & 0xFFU);
    bool changed = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t old = pixels[i];
        const std::uint32_t r = FadeByte(static_cast<int>((old >> 16) & 0xFFU), red, weight);
        const std::uint32_t g = FadeByte(static_cast<int>((old >> 8) & 0xFFU), green, weight);
        const std::uint32_t b = FadeByte(static_cast<int>(old & 0xFFU), blue, weight);
        pixels[i] = (old & 0xFF000000U) | r << 16 | g << 8 | b;
        changed = changed || pixels[i] != old;
    }
    return changed;
}
