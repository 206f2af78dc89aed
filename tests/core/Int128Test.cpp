#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "Int128.h"

// 32-bit builds clip lines with Int128; here it must agree with the
// compiler's own 128-bit integers on everything the clipping does.
#ifdef __SIZEOF_INT128__
namespace {

__extension__ using Native = __int128;

Native AsNative(Int128 value)
{
    return static_cast<Native>(static_cast<std::int64_t>(value.High())) * (static_cast<Native>(1) << 64) +
           static_cast<Native>(value.Low());
}

TEST(Int128, AgreesWithTheNativeTypeOnClippingArithmetic)
{
    std::mt19937_64 random(128);
    // Coordinates anywhere in the int range, lengths up to 2^32, divisors
    // twice a length, as the clipping has them.
    std::uniform_int_distribution<std::int64_t> coordinate(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int64_t> length(1, (std::int64_t{1} << 32) - 1);
    for (int i = 0; i < 200000; ++i) {
        const std::int64_t major = length(random);
        const std::int64_t k = coordinate(random) * (i % 2 == 0 ? 1 : 2);
        const std::int64_t divisor = 2 * length(random);
        const Int128 n = 2 * Int128(major) * k - major;
        const Native expected = 2 * static_cast<Native>(major) * k - major;
        ASSERT_EQ(AsNative(n), expected) << major << " " << k;
        ASSERT_EQ(AsNative(n / divisor), expected / divisor) << major << " " << k << " " << divisor;
        ASSERT_EQ(AsNative(n % divisor), expected % divisor) << major << " " << k << " " << divisor;
        ASSERT_EQ(AsNative(-n / -divisor), -expected / -divisor);
        ASSERT_EQ(n < Int128(k), expected < k);
        ASSERT_EQ(n == Int128(k), expected == k);
    }
}

} // namespace
#endif
