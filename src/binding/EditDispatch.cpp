// Edit dispatch: every operator action on a bound control becomes a limited, shown, stored and
// sent parameter value.

#include "binding/EditDispatch.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "binding/ControlActions.h"
#include "binding/ControlTable.h"
#include "model/BandLayout.h"
#include "model/Rounding.h"
#include "model/Scales.h"
#include "model/Sections.h"
#include "widgets/Translation.h"
#include "widgets/WidgetNames.h"

namespace velantro {

namespace {

// The three volume bars of a source on the system page: normal, start, limit.
struct VolumeSource {
  ParamAddress normal;
  ParamAddress start;
  ParamAddress limit;
};
constexpr std::array<VolumeSource, 3> kVolumeSources{{
    {0x0A20, 0x0A06, 0x0A07},  // music
    {0x0A21, 0x0A08, 0x0A09},  // MIC
    {0x0A22, 0x0A0A, 0x0A0B},  // effect
}};

constexpr int kLastFixedCrossoverType = 2;  // items above this are user types with their own Q
constexpr int kHighPassTypeSlot = 16;
constexpr int kLowPassTypeSlot = 19;
constexpr int kCrossoverQOffset = 2;  // the Q bar sits two cells above its type

}  // namespace

EditDispatch::EditDispatch(BindingTables& tables, ControlActions& actions, BindingState& state,
                           const std::function<void(int point, int page)>& redrawCurves)
    : QObject(nullptr),
      tables_(tables),
      actions_(actions),
      state_(state),
      redrawCurves_(redrawCurves),
      rule_(state.editor) {}

// ---------------------------------------------------------------------------------------------
// ApplyControlValue
// ---------------------------------------------------------------------------------------------

EditOutcome EditDispatch::ApplyControlValue(QWidget* c, int step, bool fromStore, double x,
                                            EditOrigin origin) {
  if (c == nullptr || c == tables_.Placeholder()) return {};
  const ControlKind kind = KindOf(c);
  const ValueScale s = tables_.ScaleOf(c);
  if (kind == ControlKind::Pane) {
    // A band field's pane only shows; the value is its edit's.
    if (s <= Scale::BandQ) return {};
  } else if (kind == ControlKind::Combo) {
    // Boxes of no scale (crossover types, the tone, the mode list) have handlers of their own.
    if (s == Scale::None) return {};
  } else if (kind != ControlKind::Edit) {
    return {};
  }
  const int own = AddressOf(c);
  if (own < 0) return {};
  const EditOutcome out = rule_.Limit(own, s, step, fromStore, x);
  ShowOutcome(c, out);

  // The linked track bar follows without running its own change handler.
  QWidget* barWidget = tables_.MainControlAt(out.address);
  if (KindOf(barWidget) != ControlKind::TrackBar) barWidget = tables_.SideControlAt(out.address, 0);
  if (auto* bar = qobject_cast<QSlider*>(barWidget);
      bar != nullptr && KindOf(bar) == ControlKind::TrackBar) {
    MoveBarQuietly(bar, RoundHalfEvenToInt(out.limited));
  }
  rule_.Commit(out, fromStore, state_.refreshInProgress, origin);
  return out;
}

void EditDispatch::SelectBand(QLineEdit* edit) {
  if (edit == nullptr || state_.refreshInProgress) return;
  const ParamAddress a = ResolveQAddress(AddressOf(edit), state_.store);
  actions_.SelectBand(edit, GraphIndex(a));
  state_.editor.NoteGraphChange(GraphChange{a, state_.store.View(a)});
}

void EditDispatch::MoveBarQuietly(QSlider* bar, int position) {
  const QSignalBlocker quiet(bar);
  bar->setValue(position);
}

void EditDispatch::ShowText(QWidget* control, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    // A pane's word ("Off") in the console's language; numbers stay as they are.
    label->setText(Translated(text));
  }
}

// What the control shows of an edit: the text, the combo item, the band selection.
void EditDispatch::ShowOutcome(QWidget* c, const EditOutcome& out) {
  const ParamAddress a = out.address;
  switch (out.scale) {
    case Scale::BandType:
      if (auto* combo = qobject_cast<QComboBox*>(c)) {
        const int item = TruncateToInt(out.limited);
        combo->setCurrentIndex(item >= 0 && item < combo->count() ? item : -1);
      }
      break;
    case Scale::BandFrequency:
      ShowText(c, QString::fromStdString(out.text));
      // A refresh only shows: were it to take every frequency edit it shows as CurrentEdit, it
      // would leave the last one of the page there (MIC column 15, the hidden eighth output
      // column), and the next arrow, wheel step or focus change would commit that band.
      if (auto* bound = qobject_cast<QLineEdit*>(tables_.MainControlAt(a));
          bound != nullptr && KindOf(bound) == ControlKind::Edit && !state_.refreshInProgress) {
        state_.currentEdit = bound;
      }
      actions_.SelectBand(qobject_cast<QLineEdit*>(c), GraphIndex(a));
      break;
    case Scale::BandGain:
    case Scale::BandQ:
      ShowText(c, QString::fromStdString(out.text));
      actions_.SelectBand(qobject_cast<QLineEdit*>(c), GraphIndex(a));
      break;
    default:
      if (!out.text.empty()) ShowText(c, QString::fromStdString(out.text));
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Track bars
// ---------------------------------------------------------------------------------------------

void EditDispatch::TrackBarChanged(QSlider* bar) {
  if (bar == nullptr) return;
  QWidget* pane = tables_.ValuePaneAt(AddressOf(bar));
  if (KindOf(pane) == ControlKind::Pane) {
    ApplyControlValue(pane, kStepNone, false, bar->value(), EditOrigin::Slider);
  }
  // The operator's bar ends band stepping; a refresh moving the bars leaves CurrentEdit alone.
  if (!state_.refreshInProgress) state_.currentEdit = tables_.Placeholder();
}

void EditDispatch::GainBarChanged(QSlider* bar) {
  if (bar == nullptr) return;
  auto* edit = qobject_cast<QLineEdit*>(tables_.MainControlAt(AddressOf(bar)));
  if (edit == nullptr || edit == tables_.Placeholder() || KindOf(edit) != ControlKind::Edit) {
    return;
  }
  // The bar of a column the view does not show stands for no band of the unit.
  if (!IsRealBandField(AddressOf(edit), state_.store.MicGroup)) return;
  state_.currentEdit = edit;
  ApplyControlValue(edit, kStepNone, false, bar->value(), EditOrigin::Slider);
}

// The handler a bar's change event runs, by the bar's binding.
void EditDispatch::SliderChanged(QSlider* bar) {
  const int address = AddressOf(bar);
  if (IsVolumeBar(address)) {
    VolumeBarChanged(bar);
  } else if (tables_.SideControlAt(address, 0) == bar) {
    GainBarChanged(bar);
  } else {
    TrackBarChanged(bar);
  }
}

bool EditDispatch::IsVolumeBar(ParamAddress address) {
  for (const VolumeSource& source : kVolumeSources) {
    if (address == source.normal || address == source.start || address == source.limit) {
      return true;
    }
  }
  return false;
}

void EditDispatch::VolumeBarChanged(QSlider* bar) {
  if (bar == nullptr) return;
  const int address = AddressOf(bar);
  const VolumeSource* source = nullptr;
  int role = 0;
  for (const VolumeSource& s : kVolumeSources) {
    if (address == s.normal || address == s.start || address == s.limit) {
      source = &s;
      role = address == s.normal ? 0 : (address == s.start ? 1 : 2);
    }
  }
  if (source == nullptr) return;
  ParamStore& store = state_.store;
  QWidget* pane = tables_.ValuePaneAt(address);
  const int prev = store.View(address);
  if (role == 0 && bar->value() > prev + 1 && store.SuppressSend == 0) {
    // The normal volume rises by one step per change event; the change event of this move
    // stores, shows and sends the value.
    bar->setValue(prev + 1);
    return;
  }
  const int position = bar->value();
  LinkVolumeBars(qobject_cast<QSlider*>(tables_.MainControlAt(source->normal)),
                 qobject_cast<QSlider*>(tables_.MainControlAt(source->start)),
                 qobject_cast<QSlider*>(tables_.MainControlAt(source->limit)), role, pane);
  // Lowered to the limit: its own change event has done the rest.
  if (bar->value() != position) return;
  state_.editor.SetValue(address, position, EditOrigin::Slider);
}

void EditDispatch::LinkVolumeBars(QSlider* normal, QSlider* start, QSlider* limit, int role,
                                  QWidget* pane) {
  auto lower = [&](QSlider* bar) {
    if (bar != nullptr && limit != nullptr && bar->value() > limit->value()) {
      bar->setValue(limit->value());
    }
  };
  if (state_.store.SuppressSend == 0) {
    if (role == 0) lower(normal);
    if (role == 1) lower(start);
    if (role == 2) {
      lower(start);
      lower(normal);
    }
  }
  QSlider* shown = role == 0 ? normal : (role == 1 ? start : limit);
  if (shown != nullptr) ShowText(pane, QString::fromStdString(FormatNumber(shown->value(), 0)));
}

// ---------------------------------------------------------------------------------------------
// Combo boxes
// ---------------------------------------------------------------------------------------------

void EditDispatch::BandTypeChanged(QComboBox* combo) {
  if (combo == nullptr) return;
  const int v = combo->currentIndex();
  const ParamAddress a = AddressOf(combo);
  if (a < 0) return;
  ParamStore& store = state_.store;
  actions_.ShowBandType(combo);
  if (IsDeqWorkMode(AddressOf(combo))) {
    if (store.SuppressSend != 0) return;
    const EditScope oneEdit(state_.editor, EditOrigin::Click);
    state_.editor.SetValue(a, v, EditOrigin::Click);
    if (!DeqResetRunning) {
      // The channel's gain goes back to 0 dB through its own bar.
      if (auto* gain = qobject_cast<QSlider*>(tables_.SideControlAt(a - 3, 0))) {
        gain->setValue(kGainRawZeroDb);
        state_.editor.NoteGraphChange(GraphChange{AddressOf(gain), kGainRawZeroDb});
      }
    }
    return;
  }
  if (store.SuppressSend != 0) return;
  state_.editor.SetBandField(a, v, EditOrigin::Click);
  const ParamAddress q = a + (v == kBandTypePeq ? kBandFieldPeqQ : kBandFieldShelfQ);
  if (auto* qEdit = qobject_cast<QLineEdit*>(tables_.MainControlAt(q));
      qEdit != nullptr && KindOf(qEdit) == ControlKind::Edit && qEdit != tables_.Placeholder()) {
    state_.currentEdit = qEdit;
    ApplyControlValue(qEdit, kStepNone, true, store.View(q));
  }
  state_.editor.NoteGraphChange(GraphChange{a, v});
}

// A crossover's Q bar and spin buttons take part for the user types only. False for boxes that
// are no crossover type (the tone).
bool EditDispatch::ShowCrossoverQ(QComboBox* combo) {
  const ParamAddress a = AddressOf(combo);
  const int page = PageOf(a);
  const int slot = IndexOf(a);
  if ((page != 6 && page != 7) || (slot != kHighPassTypeSlot && slot != kLowPassTypeSlot)) {
    return false;
  }
  const bool user = combo->currentIndex() > kLastFixedCrossoverType;
  if (QWidget* bar = tables_.MainControlAt(a + kCrossoverQOffset)) bar->setEnabled(user);
  if (QWidget* spin = tables_.SpinControlAt(a + kCrossoverQOffset)) spin->setEnabled(user);
  return true;
}

void EditDispatch::CrossoverTypeChanged(QComboBox* combo) {
  if (combo == nullptr) return;
  const ParamAddress a = AddressOf(combo);
  if (a < 0) return;
  const int v = combo->currentIndex();
  state_.editor.SetValue(a, v, EditOrigin::Click);
  if (!ShowCrossoverQ(combo)) return;
  const int page = PageOf(a);
  const int slot = IndexOf(a);
  const int sheet = SectionSheet(state_.currentSection);
  if ((page == 6 && sheet == 3) || (page == 7 && sheet == 5)) {
    const int n = kBandCount[page];
    Redraw(slot == kLowPassTypeSlot ? n + 1 : n, page);
  }
}

// ---------------------------------------------------------------------------------------------
// Buttons
// ---------------------------------------------------------------------------------------------

void EditDispatch::ToggleClicked(QPushButton* button) {
  if (button == nullptr || AddressOf(button) < 0) return;
  switch (RoleOf(button)) {
    case ButtonRole::Phase:
    case ButtonRole::Toggle:
      actions_.Toggle(button);
      break;
    case ButtonRole::Option:
      OptionClicked(button);
      break;
    case ButtonRole::EqPass:
      break;  // the graph panel's own handlers
  }
}

// Selects member `position` of the loaded group and stores the value (sent unless suppressed);
// a value no member stands for writes nothing.
void EditDispatch::ApplyOption(ParamAddress address, int position) {
  if (!actions_.ShowOption(position)) return;
  const ParamStore& store = state_.store;
  state_.editor.SetValue(address, position, EditOrigin::Click);
  if (QWidget* group = tables_.Find(names::kMusicGainGroup)) {
    group->setEnabled(store.View(10, 12) != 0);
  }
  if (address >= 0x0600 && address <= 0x09FF) {
    Redraw(kWholePagePoint, SectionPage(state_.currentSection));
  }
}

void EditDispatch::OptionClicked(QPushButton* button) {
  if (button == nullptr) return;
  const ParamAddress a = AddressOf(button);
  if (a < 0) return;
  tables_.LoadOptionGroup(a);
  const int position = tables_.PositionOf(button);
  if (position < 0 || position > 3) return;
  ApplyOption(a, position);
}

void EditDispatch::Redraw(int point, int page) {
  if (redrawCurves_) redrawCurves_(point, page);
}

// ---------------------------------------------------------------------------------------------
// Connections
// ---------------------------------------------------------------------------------------------

void EditDispatch::ConnectControl(QWidget* c, int page, int slot) {
  if (c == nullptr || c == tables_.Placeholder() || connected_.contains(c)) return;
  switch (KindOf(c)) {
    case ControlKind::TrackBar: {
      auto* bar = qobject_cast<QSlider*>(c);
      if (bar == nullptr) return;
      connect(bar, &QSlider::valueChanged, this, [this, bar] { SliderChanged(bar); });
      break;
    }
    case ControlKind::Combo: {
      auto* combo = qobject_cast<QComboBox*>(c);
      if (combo == nullptr) return;
      // The output pages' other boxes: crossover types and the tone.
      const bool crossover = page == 6 || page == 7;
      if (tables_.IsTypeImage(tables_.SideControl(page, slot, 0))) {
        connect(combo, &QComboBox::activated, this, [this, combo] { BandTypeChanged(combo); });
      } else if (crossover) {
        connect(combo, &QComboBox::activated, this, [this, combo] { CrossoverTypeChanged(combo); });
      } else {
        return;  // the mode list belongs to the device commands
      }
      break;
    }
    case ControlKind::Button: {
      auto* button = qobject_cast<QPushButton*>(c);
      if (button == nullptr) return;
      const ButtonRole role = RoleOf(button);
      // The mode pairs of the music page and the EQ-pass buttons have handlers of their own.
      if (role == ButtonRole::EqPass || (page == 0 && slot <= 1)) return;
      if (role == ButtonRole::Option) {
        connect(button, &QPushButton::clicked, this, [this, button] { OptionClicked(button); });
      } else {
        connect(button, &QPushButton::clicked, this, [this, button] { ToggleClicked(button); });
      }
      break;
    }
    default:
      return;  // edit boxes and spin buttons are the band edit input's
  }
  connected_.insert(c);
}

void EditDispatch::ConnectAll() {
  const ControlTableRows& main = tables_.MainControls();
  const ControlTableRows& spins = tables_.SpinControls();
  for (int p = 0; p < kPageCount; ++p) {
    for (int s = 0; s < kBindingSlots; ++s) {
      ConnectControl(main[p][s], p, s);
      ConnectControl(spins[p][s], p, s);
      QWidget* gain = tables_.SideControl(p, s, 0);
      if (gain != nullptr && KindOf(gain) == ControlKind::TrackBar) ConnectControl(gain, p, s);
    }
  }
  for (const ControlSpec& row : ControlRows()) {
    if (row.role != ControlRole::Member) continue;
    auto* button = qobject_cast<QPushButton*>(tables_.Find(NameOf(row)));
    if (button == nullptr || connected_.contains(button)) continue;
    connect(button, &QPushButton::clicked, this, [this, button] { OptionClicked(button); });
    connected_.insert(button);
  }
}

}  // namespace velantro
