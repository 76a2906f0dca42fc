#pragma once

// The factory settings as a preset file built into the program: what the console shows and edits
// before it has met a unit. The stand-in unit starts from the same file (its own reader).

#include <string_view>

namespace velantro {

// The whole text of the factory preset file.
std::string_view FactoryPresetText();

}  // namespace velantro
