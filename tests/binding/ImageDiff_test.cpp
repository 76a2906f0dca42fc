// Comparing two images of the unit's parameters: what differs, in page order, as the window
// shows each value, with each image read in its own layout.
#include "binding/ImageDiff.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace velantro::test {
namespace {

constexpr ParamAddress kFlag = 0x0001;
constexpr ParamAddress kMusicEq3Gain = 0x0010;
constexpr ParamAddress kMusicEq3Frequency = 0x000F;
constexpr ParamAddress kMusicEq3Type = 0x000E;
constexpr int kOtherSetting = kMusicSecondSetOffset;

// An image holding the given parameters (by the address the window shows them at) where a unit
// with this sing or disco flag keeps them.
DeviceTable LaidOut(int flag, const std::map<ParamAddress, int>& values) {
  DeviceTable image{};
  image[0][1] = flag;
  for (const auto& [address, value] : values) {
    const int page = PageOf(address);
    image[page][ParamStore::DeviceIndex(page, IndexOf(address), flag)] = value;
  }
  return image;
}

DeviceTable With(DeviceTable image, int page, int cell, int value) {
  image[page][cell] = value;
  return image;
}

std::vector<std::string> Lines(const std::vector<ImageDifference>& differences) {
  std::vector<std::string> lines;
  for (const ImageDifference& d : differences) {
    lines.push_back(d.name + ": " + d.before + " -> " + d.after);
  }
  return lines;
}

struct DiffCase {
  const char* what;
  DeviceTable before;
  DeviceTable after;
  DiffScope scope;
  std::vector<std::string> lines;
};

TEST(ImageDiff, ListsWhatDiffersAsTheWindowShowsIt) {
  const DeviceTable base = LaidOut(0, {{kMusicEq3Gain, 130}, {kMusicEq3Frequency, 204}});
  const DeviceTable flagged = LaidOut(1, {{kMusicEq3Gain, 130}, {kMusicEq3Frequency, 204}});
  const std::vector<DiffCase> cases{
      {"identical", base, base, DiffScope::All, {}},
      {"one value",
       base,
       LaidOut(0, {{kMusicEq3Gain, 115}, {kMusicEq3Frequency, 204}}),
       DiffScope::Upload,
       {"Music EQ 3 gain: 2.0 dB -> -1.0 dB"}},
      {"a band, in address order",
       base,
       LaidOut(0, {{kMusicEq3Type, 2}, {kMusicEq3Gain, 150}, {kMusicEq3Frequency, 300}}),
       DiffScope::Upload,
       {"Music EQ 3 type: PEQ -> HSEQ", "Music EQ 3 frequency: 1000.0 Hz -> 6350.0 Hz",
        "Music EQ 3 gain: 2.0 dB -> 6.0 dB"}},
      // The same values under the other flag lie in other cells: only the flag differs.
      {"layout flag alone", base, flagged, DiffScope::All, {"Music sing or disco mode: 0 -> 1"}},
      {"layout flag and a value",
       flagged,
       LaidOut(0, {{kMusicEq3Gain, 115}, {kMusicEq3Frequency, 204}}),
       DiffScope::Upload,
       {"Music sing or disco mode: 1 -> 0", "Music EQ 3 gain: 2.0 dB -> -1.0 dB"}},
      {"the music setting the flag does not show",
       base,
       With(base, 0, IndexOf(kMusicEq3Gain) + kOtherSetting, 125),
       DiffScope::Upload,
       {"Music EQ 3 gain (other music setting): -24.0 dB -> 1.0 dB"}},
      {"an output cell neither layout shows",
       flagged,
       With(flagged, 6, 0, 5),
       DiffScope::Upload,
       {"page 6 index 0: 0 -> 5"}},
      {"a cell no control shows",
       base,
       With(base, 0, 2, 9),
       DiffScope::Upload,
       {"page 0 index 2: 0 -> 9"}},
      {"a value past its range shows as the range's end",
       base,
       LaidOut(0, {{kMusicEq3Gain, 999}, {kMusicEq3Frequency, 204}}),
       DiffScope::Upload,
       {"Music EQ 3 gain: 2.0 dB -> 12.0 dB"}},
  };
  const ParameterCatalog catalog;
  for (const DiffCase& c : cases) {
    EXPECT_EQ(Lines(DiffImages(c.before, c.after, catalog, c.scope)), c.lines) << c.what;
  }
}

TEST(ImageDiff, SystemPageComparesVolumeLimitsForAnUploadAndHidesSecrets) {
  DeviceTable before{};
  DeviceTable after{};
  after[kSystemPage][IndexOf(sysaddr::CurrentMode)] = 3;
  after[kSystemPage][7] = 60;  // music volume limit
  after[kSystemPage][IndexOf(sysaddr::SystemPassword)] = 1234;
  after[kSystemPage][IndexOf(sysaddr::KeyLockPassword)] = 99;
  after[kSystemPage][IndexOf(sysaddr::DeviceCode)] = 0x1F2E;
  after[kSystemPage][IndexOf(sysaddr::LinkControl)] = 1;  // a request, not a setting
  const ParameterCatalog catalog;

  EXPECT_EQ(Lines(DiffImages(before, after, catalog, DiffScope::Upload)),
            std::vector<std::string>{"Music volume limit: 0 -> 60"});
  const std::vector<ImageDifference> all = DiffImages(before, after, catalog, DiffScope::All);
  EXPECT_EQ(Lines(all),
            (std::vector<std::string>{
                "Current mode: 0 -> 3", "System password: (differs) -> (differs)",
                "Key lock password: (differs) -> (differs)", "Music volume limit: 0 -> 60",
                "Management code: (differs) -> (differs)"}));
  for (const ImageDifference& d : all) {
    if (d.kind != DifferenceKind::Secret) continue;
    EXPECT_EQ(d.rawBefore, 0) << d.name;
    EXPECT_EQ(d.rawAfter, 0) << d.name;
  }
}

TEST(ImageDiff, ValuesCompareAsTheUploadSendsThem) {
  // A file's -1 travels as 65535: the unit holding 65535 holds what the file says.
  const DeviceTable file = With(DeviceTable{}, 0, 2, -1);
  const DeviceTable unit = With(DeviceTable{}, 0, 2, 65535);
  EXPECT_TRUE(DiffImages(file, unit, ParameterCatalog()).empty());
}

}  // namespace
}  // namespace velantro::test
