#pragma once

// The sine and the cosine of one angle.
struct SineCosine {
    double sin;
    double cos;
};

// The largest |radians| SinCos rounds correctly; the plant needs only about
// 2.1 (120 degrees).
inline constexpr double kSinCosLimit = 1024.0;

// The sine and cosine of an angle, correctly rounded (to nearest, in the
// default rounding mode) for |radians| <= kSinCosLimit. Only IEEE double
// additions, multiplications, divisions and nearbyint go into it, no fused
// multiply-add and no long double, so every platform gives the same bits: the
// C libraries' own sin and cos differ from one another, and none of them is
// always correctly rounded. Before its last rounding the result is within
// about 2^-103 of the true value (relative; 2^-95 at the few doubles nearest
// a multiple of pi/2 beyond the first), so it can round the wrong way only
// where the sine or cosine lies closer than that to the midpoint between two
// doubles: about one angle in 2^49, the same ones on every platform.
//
// Beyond the limit, and for infinities and NaN, it is std::sin and std::cos,
// which may differ between platforms.
[[nodiscard]] SineCosine SinCos(double radians);
