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
// A byte that one fade does not move has d * w < 255; a later fade under the
// same colour sees the same d and does not move it either. So after this fade
// a byte is still unsettled exactly when its remaining distance exceeds
// floor(254 / w).
template <class Lanes> struct FadeTerms {
    using Vector = typename Lanes::Vector;

    explicit FadeTerms(std::uint32_t weightedColor)
    {
        const std::uint32_t weight = weightedColor >> 24;
        const std::uint32_t factor = 257 * weight + 1;
        const std::uint32_t settledUpTo = weight == 0 ? 255 : 254 / weight;
        // The alpha byte (bits 24-31) has target 0, factor 0 and never counts
        // as unsettled, so it keeps its value and its say in nothing.
        target = Lanes::Broadcast(weightedColor & 0x00FFFFFFU);
        lowFactors = Lanes::Broadcast(factor | factor << 16);
        highFactors = Lanes::Broadcast(factor);
        lowBytes = Lanes::Broadcast(0x00FF00FFU);
        highBytes = Lanes::Broadcast(0xFF00FF00U);
        colourBytes = Lanes::Broadcast(0x00FFFFFFU);
        settled = Lanes::Broadcast(0xFF000000U | settledUpTo * 0x00010101U);
    }

    Vector target;
    Vector lowFactors;
    Vector highFactors;
    Vector lowBytes;
    Vector highBytes;
    Vector colourBytes;
    Vector settled;
};

// Fades one register of pixels. ORs into `moved` every step taken and into
// `unsettled` every byte that the next fade would still move.
template <class Lanes, bool kToTarget>
[[gnu::always_inline]] inline typename Lanes::Vector
FadeRegister(typename Lanes::Vector old, const FadeTerms<Lanes>& terms, typename Lanes::Vector& moved,
             typename Lanes::Vector& unsettled)
{
    const auto up = Lanes::SubSaturated(terms.target, old);
    const auto down = Lanes::SubSaturated(old, terms.target);
    const auto distance = Lanes::Or(up, down);
    typename Lanes::Vector step;
    if constexpr (kToTarget) {
        step = Lanes::And(distance, terms.colourBytes);
    } else {
        const auto low = Lanes::MulHigh(Lanes::And(distance, terms.lowBytes), terms.lowFactors);
        const auto high = Lanes::MulHigh(Lanes::And(distance, terms.highBytes), terms.highFactors);
        step = Lanes::Or(low, Lanes::And(high, terms.highBytes));
    }
    moved = Lanes::Or(moved, step);
    unsettled = Lanes::Or(unsettled, Lanes::SubSaturated(Lanes::Sub(distance, step), terms.settled));
    // The step never exceeds the distance, so only the byte's own direction
    // lets it through.
    return Lanes::Sub(Lanes::Add(old, Lanes::Min(step, up)), Lanes::Min(step, down));
}

template <class Lanes, bool kToTarget>
void FadeChunksWith(std::uint32_t* pixels, std::size_t count, const FadeTerms<Lanes>& terms,
                    std::uint32_t weightedColor, std::size_t chunk, std::uint8_t* states)
{
    using Vector = typename Lanes::Vector;
    constexpr std::size_t kPerRegister = sizeof(Vector) / sizeof(std::uint32_t);
    for (std::size_t start = 0; start < count; start += chunk, ++states) {
        const std::size_t end = count - start < chunk ? count : start + chunk;
        Vector moved = Lanes::Broadcast(0);
        Vector unsettled = moved;
        std::size_t i = start;
        for (; i + kPerRegister <= end; i += kPerRegister) {
            Lanes::Store(pixels + i, FadeRegister<Lanes, kToTarget>(Lanes::Load(pixels + i), terms, moved, unsettled));
        }
        if (i < end) {
            // The last few pixels, padded with the target, which no fade moves.
            std::uint32_t padded[kPerRegister];
            for (std::uint32_t& pixel : padded) {
                pixel = weightedColor & 0x00FFFFFFU;
            }
            std::memcpy(padded, pixels + i, (end - i) * sizeof(std::uint32_t));
            Lanes::Store(padded, FadeRegister<Lanes, kToTarget>(Lanes::Load(padded), terms, moved, unsettled));
            std::memcpy(pixels + i, padded, (end - i) * sizeof(std::uint32_t));
        }
        *states |= static_cast<std::uint8_t>((Lanes::IsZero(moved) ? 0U : unsigned{kFadeMoved}) |
                                             (Lanes::IsZero(unsettled) ? 0U : unsigned{kFadeUnsettled}));
    }
}

// The whole fade for one instruction set: FadeChunks' contract.
template <class Lanes>
void FadeChunksFor(std::uint32_t* pixels, std::size_t count, std::uint32_t weightedColor, std::size_t chunk,
                   std::uint8_t* states)
{
    const std::uint32_t weight = weightedColor >> 24;
    if (weight == 0 || count == 0) {
        return; // weight 0 moves nothing, now or later
    }
    const FadeTerms<Lanes> terms(weightedColor);
    if (weight == 255) {
        FadeChunksWith<Lanes, true>(pixels, count, terms, weightedColor, chunk, states);
    } else {
        FadeChunksWith<Lanes, false>(pixels, count, terms, weightedColor, chunk, states);
    }
}
