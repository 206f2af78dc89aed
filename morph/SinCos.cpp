#include "SinCos.h"

#include <array>
#include <cmath>

namespace {

// The unevaluated sum hi + lo, |lo| at most half an ulp of hi (a few ulps
// between the steps of a series): about 106 bits, where correct rounding
// needs a little over 53 nearly always and more only astronomically rarely.
struct DoubleDouble {
    double hi;
    double lo;
};

// a + b exactly.
constexpr DoubleDouble TwoSum(double a, double b)
{
    const double sum = a + b;
    const double bPart = sum - a;
    return {sum, (a - (sum - bPart)) + (b - bPart)};
}

// a + b exactly, in half the work, given |a| >= |b|.
constexpr DoubleDouble FastTwoSum(double a, double b)
{
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

// a as two halves of at most 26 bits, whose products with each other are exact.
constexpr DoubleDouble Split(double a)
{
    constexpr double kSplitter = 0x1p27 + 1.0;
    const double scaled = kSplitter * a;
    const double hi = scaled - (scaled - a);
    return {hi, a - hi};
}

// The rounding error of a * b, from b's halves: a fused multiply-add would
// give it in one step, but not every target has one.
constexpr double ProductError(double a, double product, DoubleDouble bHalves)
{
    const DoubleDouble aHalves = Split(a);
    return ((aHalves.hi * bHalves.hi - product) + aHalves.hi * bHalves.lo + aHalves.lo * bHalves.hi) +
           aHalves.lo * bHalves.lo;
}

constexpr DoubleDouble TwoProduct(double a, double b)
{
    const double product = a * b;
    return {product, ProductError(a, product, Split(b))};
}

constexpr DoubleDouble Negate(DoubleDouble a)
{
    return {-a.hi, -a.lo};
}

// a + b to about 2^-104 of the sum, however much of a and b cancels.
constexpr DoubleDouble Add(DoubleDouble a, DoubleDouble b)
{
    DoubleDouble sum = TwoSum(a.hi, b.hi);
    const DoubleDouble low = TwoSum(a.lo, b.lo);
    sum = FastTwoSum(sum.hi, sum.lo + low.hi);
    return FastTwoSum(sum.hi, sum.lo + low.lo);
}

constexpr DoubleDouble DivideBy(DoubleDouble a, double divisor)
{
    const double quotient = a.hi / divisor;
    const DoubleDouble back = TwoProduct(quotient, divisor);
    return FastTwoSum(quotient, (((a.hi - back.hi) - back.lo) + a.lo) / divisor);
}

// pi/2 in four parts. The first three have at most 33 significant bits, so
// k times each is exact for |k| < 2^20; the four together miss pi/2 by less
// than 2^-159.
constexpr double kHalfPi1 = 0x1.921fb544p+0;
constexpr double kHalfPi2 = 0x1.0b4611a6p-34;
constexpr double kHalfPi3 = 0x1.3198a2ep-69;
constexpr double kHalfPi4 = 0x1.b839a252049c1p-104;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

// Below this, sin x rounds to x and cos x to 1: x^2 / 2 is under a quarter of
// the gap below 1, and x^3 / 6 under a quarter of the gap below x.
constexpr double kTinyLimit = 0x1p-27;

// For |r| <= pi/4 (and a little over, where the quadrant's choice rounds),
// the first term left out, r^28/28! of the cosine or r^29/29! of the sine,
// is under 2^-107 of the result.
constexpr int kLastTerm = 27;
// Terms from the 17th power on are under 2^-54 of the result: plain doubles
// carry their sum to well within 2^-104 and cost a fifth as much.
constexpr int kFirstPlainTerm = 17;

// (-1)^floor(n/2) / n! for n = 0..kLastTerm: the Taylor coefficients of the
// cosine (even n) and of the sine (odd n).
constexpr std::array<DoubleDouble, kLastTerm + 1> kTaylor = [] {
    std::array<DoubleDouble, kLastTerm + 1> coefficients{};
    DoubleDouble inverseFactorial{1.0, 0.0};
    for (int n = 0; n <= kLastTerm; ++n) {
        if (n > 0) {
            inverseFactorial = DivideBy(inverseFactorial, n);
        }
        coefficients.at(n) = (n / 2) % 2 == 0 ? inverseFactorial : Negate(inverseFactorial);
    }
    return coefficients;
}();

// r^2, with its high part split once for every step of both series.
struct Square {
    DoubleDouble value;
    DoubleDouble hiHalves;
};

// c + s * r^2, leaving the result's low part unnormalised (a few ulps of the
// high part rather than half of one) for the next step to absorb: the series'
// terms fall by a factor of 3 or more, so |s * r^2| < |c| and nothing cancels.
// Each step's high part then waits on the last one's through one product and
// one sum, not through the whole of a double-double product.
DoubleDouble MultiplyAdd(DoubleDouble s, const Square& square, DoubleDouble c)
{
    const double product = s.hi * square.value.hi;
    const double hi = c.hi + product;
    const double sumError = product - (hi - c.hi);
    const double productError = ProductError(s.hi, product, square.hiHalves);
    return {hi, s.lo * square.value.hi + (s.hi * square.value.lo + (productError + (sumError + c.lo)))};
}

// The sum of kTaylor[n] * r^(n - First) over n = First, First + 2, ...,
// kLastTerm by Horner's rule: the cosine for First = 0, the sine over r for
// First = 1.
template <int First> DoubleDouble Series(const Square& square)
{
    int n = kLastTerm - (kLastTerm - First) % 2;
    double tail = kTaylor.at(n).hi;
    for (n -= 2; n >= kFirstPlainTerm; n -= 2) {
        tail = kTaylor.at(n).hi + square.value.hi * tail;
    }
    DoubleDouble sum{tail, 0.0};
    for (; n >= First; n -= 2) {
        sum = MultiplyAdd(sum, square, kTaylor.at(n));
    }
    return sum;
}

} // namespace

SineCosine SinCos(double radians)
{
    const double magnitude = std::fabs(radians);
    if (!(magnitude <= kSinCosLimit)) {
        return {std::sin(radians), std::cos(radians)};
    }
    if (magnitude < kTinyLimit) {
        return {radians, 1.0}; // keeps the sign of -0 and stays clear of underflow
    }

    // r = radians - k pi/2, |r| <= pi/4 or a hair more (where the product
    // rounds to a half, either neighbour does). With |k| <= 652 the first
    // three products are exact and r keeps 2^-95 of its value even at the
    // doubles nearest a multiple of pi/2, which come no nearer than 2^-60.5;
    // for the plant's |k| <= 1, better than 2^-105.
    const double k = std::nearbyint(radians * kTwoOverPi);
    DoubleDouble r = TwoSum(radians, -k * kHalfPi1);
    r = Add(r, {-k * kHalfPi2, 0.0});
    r = Add(r, {-k * kHalfPi3, -k * kHalfPi4});

    const DoubleDouble r2 = FastTwoSum(r.hi * r.hi, ProductError(r.hi, r.hi * r.hi, Split(r.hi)) + 2.0 * r.hi * r.lo);
    const Square square{r2, Split(r2.hi)};
    const DoubleDouble sineOverR = Series<1>(square);
    const DoubleDouble cosineSum = Series<0>(square);
    const double cosine = cosineSum.hi + cosineSum.lo;
    const double sineHi = r.hi * sineOverR.hi;
    const double sine =
        sineHi + (ProductError(r.hi, sineHi, Split(sineOverR.hi)) + (r.hi * sineOverR.lo + r.lo * sineOverR.hi));

    switch (static_cast<int>(k) & 3) {
    case 0:
        return {sine, cosine};
    case 1:
        return {cosine, -sine};
    case 2:
        return {-sine, -cosine};
    default:
        return {-cosine, sine};
    }
}
