// The fade in 256-bit registers. This file alone is compiled for AVX2, and is
// only called once the processor has said that it offers it.
#include <immintrin.h>

#include "FadeLanes.h"
#include "FadeVariants.h"

namespace {

struct Avx2Lanes {
    using Vector = __m256i;
    static Vector Broadcast(std::uint32_t word) { return _mm256_set1_epi32(static_cast<int>(word)); }
    static Vector Load(const std::uint32_t* from) { return _mm256_loadu_si256(reinterpret_cast<const Vector*>(from)); }
    static void Store(std::uint32_t* to, Vector v) { _mm256_storeu_si256(reinterpret_cast<Vector*>(to), v); }
    static Vector Or(Vector a, Vector b) { return _mm256_or_si256(a, b); }
    static Vector And(Vector a, Vector b) { return _mm256_and_si256(a, b); }
    static Vector Add(Vector a, Vector b) { return _mm256_add_epi8(a, b); }
    static Vector Sub(Vector a, Vector b) { return _mm256_sub_epi8(a, b); }
    static Vector SubSaturated(Vector a, Vector b) { return _mm256_subs_epu8(a, b); }
    static Vector Min(Vector a, Vector b) { return _mm256_min_epu8(a, b); }
    static Vector MulHigh(Vector a, Vector b) { return _mm256_mulhi_epu16(a, b); }
    static bool IsZero(Vector v) { return _mm256_testz_si256(v, v) != 0; }
};

} // namespace

void FadeChunksAvx2(const PixelBlock& block, std::uint32_t weightedColor, std::size_t chunkWidth, std::uint8_t* states)
{
    FadeChunksFor<Avx2Lanes>(block, weightedColor, chunkWidth, states);
}
