#pragma once

#include <cstdint>
#include <random>

// The Park-Miller minimal standard generator, multiplier 48271, modulus
// 2^31 - 1: the standard library's std::minstd_rand, with a seeding rule of
// its own.
class MinStdRandom {
public:
    static constexpr std::int32_t kModulus = 2147483647;
    static constexpr double kScale = 1.0 / 2147483647.0;

    // The seed is reduced modulo 2^31 - 1 into 0..2147483646 (a negative seed
    // thus gains 2147483647 once), and 0 becomes 1. Every seed, 2147483647 and
    // -2147483648 included, gives a state in 1..2147483646, where the
    // generator can never reach 0.
    explicit MinStdRandom(std::int32_t seed);

    // Advances one step and returns the new state, 1..2147483646.
    std::int32_t Next() { return static_cast<std::int32_t>(m_engine()); }

    // A double strictly between 0 and 1: the next state times 1 / (2^31 - 1).
    double Uniform() { return static_cast<double>(Next()) * kScale; }

private:
    std::minstd_rand m_engine;
};
