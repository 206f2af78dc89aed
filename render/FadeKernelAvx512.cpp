// The fade in 512-bit registers. This file alone is compiled for AVX-512 with
// its byte and word instructions, and is only called once the processor has
// said that it offers them.
#include <immintrin.h>

#include "FadeLanes.h"
#include "FadeVariants.h"

namespace {

struct Avx512Lanes {
    using Vector = __m512i;
    static Vector Broadcast(std::uint32_t word) { return _mm512_set1_epi32(static_cast<int>(word)); }
    static Vector Load(const std::uint32_t* from) { return _mm512_loadu_si512(reinterpret_cast<const Vector*>(from)); }
    static void Store(std::uint32_t* to, Vector v) { _mm512_storeu_si512(reinterpret_cast<Vector*>(to), v); }
    static Vector Or(Vector a, Vector b) { return _mm512_or_si512(a, b); }
    static Vector And(Vector a, Vector b) { return _mm512_and_si512(a, b); }
    static Vector Add(Vector a, Vector b) { return _mm512_add_epi8(a, b); }
    static Vector Sub(Vector a, Vector b) { return _mm512_sub_epi8(a, b); }
    static Vector SubSaturated(Vector a, Vector b) { return _mm512_subs_epu8(a, b); }
    static Vector Min(Vector a, Vector b) { return _mm512_min_epu8(a, b); }
    static Vector MulHigh(Vector a, Vector b) { return _mm512_mulhi_epu16(a, b); }
    static bool IsZero(Vector v) { return _mm512_test_epi64_mask(v, v) == 0; }
};

} // namespace

void FadeChunksAvx512(const PixelBlock& block, std::uint32_t weightedColor, std::size_t chunkWidth,
                      std::uint8_t* states)
{
    FadeChunksFor<Avx512Lanes>(block, weightedColor, chunkWidth, states);
}
