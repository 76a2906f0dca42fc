#pragma once

// The control binding of the main window: the one object the window, the EQ graph and the tests
// hold. It owns the parts that bind the window's controls to the store, each in its own file:
//
//   BindingTables   which controls show which parameter, found by objectName, and the address
//                   and hint every bound control carries
//   ControlActions  the shared per-control actions (ControlAction) and the looks they show
//   EditDispatch    every operator action on a bar, a combo box or a button becomes a limited,
//                   shown, stored and sent value (ApplyControlValue and the handlers)
//   BandEditInput   clicks, keys, the wheel and the spin buttons of the band edit boxes
//                   (CommitEdit)
//   Refresh         the store shown in every control, the locks, the EQ band defaults
//
// Each part uses only the parts above it in this list. What they share (the store, CurrentEdit,
// the refresh flag) is one BindingState, owned here. The parts connect the signals of every bound
// control themselves; the window connects only its own section handlers (tabs, Auto/Manual,
// Sing/Disco, MIC group, strip scrolling) and the graph panel its buttons (EQ pass, EQ Reset,
// DEQ EQ pass, type images).

#include <functional>

#include "binding/BandEditInput.h"
#include "binding/BindingState.h"
#include "binding/BindingTables.h"
#include "binding/ControlActions.h"
#include "binding/ControlTable.h"
#include "binding/EditDispatch.h"
#include "binding/EditRule.h"
#include "binding/Refresh.h"
#include "eq/GraphHost.h"
#include "model/Messages.h"
#include "model/ParamStore.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace velantro {

class ControlBinding : public GraphHost {
 public:
  // `root` is the main window (TForm1); `currentSection` is the window's CurrentSection, which
  // only the tab switch writes. All references must outlive the binding. The binding is no
  // QObject child: its owner deletes it (before or after the window, either works).
  ControlBinding(QWidget* root, ParamStore& store, Messages& messages, const int& currentSection);
  ~ControlBinding() override;

  // Fills every table from the window's controls, stamps addresses, connects the handlers once
  // and writes the start values into DeviceImage. Running it again gives the same result.
  void BuildBindingTables();

  BindingTables& tables() { return tables_; }
  const BindingTables& tables() const { return tables_; }
  ControlActions& actions() { return actions_; }
  EditDispatch& edits() { return edits_; }
  BandEditInput& input() { return input_; }
  Refresh& refresh() { return refresh_; }
  const Refresh& refresh() const { return refresh_; }
  // The one writer of the store: every operator edit passes it and is told to its listeners.
  ParamEditor& editor() { return editor_; }
  // The last change told to the graph.
  GraphChange LastChange() const { return editor_.LastGraphChange(); }

  QLineEdit* CurrentEdit() const;
  // An edit of a band the view does not show (see IsRealBandField) leaves the placeholder.
  void SetCurrentEdit(QLineEdit* edit);
  // Shows the store in the controls of one page (0-10) or of all (kAllPages).
  void RefreshAllControls(int target) { refresh_.RefreshAllControls(target); }

  // ---- GraphHost ------------------------------------------------------------------------------

  int CurrentSection() const override { return state_.currentSection; }
  bool RefreshInProgress() const override { return state_.refreshInProgress; }
  int SelectedBand(int graph) const override { return actions_.SelectedBand(graph); }
  void ApplyControlValue(GraphControl control, int step, bool fromStore, double x) override;
  void CommitEdit(int step) override { input_.CommitEdit(step, EditOrigin::GraphDrag); }
  bool IsEditBox(ParamAddress address) const override;
  void SelectEdit(ParamAddress address) override;
  int TogglePass(QAbstractButton* button, int page) override;
  void SetEqPassState(int page, int value) { refresh_.SetEqPassState(page, value); }
  void EnableBoundControls(int flag, int page) { refresh_.EnableBoundControls(flag, page); }
  void ResetEqBands(int target) override { refresh_.ResetEqBands(target); }
  void ChooseBandType(QWidget* image) override;
  void ApplyKeyValue(GraphControl control, double x) override;
  void KeyStep(GraphControl control, int step, int rawDelta) override;
  void ChooseBand(ParamAddress address) override;

  // ---- Hooks the window and the graph fill ----------------------------------------------------

  // Every "redraw the EQ graph" of the binding: DrawPageCurves(point, page), point 20 is the
  // whole page (EqGraphPanel::RedrawHook gives a ready one).
  std::function<void(int point, int page)> redrawCurves;
  // After a band selection set SelectedBand[graph] := band.
  std::function<void(int graph, int band)> bandSelected;
  // The Auto/Manual handler of the window, run by the refresh for AutoModeBtn or ManulModeBtn.
  std::function<void(QPushButton* button)> autoManualHandler;
  // The mode list's change handling (ShowModeName), run after the refresh rebuilt SysModeBox.
  std::function<void()> modeBoxHandler;

 private:
  QLineEdit* KeyField(GraphControl control) const;

  ParamEditor editor_;
  BindingState state_;
  BindingTables tables_;
  ControlActions actions_;
  EditDispatch edits_;
  BandEditInput input_;
  Refresh refresh_;
};

}  // namespace velantro
