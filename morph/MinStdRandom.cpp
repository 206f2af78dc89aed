#include "MinStdRandom.h"

namespace {

std::minstd_rand::result_type StateFromSeed(std::int32_t seed)
{
    std::int64_t state = static_cast<std::int64_t>(seed) % MinStdRandom::kModulus;
    if (state < 0) {
        state += MinStdRandom::kModulus;
    }
    return state == 0 ? 1U : static_cast<std::minstd_rand::result_type>(state);
}

} // namespace

MinStdRandom::MinStdRandom(std::int32_t seed) : m_engine(StateFromSeed(seed)) {}
