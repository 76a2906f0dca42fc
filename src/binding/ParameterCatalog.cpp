#include "binding/ParameterCatalog.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "binding/ControlTable.h"
#include "model/Scales.h"
#include "model/TextMark.h"

namespace velantro {

namespace {

constexpr int kAddressSpace = 0x10000;
constexpr int kRawMax = 0xFFFF;

// Requests and texts of the system page: not values a control edits.
struct SpecialCell {
  ParamAddress address;
  ParamKind kind;
  const char* label;
};
constexpr SpecialCell kSpecialCells[] = {
    {sysaddr::ModeName, ParamKind::Text, VELANTRO_TEXT("Mode name")},
    {sysaddr::ModeSave, ParamKind::Command, VELANTRO_TEXT("Mode save")},
    {sysaddr::SystemPassword, ParamKind::Text, VELANTRO_TEXT("System password")},
    {sysaddr::KeyLockPassword, ParamKind::Text, VELANTRO_TEXT("Key lock password")},
    {sysaddr::PageUpload, ParamKind::Command, VELANTRO_TEXT("Page upload")},
    {sysaddr::PageRequest, ParamKind::Command, VELANTRO_TEXT("Page request")},
    {sysaddr::LinkControl, ParamKind::Command, VELANTRO_TEXT("Link control")},
    {sysaddr::DeviceCode, ParamKind::Text, VELANTRO_TEXT("Management code")},
};

// A label written for the group's first page, said for the page asked about.
std::string LabelOn(const ControlSpec& row, int page) {
  const PageGroupNames names = NamesOf(row.group, page);
  std::string label(row.label);
  if (page == names.second && page != names.first &&
      label.compare(0, names.firstName.size(), names.firstName) == 0) {
    label.replace(0, names.firstName.size(), names.secondName);
  }
  return label;
}

// The controls that stand for (page, index): the row's own page, or the group's first page for a
// page of the group's second.
bool Covers(const ControlSpec& row, int page, int index) {
  if (IndexOf(row.address) != index) return false;
  const PageGroupNames names = NamesOf(row.group, page);
  const int rowPage = PageOf(row.address);
  return rowPage == page || (page == names.second && rowPage == names.first);
}

// Cells of a band column the page does not have: MIC B's last six columns and the outputs'
// eighth column, which the strips keep but never stand for a band of the unit.
bool ColumnNotShown(int page, int index) {
  if (page < 0 || page >= kEqPageCount) return false;
  const int first = kFirstBandIndex[static_cast<std::size_t>(page)];
  if (first < 0) return false;
  const int columns = kBandCount[static_cast<std::size_t>(ShownPage(page))] + (page >= 6 ? 1 : 0);
  const int shown = ShownBandCount(page, page == 3 ? 1 : 0);
  return index >= first + kBandValueCount * shown && index < first + kBandValueCount * columns;
}

bool SameLetters(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), SameLetters);
}

}  // namespace

std::string_view ScaleUnit(Scale scale) {
  switch (scale) {
    case Scale::BandFrequency:
      return "Hz";
    case Scale::BandGain:
      return "dB";
    case Scale::EffectLevel:
    case Scale::MixLevel:
    case Scale::EchoRightDelay:
      return "%";
    case Scale::DelayTime:
    case Scale::ReverbTime:
    case Scale::CompressorAttack:
    case Scale::OutputDelay:
      return "ms";
    case Scale::CompressorLevel:
      return "dBu";
    default:
      return {};
  }
}

ParameterCatalog::ParameterCatalog() : indexOf_(kAddressSpace, -1) {
  // The rows by the index of their address: a cell only looks at the rows of its own index.
  std::array<std::vector<const ControlSpec*>, 256> rowsAt;
  for (const ControlSpec& row : ControlRows()) {
    rowsAt[static_cast<std::size_t>(IndexOf(row.address))].push_back(&row);
  }
  for (int page = 0; page < kPageCount; ++page) {
    const int count = PageValueCount(page);
    const int micGroup = page == 3 ? 1 : 0;
    for (int index = 0; index < count; ++index) {
      ParamInfo info;
      info.address = MakeAddress(page, index);
      info.label = CellName(PageOf(info.address), IndexOf(info.address));
      info.upper = kRawMax;
      const BandLocation band = LocateBand(info.address, micGroup);
      const bool realBand = IsRealBandField(info.address, micGroup);
      for (const ControlSpec* at : rowsAt[static_cast<std::size_t>(index)]) {
        const ControlSpec& row = *at;
        if (ColumnNotShown(page, index) || !Covers(row, page, index)) continue;
        if (row.role == ControlRole::Member || row.sort == ControlSort::Image) {
          if (static_cast<int>(info.options.size()) <= row.position) {
            info.options.resize(static_cast<std::size_t>(row.position) + 1);
          }
          info.options[static_cast<std::size_t>(row.position)] = std::string(row.caption);
        }
        if (row.role != ControlRole::Main) continue;
        info.label = LabelOn(row, page);
        info.scale = row.valueScale();
        info.upper = row.max;
      }
      if (realBand) {
        info.kind = ParamKind::BandField;
        if (band.field == kBandFieldShelfQ) info.upper = kShelfQLimit;
      }
      entries_.push_back(std::move(info));
    }
  }
  for (const SpecialCell& cell : kSpecialCells) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const ParamInfo& e) { return e.address == cell.address; });
    if (it == entries_.end()) {
      entries_.push_back(ParamInfo{cell.address, {}, Scale::None, 0, kRawMax, cell.kind, {}});
      it = entries_.end() - 1;
    }
    it->label = cell.label;
    it->kind = cell.kind;
    it->scale = Scale::None;
    it->lower = 0;
    it->upper = kRawMax;
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    indexOf_[static_cast<std::size_t>(entries_[i].address)] = static_cast<int>(i);
  }
}

const ParamInfo* ParameterCatalog::Find(ParamAddress address) const {
  if (address < 0 || address >= kAddressSpace) return nullptr;
  const int i = indexOf_[static_cast<std::size_t>(address)];
  return i < 0 ? nullptr : &entries_[static_cast<std::size_t>(i)];
}

NameMatch ParameterCatalog::FindByName(
    std::string_view name, const std::function<std::string(const std::string&)>& spoken) const {
  std::vector<const ParamInfo*> equal;
  std::vector<const ParamInfo*> beginning;
  if (name.empty()) return {};
  for (const ParamInfo& info : entries_) {
    std::string said;
    const std::string& label = spoken ? (said = spoken(info.label)) : info.label;
    if (!StartsWithIgnoringCase(label, name)) continue;
    (label.size() == name.size() ? equal : beginning).push_back(&info);
  }
  std::vector<const ParamInfo*>& matches = equal.empty() ? beginning : equal;
  if (matches.size() == 1) return {matches.front(), {}};
  return {nullptr, std::move(matches)};
}

std::string ParameterCatalog::DisplayText(ParamAddress address, int raw) const {
  const ParamInfo* info = Find(address);
  return info == nullptr ? std::to_string(raw) : DisplayText(*info, raw);
}

std::string ParameterCatalog::DisplayText(const ParamInfo& info, int raw) const {
  if (raw >= 0 && raw < static_cast<int>(info.options.size()) &&
      !info.options[static_cast<std::size_t>(raw)].empty()) {
    return info.options[static_cast<std::size_t>(raw)];
  }
  if (!HasScaleText(info.scale)) return std::to_string(raw);
  std::string text = ScaleText(info.scale, LimitToScale(info.scale, raw));
  const std::string_view unit = ScaleUnit(info.scale);
  if (!unit.empty()) {
    text += ' ';
    text += unit;
  }
  return text;
}

}  // namespace velantro
