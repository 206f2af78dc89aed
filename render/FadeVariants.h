#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The fade compiled for each instruction set it has a variant for. FadeChunks
// runs the best one the processor offers; tests hold every one of them to the
// reference.
using FadeChunksFunction = void (*)(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor,
                                    std::size_t chunk, std::uint8_t* states);

void FadeChunksSse2(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor, std::size_t chunk,
                    std::uint8_t* states);
void FadeChunksAvx2(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor, std::size_t chunk,
                    std::uint8_t* states);

struct FadeVariant {
    const char* name;
    FadeChunksFunction fade;
};

// The variants this processor can run, the fastest last.
std::vector<FadeVariant> RunnableFadeVariants();
