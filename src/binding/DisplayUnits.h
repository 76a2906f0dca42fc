#pragma once

// Values in the units the window shows them in ("2.0 dB", "1000.0 Hz", "20 ms"): what a person
// types on the command line, and the range and step of a parameter said in them. Every text is
// the catalog's own, so a value typed the way the window shows it is always taken.

#include <optional>
#include <string>
#include <string_view>

#include "binding/ParameterCatalog.h"

namespace velantro {

// A number and the unit after it: "-3 dB" is -3 and "dB", "+2.0dB" is 2 and "dB", "0.71" is 0.71
// and no unit.
struct NumberWithUnit {
  double number = 0;
  std::string unit;
};

// Nothing when the text does not start with a number ("Off", "PEQ", "").
std::optional<NumberWithUnit> SplitNumberAndUnit(std::string_view text);

enum class DisplayValueProblem {
  None,
  OtherUnit,     // the parameter is never shown in that unit
  OutsideRange,  // below its lowest or above its highest value
  NotOnAStep,    // within the range, between two values it takes
};

struct DisplayValue {
  int raw = 0;  // valid when problem is None
  DisplayValueProblem problem = DisplayValueProblem::None;
};

// The raw value the parameter shows as `typed` (units compared without case).
DisplayValue RawFromDisplay(const ParameterCatalog& catalog, const ParamInfo& info,
                            const NumberWithUnit& typed);

// "-24.0 dB to 12.0 dB": the texts of the lowest and highest raw value.
std::string RangeText(const ParameterCatalog& catalog, const ParamInfo& info);
// "0.2 dB" for evenly spaced values, "table" for values from a table (frequencies, Q), "options"
// for named choices only.
std::string StepText(const ParameterCatalog& catalog, const ParamInfo& info);

}  // namespace velantro
