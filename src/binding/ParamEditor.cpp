#include "binding/ParamEditor.h"

#include <algorithm>
#include <array>
#include <span>

#include "model/BandLayout.h"
#include "model/ParamStore.h"
#include "model/Scales.h"
#include "model/ScopedAssign.h"

namespace velantro {

namespace {

// Field defaults: type PEQ, (frequency per band), gain 0.0 dB, PEQ Q "1.00", shelf Q "0.71".
constexpr std::array<int, kBandValueCount> kFieldDefaults{
    {kBandTypePeq, 0, kGainRawZeroDb, 16, 10}};

// Start-up values of the unit's image: the system page's item 17, music in Manual, the output
// low-pass filters "Off", the MIC A item 1 at 64.
struct StartValue {
  int page;
  int slot;
  int value;
};
constexpr StartValue kStartValues[] = {
    {10, 17, 0}, {0, 0, 1}, {6, 20, 362}, {7, 20, 362}, {8, 20, 362}, {9, 20, 362}, {1, 1, 64},
};

// The music setting an image holds (0x0001), which says where its music and output values lie.
int MusicLayoutOf(const DeviceTable& image) {
  return static_cast<uint8_t>(image[0][1]) != 0 ? 1 : 0;
}

// The music setting, Sing or Disco: it also says where page 0 keeps the rest.
constexpr ParamAddress kMusicSettingAddress = 0x0001;
// The effect EQ cells from here on are the echo's on page 4 or the reverb's on page 5.
constexpr int kEffectEqFirstIndex = 14;

// The view selectors pointed at the page of `where` while it is written, so the store keeps the
// value where the cell says, whichever page the window shows now.
class SelectorsAt {
 public:
  SelectorsAt(ParamStore& store, ParamAddress where)
      : mic_(store.MicGroup, PageOf(where) == 1 ? 0 : store.MicGroup),
        main_(store.MainOutputPage, PageOf(where) == 6 ? 6 : store.MainOutputPage),
        aux_(store.AuxOutputPage, PageOf(where) == 7 ? 7 : store.AuxOutputPage),
        effect_(store.EffectEqPage, IsEffectEq(where) ? PageOf(where) : store.EffectEqPage) {}

 private:
  static bool IsEffectEq(ParamAddress where) {
    return (PageOf(where) == 4 || PageOf(where) == 5) && IndexOf(where) >= kEffectEqFirstIndex;
  }
  ScopedAssign<int> mic_;
  ScopedAssign<int> main_;
  ScopedAssign<int> aux_;
  ScopedAssign<int> effect_;
};

}  // namespace

std::pair<int, int> ParamEditor::DeviceSlot(ParamAddress address) const {
  const ParamAddress e = store_.EffectiveAddress(address);
  const int page = PageOf(e);
  return {page, ParamStore::DeviceIndex(page, IndexOf(e), store_.LayoutFlag)};
}

void ParamEditor::AddListener(EditListener* listener) {
  if (listener != nullptr &&
      std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
    listeners_.push_back(listener);
  }
}

void ParamEditor::RemoveListener(EditListener* listener) { std::erase(listeners_, listener); }

void ParamEditor::Note(EditOrigin origin, ParamAddress address, int after) {
  // Inside a scope the scope's origin names the edit; the console's own writes make none.
  if (depth_ == 0) pending_.origin = origin;
  if (origin == EditOrigin::System || pending_.origin == EditOrigin::System || address < 0) return;
  // Kept where the unit keeps the value: a MIC B or SUR edit stays one when the view moves on.
  const ParamAddress where = store_.EffectiveAddress(address);
  NoteCell(EditCell{where, store_.View(where), after});
}

void ParamEditor::NoteCell(const EditCell& cell) {
  for (EditCell& kept : pending_.cells) {
    if (kept.address == cell.address) {
      kept.after = cell.after;
      return;
    }
  }
  pending_.cells.push_back(cell);
}

void ParamEditor::Flush() {
  if (depth_ > 0) return;
  std::erase_if(pending_.cells, [](const EditCell& c) { return c.before == c.after; });
  if (!pending_.cells.empty()) {
    const EditRecord record = std::move(pending_);
    for (EditListener* listener : listeners_) listener->OnEdit(record);
  }
  pending_ = EditRecord{};
}

void ParamEditor::BeginEdit(EditOrigin origin) {
  if (depth_++ == 0) pending_ = EditRecord{origin, {}};
}

void ParamEditor::EndEdit() {
  if (depth_ > 0) --depth_;
  Flush();
}

void ParamEditor::WriteCells(std::span<const EditCell> cells, bool after, EditOrigin origin) {
  {
    const EditScope scope(*this, origin);
    std::vector<ParamAddress> bands;
    for (const EditCell& cell : cells) {
      WriteCell(cell.address, after ? cell.after : cell.before, origin, bands);
    }
    // One band frame a band, after all its fields are in: the frame carries the five of them.
    for (const ParamAddress first : bands) {
      const SelectorsAt selectors(store_, first);
      store_.SetBand(first, store_.View(first));
    }
  }
  // A shared view row shows whichever page its selector names: it takes that page's value again,
  // so a write to the page not on view leaves what the window shows alone.
  for (const EditCell& cell : cells) {
    const ParamAddress shared = SharedViewAddress(cell.address);
    if (shared < 0) continue;
    const ParamAddress shown = store_.EffectiveAddress(shared);
    if (shown != shared) store_.SetView(PageOf(shared), IndexOf(shared), store_.View(shown));
  }
  // Sing and Disco keep page 0 in two places: the view reads the setting now in force.
  const bool layout = std::any_of(cells.begin(), cells.end(), [](const EditCell& c) {
    return c.address == kMusicSettingAddress;
  });
  if (layout) store_.RebuildViewValues(store_.LayoutFlag);
}

void ParamEditor::WriteCell(ParamAddress where, int value, EditOrigin origin,
                            std::vector<ParamAddress>& bands) {
  const SelectorsAt selectors(store_, where);
  if (where == kMusicSettingAddress) {
    SetMusicSetting(value, origin);
    return;
  }
  if (!IsRealBandField(where, 0)) {
    SetValue(where, value, origin);
    return;
  }
  const ParamAddress first = where - LocateBand(where, 0).field;
  if (std::find(bands.begin(), bands.end(), first) == bands.end()) bands.push_back(first);
  Note(origin, where, value);
  store_.Keep(where, value);
}

void ParamEditor::SetValue(ParamAddress address, int value, EditOrigin origin) {
  Note(origin, address, value);
  store_.SetParam(address, value);
  Flush();
}

void ParamEditor::SetBandField(ParamAddress address, int value, EditOrigin origin) {
  Note(origin, address, value);
  store_.SetBand(address, value);
  Flush();
}

void ParamEditor::StoreBoth(ParamAddress address, int value, EditOrigin origin) {
  Note(origin, address, value);
  store_.SetView(PageOf(address), IndexOf(address), value);
  const auto [page, slot] = DeviceSlot(address);
  store_.SetDevice(page, slot, value);
  Flush();
}

int ParamEditor::Toggle(ParamAddress address, EditOrigin origin) {
  const int value = store_.View(address) != 0 ? 0 : 1;
  SetValue(address, value, origin);
  return value;
}

void ParamEditor::Keep(ParamAddress address, int value) { store_.Keep(address, value); }

void ParamEditor::KeepShown(ParamAddress address, int value) {
  store_.SetView(PageOf(address), IndexOf(address), value);
}

void ParamEditor::ResetEqBands(int target, EditOrigin origin) {
  const EditScope scope(*this, target == kAllPages ? EditOrigin::System : origin);
  for (int i = 0; i < kEqPageCount; ++i) {
    if (target != i && target != kAllPages) continue;
    const int d = target == kAllPages ? i : PageOf(store_.EffectiveAddress(MakeAddress(i, 0)));
    const std::span<const int> frequencies = DefaultBandFrequencies(i);
    for (int b = 0; b < kBandCount[i]; ++b) {
      int j = 0;
      for (int f = 0; f < kBandValueCount; ++f) {
        const int value = f == kBandFieldFrequency ? frequencies[static_cast<size_t>(b)]
                                                   : kFieldDefaults[static_cast<size_t>(f)];
        j = i == kDeqPage ? kDeqChannelSize * b + kDeqFirstBandIndex + f
                          : kFirstBandIndex[i] + kBandValueCount * b + f;
        if (target == kAllPages && i == 0) {
          // Both music settings take the defaults; ViewValues follows at the refresh.
          store_.SetDevice(0, ParamStore::DeviceIndex(0, j, 0), value);
          store_.SetDevice(0, ParamStore::DeviceIndex(0, j, 1), value);
        } else {
          Note(origin, MakeAddress(d, j), value);
          store_.SetDevice(d, ParamStore::DeviceIndex(d, j, store_.LayoutFlag), value);
          store_.SetView(d, j, value);
        }
      }
      // j is the band's field 4: the band frame carries all five values.
      if (target != kAllPages) store_.SetBand(MakeAddress(i, j), store_.View(d, j));
    }
  }
}

void ParamEditor::SetDeqBands(const int (&fields)[3][5], EditOrigin origin) {
  const EditScope scope(*this, origin);
  for (int g = 0; g < kBandCount[kDeqPage]; ++g) {
    const int first = kDeqChannelSize * g + kDeqFirstBandIndex;
    for (int f = 0; f < kBandValueCount; ++f) {
      StoreBoth(MakeAddress(kDeqPage, first + f), fields[g][f], origin);
    }
    store_.SetBand(MakeAddress(kDeqPage, first), store_.View(kDeqPage, first));
  }
}

void ParamEditor::SetMusicSetting(int value, EditOrigin origin) {
  SetValue(MakeAddress(0, 1), value, origin);
  store_.LayoutFlag = static_cast<uint8_t>(value);
}

void ParamEditor::TakeImage(const DeviceTable& image, EditOrigin origin) {
  const EditScope scope(*this, origin);
  if (origin != EditOrigin::System) {
    const int layoutBefore = MusicLayoutOf(store_.DeviceImage);
    const int layoutAfter = MusicLayoutOf(image);
    for (int page = 0; page < kPageCount; ++page) {
      for (int index = 0; index < PageValueCount(page); ++index) {
        const int before =
            store_.DeviceImage[page][ParamStore::DeviceIndex(page, index, layoutBefore)];
        const int after = image[page][ParamStore::DeviceIndex(page, index, layoutAfter)];
        if (before != after) NoteCell(EditCell{MakeAddress(page, index), before, after});
      }
    }
  }
  store_.DeviceImage = image;
}

ParamAddress SharedViewAddress(ParamAddress where) {
  const int page = PageOf(where);
  const int index = IndexOf(where);
  if ((page == 1 || page == 3) && (index < 1 || index > 3)) return MakeAddress(1, index);
  if (page == 6 || page == 9) return MakeAddress(6, index);
  if (page == 7 || page == 8) return MakeAddress(7, index);
  if ((page == 4 || page == 5) && index >= kEffectEqFirstIndex) return MakeAddress(4, index);
  return -1;
}

void ParamEditor::SetMicGroup(int group) { store_.MicGroup = group; }
void ParamEditor::SetMainOutputPage(int page) { store_.MainOutputPage = page; }
void ParamEditor::SetAuxOutputPage(int page) { store_.AuxOutputPage = page; }

void ParamEditor::WriteStartValues() {
  for (const StartValue& v : kStartValues) store_.SetDevice(v.page, v.slot, v.value);
}

void ParamEditor::NoteGraphChange(GraphChange change) {
  lastGraphChange_ = change;
  for (EditListener* listener : listeners_) listener->OnGraphChange(change);
}

}  // namespace velantro
