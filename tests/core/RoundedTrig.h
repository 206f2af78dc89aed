#pragma once

#include <quadmath.h>

// The sine and cosine to 113 bits by GCC's libquadmath, rounded once to
// double: the correctly rounded values (short of a result within about
// 2^-110 of a midpoint), worked out apart from the program's arithmetic and
// the same on Linux and on Windows.
inline double RoundedSin(double radians)
{
    return static_cast<double>(sinq(radians));
}

inline double RoundedCos(double radians)
{
    return static_cast<double>(cosq(radians));
}

// The double nearest to m pi/4 (pi/4 being atan 1).
inline double QuarterPis(int m)
{
    return static_cast<double>(atanq(1) * m);
}
