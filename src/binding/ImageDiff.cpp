#include "binding/ImageDiff.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "binding/ControlTable.h"
#include "model/TextMark.h"

namespace velantro {

namespace {

// The music page's sing or disco flag: with it set the music page's values lie in the second
// setting's slots and the outputs' first sixteen one slot further on.
constexpr ParamAddress kLayoutFlagAddress = 0x0001;
constexpr int kFirstMusicSettingIndex = 2;
constexpr int kVolumeLimitFirst = 6;  // system page cells an upload carries
constexpr int kVolumeLimitCount = 6;
constexpr std::array<ParamAddress, 3> kSecrets{sysaddr::SystemPassword, sysaddr::KeyLockPassword,
                                               sysaddr::DeviceCode};
constexpr const char* kOtherSettingSuffix = " (other music setting)";
constexpr std::array<std::string_view, kPageCount> kPageTitles{VELANTRO_TEXT("Music"),
                                                               "MIC A",
                                                               "DEQ",
                                                               "MIC B",
                                                               VELANTRO_TEXT("Effect"),
                                                               VELANTRO_TEXT("Reverb EQ"),
                                                               VELANTRO_TEXT("Main output"),
                                                               VELANTRO_TEXT("AUX1 output"),
                                                               VELANTRO_TEXT("AUX2 output"),
                                                               VELANTRO_TEXT("SUR output"),
                                                               VELANTRO_TEXT("System")};

// What an upload puts on the wire for a cell, so a file's -1 and the unit's 65535 are the same.
int WireValue(int32_t value) { return static_cast<uint16_t>(value); }

// The flag as the link latches it when a download ends.
int LayoutOf(const DeviceTable& image) { return static_cast<uint8_t>(image[0][1]) != 0 ? 1 : 0; }

int UploadValueCount(int page) { return page == 0 ? kMusicUploadValueCount : PageValueCount(page); }

bool IsSecret(ParamAddress address) {
  return std::ranges::find(kSecrets, address) != kSecrets.end();
}

class Differ {
 public:
  Differ(const DeviceTable& before, const DeviceTable& after, const ParameterCatalog& catalog)
      : before_(before),
        after_(after),
        catalog_(catalog),
        beforeLayout_(LayoutOf(before)),
        afterLayout_(LayoutOf(after)) {}

  void ShownValues(int page) {
    for (int index = 0; index < PageValueCount(page); ++index) {
      const ParamAddress address = MakeAddress(page, index);
      const int a = WireValue(before_[page][ParamStore::DeviceIndex(page, index, beforeLayout_)]);
      const int b = WireValue(after_[page][ParamStore::DeviceIndex(page, index, afterLayout_)]);
      if (a == b) continue;
      const DifferenceKind kind =
          address == kLayoutFlagAddress ? DifferenceKind::Layout : DifferenceKind::Value;
      Add(address, Label(address), a, b, kind);
    }
  }

  // The music setting the flag does not show travels with every upload all the same; each
  // image's other setting is compared with the other's, parameter by parameter.
  void OtherMusicSetting() {
    for (int index = kFirstMusicSettingIndex; index < PageValueCount(0); ++index) {
      const int a = WireValue(before_[0][ParamStore::DeviceIndex(0, index, 1 - beforeLayout_)]);
      const int b = WireValue(after_[0][ParamStore::DeviceIndex(0, index, 1 - afterLayout_)]);
      if (a == b) continue;
      const ParamAddress address = MakeAddress(0, index);
      Add(address, Label(address) + kOtherSettingSuffix, a, b, DifferenceKind::Value);
      out_.back().otherMusicSetting = true;
    }
  }

  // Cells an upload carries that neither image's layout shows (an output page's first cell
  // while both images have the flag set): no parameter, so named by page and index.
  void UnshownCells(int page) {
    const std::vector<bool> shown = ShownCells(page);
    for (int cell = 0; cell < UploadValueCount(page); ++cell) {
      if (shown[static_cast<size_t>(cell)]) continue;
      const int a = WireValue(before_[page][cell]);
      const int b = WireValue(after_[page][cell]);
      if (a == b) continue;
      const ParamAddress address = MakeAddress(page, cell);
      Add(address, CellName(page, cell), a, b, DifferenceKind::Value);
      out_.back().before = std::to_string(a);
      out_.back().after = std::to_string(b);
    }
  }

  void SystemCells(DiffScope scope) {
    std::vector<const ParamInfo*> cells;
    for (const ParamInfo& info : catalog_.Entries()) {
      if (PageOf(info.address) == kSystemPage && Compared(info, scope)) cells.push_back(&info);
    }
    std::ranges::sort(cells, {}, &ParamInfo::address);
    for (const ParamInfo* info : cells) {
      const int index = IndexOf(info->address);
      const int a = WireValue(before_[kSystemPage][index]);
      const int b = WireValue(after_[kSystemPage][index]);
      if (a == b) continue;
      if (IsSecret(info->address)) {
        out_.push_back({info->address, info->label, kSecretDiffers, kSecretDiffers, 0, 0,
                        DifferenceKind::Secret, false});
      } else {
        Add(info->address, info->label, a, b, DifferenceKind::Value);
      }
    }
  }

  std::vector<ImageDifference> Take() { return std::move(out_); }

 private:
  static bool Compared(const ParamInfo& info, DiffScope scope) {
    if (scope == DiffScope::Upload) {
      const int index = IndexOf(info.address);
      return index >= kVolumeLimitFirst && index < kVolumeLimitFirst + kVolumeLimitCount;
    }
    // Requests and names are not settings; passwords and the code are, though never shown.
    return info.kind == ParamKind::Value || IsSecret(info.address);
  }

  // The cells of the page that either image's layout shows as a parameter, found in one pass.
  std::vector<bool> ShownCells(int page) const {
    std::vector<bool> shown(static_cast<size_t>(kDeviceRowSize), false);
    for (int index = 0; index < PageValueCount(page); ++index) {
      for (int layout : {beforeLayout_, afterLayout_}) {
        const int cell = ParamStore::DeviceIndex(page, index, layout);
        if (cell >= 0 && cell < kDeviceRowSize) shown[static_cast<size_t>(cell)] = true;
      }
    }
    return shown;
  }

  std::string Label(ParamAddress address) const {
    const ParamInfo* info = catalog_.Find(address);
    return info != nullptr ? info->label : std::string();
  }

  void Add(ParamAddress address, std::string name, int a, int b, DifferenceKind kind) {
    out_.push_back({address, std::move(name), catalog_.DisplayText(address, a),
                    catalog_.DisplayText(address, b), a, b, kind, false});
  }

  const DeviceTable& before_;
  const DeviceTable& after_;
  const ParameterCatalog& catalog_;
  int beforeLayout_;
  int afterLayout_;
  std::vector<ImageDifference> out_;
};

}  // namespace

std::string_view DiffPageTitle(int page) {
  return page >= 0 && page < kPageCount ? kPageTitles[static_cast<std::size_t>(page)]
                                        : std::string_view();
}

std::vector<ImageDifference> DiffImages(const DeviceTable& before, const DeviceTable& after,
                                        const ParameterCatalog& catalog, DiffScope scope) {
  Differ differ(before, after, catalog);
  for (int page = 0; page < kSystemPage; ++page) {
    differ.ShownValues(page);
    if (page == 0) {
      differ.OtherMusicSetting();
    } else {
      differ.UnshownCells(page);
    }
  }
  differ.SystemCells(scope);
  return differ.Take();
}

}  // namespace velantro
