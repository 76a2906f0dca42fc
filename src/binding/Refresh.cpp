// Model to view: every bound control shows the store's value without sending anything back; the
// auto mode and EQ pass locks; the EQ band defaults.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "binding/ControlBinding.h"
#include "binding/Scales.h"
#include "binding/WidgetNames.h"
#include "model/ScopedAssign.h"

namespace velantro {

namespace {

// Field defaults: type PEQ, (frequency per band), gain 0.0 dB, PEQ Q "1.00", shelf Q "0.71".
constexpr std::array<int, kBandValueCount> kFieldDefaults{
    {kBandTypePeq, 0, kGainRawZeroDb, 16, 10}};

constexpr int kMusicLockedSlots = 48;   // the auto mode locks music slots 1 .. 48
constexpr int kOutputSourceSlots = 16;  // slots 0 .. 15 of the output pages: levels and phases

void Enable(QWidget* w, bool on) {
  if (w != nullptr) w->setEnabled(on);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// RefreshAllControls
// ---------------------------------------------------------------------------------------------

void ControlBinding::RefreshAllControls(int target) {
  {
    const ScopedAssign<int32_t> quiet(store_.SuppressSend, 1);
    ShowStore(target);
    Redraw(kWholePagePoint, PageOf(*currentSection_));
  }
  if (auto* label = qobject_cast<QLabel*>(Find(names::kCurrentModeLabel))) {
    label->setText(QStringLiteral("（Current Mode：%1 ）").arg(store_.Device(10, 2) + 1));
  }
}

// Every control of the target shows the store; nothing is sent and the graph is not redrawn.
void ControlBinding::ShowStore(int target) {
  const ScopedAssign refreshing(refreshInProgress_, true);
  store_.RebuildViewValues(store_.LayoutFlag);
  store_.LayoutFlag = static_cast<uint8_t>(store_.View(0, 1));

  const int shown = ShownPage(target);
  for (int p = 0; p < kPageCount; ++p) {
    if (shown != kAllPages && p != shown) continue;
    const int slotCount = std::min(PageValueCount(p), kRefreshSlotLimit);
    for (int s = 0; s < slotCount; ++s) RefreshSlot(p, s);
  }

  if (autoManualHandler) {
    // Auto is the main control of the music mode cell, Manual its pane.
    auto* button = qobject_cast<QPushButton*>(store_.View(0, 0) == 0 ? main_[0][0] : panes_[0][0]);
    if (button != nullptr) autoManualHandler(button);
  }
  // MicGroup is a selector, not a parameter: its pair shows the current group all the same.
  ControlAction(Find(store_.MicGroup == 0 ? QString::fromLatin1(names::kMicGroupA)
                                          : QString::fromLatin1(names::kMicGroupB)),
                action::kMicGroup);
  RefreshEqPass();
  Enable(Find(names::kMusicGainGroup), store_.View(10, 12) != 0);
  Enable(Find(names::kUserAdminGroup), false);
  RefreshModeList();
}

// One slot shows the store: widgets take the value without their change handlers running, and
// nothing is sent. What a control cannot show (a bar's range, an item the box lacks, a value off
// its scale) is corrected in the store as the handlers always did, still without sending.
void ControlBinding::RefreshSlot(int page, int slot) {
  QWidget* c = main_[page][slot];
  if (c == nullptr || c == placeholder_) return;
  const int v = store_.View(page, slot);
  switch (KindOf(c)) {
    case ControlKind::TrackBar:
      RefreshTrackBar(static_cast<QSlider*>(c), v);
      break;
    case ControlKind::Button:
      if (auto* button = qobject_cast<QPushButton*>(c)) RefreshButton(button, page, slot, v);
      break;
    case ControlKind::Combo: {
      auto* combo = qobject_cast<QComboBox*>(c);
      if (combo == nullptr) break;
      const int item = v % 10;
      combo->setCurrentIndex(item >= 0 && item < combo->count() ? item : -1);
      if (IsTypeImage(sides_[page][slot][0])) ShowBandType(combo);
      break;
    }
    case ControlKind::Edit:
      ApplyControlValue(c, kStepNone, true, v);
      break;
    default:
      break;
  }
}

void ControlBinding::RefreshButton(QPushButton* button, int page, int slot, int v) {
  if (page == 0 && slot == 0) return;  // Auto/Manual follows after the slots
  if (page == 0 && slot == 1) {
    // Disco is the main control of the cell, Sing its pane.
    ControlAction(v == 0 ? panes_[0][1] : main_[0][1], action::kSingDisco);
    return;
  }
  const ParamAddress a = AddressOf(button);
  switch (RoleOf(button)) {
    case ButtonRole::Option:
      // The member that stands for v is chosen; the members keep their positions as hints.
      LoadOptionGroup(a);
      ShowOption(v);
      return;
    case ButtonRole::Phase:
      ShowPhase(button, v != 0);
      break;
    case ButtonRole::EqPass:
      if (page != kDeqPage) return;  // the page EQ pass follows the section on view
      ShowToggle(button, v != 0);
      break;
    case ButtonRole::Toggle:
      ShowToggle(button, v != 0);
      break;
  }
  // A button knows off and on only.
  if (v != 0 && v != 1) store_.Keep(a, 1);
}

// A bar shows the stored value as far as its range goes, and its pane the position it took.
void ControlBinding::RefreshTrackBar(QSlider* bar, int value) {
  MoveBarQuietly(bar, value);
  const int position = bar->value();
  const ParamAddress a = AddressOf(bar);
  QWidget* pane = ValuePaneAt(a);
  if (IsVolumeBar(a)) {
    SetHint(pane, QString::number(position));
    ShowText(pane, QString::fromStdString(FormatNumber(position, 0)));
    if (position != value) store_.Keep(a, position);
    return;
  }
  if (KindOf(pane) != ControlKind::Pane) return;
  const EditOutcome shown = ApplyControlValue(pane, kStepNone, true, position);
  if (shown.address >= 0 && shown.stored != value) store_.Keep(a, shown.stored);
}

// The "EQ pass" button follows the page on view; DEQ and System have no page EQ pass.
void ControlBinding::RefreshEqPass() {
  const int q = PageOf(*currentSection_);
  QWidget* notice = Find(names::kEqPassNotice);
  if (q == kDeqPage || q >= kEqPageCount) {
    if (notice != nullptr) notice->hide();
    return;
  }
  const ParamAddress a = MakeAddress(q, kFirstBandIndex[q] - 1);
  int r = 0;
  if (QWidget* button = EqPassButton()) {
    button->setProperty("address", a);
    SetHint(button, store_.View(a) == 0 ? QStringLiteral("1") : QStringLiteral("0"));
    r = ControlAction(button, action::kToggle);
  }
  eqPassState_[q] = r;
  if (notice != nullptr) notice->setVisible(r != 0);
}

void ControlBinding::RefreshModeList() {
  auto* box = qobject_cast<QComboBox*>(MainControlAt(sysaddr::CurrentMode));
  if (box == nullptr) return;
  const int remembered = store_.Device(10, 2);
  box->clear();
  for (int i = 0; i < static_cast<int>(store_.ModeNames.size()); ++i) {
    box->addItem(QStringLiteral("%1-%2").arg(i + 1).arg(
        QString::fromStdString(store_.ModeNames[static_cast<size_t>(i)])));
  }
  box->setCurrentIndex(remembered >= 0 && remembered < box->count() ? remembered : -1);
  if (modeBoxHandler) modeBoxHandler();
}

// ---------------------------------------------------------------------------------------------
// EnableBoundControls
// ---------------------------------------------------------------------------------------------

void ControlBinding::EnableBoundControls(int flag, int page) {
  auto enableIf = [](QWidget* w, ControlKind kind, bool on) {
    if (w != nullptr && KindOf(w) == kind) w->setEnabled(on);
  };
  if (page == kAutoModeLock) {
    const bool e = flag != 0;
    if (store_.View(0, 3) == 0) {
      Enable(Find(names::kMusicStrip), e);
      for (int s = 1; s <= kMusicLockedSlots; ++s) {
        if (KindOf(spins_[0][s]) != ControlKind::Spin) continue;
        spins_[0][s]->setEnabled(e);
        enableIf(main_[0][s], ControlKind::Edit, e);
      }
    }
    for (int p = 6; p <= 9; ++p) {
      for (int s = 0; s < kOutputSourceSlots; ++s) {
        QWidget* c = main_[p][s];
        const ControlKind kind = KindOf(c);
        if (c != placeholder_ && (kind == ControlKind::TrackBar || kind == ControlKind::Button ||
                                  kind == ControlKind::Combo || kind == ControlKind::Edit)) {
          c->setEnabled(e);
        }
        enableIf(spins_[p][s], ControlKind::Spin, e);
        enableIf(panes_[p][s], ControlKind::Button, e);
      }
    }
    Enable(panes_[0][1], e);
    Enable(main_[0][1], e);
    return;
  }

  const bool e = HintOf(EqPassButton()) != QLatin1String("1");
  switch (page) {
    case 0:
      if (flag == 0) return;  // the auto mode lock rules the music page
      Enable(Find(names::kMusicStrip), e);
      break;
    case 1:
      Enable(Find(names::kMicCurvePanel), e);
      Enable(Find(names::kMicStrip), e);
      break;
    case kDeqPage:
      for (int g = 1; g <= 3; ++g) {
        const int b = kDeqChannelSize * (g - 1);
        const bool eg = store_.View(kDeqPage, b + 1) == 0;
        for (int s = b + 3; s <= b + 6; ++s) {
          enableIf(main_[kDeqPage][s], ControlKind::Edit, eg);
          enableIf(spins_[kDeqPage][s], ControlKind::Spin, eg);
        }
        Enable(Find(QString::fromLatin1(names::kDeqChannelGroup).arg(g)), eg);
      }
      return;
    case 4:
      Enable(Find(names::kEffectStrip), e);
      break;
    case 5:
      break;
    case 6:
      Enable(Find(names::kMainStrip), e);
      break;
    case 7:
      Enable(Find(names::kAuxStrip), e);
      break;
    default:
      return;  // pages 3, 8, 9 and 10 have no EQ pass lock
  }
  const int first = kFirstBandIndex[page];
  const int last = first + kBandValueCount * kBandCount[page];
  for (int s = first; s <= last && s < kBindingSlots; ++s) {
    if (main_[page][s] != placeholder_) enableIf(main_[page][s], ControlKind::Edit, e);
    enableIf(spins_[page][s], ControlKind::Spin, e);
  }
}

// ---------------------------------------------------------------------------------------------
// ResetEqBands
// ---------------------------------------------------------------------------------------------

void ControlBinding::ResetEqBands(int target) {
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
          store_.SetDevice(d, ParamStore::DeviceIndex(d, j, store_.LayoutFlag), value);
          store_.SetView(d, j, value);
        }
      }
      // j is the band's field 4: the band frame carries all five values.
      if (target != kAllPages) store_.SetBand(MakeAddress(i, j), store_.View(d, j));
    }
  }
  RefreshAllControls(target);
}

}  // namespace velantro
