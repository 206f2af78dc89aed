// The fade in 128-bit registers: what every x86-64 processor runs.
#include <emmintrin.h>

#include "FadeLanes.h"
#include "FadeVariants.h"

namespace {

struct Sse2Lanes {
    using Vector = __m128i;
    static Vector Broadcast(std::uint32_t word) { return _mm_set1_epi32(static_cast<int>(word)); }
    static Vector Load(const std::uint32_t* from) { return _mm_loadu_si128(reinterpret_cast<const Vector*>(from)); }
    static void Store(std::uint32_t* to, Vector v) { _mm_storeu_si128(reinterpret_cast<Vector*>(to), v); }
    static Vector Or(Vector a, Vector b) { return _mm_or_si128(a, b); }
    static Vector And(Vector a, Vector b) { return _mm_and_si128(a, b); }
    static Vector Add(Vector a, Vector b) { return _mm_add_epi8(a, b); }
    static Vector Sub(Vector a, Vector b) { return _mm_sub_epi8(a, b); }
    static Vector SubSaturated(Vector a, Vector b) { return _mm_subs_epu8(a, b); }
    static Vector Min(Vector a, Vector b) { return _mm_min_epu8(a, b); }
    static Vector MulHigh(Vector a, Vector b) { return _mm_mulhi_epu16(a, b); }
    static bool IsZero(Vector v) { return _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128())) == 0xFFFF; }
};

} // namespace

void FadeChunksSse2(const PixelBlock& block, std::uint32_t weightedColor, std::size_t chunkWidth, std::uint8_t* states)
{
    FadeChunksFor<Sse2Lanes>(block, weightedColor, chunkWidth, states);
}
