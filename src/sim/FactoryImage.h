#pragma once

// The stand-in unit's state at first start: its image, its nine stored modes and their names,
// its passwords and management code.

#include <array>
#include <string>

#include "sim/UnitLayout.h"

namespace velantro::unit {

// EQ bands, levels, filters and output mixes of a unit fresh from the factory: the built-in
// factory preset file the console starts from too (FactoryFile.h).
Image FactoryImage();
// The factory image, stored modes (each with a music EQ of its own, so a recall shows), names,
// passwords and code.
UnitState FactoryState();

}  // namespace velantro::unit
