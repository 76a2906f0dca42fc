// Parameters as a person names them on the command line: by their catalog name, and by values
// in the units the window shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binding/DisplayUnits.h"
#include "binding/ParameterCatalog.h"

namespace velantro::test {
namespace {

struct NameCase {
  const char* typed;
  ParamAddress found;                    // -1: none
  std::vector<ParamAddress> candidates;  // when ambiguous
};

TEST(ParameterNames, ExactNameWinsThenOneBeginningElseCandidatesOrNothing) {
  const std::vector<NameCase> cases{
      {"Music EQ 3 gain", 0x0010, {}},
      {"music eq 3 GAIN", 0x0010, {}},  // case ignored
      {"Echo level", 0x0401, {}},       // also the beginning of "Echo level phase"
      {"Music EQ 3 ga", 0x0010, {}},    // the beginning of one name
      {"Music EQ 1 t", 0x0004, {}},     // "Music EQ 10 type" goes on with "0"
      {"Music EQ 1",
       -1,
       {0x0004, 0x0005, 0x0006, 0x0007, 0x0008,  // EQ 1 and EQ 10
        0x0031, 0x0032, 0x0033, 0x0034, 0x0035}},
      {"Music EQ 1 ", -1, {0x0004, 0x0005, 0x0006, 0x0007, 0x0008}},
      {"Management", 0x0A40, {}},
      {"Music EQ 11 gain", -1, {}},
      {"gain", -1, {}},  // names are matched from their start only
      {"", -1, {}},
  };
  const ParameterCatalog catalog;
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.typed);
    const NameMatch match = catalog.FindByName(c.typed);
    EXPECT_EQ(match.found != nullptr ? match.found->address : -1, c.found);
    std::vector<ParamAddress> candidates;
    for (const ParamInfo* info : match.candidates) candidates.push_back(info->address);
    EXPECT_EQ(candidates, c.candidates);
  }
}

struct TypedCase {
  ParamAddress address;
  const char* typed;
  int raw;  // when accepted
  DisplayValueProblem problem;
};

TEST(ParameterNames, ValuesWithTheirUnitBecomeRawValuesOnTheParametersSteps) {
  using P = DisplayValueProblem;
  const std::vector<TypedCase> cases{
      {0x0010, "2.0dB", 130, P::None},
      {0x0010, "-3 dB", 105, P::None},
      {0x0010, "+12.0 DB", 180, P::None},
      {0x0010, "-24 dB", 0, P::None},
      {0x0010, "2.1dB", 0, P::NotOnAStep},
      {0x0010, "12.2dB", 0, P::OutsideRange},
      {0x0010, "-24.2dB", 0, P::OutsideRange},
      {0x0010, "2.0Hz", 0, P::OtherUnit},
      {0x0010, "2.0", 0, P::OtherUnit},  // a gain is said in dB
      {0x000F, "1000Hz", 204, P::None},
      {0x000F, "19.7 hz", 0, P::None},
      {0x000F, "1001Hz", 0, P::NotOnAStep},
      {0x000F, "19Hz", 0, P::OutsideRange},
      {0x0611, "1000Hz", 205, P::None},  // a high-pass's raw 0 is Off
      {0x0406, "20 ms", 10, P::None},
      {0x0406, "252 ms", 0, P::OutsideRange},  // the control stops at 250 ms
      {0x0406, "21 ms", 0, P::NotOnAStep},
      {0x0504, "125 ms", 2, P::None},
      {0x0012, "0.71", 10, P::None},         // a Q has no unit
      {0x0012, "2.00", 0, P::OutsideRange},  // a shelf's Q stops at 1.60
      {0x0002, "7", 7, P::None},
      {0x0002, "7 dB", 0, P::OtherUnit},
  };
  const ParameterCatalog catalog;
  for (const TypedCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.address) + " " + c.typed);
    const std::optional<NumberWithUnit> typed = SplitNumberAndUnit(c.typed);
    ASSERT_TRUE(typed.has_value());
    const DisplayValue value = RawFromDisplay(catalog, *catalog.Find(c.address), *typed);
    EXPECT_EQ(value.problem, c.problem);
    if (c.problem == P::None) {
      EXPECT_EQ(value.raw, c.raw);
    }
  }
  EXPECT_FALSE(SplitNumberAndUnit("Off").has_value());
  EXPECT_FALSE(SplitNumberAndUnit("dB").has_value());
  EXPECT_FALSE(SplitNumberAndUnit("- 3dB").has_value());
}

TEST(ParameterNames, RangeAndStepAreSaidInDisplayUnits) {
  struct Case {
    ParamAddress address;
    const char* range;
    const char* step;
  };
  const std::vector<Case> cases{
      {0x0010, "-24.0 dB to 12.0 dB", "0.2 dB"},
      {0x000F, "19.7 Hz to 20600.0 Hz", "table"},
      {0x000E, "PEQ to HSEQ", "options"},
      {0x0504, "0 ms to 5000 ms", "62.5 ms"},  // shown rounded: 63, 125, 188 ms
      {0x071B, "0.0 ms to 50.0 ms", "0.1 ms"},
      {0x0611, "Off to 20600.0Hz", "table"},
      {0x0A06, "0 to 82", "1"},
      {0x0002, "0 to 65535", "1"},
  };
  const ParameterCatalog catalog;
  for (const Case& c : cases) {
    const ParamInfo& info = *catalog.Find(c.address);
    EXPECT_EQ(RangeText(catalog, info), c.range) << info.label;
    EXPECT_EQ(StepText(catalog, info), c.step) << info.label;
  }
}

}  // namespace
}  // namespace velantro::test
