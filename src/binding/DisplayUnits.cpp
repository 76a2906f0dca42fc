#include "binding/DisplayUnits.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

#include "model/Scales.h"

namespace velantro {

namespace {

// Shown numbers have at most two decimals; typed ones are compared to them this closely.
constexpr double kSameNumber = 1e-9;
// The decimals a step is said with at most ("62.5 ms", "0.2 dB").
constexpr int kStepDecimals = 3;

struct ShownValue {
  int raw;
  NumberWithUnit shown;
};

bool SameUnit(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool SameNumber(double a, double b) {
  return std::fabs(a - b) <= kSameNumber * std::max(1.0, std::fabs(a));
}

std::string_view Trimmed(std::string_view text) {
  const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

// A parameter with neither a scale nor named options shows its raw value as it is: nothing to
// read through its texts, and up to 65536 of them.
bool ShowsRawValue(const ParamInfo& info) {
  return !HasScaleText(info.scale) && info.options.empty();
}

// The numbers of the parameter's texts, raw value by raw value; texts without a number ("Off",
// "PEQ") are left out.
std::vector<ShownValue> ShownNumbers(const ParameterCatalog& catalog, const ParamInfo& info) {
  std::vector<ShownValue> values;
  for (int raw = info.lower; raw <= info.upper; ++raw) {
    if (auto shown = SplitNumberAndUnit(catalog.DisplayText(info, raw))) {
      values.push_back({raw, std::move(*shown)});
    }
  }
  return values;
}

int DecimalsOf(std::string_view text) {
  const size_t point = text.find('.');
  if (point == std::string_view::npos) return 0;
  size_t end = point + 1;
  while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) != 0) ++end;
  return static_cast<int>(end - point - 1);
}

// "62.500" -> "62.5", "2.000" -> "2".
std::string WithoutTrailingZeros(std::string text) {
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

std::optional<NumberWithUnit> SplitNumberAndUnit(std::string_view text) {
  text = Trimmed(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || std::isdigit(static_cast<unsigned char>(text.front())) == 0) {
    return std::nullopt;
  }
  double number = 0;
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::fixed);
  if (ec != std::errc()) return std::nullopt;
  const std::string_view unit = Trimmed(text.substr(static_cast<size_t>(end - text.data())));
  return NumberWithUnit{negative ? -number : number, std::string(unit)};
}

DisplayValue RawFromDisplay(const ParameterCatalog& catalog, const ParamInfo& info,
                            const NumberWithUnit& typed) {
  std::vector<ShownValue> values;
  if (ShowsRawValue(info)) {
    values = {{info.lower, {static_cast<double>(info.lower), {}}},
              {info.upper, {static_cast<double>(info.upper), {}}}};
    const double whole = std::round(typed.number);
    if (typed.unit.empty() && SameNumber(whole, typed.number) && whole >= info.lower &&
        whole <= info.upper) {
      return {static_cast<int>(whole), DisplayValueProblem::None};
    }
  } else {
    values = ShownNumbers(catalog, info);
  }
  std::erase_if(values, [&](const ShownValue& v) { return !SameUnit(v.shown.unit, typed.unit); });
  if (values.empty()) return {0, DisplayValueProblem::OtherUnit};
  double lowest = values.front().shown.number;
  double highest = lowest;
  for (const ShownValue& v : values) {
    if (SameNumber(v.shown.number, typed.number)) return {v.raw, DisplayValueProblem::None};
    lowest = std::min(lowest, v.shown.number);
    highest = std::max(highest, v.shown.number);
  }
  const bool outside = typed.number < lowest || typed.number > highest;
  return {0, outside ? DisplayValueProblem::OutsideRange : DisplayValueProblem::NotOnAStep};
}

std::string RangeText(const ParameterCatalog& catalog, const ParamInfo& info) {
  return catalog.DisplayText(info, info.lower) + " to " + catalog.DisplayText(info, info.upper);
}

std::string StepText(const ParameterCatalog& catalog, const ParamInfo& info) {
  if (ShowsRawValue(info)) return "1";
  const std::vector<ShownValue> values = ShownNumbers(catalog, info);
  if (values.empty()) return "options";
  if (values.size() == 1) return "table";
  // Evenly spaced when every shown number is the first plus whole steps, as rounded for showing
  // ("63 ms", "125 ms", "188 ms" are steps of 62.5 ms).
  const double first = values.front().shown.number;
  const int span = values.back().raw - values.front().raw;
  const double step = (values.back().shown.number - first) / span;
  const int decimals = DecimalsOf(catalog.DisplayText(info, values.front().raw));
  const double rounding = 0.5 * std::pow(10.0, -decimals) + kSameNumber;
  const bool even = step != 0 && std::ranges::all_of(values, [&](const ShownValue& v) {
                      return std::fabs(v.shown.number -
                                       (first + step * (v.raw - values.front().raw))) <= rounding;
                    });
  if (!even) return "table";
  std::string text = WithoutTrailingZeros(FormatNumber(step, kStepDecimals));
  const std::string& unit = values.front().shown.unit;
  return unit.empty() ? text : text + " " + unit;
}

}  // namespace velantro
