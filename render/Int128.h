#pragma once

#include <compare>
#include <cstdint>

// Signed 128-bit integers for the line clipping of 32-bit builds, where the
// compiler has none: two's complement in two words, with what the clipping
// uses and no more. Multiplication keeps the low 128 bits; division
// truncates toward zero and takes divisors below 2^47 in magnitude.
class Int128 {
public:
    constexpr Int128(
        std::int64_t value = 0) // NOLINT(google-explicit-constructor): mixes with int64 as a built-in would
        : m_high(value < 0 ? ~std::uint64_t{0} : 0), m_low(static_cast<std::uint64_t>(value))
    {
    }

    explicit constexpr operator std::int64_t() const { return static_cast<std::int64_t>(m_low); }
    [[nodiscard]] constexpr std::uint64_t High() const { return m_high; }
    [[nodiscard]] constexpr std::uint64_t Low() const { return m_low; }

    friend constexpr Int128 operator+(Int128 a, Int128 b)
    {
        const std::uint64_t low = a.m_low + b.m_low;
        return {a.m_high + b.m_high + (low < a.m_low ? 1 : 0), low};
    }
    friend constexpr Int128 operator-(Int128 a) { return Int128{~a.m_high, ~a.m_low} + 1; }
    friend constexpr Int128 operator-(Int128 a, Int128 b) { return a + -b; }
    friend constexpr Int128 operator*(Int128 a, Int128 b)
    {
        Int128 product = MultiplyWords(a.m_low, b.m_low);
        product.m_high += a.m_high * b.m_low + a.m_low * b.m_high;
        return product;
    }
    friend constexpr Int128 operator/(Int128 n, Int128 d)
    {
        Int128 quotient;
        Int128 remainder;
        Divide(n, d, quotient, remainder);
        return quotient;
    }
    friend constexpr Int128 operator%(Int128 n, Int128 d)
    {
        Int128 quotient;
        Int128 remainder;
        Divide(n, d, quotient, remainder);
        return remainder;
    }

    friend constexpr bool operator==(const Int128&, const Int128&) = default;
    friend constexpr std::strong_ordering operator<=>(const Int128& a, const Int128& b)
    {
        if (a.m_high != b.m_high) {
            return static_cast<std::int64_t>(a.m_high) <=> static_cast<std::int64_t>(b.m_high);
        }
        return a.m_low <=> b.m_low;
    }

private:
    constexpr Int128(std::uint64_t high, std::uint64_t low) : m_high(high), m_low(low) {}

    [[nodiscard]] constexpr bool IsNegative() const { return (m_high >> 63) != 0; }

    // The full product of two words, from their 32-bit halves.
    static constexpr Int128 MultiplyWords(std::uint64_t a, std::uint64_t b)
    {
        constexpr std::uint64_t kHalf = 0xFFFFFFFFU;
        const std::uint64_t p00 = (a & kHalf) * (b & kHalf);
        const std::uint64_t p01 = (a & kHalf) * (b >> 32);
        const std::uint64_t p10 = (a >> 32) * (b & kHalf);
        const std::uint64_t p11 = (a >> 32) * (b >> 32);
        const std::uint64_t middle = (p00 >> 32) + (p01 & kHalf) + (p10 & kHalf);
        return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & kHalf)};
    }

    static constexpr void Divide(Int128 n, Int128 d, Int128& quotient, Int128& remainder);

    std::uint64_t m_high;
    std::uint64_t m_low;
};

constexpr void Int128::Divide(Int128 n, Int128 d, Int128& quotient, Int128& remainder)
{
    const bool negative = n.IsNegative();
    const bool negativeDivisor = d.IsNegative();
    const Int128 magnitude = negative ? -n : n;
    const std::uint64_t divisor = (negativeDivisor ? -d : d).m_low;
    // Long division in 16-bit digits: the running remainder stays below the
    // divisor, so with a divisor below 2^47 it never leaves one word.
    std::uint64_t words[2] = {magnitude.m_high, magnitude.m_low};
    std::uint64_t rest = 0;
    for (std::uint64_t& word : words) {
        std::uint64_t digits = 0;
        for (int shift = 48; shift >= 0; shift -= 16) {
            rest = (rest << 16) | ((word >> shift) & 0xFFFFU);
            digits |= (rest / divisor) << shift;
            rest %= divisor;
        }
        word = digits;
    }
    quotient = Int128{words[0], words[1]};
    quotient = negative != negativeDivisor ? -quotient : quotient;
    remainder = negative ? -Int128{0, rest} : Int128{0, rest};
}
