#include "FadeKernel.h"

#include <cstring>

namespace {

// Eight pixels a step as 32 lanes of bytes; GCC maps these vector types onto
// SSE2 or AVX2 registers, whichever the variant is compiled for.
using Bytes = std::uint8_t __attribute__((vector_size(32)));
using Words = std::uint16_t __attribute__((vector_size(64)));
constexpr std::size_t kPixelsPerStep = sizeof(Bytes) / sizeof(std::uint32_t);

std::uint8_t FadeByte(int old, int target, int weight)
{
    return static_cast<std::uint8_t>(old + ((target - old) * weight) / 255);
}

struct Steps {
    std::size_t done;
    bool changed;
};

// x / 255 for 0 <= x <= 255 * 255 equals (x + 1 + (x >> 8)) >> 8, and that sum
// stays below 2^16. Working on |target - old| keeps every product unsigned,
// and dividing the magnitude truncates toward zero as the signed formula does.
// Fades whole steps only, and says how far it got and whether any byte moved.
__attribute__((always_inline)) inline Steps FadeSteps(std::uint32_t* pixels, std::size_t count,
                                                            std::uint32_t weightedColor)
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

    Bytes moved{};
    std::size_t i = 0;
    for (; i + kPixelsPerStep <= count; i += kPixelsPerStep) {
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
    bool changed = false;
    for (std::size_t lane = 0; lane < sizeof(Bytes); ++lane) {
        changed = changed || moved[lane] != 0;
    }
    return {i, changed};
}

// The same steps compiled twice, chosen once by what the processor offers.
// (A plain function pointer rather than an ifunc: ifunc resolvers run before
// the sanitizers' runtimes are ready.)
__attribute__((target("avx2"))) Steps FadeStepsAvx2(std::uint32_t* pixels, std::size_t count,
                                                         std::uint32_t weightedColor)
{
    return FadeSteps(pixels, count, weightedColor);
}

Steps FadeStepsBaseline(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor)
{
    return FadeSteps(pixels, count, weightedColor);
}

using StepsFunction = Steps (*)(std::uint32_t*, std::size_t, std::uint32_t);

StepsFunction ChooseSteps()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? FadeStepsAvx2 : FadeStepsBaseline;
}

} // namespace

bool FadeSpan(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor)
{
    if ((weightedColor >> 24) == 0) {
        return false; // weight 0 changes nothing
    }
    static const StepsFunction steps = ChooseSteps();
    const Steps vectorPart = steps(pixels, count, weightedColor);
    const bool tailChanged = FadeSpanLiteral(pixels + vectorPart.done, count - vectorPart.done, weightedColor);
    return vectorPart.changed || tailChanged;
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
