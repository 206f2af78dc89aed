#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "FadeKernel.h"

// The fade compiled for each instruction set it has a variant for. FadeChunks
// runs the best one the processor offers; tests hold every one of them to the
// reference.
using FadeChunksFunction = void (*)(const PixelBlock& block, std::uint32_t weightedColor, std::size_t chunkWidth,
                                    std::uint8_t* states);

void FadeChunksSse2(const PixelBlock& block, std::uint32_t weightedColor, std::size_t chunkWidth, std::uint8_t* states);
void FadeChunksAvx2(const PixelBlock& block, std::uint32_t weightedColor, std::size_t chunkWidth, std::uint8_t* states);
void FadeChunksAvx512(const PixelBlock& block, std::uint32_t weightedColor, std::size_t chunkWidth,
                      std::uint8_t* states);

struct FadeVariant {
    const char* name;
    FadeChunksFunction fade;
};

// The variants this processor can run, the fastest last.
std::vector<FadeVariant> RunnableFadeVariants();
