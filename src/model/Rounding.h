#pragma once

// Rounding a real value to a whole number, halves to even or toward zero. Each function states its
// rule, what NaN gives and where it saturates, so that a caller picks the rule it needs by name.
// (Decimal text rounds in FormatNumber, halves away from zero.)

namespace velantro {

// The default saturation limit of the int results: far past any raw value, index or position,
// and small enough that later integer arithmetic on the result cannot overflow.
inline constexpr int kRoundingLimit = 1'000'000'000;

// Truncates toward zero (2.9 gives 2, -2.9 gives -2). NaN gives 0; x at or beyond +-limit
// (infinities included) gives +-limit.
int TruncateToInt(double x, int limit = kRoundingLimit);

// Rounds to the nearest integer, an exact half to the even neighbour (2.5 gives 2, 3.5 gives 4,
// -2.5 gives -2), whatever the floating-point rounding mode. NaN gives 0; x at or beyond +-limit
// (infinities included) gives +-limit.
int RoundHalfEvenToInt(double x, int limit = kRoundingLimit);

// Rounds to the nearest whole number as a double, halves to even like RoundHalfEvenToInt, but
// anything within kHalfTolerance of a half counts as the half: a typed decimal such as 0.1 is
// a half only up to binary error ((24.1 * 5) is 120.49999999999999). NaN and infinities come
// back unchanged; there is no saturation.
inline constexpr double kHalfTolerance = 1e-9;
double RoundHalfEvenTolerant(double x);

}  // namespace velantro
