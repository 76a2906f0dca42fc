#pragma once

// The stand-in unit's state file: what the unit keeps across a restart (image, stored modes and
// their names, passwords, management code), saved and loaded as plain text.

#include <optional>
#include <string>

#include "sim/UnitLayout.h"

namespace velantro::unit {

// Written to a temporary file beside `path` and renamed over it, so a crash never leaves half a
// state file. False when the file cannot be written.
bool WriteStateFile(const std::string& path, const UnitState& state);
// Nothing when the file is missing, malformed or incomplete: a state is taken whole or not at all.
std::optional<UnitState> ReadStateFile(const std::string& path);

}  // namespace velantro::unit
