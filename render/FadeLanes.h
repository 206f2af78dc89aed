#pragma once

// The fade on a register of pixels at a time, written once for any register
// width. Each instruction set's source file includes this with its own
// `Lanes`, a type of internal linkage, so every instantiation stays private
// to the file that is compiled for that instruction set.
//
// `Lanes` provides a `Vector` type of whole pixels and, on it: Broadcast (one
// word into every pixel), Load and Store (unaligned), Or, And, Add and Sub (byte
// by byte, wrapping), SubSaturated and Min (byte by byte, unsigned), MulHigh
// (16-bit lanes: the high half of the unsigned product) and IsZero.
//
// Nothing here may be an inline function or template that does not depend on
// `Lanes`: the linker keeps one copy of such a thing for the whole program,
// and it could be the copy compiled for instructions the processor lacks.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "FadeKernel.h"

// What one fade under one weighted colour needs, spread over a register.
//
// The step of a colour byte at distance d from its target is floor(d * w / 255)
// for weight w. For w < 255 that equals floor(d * k / 65536) with
// k = 257 * w + 1 = ceil(w * 65536 / 255): k exceeds w * 65536 / 255 by less
// than 1, which adds less than 255 / 65536 < 1 / 255 to d * w / 255, too little
// to carry any quotient with remainder at most 254 / 255 past the next whole
// number. The high half of a 16-bit product gives exactly that, for the low
// bytes of each 16-bit lane directly and for the high bytes shifted up by 8
// (the high byte of floor(d * 256 * k / 65536) is floor(d * k / 65536)).
// Weight 255 takes every byte to its target: k would not fit, and is not
// needed.
//
// A byte that one fade does not move has d * w < 255, that is d <= S with
// S = floor(254 / w); a later fade under the same colour sees the same d and
// does not move it either. After this fade a byte is left at distance
// d - floor(d * w / 255) = ceil(d * (255 - w) / 255), which exceeds S exactly
// when d * (255 - w) > 255 * S: so the byte is still unsettled exactly when
// d > floor(255 * S / (255 - w)), a bound read off the distance before the
// step. Weight 255 leaves nothing unsettled.
template <class Lanes> struct FadeTerms {
    using Vector = typename Lanes::Vector;

    // The alpha byte (bits 24-31) has target 0, factor 0 and never counts as
    // unsettled, so it keeps its value and has its say in nothing.
    explicit FadeTerms(std::uint32_t weightedColor)
        : target(Lanes::Broadcast(weightedColor & 0x00FFFFFFU)),
          lowFactors(Lanes::Broadcast(Factor(weightedColor >> 24) * 0x00010001U)),
          highFactors(Lanes::Broadcast(Factor(weightedColor >> 24))), lowBytes(Lanes::Broadcast(0x00FF00FFU)),
          highBytes(Lanes::Broadcast(0xFF00FF00U)), colourBytes(Lanes::Broadcast(0x00FFFFFFU)),
          settlesUpTo(Lanes::Broadcast(0xFF000000U | StaysAbove(weightedColor >> 24) * 0x00010101U)),
          staysUpTo(Lanes::Broadcast(0xFF000000U | Stays(weightedColor >> 24) * 0x00010101U))
    {
    }

    static std::uint32_t Factor(std::uint32_t weight) { return 257 * weight + 1; }

    // S: the greatest distance this fade does not move (d * w < 255).
    static std::uint32_t Stays(std::uint32_t weight) { return weight == 0 ? 255 : 254 / weight; }

    static std::uint32_t StaysAbove(std::uint32_t weight)
    {
        if (weight == 0 || weight == 255) {
            return 255; // nothing moves, or everything reaches its target
        }
        // At most 255 * 254 / (w * (255 - w)) <= 255.
        return 255 * Stays(weight) / (255 - weight);
    }

    Vector target;
    Vector lowFactors;
    Vector highFactors;
    Vector lowBytes;
    Vector highBytes;
    Vector colourBytes;
    Vector settlesUpTo;
    Vector staysUpTo;
};

// Fades the register of pixels at `pixels`. ORs into `moved` every step taken
// and into `unsettled` every byte that the next fade would still move. A
// register that this fade leaves as it is (no byte farther from its target
// than S) is neither read back nor written: it cannot be unsettled either, and
// most of a picture's live tiles are such pixels, whose stores would only
// dirty memory that the screen then has to read again.
template <class Lanes, bool kToTarget>
[[gnu::always_inline]] inline void FadeRegister(std::uint32_t* pixels, const FadeTerms<Lanes>& terms,
                                                typename Lanes::Vector& moved, typename Lanes::Vector& unsettled)
{
    const auto old = Lanes::Load(pixels);
    const auto up = Lanes::SubSaturated(terms.target, old);
    const auto down = Lanes::SubSaturated(old, terms.target);
    const auto distance = Lanes::Or(up, down);
    if (Lanes::IsZero(Lanes::SubSaturated(distance, terms.staysUpTo))) {
        return;
    }
    typename Lanes::Vector step;
    if constexpr (kToTarget) {
        step = Lanes::And(distance, terms.colourBytes);
    } else {
        const auto low = Lanes::MulHigh(Lanes::And(distance, terms.lowBytes), terms.lowFactors);
        const auto high = Lanes::MulHigh(Lanes::And(distance, terms.highBytes), terms.highFactors);
        step = Lanes::Or(low, Lanes::And(high, terms.highBytes));
    }
    moved = Lanes::Or(moved, step);
    unsettled = Lanes::Or(unsettled, Lanes::SubSaturated(distance, terms.settlesUpTo));
    // The step never exceeds the distance, so only the byte's own direction
    // lets it through.
    Lanes::Store(pixels, Lanes::Sub(Lanes::Add(old, Lanes::Min(step, up)), Lanes::Min(step, down)));
}

template <class Lanes, bool kToTarget>
void FadeChunksWith(const PixelBlock& block, const FadeTerms<Lanes>& terms, std::uint32_t weightedColor,
                    std::size_t chunkWidth, std::uint8_t* states)
{
    using Vector = typename Lanes::Vector;
    constexpr std::size_t kPerRegister = sizeof(Vector) / sizeof(std::uint32_t);
    constexpr std::size_t kPixelsPerLine = 64 / sizeof(std::uint32_t); // a cache line
    // A column of chunks at a time, so each chunk's state is gathered in
    // registers and tested once.
    for (std::size_t start = 0; start < block.width; start += chunkWidth, ++states) {
        const std::size_t end = block.width - start < chunkWidth ? block.width : start + chunkWidth;
        const std::size_t nextEnd = block.width - end < chunkWidth ? block.width : end + chunkWidth;
        Vector moved = Lanes::Broadcast(0);
        Vector unsettled = moved;
        std::uint32_t* row = block.origin;
        for (std::size_t y = 0; y < block.rows; ++y, row += block.stride) {
            // Going down a column leaves the hardware too little pattern to
            // fetch ahead by itself; asking for the next chunk's stretch of
            // this row keeps a whole-picture fade at the speed of memory.
            for (std::size_t ahead = end; ahead < nextEnd; ahead += kPixelsPerLine) {
                __builtin_prefetch(row + ahead, 1);
            }
            std::size_t i = start;
            for (; i + kPerRegister <= end; i += kPerRegister) {
                FadeRegister<Lanes, kToTarget>(row + i, terms, moved, unsettled);
            }
            if (i < end) {
                // The last few pixels, padded with the target, which no fade moves.
                std::uint32_t padded[kPerRegister];
                for (std::uint32_t& pixel : padded) {
                    pixel = weightedColor & 0x00FFFFFFU;
                }
                std::memcpy(padded, row + i, (end - i) * sizeof(std::uint32_t));
                FadeRegister<Lanes, kToTarget>(padded, terms, moved, unsettled);
                std::memcpy(row + i, padded, (end - i) * sizeof(std::uint32_t));
            }
        }
        *states |= static_cast<std::uint8_t>((Lanes::IsZero(moved) ? 0U : unsigned{kFadeMoved}) |
                                             (Lanes::IsZero(unsettled) ? 0U : unsigned{kFadeUnsettled}));
    }
}

// The whole fade for one instruction set: FadeChunks' contract.
template <class Lanes>
void FadeChunksFor(const PixelBlock& block, std::uint32_t weightedColor, std::size_t chunkWidth, std::uint8_t* states)
{
    const std::uint32_t weight = weightedColor >> 24;
    if (weight == 0 || block.width == 0) {
        return; // weight 0 moves nothing, now or later
    }
    const FadeTerms<Lanes> terms(weightedColor);
    if (weight == 255) {
        FadeChunksWith<Lanes, true>(block, terms, weightedColor, chunkWidth, states);
    } else {
        FadeChunksWith<Lanes, false>(block, terms, weightedColor, chunkWidth, states);
    }
}
