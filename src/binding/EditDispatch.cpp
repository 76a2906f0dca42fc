// Edit dispatch: every operator action on a bound control becomes a limited, shown, stored and
// sent parameter value.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QWheelEvent>
#include <cmath>

#include "binding/ControlBinding.h"
#include "binding/ControlTable.h"
#include "binding/Scales.h"
#include "binding/WidgetNames.h"
#include "model/ScopedAssign.h"
#include "ui/Looks.h"

namespace velantro {

namespace {

int ScaleOfHint(const QString& hint) {
  bool ok = false;
  const int scale = hint.trimmed().toInt(&ok);
  return ok ? scale : 0;
}

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

// ---------------------------------------------------------------------------------------------
// ApplyControlValue / CommitEdit
// ---------------------------------------------------------------------------------------------

EditOutcome ControlBinding::ApplyControlValue(QWidget* c, int step, bool fromStore, double x) {
  if (c == nullptr || c == placeholder_) return {};
  const ControlKind kind = KindOf(c);
  int s = 0;
  if (kind == ControlKind::Edit) {
    s = ScaleOfHint(HintOf(c));
  } else if (kind == ControlKind::Pane) {
    s = ScaleOfHint(HintOf(c));
    if (s <= 4) return {};
  } else if (kind == ControlKind::Combo) {
    if (HintOf(c).isEmpty()) return {};
    s = ScaleOfHint(HintOf(c));
  } else {
    return {};
  }
  const int own = AddressOf(c);
  if (own < 0) return {};
  const EditOutcome out = rule_.Limit(own, s, step, fromStore, x);
  ShowOutcome(c, out);

  // The linked track bar follows without running its own change handler.
  QWidget* barWidget = MainControlAt(out.address);
  if (KindOf(barWidget) != ControlKind::TrackBar) barWidget = SideControlAt(out.address, 0);
  if (auto* bar = qobject_cast<QSlider*>(barWidget);
      bar != nullptr && KindOf(bar) == ControlKind::TrackBar) {
    MoveBarQuietly(bar, BarPosition(out.limited));
  }
  rule_.Commit(out, fromStore, refreshInProgress_);
  return out;
}

// A bar moved to show a value: its change handler does not run, nothing is stored or sent.
void ControlBinding::MoveBarQuietly(QSlider* bar, int position) {
  const QSignalBlocker quiet(bar);
  bar->setValue(position);
}

void ControlBinding::ShowText(QWidget* control, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  }
}

// What the control shows of an edit: the text, the combo item, the band selection.
void ControlBinding::ShowOutcome(QWidget* c, const EditOutcome& out) {
  const ParamAddress a = out.address;
  switch (out.scale) {
    case 1:
      if (auto* combo = qobject_cast<QComboBox*>(c)) {
        const int item = TruncateRaw(out.limited);
        combo->setCurrentIndex(item >= 0 && item < combo->count() ? item : -1);
      }
      break;
    case 2:
      ShowText(c, QString::fromStdString(out.text));
      // A refresh only shows: were it to take every frequency edit it shows as CurrentEdit, it
      // would leave the last one of the page there (MIC column 15, the hidden eighth output
      // column), and the next arrow, wheel step or focus change would commit that band.
      if (auto* bound = qobject_cast<QLineEdit*>(MainControlAt(a));
          bound != nullptr && KindOf(bound) == ControlKind::Edit && !refreshInProgress_) {
        currentEdit_ = bound;
      }
      ControlAction(c, GraphIndex(a));
      break;
    case 3:
    case 4:
      ShowText(c, QString::fromStdString(out.text));
      ControlAction(c, GraphIndex(a));
      break;
    default:
      if (!out.text.empty()) ShowText(c, QString::fromStdString(out.text));
      break;
  }
}

void ControlBinding::CommitEdit(int step) {
  QLineEdit* edit = currentEdit_;
  if (!IsShownBandEdit(edit)) return;
  QString kept;
  for (const QChar ch : edit->text()) {
    const char16_t u = ch.unicode();
    if ((u >= '0' && u <= '9') || u == '-' || u == '.') kept.append(ch);
  }
  if (kept.isEmpty()) {
    edit->setText(lastGoodText_);
    return;
  }
  bool ok = false;
  const double number = QLocale::c().toDouble(kept, &ok);
  if (!ok || !std::isfinite(number)) {
    edit->setText(lastGoodText_);
    return;
  }
  const QString hint = HintOf(edit);
  if (hint.isEmpty()) {
    messages_.Information("error", "Velantro");
    edit->setText(lastGoodText_);
    return;
  }
  const double raw = ParseDisplayValue(ScaleOfHint(hint), number);
  ApplyControlValue(edit, step, false, raw);
  lastGoodText_ = edit->text();
}

// ---------------------------------------------------------------------------------------------
// Band edit boxes
// ---------------------------------------------------------------------------------------------

bool ControlBinding::IsBandEdit(const QWidget* w) const {
  return w != nullptr && w != placeholder_ && bandEdits_.contains(w);
}

// A band edit of a band the view shows. The MIC strip keeps its fifteen columns for group B,
// whose nine bands end at column 9, and the output strips keep an eighth column they never
// show: such an edit stands for no band of the unit and must never commit.
bool ControlBinding::IsShownBandEdit(const QWidget* w) const {
  return IsBandEdit(w) && !w->isHidden() && IsRealBandField(AddressOf(w), store_.MicGroup);
}

// Before the binding moves the focus to `next` itself, the band edit that has it leaves first,
// so its own exit commits its own text and not the text of `next`.
void ControlBinding::LeaveFocusedEdit(QWidget* next) {
  QWidget* focused = QApplication::focusWidget();
  if (focused != nullptr && focused != next && IsBandEdit(focused)) focused->clearFocus();
}

void ControlBinding::BandEditClicked(QLineEdit* edit) {
  auto* bound = qobject_cast<QLineEdit*>(MainControlAt(AddressOf(edit)));
  if (bound == nullptr || bound == placeholder_ || KindOf(bound) != ControlKind::Edit) return;
  wheelArmed_ = true;
  LeaveFocusedEdit(bound);
  currentEdit_ = bound;
  bound->setFocus(Qt::MouseFocusReason);
  lastGoodText_ = bound->text();
  const ScopedAssign<int32_t> quiet(store_.SuppressSend, 1);
  CommitEdit(kStepNone);
}

void ControlBinding::BandEditExit() {
  if (!IsShownBandEdit(currentEdit_)) return;
  if (!currentEdit_->text().isEmpty()) {
    CommitEdit(kStepNone);
  } else {
    currentEdit_->setText(lastGoodText_);
  }
}

// Key handling of a band edit. Returns true when the key is used up here.
bool ControlBinding::KeyPress(QLineEdit* edit, QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
      if (currentEdit_ != placeholder_) CommitEdit(kStepDown);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Right:
      if (currentEdit_ != placeholder_) CommitEdit(kStepUp);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      currentEdit_ = edit;
      BandEditExit();
      return true;
    case Qt::Key_Backspace:
      currentEdit_ = edit;
      return false;
    default:
      break;
  }
  if (key->matches(QKeySequence::Paste)) return true;
  // Shortcuts (copy, cut, undo, select all) insert nothing; the edit handles them itself.
  if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  const QString text = key->text();
  // Tab, Escape, Delete and the like are no characters: the edit and the window handle them.
  if (text.isEmpty() || !text.at(0).isPrint()) return false;
  currentEdit_ = edit;
  const char16_t u = text.at(0).unicode();
  const bool accepted = text.size() == 1 && ((u >= '0' && u <= '9') || u == '-' || u == '.');
  return !accepted;
}

// The wheel steps CurrentEdit once a band edit has been clicked, and only while a band edit has
// the focus: elsewhere (the preset grid, the strips) the wheel keeps its ordinary use.
bool ControlBinding::Wheel(QEvent* event) {
  if (!wheelArmed_ || !IsBandEdit(QApplication::focusWidget())) return false;
  auto* wheel = static_cast<QWheelEvent*>(event);
  const QPoint delta = wheel->angleDelta();
  const int d = delta.y() != 0 ? delta.y() : delta.x();
  if (d > 0) {
    CommitEdit(kStepUp);
  } else if (d < 0) {
    CommitEdit(kStepDown);
  }
  return true;
}

bool ControlBinding::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Wheel: {
      auto* w = qobject_cast<QWidget*>(watched);
      if (w == nullptr || root_ == nullptr || !wheelArmed_) break;
      if (w != root_ && !root_->isAncestorOf(w)) break;
      return Wheel(event);
    }
    case QEvent::KeyPress: {
      auto* w = qobject_cast<QWidget*>(watched);
      if (!IsBandEdit(w)) break;
      return KeyPress(static_cast<QLineEdit*>(w), event);
    }
    case QEvent::MouseButtonRelease: {
      auto* w = qobject_cast<QWidget*>(watched);
      if (!IsBandEdit(w)) break;
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && w->rect().contains(mouse->position().toPoint())) {
        BandEditClicked(static_cast<QLineEdit*>(w));
      }
      break;
    }
    case QEvent::FocusOut: {
      auto* w = qobject_cast<QWidget*>(watched);
      if (!IsBandEdit(w)) break;
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      // Switching to another window or opening a popup is not leaving the edit, and an edit
      // that is hidden or being destroyed with its window commits nothing.
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
      if (!w->isVisible()) break;
      // Only the edit the operator works in commits as it is left: an edit that merely held
      // the focus (the window's first focus, one whose band the view moved away from) does not
      // commit CurrentEdit elsewhere on its way out.
      if (w != currentEdit_) break;
      BandEditExit();
      break;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Spin buttons, track bars
// ---------------------------------------------------------------------------------------------

void ControlBinding::SpinClicked(QWidget* spin, bool up) {
  QWidget* c = MainControlAt(AddressOf(spin));
  if (c == nullptr || c == placeholder_) return;
  const ControlKind kind = KindOf(c);
  if (kind == ControlKind::Edit) {
    auto* edit = static_cast<QLineEdit*>(c);
    LeaveFocusedEdit(edit);
    currentEdit_ = edit;
    edit->setFocus(Qt::OtherFocusReason);
    CommitEdit(up ? kStepUp : kStepDown);
  } else if (kind == ControlKind::TrackBar) {
    auto* bar = static_cast<QSlider*>(c);
    bar->setValue(bar->value() + (up ? 1 : -1));
  }
}

void ControlBinding::OnSpinUp() { SpinClicked(qobject_cast<QWidget*>(sender()), true); }
void ControlBinding::OnSpinDown() { SpinClicked(qobject_cast<QWidget*>(sender()), false); }

void ControlBinding::TrackBarChanged(QSlider* bar) {
  if (bar == nullptr) return;
  QWidget* pane = ValuePaneAt(AddressOf(bar));
  if (KindOf(pane) == ControlKind::Pane) ApplyControlValue(pane, kStepNone, false, bar->value());
  // The operator's bar ends band stepping; a refresh moving the bars leaves CurrentEdit alone.
  if (!refreshInProgress_) currentEdit_ = placeholder_;
}

void ControlBinding::GainBarChanged(QSlider* bar) {
  if (bar == nullptr) return;
  auto* edit = qobject_cast<QLineEdit*>(MainControlAt(AddressOf(bar)));
  if (edit == nullptr || edit == placeholder_ || KindOf(edit) != ControlKind::Edit) return;
  currentEdit_ = edit;
  ApplyControlValue(edit, kStepNone, false, bar->value());
}

// The handler a bar's change event runs, by the bar's binding.
void ControlBinding::SliderChanged(QSlider* bar) {
  const int address = AddressOf(bar);
  if (IsVolumeBar(address)) {
    VolumeBarChanged(bar);
  } else if (SideControlAt(address, 0) == bar) {
    GainBarChanged(bar);
  } else {
    TrackBarChanged(bar);
  }
}

bool ControlBinding::IsVolumeBar(ParamAddress address) {
  for (const VolumeSource& source : kVolumeSources) {
    if (address == source.normal || address == source.start || address == source.limit) {
      return true;
    }
  }
  return false;
}

void ControlBinding::VolumeBarChanged(QSlider* bar) {
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
  QWidget* pane = ValuePaneAt(address);
  const int prev = HintOf(pane).toInt();
  if (role == 0 && bar->value() > prev + 1 && store_.SuppressSend == 0) {
    // The normal volume rises by one step per change event; the change event of this move
    // stores, shows and sends the value.
    bar->setValue(prev + 1);
    return;
  }
  const int position = bar->value();
  LinkVolumeBars(qobject_cast<QSlider*>(MainControlAt(source->normal)),
                 qobject_cast<QSlider*>(MainControlAt(source->start)),
                 qobject_cast<QSlider*>(MainControlAt(source->limit)), role, pane);
  // Lowered to the limit: its own change event has done the rest.
  if (bar->value() != position) return;
  SetHint(pane, QString::number(position));
  store_.SetParam(address, position);
}

void ControlBinding::LinkVolumeBars(QSlider* normal, QSlider* start, QSlider* limit, int role,
                                    QWidget* pane) {
  auto lower = [&](QSlider* bar) {
    if (bar != nullptr && limit != nullptr && bar->value() > limit->value()) {
      bar->setValue(limit->value());
    }
  };
  if (store_.SuppressSend == 0) {
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

// What a band type or DEQ work mode box shows beside itself: the chosen type image and, for a
// work mode, whether the channel's dynamics take part.
void ControlBinding::ShowBandType(QComboBox* combo) {
  const int v = combo->currentIndex();
  const ParamAddress a = AddressOf(combo);
  if (v >= 0 && v <= 2) {
    QWidget* image = SideControlAt(a, v);
    if (IsTypeImage(image)) ControlAction(image, action::kTypeImages);
  }
  if (IsDeqWorkMode(AddressOf(combo))) {
    ControlAction(combo, action::kDeqDynamics);
  }
}

void ControlBinding::BandTypeChanged(QComboBox* combo) {
  if (combo == nullptr) return;
  const int v = combo->currentIndex();
  const ParamAddress a = AddressOf(combo);
  if (a < 0) return;
  ShowBandType(combo);
  if (IsDeqWorkMode(AddressOf(combo))) {
    if (store_.SuppressSend != 0) return;
    store_.SetParam(a, v);
    if (!DeqResetRunning) {
      // The channel's gain goes back to 0 dB through its own bar.
      if (auto* gain = qobject_cast<QSlider*>(SideControlAt(a - 3, 0))) {
        gain->setValue(kGainRawZeroDb);
        rule_.SetLastChange(GraphChange{AddressOf(gain), kGainRawZeroDb});
      }
    }
    return;
  }
  if (store_.SuppressSend != 0) return;
  store_.SetBand(a, v);
  const ParamAddress q = a + (v == kBandTypePeq ? kBandFieldPeqQ : kBandFieldShelfQ);
  if (auto* qEdit = qobject_cast<QLineEdit*>(MainControlAt(q));
      qEdit != nullptr && KindOf(qEdit) == ControlKind::Edit && qEdit != placeholder_) {
    currentEdit_ = qEdit;
    ApplyControlValue(qEdit, kStepNone, true, store_.View(q));
  }
  rule_.SetLastChange(GraphChange{a, v});
}

// A crossover's Q bar and spin buttons take part for the user types only. False for boxes that
// are no crossover type (the tone).
bool ControlBinding::ShowCrossoverQ(QComboBox* combo) {
  const ParamAddress a = AddressOf(combo);
  const int page = PageOf(a);
  const int slot = IndexOf(a);
  if ((page != 6 && page != 7) || (slot != kHighPassTypeSlot && slot != kLowPassTypeSlot)) {
    return false;
  }
  const bool user = combo->currentIndex() > kLastFixedCrossoverType;
  if (QWidget* bar = MainControlAt(a + kCrossoverQOffset)) bar->setEnabled(user);
  if (QWidget* spin = SpinControlAt(a + kCrossoverQOffset)) spin->setEnabled(user);
  return true;
}

void ControlBinding::CrossoverTypeChanged(QComboBox* combo) {
  if (combo == nullptr) return;
  const ParamAddress a = AddressOf(combo);
  if (a < 0) return;
  const int v = combo->currentIndex();
  store_.SetParam(a, v);
  if (!ShowCrossoverQ(combo)) return;
  const int page = PageOf(a);
  const int slot = IndexOf(a);
  const int sheet = *currentSection_ & 0xFF;
  if ((page == 6 && sheet == 3) || (page == 7 && sheet == 5)) {
    const int n = kBandCount[page];
    Redraw(slot == kLowPassTypeSlot ? n + 1 : n, page);
  }
}

// ---------------------------------------------------------------------------------------------
// Buttons
// ---------------------------------------------------------------------------------------------

void ControlBinding::ToggleClicked(QPushButton* button) {
  if (button == nullptr) return;
  const ParamAddress a = AddressOf(button);
  if (a < 0) return;
  switch (RoleOf(button)) {
    case ButtonRole::Phase:
      store_.SetParam(a, ControlAction(button, action::kPhase));
      break;
    case ButtonRole::Toggle:
      store_.SetParam(a, ControlAction(button, action::kToggle));
      break;
    case ButtonRole::Option:
      OptionClicked(button);
      break;
    case ButtonRole::EqPass:
      break;  // the graph panel's own handlers
  }
}

void ControlBinding::LoadOptionGroup(ParamAddress address) {
  std::array<QWidget*, 3> members{};
  bool found = false;
  for (const ControlSpec& row : ControlRows()) {
    if (row.role != ControlRole::Member || row.address != address) continue;
    if (row.position >= 0 && row.position < 3) members[row.position] = Find(NameOf(row));
    found = true;
  }
  if (!found) return;
  optionGroup_ = members;
  if (address == sysaddr::UserOrAdmin) {
    if (QWidget* box = Find(names::kUserAdminGroup)) box->setEnabled(false);
  }
}

// Shows member `position` of the loaded group chosen; false when no member stands for it (then
// none is shown chosen).
bool ControlBinding::ShowOption(int position) {
  QWidget* member = nullptr;
  for (QWidget* candidate : optionGroup_) {
    if (candidate != nullptr && HintOf(candidate).toInt() == position &&
        !HintOf(candidate).isEmpty()) {
      member = candidate;
    }
  }
  if (member == nullptr && position >= 0 && position < 3) member = optionGroup_[position];
  if (member == nullptr) {
    for (QWidget* candidate : optionGroup_) {
      if (auto* b = qobject_cast<QAbstractButton*>(candidate)) SetButtonLook(b, ButtonLook::Normal);
    }
    return false;
  }
  ControlAction(member, action::kOptionLook);
  return true;
}

// Selects member `position` of the loaded group and stores the value (sent unless suppressed);
// a value no member stands for writes nothing.
void ControlBinding::ApplyOption(ParamAddress address, int position) {
  if (!ShowOption(position)) return;
  store_.SetParam(address, position);
  if (QWidget* group = Find(names::kMusicGainGroup)) group->setEnabled(store_.View(10, 12) != 0);
  if (address >= 0x0600 && address <= 0x09FF) Redraw(kWholePagePoint, PageOf(*currentSection_));
}

void ControlBinding::OptionClicked(QPushButton* button) {
  if (button == nullptr) return;
  const ParamAddress a = AddressOf(button);
  if (a < 0) return;
  LoadOptionGroup(a);
  const int position = HintOf(button).toInt();
  if (position > 3) return;
  ApplyOption(a, position);
}

// ---------------------------------------------------------------------------------------------
// Connections
// ---------------------------------------------------------------------------------------------

void ControlBinding::ConnectControl(QWidget* c, int page, int slot) {
  if (c == nullptr || c == placeholder_ || connected_.contains(c)) return;
  switch (KindOf(c)) {
    case ControlKind::Edit:
      bandEdits_.insert(c);
      break;
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
      if (IsTypeImage(SideControl(page, slot, 0))) {
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
    case ControlKind::Spin: {
      const QMetaObject* meta = c->metaObject();
      const int up = meta->indexOfSignal("upClicked()");
      const int down = meta->indexOfSignal("downClicked()");
      if (up < 0 || down < 0) return;
      const QMetaObject* mine = metaObject();
      QMetaObject::connect(c, up, this, mine->indexOfSlot("OnSpinUp()"));
      QMetaObject::connect(c, down, this, mine->indexOfSlot("OnSpinDown()"));
      break;
    }
    default:
      return;
  }
  connected_.insert(c);
}

void ControlBinding::ConnectAll() {
  for (int p = 0; p < kPageCount; ++p) {
    for (int s = 0; s < kBindingSlots; ++s) {
      ConnectControl(main_[p][s], p, s);
      ConnectControl(spins_[p][s], p, s);
      QWidget* gain = sides_[p][s][0];
      if (gain != nullptr && KindOf(gain) == ControlKind::TrackBar) ConnectControl(gain, p, s);
    }
  }
  for (const ControlSpec& row : ControlRows()) {
    if (row.role != ControlRole::Member) continue;
    auto* button = qobject_cast<QPushButton*>(Find(NameOf(row)));
    if (button == nullptr || connected_.contains(button)) continue;
    connect(button, &QPushButton::clicked, this, [this, button] { OptionClicked(button); });
    connected_.insert(button);
  }
}

}  // namespace velantro
