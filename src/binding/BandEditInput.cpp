#include "binding/BandEditInput.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMetaObject>
#include <QMouseEvent>
#include <QSlider>
#include <QVariant>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "binding/EditDispatch.h"
#include "model/Messages.h"
#include "model/ParamStore.h"
#include "model/Scales.h"
#include "widgets/Translation.h"

namespace velantro {

namespace {

constexpr char16_t kDecimalPoint = '.';
// Many operators' keyboards put the decimal comma on the number pad: "0,5" means 0.5 dB, never
// 5 dB. The edit keeps what was typed until it commits, then shows the value with a point.
constexpr char16_t kDecimalComma = ',';
// Page Up/Down step a band field by this fraction of its range, as a bar's page step does.
constexpr double kPageDivisions = 10;

bool IsNumberKey(char16_t u) {
  return (u >= '0' && u <= '9') || u == '-' || u == kDecimalPoint || u == kDecimalComma;
}

}  // namespace

BandEditInput::BandEditInput(BindingTables& tables, EditDispatch& edits, BindingState& state,
                             Messages& messages)
    : QObject(nullptr), tables_(tables), edits_(edits), state_(state), messages_(messages) {
  // The mouse wheel steps CurrentEdit wherever the pointer is over the window, before the
  // control under it sees the wheel.
  qApp->installEventFilter(this);
}

BandEditInput::~BandEditInput() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// CommitEdit
// ---------------------------------------------------------------------------------------------

void BandEditInput::CommitEdit(int step, EditOrigin origin) { ApplyStep(step, 0, origin); }

// Page Up/Down move a band field a tenth of its scale's range, as they move a bar by its page.
void BandEditInput::CommitPageStep(int direction, EditOrigin origin) {
  const Binding* binding = tables_.BindingOf(state_.currentEdit);
  if (binding == nullptr || !HasScaleText(binding->scale)) return;
  const ScaleBounds& bounds = kScaleBounds[static_cast<std::size_t>(ScaleNumber(binding->scale))];
  const int page = std::max(1, static_cast<int>((bounds.upper - bounds.lower) / kPageDivisions));
  ApplyStep(kStepNone, direction * page, origin);
}

// The number the edit's text reads as, "," taken as the decimal point.
bool BandEditInput::ShownNumber(const QLineEdit* edit, double* number) {
  QString kept;
  for (const QChar ch : edit->text()) {
    const char16_t u = ch.unicode();
    if (IsNumberKey(u)) kept.append(u == kDecimalComma ? QChar(kDecimalPoint) : ch);
  }
  bool ok = false;
  *number = QLocale::c().toDouble(kept, &ok);
  return !kept.isEmpty() && ok && std::isfinite(*number);
}

bool BandEditInput::ShownRaw(const QLineEdit* edit, double* raw) const {
  double number = 0;
  const Binding* binding = tables_.BindingOf(edit);
  if (binding == nullptr || binding->scale == Scale::None || !ShownNumber(edit, &number)) {
    return false;
  }
  *raw = ParseDisplayValue(binding->scale, number);
  return true;
}

void BandEditInput::ApplyStep(int step, int rawDelta, EditOrigin origin) {
  QLineEdit* edit = state_.currentEdit;
  if (!IsShownBandEdit(edit)) return;
  double number = 0;
  if (!ShownNumber(edit, &number)) {
    edit->setText(lastGoodText_);
    return;
  }
  const Binding* binding = tables_.BindingOf(edit);
  if (binding == nullptr || binding->scale == Scale::None) {
    messages_.Information(Translated(QT_TRANSLATE_NOOP("velantro", "error")).toStdString(),
                          "Velantro");
    edit->setText(lastGoodText_);
    return;
  }
  const double raw = ParseDisplayValue(binding->scale, number) + rawDelta;
  // Enter on a text the operator typed sends it even when it reads as the value already held; a
  // step works on the value and sends only what it changes.
  const bool typed = step == kStepNone && rawDelta == 0 && edit->isModified();
  edits_.ApplyControlValue(edit, step, false, raw, typed ? EditOrigin::Typed : origin);
  lastGoodText_ = edit->text();
}

// ---------------------------------------------------------------------------------------------
// Band edit boxes
// ---------------------------------------------------------------------------------------------

// A band edit of a band the view shows. The MIC strip keeps its fifteen columns for group B,
// whose nine bands end at column 9, and the output strips keep an eighth column they never
// show: such an edit stands for no band of the unit and must never commit.
bool BandEditInput::IsShownBandEdit(const QWidget* w) const {
  return tables_.IsBandEdit(w) && !w->isHidden() &&
         IsRealBandField(AddressOf(w), state_.store.MicGroup);
}

namespace {
constexpr int kMicGroupA = 0;
}  // namespace

bool BandEditInput::IsUnshownBandControl(const QWidget* w) const {
  if (w == nullptr || tables_.Root() == nullptr || !tables_.Root()->isAncestorOf(w)) return false;
  const QVariant stamped = w->property("address");
  if (!stamped.isValid()) return false;
  const ParamAddress address = stamped.toInt();
  // The strips are laid out in MIC group A's columns; the group on view decides which show.
  const BandLocation column = LocateBand(address, kMicGroupA);
  if (!column.isBandField() || IsRealBandField(address, state_.store.MicGroup)) return false;
  // Only a band strip's column: the crossover controls past a page's bands stand for no column.
  return tables_.IsBandEdit(tables_.MainControlAt(address - column.field + kBandFieldGain));
}

// Tab reached a control of a band the view does not show: the focus goes on to the next stop
// the operator can see, in the same direction, before anything there can act.
void BandEditInput::PassUnshownBandControl(QWidget* w, bool forward) {
  QWidget* next = w;
  do {
    next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    if (next == nullptr || next == w) return;
  } while (next->window() != w->window() || !(next->focusPolicy() & Qt::TabFocus) ||
           next->focusProxy() != nullptr || !next->isVisible() || !next->isEnabled() ||
           IsUnshownBandControl(next));
  next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

// Before the input moves the focus to `next` itself, the band edit that has it leaves first, so
// its own exit commits its own text and not the text of `next`.
void BandEditInput::LeaveFocusedEdit(QWidget* next) {
  QWidget* focused = QApplication::focusWidget();
  if (focused != nullptr && focused != next && tables_.IsBandEdit(focused)) focused->clearFocus();
}

void BandEditInput::BandEditClicked(QLineEdit* edit) {
  auto* bound = qobject_cast<QLineEdit*>(tables_.MainControlAt(AddressOf(edit)));
  if (bound == nullptr || bound == tables_.Placeholder() || KindOf(bound) != ControlKind::Edit) {
    return;
  }
  wheelArmed_ = true;
  LeaveFocusedEdit(bound);
  state_.currentEdit = bound;
  bound->setFocus(Qt::MouseFocusReason);
  // A click into the text the operator is typing only moves the cursor.
  if (bound->isModified()) return;
  lastGoodText_ = bound->text();
  // The click selects the band and stores nothing: were it to store what the edit shows, a
  // value the unit changed itself since would be put back into the next frame of this band.
  edits_.SelectBand(bound);
}

void BandEditInput::BandEditExit() {
  QLineEdit* edit = state_.currentEdit;
  if (!IsShownBandEdit(edit)) return;
  // Leaving a field whose text the operator did not touch is no edit: committing it would write
  // what the field shows over a value the unit may have changed itself since (its front panel, a
  // remote), and a Tab across a strip would send every band it passes.
  if (!edit->isModified()) return;
  if (!edit->text().isEmpty()) {
    CommitEdit(kStepNone, EditOrigin::Typed);
  } else {
    edit->setText(lastGoodText_);
  }
}

// Key handling of a band edit. Returns true when the key is used up here.
bool BandEditInput::KeyPress(QLineEdit* edit, QEvent* event) {
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
      if (state_.currentEdit != tables_.Placeholder()) CommitEdit(kStepDown, EditOrigin::Key);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Right:
      if (state_.currentEdit != tables_.Placeholder()) CommitEdit(kStepUp, EditOrigin::Key);
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      // Ctrl+Page Up/Down switch sections: the window's shortcut takes them.
      if (key->modifiers() & Qt::ControlModifier) return false;
      if (state_.currentEdit != tables_.Placeholder()) {
        CommitPageStep(key->key() == Qt::Key_PageUp ? 1 : -1, EditOrigin::Key);
      }
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      state_.currentEdit = edit;
      BandEditExit();
      return true;
    case Qt::Key_Backspace:
      state_.currentEdit = edit;
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
  state_.currentEdit = edit;
  const bool accepted = text.size() == 1 && IsNumberKey(text.at(0).unicode());
  return !accepted;
}

// The wheel steps CurrentEdit once a band edit has been clicked, and only while a band edit has
// the focus: elsewhere (the preset grid, the strips) the wheel keeps its ordinary use.
bool BandEditInput::Wheel(QEvent* event) {
  if (!wheelArmed_ || !tables_.IsBandEdit(QApplication::focusWidget())) return false;
  auto* wheel = static_cast<QWheelEvent*>(event);
  const QPoint delta = wheel->angleDelta();
  const int d = delta.y() != 0 ? delta.y() : delta.x();
  if (d > 0) {
    CommitEdit(kStepUp, EditOrigin::Wheel);
  } else if (d < 0) {
    CommitEdit(kStepDown, EditOrigin::Wheel);
  }
  return true;
}

bool BandEditInput::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Wheel: {
      auto* w = qobject_cast<QWidget*>(watched);
      QWidget* root = tables_.Root();
      if (w == nullptr || root == nullptr || !wheelArmed_) break;
      if (w != root && !root->isAncestorOf(w)) break;
      return Wheel(event);
    }
    case QEvent::KeyPress: {
      auto* w = qobject_cast<QWidget*>(watched);
      // A greyed edit takes no input (the window greys the pages while the unit's settings
      // are read in); this filter sees the events before the edit could refuse them.
      if (!tables_.IsBandEdit(w) || !w->isEnabled()) break;
      return KeyPress(static_cast<QLineEdit*>(w), event);
    }
    case QEvent::MouseButtonRelease: {
      auto* w = qobject_cast<QWidget*>(watched);
      if (!tables_.IsBandEdit(w) || !w->isEnabled()) break;
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && w->rect().contains(mouse->position().toPoint())) {
        BandEditClicked(static_cast<QLineEdit*>(w));
      }
      break;
    }
    case QEvent::FocusIn: {
      auto* w = qobject_cast<QWidget*>(watched);
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) break;
      if (IsUnshownBandControl(w)) {
        PassUnshownBandControl(w, reason == Qt::TabFocusReason);
        return true;
      }
      // Tabbing into a band edit is the keyboard's click: the arrows then step this edit.
      if (IsShownBandEdit(w)) BandEditClicked(static_cast<QLineEdit*>(w));
      break;
    }
    case QEvent::FocusOut: {
      auto* w = qobject_cast<QWidget*>(watched);
      if (!tables_.IsBandEdit(w)) break;
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      // Switching to another window or opening a popup is not leaving the edit, and an edit
      // that is hidden or being destroyed with its window commits nothing.
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
      if (!w->isVisible()) break;
      // Only the edit the operator works in commits as it is left: an edit that merely held
      // the focus (the window's first focus, one whose band the view moved away from) does not
      // commit CurrentEdit elsewhere on its way out.
      if (w != state_.currentEdit) break;
      BandEditExit();
      break;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Spin buttons
// ---------------------------------------------------------------------------------------------

void BandEditInput::SpinClicked(QWidget* spin, bool up) {
  QWidget* c = tables_.MainControlAt(AddressOf(spin));
  if (c == nullptr || c == tables_.Placeholder()) return;
  const ControlKind kind = KindOf(c);
  if (kind == ControlKind::Edit) {
    auto* edit = static_cast<QLineEdit*>(c);
    LeaveFocusedEdit(edit);
    state_.currentEdit = edit;
    edit->setFocus(Qt::OtherFocusReason);
    CommitEdit(up ? kStepUp : kStepDown, EditOrigin::Spin);
  } else if (kind == ControlKind::TrackBar) {
    auto* bar = static_cast<QSlider*>(c);
    bar->setValue(bar->value() + (up ? 1 : -1));
  }
}

void BandEditInput::OnSpinUp() { SpinClicked(qobject_cast<QWidget*>(sender()), true); }
void BandEditInput::OnSpinDown() { SpinClicked(qobject_cast<QWidget*>(sender()), false); }

void BandEditInput::ConnectSpin(QWidget* c) {
  if (c == nullptr || c == tables_.Placeholder() || connected_.contains(c)) return;
  if (KindOf(c) != ControlKind::Spin) return;
  const QMetaObject* meta = c->metaObject();
  const int up = meta->indexOfSignal("upClicked()");
  const int down = meta->indexOfSignal("downClicked()");
  if (up < 0 || down < 0) return;
  const QMetaObject* mine = metaObject();
  QMetaObject::connect(c, up, this, mine->indexOfSlot("OnSpinUp()"));
  QMetaObject::connect(c, down, this, mine->indexOfSlot("OnSpinDown()"));
  connected_.insert(c);
}

void BandEditInput::ConnectAll() {
  const ControlTableRows& main = tables_.MainControls();
  const ControlTableRows& spins = tables_.SpinControls();
  for (int p = 0; p < kPageCount; ++p) {
    for (int s = 0; s < kBindingSlots; ++s) {
      ConnectSpin(main[p][s]);
      ConnectSpin(spins[p][s]);
    }
  }
}

}  // namespace velantro
