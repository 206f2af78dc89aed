#pragma once

#include <cstdint>

// The Park-Miller minimal standard generator, multiplier 48271, modulus
// 2^31 - 1 (exactly std::minstd_rand), with its own seeding rule.
class MinStdRandom {
public:
    // The seed is reduced modulo 2^31 - 1 into 0..2147483646 (a negative seed
    // thus gains 2147483647 once), and 0 becomes 1. Every seed, 2147483647 and
    // -2147483648 included, gives a state in 1..2147483646, where the
    // generator can never reach 0.
    explicit MinStdRandom(std::int32_t seed);

    // Advances one step and returns the new state, 1..2147483646.
    std::int32_t Next();

    // A double strictly between 0 and 1: the next state times 1 / (2^31 - 1).
    double Uniform();

    [[nodiscard]] std::int32_t State() const { return m_state; }

    static constexpr std::int32_t kModulus = 2147483647;
    static constexpr double kScale = 1.0 / 2147483647.0;

private:
    std::int32_t m_state;
};
