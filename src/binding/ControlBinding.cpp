#include "binding/ControlBinding.h"

#include <QComboBox>
#include <QLineEdit>

#include "model/ScopedAssign.h"

namespace velantro {

namespace {

constexpr ParamAddress kFirstBandEdit = 0x0005;  // the music page's first band frequency

}  // namespace

ControlBinding::ControlBinding(QWidget* root, ParamStore& store, Messages& messages,
                               const int& currentSection)
    : editor_(store),
      state_(editor_, currentSection),
      tables_(root),
      actions_(tables_, state_, bandSelected),
      edits_(tables_, actions_, state_, redrawCurves),
      input_(tables_, edits_, state_, messages),
      refresh_(tables_, actions_, edits_, state_, redrawCurves, autoManualHandler, modeBoxHandler) {
}

ControlBinding::~ControlBinding() = default;

void ControlBinding::BuildBindingTables() {
  tables_.Fill();
  state_.currentEdit = qobject_cast<QLineEdit*>(tables_.MainControlAt(kFirstBandEdit));
  if (state_.currentEdit == nullptr) state_.currentEdit = tables_.Placeholder();
  actions_.ForgetHighlight();
  const ScopedAssign building(state_.refreshInProgress, true);
  tables_.Stamp();
  edits_.ConnectAll();
  input_.ConnectAll();
  editor_.WriteStartValues();
}

QLineEdit* ControlBinding::CurrentEdit() const { return state_.currentEdit.data(); }

void ControlBinding::SetCurrentEdit(QLineEdit* edit) {
  state_.currentEdit = input_.IsShownBandEdit(edit) ? edit : tables_.Placeholder();
}

// ---------------------------------------------------------------------------------------------
// GraphHost
// ---------------------------------------------------------------------------------------------

void ControlBinding::ApplyControlValue(GraphControl control, int step, bool fromStore, double x) {
  if (!control.valid()) return;
  QWidget* c = control.table == ControlTable::Pane ? tables_.ValuePaneAt(control.address)
                                                   : tables_.MainControlAt(control.address);
  if (c != nullptr) edits_.ApplyControlValue(c, step, fromStore, x, EditOrigin::GraphDrag);
}

// The graph's keys work on band fields only, and not on one the page greys (EQ pass, Auto).
QLineEdit* ControlBinding::KeyField(GraphControl control) const {
  if (!control.valid() || control.table != ControlTable::Main) return nullptr;
  auto* edit = qobject_cast<QLineEdit*>(tables_.MainControlAt(control.address));
  if (edit == nullptr || !edit->isEnabled() || !input_.IsShownBandEdit(edit)) return nullptr;
  return edit;
}

void ControlBinding::ApplyKeyValue(GraphControl control, double x) {
  if (QLineEdit* edit = KeyField(control)) {
    edits_.ApplyControlValue(edit, kStepNone, false, x, EditOrigin::Key);
  }
}

void ControlBinding::KeyStep(GraphControl control, int step, int rawDelta) {
  QLineEdit* edit = KeyField(control);
  double raw = 0;
  if (edit == nullptr || !input_.ShownRaw(edit, &raw)) return;
  edits_.ApplyControlValue(edit, step, false, raw + rawDelta, EditOrigin::Key);
}

void ControlBinding::ChooseBand(ParamAddress address) {
  QLineEdit* edit = KeyField(GraphControl{address, ControlTable::Main});
  if (edit == nullptr) return;
  SetCurrentEdit(edit);
  edits_.SelectBand(edit);
}

bool ControlBinding::IsEditBox(ParamAddress address) const {
  QWidget* c = tables_.MainControlAt(address);
  return c != nullptr && c != tables_.Placeholder() && KindOf(c) == ControlKind::Edit;
}

void ControlBinding::SelectEdit(ParamAddress address) {
  if (!IsEditBox(address)) return;
  auto* edit = qobject_cast<QLineEdit*>(tables_.MainControlAt(address));
  if (edit != nullptr && edit->isEnabled()) input_.BandEditClicked(edit);
}

int ControlBinding::TogglePass(QAbstractButton* button, int page) {
  const int value = actions_.Toggle(button);
  // The DEQ channels' passes are no page's EQ pass; a refresh locks the page by itself.
  if (page != kDeqPage) refresh_.SetEqPassState(page, value);
  if (page != kDeqPage || !state_.refreshInProgress) {
    refresh_.EnableBoundControls(state_.store.View(0, 0), page);
  }
  return value;
}

void ControlBinding::ChooseBandType(QWidget* image) {
  const Binding* b = tables_.BindingOf(image);
  if (b == nullptr || b->position < 0 || !tables_.IsTypeImage(image)) return;
  auto* combo = qobject_cast<QComboBox*>(tables_.MainControlAt(AddressOf(image)));
  if (combo == nullptr) return;
  combo->setCurrentIndex(b->position);
  edits_.BandTypeChanged(combo);
}

}  // namespace velantro
