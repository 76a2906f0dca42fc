#pragma once

// The factory settings as the preset file the console starts from (data/Factory.Nddt, built in),
// read here with the unit's own reader: the unit starts from the very file the console shows
// before it has met a unit.

#include <string_view>

#include "sim/UnitLayout.h"

namespace velantro::unit {

// The whole text of the built-in factory preset file.
std::string_view FactoryFileText();

// The unit's memory as a preset file holds it: every "address value" line (both XOR the line's
// number, the line coded with the preset line key) lands on its page and slot. Lines that do
// not decode, or name no slot, are passed over; slots no line names stay 0. Page 0's slots
// 110 … 115 are left out: the file repeats the System page's volume limits there.
Image ReadPresetImage(std::string_view text);

}  // namespace velantro::unit
