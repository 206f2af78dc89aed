#include "MinStdRandom.h"

namespace {

std::int32_t StateFromSeed(std::int32_t seed)
{
    std::int64_t state = static_cast<std::int64_t>(seed) % MinStdRandom::kModulus;
    if (state < 0) {
        state += MinStdRandom::kModulus;
    }
    return state == 0 ? 1 : static_cast<std::int32_t>(state);
}

} // namespace

MinStdRandom::MinStdRandom(std::int32_t seed) : m_state(StateFromSeed(seed)) {}

std::int32_t MinStdRandom::Next()
{
    // Schrage's method: every intermediate value fits 32 signed bits.
    constexpr std::int32_t kMultiplier = 48271;
    constexpr std::int32_t kQuotient = kModulus / kMultiplier;  // 44488
    constexpr std::int32_t kRemainder = kModulus % kMultiplier; // 3399
    const std::int32_t hi = m_state / kQuotient;
    const std::int32_t lo = m_state % kQuotient;
    std::int32_t t = kMultiplier * lo - kRemainder * hi;
    if (t < 0) {
        t += kModulus;
    }
    m_state = t;
    return t;
}

double MinStdRandom::Uniform()
{
    return static_cast<double>(Next()) * kScale;
}
