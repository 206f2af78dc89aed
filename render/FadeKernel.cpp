#include "FadeKernel.h"

#include "FadeVariants.h"

namespace {

std::uint8_t FadeByte(int old, int target, int weight)
{
    return static_cast<std::uint8_t>(old + ((target - old) * weight) / 255);
}

} // namespace

std::vector<FadeVariant> RunnableFadeVariants()
{
    // A plain check on first use rather than an ifunc: ifunc resolvers run
    // before the sanitizers' runtimes are ready.
    __builtin_cpu_init();
    std::vector<FadeVariant> variants{{"SSE2", FadeChunksSse2}};
    if (__builtin_cpu_supports("avx2") != 0) {
        variants.push_back({"AVX2", FadeChunksAvx2});
    }
    if (__builtin_cpu_supports("avx512bw") != 0) {
        variants.push_back({"AVX-512", FadeChunksAvx512});
    }
    return variants;
}

void FadeChunks(const PixelBlock& block, std::uint32_t weightedColor, std::size_t chunkWidth, std::uint8_t* states)
{
    static const FadeChunksFunction fade = RunnableFadeVariants().back().fade;
    fade(block, weightedColor, chunkWidth, states);
}

bool FadeSpan(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor)
{
    std::uint8_t state = 0;
    FadeChunks({pixels, count, count, 1}, weightedColor, count, &state);
    return (state & kFadeMoved) != 0;
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
