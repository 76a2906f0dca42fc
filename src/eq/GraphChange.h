#pragma once

// What passes between an edit and the EQ graph: the last change the graph picks up, and the step
// codes of a key, wheel or spin step.

#include "model/ParamAddress.h"

namespace velantro {

// Address and raw value of the last change the EQ graph must pick up.
struct GraphChange {
  ParamAddress address = -1;
  int value = 0;
  friend bool operator==(const GraphChange&, const GraphChange&) = default;
};

// Step codes of an edit: none, one step up, one step down.
constexpr int kStepNone = 0;
constexpr int kStepUp = 1;
constexpr int kStepDown = 11;

}  // namespace velantro
