#include "model/Rounding.h"

#include <cmath>

namespace velantro {

namespace {

// The even one of two neighbouring whole numbers `down` and `down + 1`.
double EvenOf(double down) { return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0; }

}  // namespace

int TruncateToInt(double x, int limit) {
  if (std::isnan(x)) return 0;
  if (x >= limit) return limit;
  if (x <= -limit) return -limit;
  return static_cast<int>(x);
}

int RoundHalfEvenToInt(double x, int limit) {
  if (std::isnan(x)) return 0;
  if (x >= limit) return limit;
  if (x <= -limit) return -limit;
  const double down = std::floor(x);
  const double diff = x - down;
  if (diff == 0.5) return static_cast<int>(EvenOf(down));
  return static_cast<int>(diff < 0.5 ? down : down + 1.0);
}

double RoundHalfEvenTolerant(double x) {
  if (!std::isfinite(x)) return x;
  const double down = std::floor(x);
  const double diff = x - down;
  if (std::fabs(diff - 0.5) <= kHalfTolerance) return EvenOf(down);
  return diff < 0.5 ? down : down + 1.0;
}

}  // namespace velantro
