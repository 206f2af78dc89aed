#include "FadeKernel.h"

#include "FadeVariants.h"

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
