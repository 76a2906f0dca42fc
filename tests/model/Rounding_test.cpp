#include "model/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velantro::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct IntCase {
  double x;
  int truncated;  // TruncateToInt(x)
  int rounded;    // RoundHalfEvenToInt(x)
};

TEST(Rounding, ToIntWithTheDefaultLimit) {
  const IntCase cases[] = {
      {0.0, 0, 0},
      {-0.0, 0, 0},
      {0.5, 0, 0},
      {1.5, 1, 2},
      {2.5, 2, 2},
      {3.5, 3, 4},
      {2.4999999, 2, 2},
      {2.5000001, 2, 3},
      {2.9, 2, 3},
      {-0.5, 0, 0},
      {-1.5, -1, -2},
      {-2.5, -2, -2},
      {-2.9, -2, -3},
      {121.49999999999999, 121, 121},  // below the half: no tolerance here
      {999'999'999.4, 999'999'999, 999'999'999},
      {999'999'999.5, 999'999'999, 1'000'000'000},
      {1e9, kRoundingLimit, kRoundingLimit},
      {-1e9, -kRoundingLimit, -kRoundingLimit},
      {1e300, kRoundingLimit, kRoundingLimit},
      {-1e300, -kRoundingLimit, -kRoundingLimit},
      {kInf, kRoundingLimit, kRoundingLimit},
      {-kInf, -kRoundingLimit, -kRoundingLimit},
      {kNaN, 0, 0},
  };
  for (const IntCase& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(TruncateToInt(c.x), c.truncated);
    EXPECT_EQ(RoundHalfEvenToInt(c.x), c.rounded);
  }
}

TEST(Rounding, ToIntWithAGivenLimit) {
  const IntCase cases[] = {
      {99'999'999.5, 99'999'999, 100'000'000},
      {1e8, 100'000'000, 100'000'000},
      {1e8 + 1, 100'000'000, 100'000'000},
      {-5e8, -100'000'000, -100'000'000},
      {kInf, 100'000'000, 100'000'000},
      {-kInf, -100'000'000, -100'000'000},
      {kNaN, 0, 0},
  };
  for (const IntCase& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(TruncateToInt(c.x, 100'000'000), c.truncated);
    EXPECT_EQ(RoundHalfEvenToInt(c.x, 100'000'000), c.rounded);
  }
}

TEST(Rounding, TolerantHalvesToEven) {
  const struct {
    double x;
    double rounded;
  } cases[] = {
      {0.5, 0.0},
      {1.5, 2.0},
      {2.5, 2.0},
      {-2.5, -2.0},
      {-3.5, -4.0},
      {2.4, 2.0},
      {-2.6, -3.0},
      {(24.0 + 0.1) * 5.0, 120.0},  // a typed 0.1 dB: 120.5 up to binary error
      {(24.0 + 0.3) * 5.0, 122.0},
      {121.49999999999999, 122.0},  // within the tolerance of a half: the even neighbour
      {2.5 + 1e-10, 2.0},
      {2.5 + 1e-6, 3.0},
      {1e300, 1e300},
      {-1e300, -1e300},
      {kInf, kInf},
      {-kInf, -kInf},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(RoundHalfEvenTolerant(c.x), c.rounded);
  }
  EXPECT_TRUE(std::isnan(RoundHalfEvenTolerant(kNaN)));
}

}  // namespace
}  // namespace velantro::test
