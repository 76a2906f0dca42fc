#pragma once

// The differences a box lists before a preset takes the place of what the unit or the window
// holds: one "    name: before → after" line each, the names and the values' words ("Off",
// "(differs)") in the language in use, cut to a number of lines with a count of what is left out.

#include <string>
#include <vector>

#include "binding/ImageDiff.h"

namespace velantro {

// With `pageTitles` each page's lines come under its title ("Music"), a line of its own that
// counts against `lineLimit`. The text begins with a newline, to go under a question.
std::string DifferenceListText(const std::vector<ImageDifference>& differences, int lineLimit,
                               bool pageTitles);

}  // namespace velantro
