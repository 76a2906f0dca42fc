#pragma once

// What differs between two images of the unit's parameters (a preset file's, the unit's), said
// as the window shows each value. velantroctl diff prints it; the window's upload preview and
// modified markers take the same list.

#include <string>
#include <string_view>
#include <vector>

#include "binding/ParameterCatalog.h"
#include "model/ParamStore.h"
#include "model/TextMark.h"

namespace velantro {

enum class DiffScope {
  Upload,  // what a preset's upload carries: pages 0 to 9 and the volume limits
  All,     // the System page's settings too
};

enum class DifferenceKind {
  Value,   // a parameter, each image read in its own layout
  Layout,  // the music sing or disco flag (0x0001), which sets where each image keeps the rest
  Secret,  // a password or the management code: only that it differs is told
};

struct ImageDifference {
  // The parameter's address as the window shows it; for a cell no page shows (its image's
  // layout leaves it out), the page and the cell's own index.
  ParamAddress address = -1;
  std::string name;
  std::string before;  // display texts; "(differs)" for a secret
  std::string after;
  int rawBefore = 0;  // the 16-bit values an upload would send; 0 for a secret
  int rawAfter = 0;
  DifferenceKind kind = DifferenceKind::Value;
  bool otherMusicSetting = false;  // a value of the music setting the flag does not show
};

// The cells that differ, in page order, then by address. Each image is read through its own
// layout flag, so two images that differ only in the flag give the flag's line and the values
// that differ as each shows them.
std::vector<ImageDifference> DiffImages(const DeviceTable& before, const DeviceTable& after,
                                        const ParameterCatalog& catalog,
                                        DiffScope scope = DiffScope::Upload);

// The page an address lies on as the console's sections call it ("Music", "MIC B", "Reverb
// EQ", ...), for lists of differences grouped by page; empty outside pages 0 to 10.
std::string_view DiffPageTitle(int page);

// The text shown for a secret that differs.
inline constexpr const char* kSecretDiffers = VELANTRO_TEXT("(differs)");

}  // namespace velantro
