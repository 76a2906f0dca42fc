#pragma once

// What passes between an edit and the EQ graph: the change the graph redraws (GraphChange, with
// the edit records), and the step codes of a key, wheel or spin step.

#include "model/EditRecord.h"

namespace velantro {

// Step codes of an edit: none, one step up, one step down.
constexpr int kStepNone = 0;
constexpr int kStepUp = 1;
constexpr int kStepDown = 11;

}  // namespace velantro
