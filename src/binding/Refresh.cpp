// Model to view: every bound control shows the store's value without sending anything back; the
// auto mode and EQ pass locks; the EQ band defaults.

#include "binding/Refresh.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "binding/ControlBinding.h"
#include "model/Scales.h"
#include "model/ScopedAssign.h"
#include "model/Sections.h"
#include "widgets/Translation.h"
#include "widgets/WidgetNames.h"

namespace velantro {

namespace {

constexpr int kMusicLockedSlots = 48;   // the auto mode locks music slots 1 .. 48
constexpr int kOutputSourceSlots = 16;  // slots 0 .. 15 of the output pages: levels and phases

void Enable(QWidget* w, bool on) {
  if (w != nullptr) w->setEnabled(on);
}

}  // namespace

Refresh::Refresh(BindingTables& tables, ControlActions& actions, EditDispatch& edits,
                 BindingState& state, const std::function<void(int point, int page)>& redrawCurves,
                 const std::function<void(QPushButton* button)>& autoManualHandler,
                 const std::function<void()>& modeBoxHandler)
    : tables_(tables),
      actions_(actions),
      edits_(edits),
      state_(state),
      redrawCurves_(redrawCurves),
      autoManualHandler_(autoManualHandler),
      modeBoxHandler_(modeBoxHandler) {}

void Refresh::SetEqPassState(int page, int value) {
  if (page >= 0 && page < kPageCount) eqPassState_[page] = value;
}

// ---------------------------------------------------------------------------------------------
// RefreshAllControls
// ---------------------------------------------------------------------------------------------

void Refresh::RefreshAllControls(int target) {
  ParamStore& store = state_.store;
  {
    const ScopedAssign<int32_t> quiet(store.SuppressSend, 1);
    ShowStore(target);
    if (redrawCurves_) redrawCurves_(kWholePagePoint, SectionPage(state_.currentSection));
  }
  if (auto* label = qobject_cast<QLabel*>(tables_.Find(names::kCurrentModeLabel))) {
    label->setText(Translated(QT_TRANSLATE_NOOP("velantro", "（Current Mode：%1 ）"))
                       .arg(store.Device(10, 2) + 1));
  }
  if (afterRefresh) afterRefresh(target);
}

// Every control of the target shows the store; nothing is sent and the graph is not redrawn.
void Refresh::ShowStore(int target) {
  ParamStore& store = state_.store;
  const ScopedAssign refreshing(state_.refreshInProgress, true);
  store.RebuildViewValues(store.LayoutFlag);
  store.LayoutFlag = static_cast<uint8_t>(store.View(0, 1));

  const int shown = ShownPage(target);
  for (int p = 0; p < kPageCount; ++p) {
    if (shown != kAllPages && p != shown) continue;
    const int slotCount = std::min(PageValueCount(p), kRefreshSlotLimit);
    for (int s = 0; s < slotCount; ++s) RefreshSlot(p, s);
  }

  if (autoManualHandler_) {
    // Auto is the main control of the music mode cell, Manual its pane.
    QWidget* mode =
        store.View(0, 0) == 0 ? tables_.MainControls()[0][0] : tables_.ValuePanes()[0][0];
    if (auto* button = qobject_cast<QPushButton*>(mode)) autoManualHandler_(button);
  }
  // MicGroup is a selector, not a parameter: its pair shows the current group all the same.
  actions_.ChooseMicGroup(
      tables_.Find(store.MicGroup == 0 ? names::kMicGroupA : names::kMicGroupB));
  RefreshEqPass();
  Enable(tables_.Find(names::kMusicGainGroup), store.View(10, 12) != 0);
  Enable(tables_.Find(names::kUserAdminGroup), false);
  RefreshModeList();
}

// One slot shows the store: widgets take the value without their change handlers running, and
// nothing is sent. What a control cannot show (a bar's range, an item the box lacks, a value off
// its scale) is corrected in the store as the handlers always did, still without sending.
void Refresh::RefreshSlot(int page, int slot) {
  QWidget* c = tables_.MainControls()[page][slot];
  if (c == nullptr || c == tables_.Placeholder()) return;
  const int v = state_.store.View(page, slot);
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
      if (tables_.IsTypeImage(tables_.SideControl(page, slot, 0))) actions_.ShowBandType(combo);
      break;
    }
    case ControlKind::Edit:
      edits_.ApplyControlValue(c, kStepNone, true, v);
      break;
    default:
      break;
  }
}

void Refresh::RefreshButton(QPushButton* button, int page, int slot, int v) {
  if (page == 0 && slot == 0) return;  // Auto/Manual follows after the slots
  if (page == 0 && slot == 1) {
    // Disco is the main control of the cell, Sing its pane.
    actions_.ChooseSingDisco(v == 0 ? tables_.ValuePanes()[0][1] : tables_.MainControls()[0][1]);
    return;
  }
  const ParamAddress a = AddressOf(button);
  switch (RoleOf(button)) {
    case ButtonRole::Option:
      // The member that stands for v is chosen; the members keep their positions as hints.
      tables_.LoadOptionGroup(a);
      actions_.ShowOption(v);
      return;
    case ButtonRole::Phase:
      ControlActions::ShowPhase(button, v != 0);
      break;
    case ButtonRole::EqPass:
      if (page != kDeqPage) return;  // the page EQ pass follows the section on view
      ControlActions::ShowToggle(button, v != 0);
      break;
    case ButtonRole::Toggle:
      ControlActions::ShowToggle(button, v != 0);
      break;
  }
  // A button knows off and on only.
  if (v != 0 && v != 1) state_.editor.Keep(a, 1);
}

// A bar shows the stored value as far as its range goes, and its pane the position it took.
void Refresh::RefreshTrackBar(QSlider* bar, int value) {
  EditDispatch::MoveBarQuietly(bar, value);
  const int position = bar->value();
  const ParamAddress a = AddressOf(bar);
  QWidget* pane = tables_.ValuePaneAt(a);
  if (EditDispatch::IsVolumeBar(a)) {
    EditDispatch::ShowText(pane, QString::fromStdString(FormatNumber(position, 0)));
    if (position != value) state_.editor.Keep(a, position);
    return;
  }
  if (KindOf(pane) != ControlKind::Pane) return;
  const EditOutcome shown = edits_.ApplyControlValue(pane, kStepNone, true, position);
  if (shown.address >= 0 && shown.stored != value) state_.editor.Keep(a, shown.stored);
}

// The "EQ pass" button follows the page on view; DEQ and System have no page EQ pass.
void Refresh::RefreshEqPass() {
  const int q = SectionPage(state_.currentSection);
  QWidget* notice = tables_.Find(names::kEqPassNotice);
  if (q == kDeqPage || q >= kEqPageCount) {
    if (notice != nullptr) notice->hide();
    return;
  }
  const ParamAddress a = MakeAddress(q, kFirstBandIndex[q] - 1);
  int r = 0;
  if (QWidget* button = tables_.EqPassButton()) {
    button->setProperty("address", a);
    r = state_.store.View(a) != 0 ? 1 : 0;
    ControlActions::ShowToggle(button, r != 0);
  }
  eqPassState_[q] = r;
  if (notice != nullptr) notice->setVisible(r != 0);
}

void Refresh::RefreshModeList() {
  auto* box = qobject_cast<QComboBox*>(tables_.MainControlAt(sysaddr::CurrentMode));
  if (box == nullptr) return;
  const ParamStore& store = state_.store;
  const int remembered = store.Device(10, 2);
  box->clear();
  for (int i = 0; i < static_cast<int>(store.ModeNames.size()); ++i) {
    box->addItem(QStringLiteral("%1-%2").arg(i + 1).arg(
        QString::fromStdString(store.ModeNames[static_cast<size_t>(i)])));
  }
  box->setCurrentIndex(remembered >= 0 && remembered < box->count() ? remembered : -1);
  if (modeBoxHandler_) modeBoxHandler_();
}

// ---------------------------------------------------------------------------------------------
// EnableBoundControls
// ---------------------------------------------------------------------------------------------

void Refresh::EnableBoundControls(int flag, int page) {
  const ParamStore& store = state_.store;
  const ControlTableRows& main = tables_.MainControls();
  const ControlTableRows& panes = tables_.ValuePanes();
  const ControlTableRows& spins = tables_.SpinControls();
  QWidget* const placeholder = tables_.Placeholder();
  auto enableIf = [](QWidget* w, ControlKind kind, bool on) {
    if (w != nullptr && KindOf(w) == kind) w->setEnabled(on);
  };
  if (page == kAutoModeLock) {
    const bool e = flag != 0;
    if (store.View(0, 3) == 0) {
      Enable(tables_.Find(names::kMusicStrip), e);
      for (int s = 1; s <= kMusicLockedSlots; ++s) {
        if (KindOf(spins[0][s]) != ControlKind::Spin) continue;
        spins[0][s]->setEnabled(e);
        enableIf(main[0][s], ControlKind::Edit, e);
      }
    }
    for (int p = 6; p <= 9; ++p) {
      for (int s = 0; s < kOutputSourceSlots; ++s) {
        QWidget* c = main[p][s];
        const ControlKind kind = KindOf(c);
        if (c != placeholder && (kind == ControlKind::TrackBar || kind == ControlKind::Button ||
                                 kind == ControlKind::Combo || kind == ControlKind::Edit)) {
          c->setEnabled(e);
        }
        enableIf(spins[p][s], ControlKind::Spin, e);
        enableIf(panes[p][s], ControlKind::Button, e);
      }
    }
    Enable(panes[0][1], e);
    Enable(main[0][1], e);
    return;
  }

  // The page's EQ pass, as the store holds it at the address the button points at.
  const bool e = state_.store.View(AddressOf(tables_.EqPassButton())) == 0;
  switch (page) {
    case 0:
      if (flag == 0) return;  // the auto mode lock rules the music page
      Enable(tables_.Find(names::kMusicStrip), e);
      break;
    case 1:
      Enable(tables_.Find(names::kMicCurvePanel), e);
      Enable(tables_.Find(names::kMicStrip), e);
      break;
    case kDeqPage:
      for (int g = 1; g <= 3; ++g) {
        const int b = kDeqChannelSize * (g - 1);
        const bool eg = store.View(kDeqPage, b + 1) == 0;
        for (int s = b + 3; s <= b + 6; ++s) {
          enableIf(main[kDeqPage][s], ControlKind::Edit, eg);
          enableIf(spins[kDeqPage][s], ControlKind::Spin, eg);
        }
        Enable(tables_.Find(QString::fromLatin1(names::kDeqChannelGroup).arg(g)), eg);
      }
      return;
    case 4:
      Enable(tables_.Find(names::kEffectStrip), e);
      break;
    case 5:
      break;
    case 6:
      Enable(tables_.Find(names::kMainStrip), e);
      break;
    case 7:
      Enable(tables_.Find(names::kAuxStrip), e);
      break;
    default:
      return;  // pages 3, 8, 9 and 10 have no EQ pass lock
  }
  const int first = kFirstBandIndex[page];
  const int last = first + kBandValueCount * kBandCount[page];
  for (int s = first; s <= last && s < kBindingSlots; ++s) {
    if (main[page][s] != placeholder) enableIf(main[page][s], ControlKind::Edit, e);
    enableIf(spins[page][s], ControlKind::Spin, e);
  }
}

// ---------------------------------------------------------------------------------------------
// ResetEqBands
// ---------------------------------------------------------------------------------------------

void Refresh::ResetEqBands(int target) {
  state_.editor.ResetEqBands(target, EditOrigin::Reset);
  RefreshAllControls(target);
}

}  // namespace velantro
