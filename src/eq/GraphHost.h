#pragma once

// What the EQ graph needs from the rest of the window: the section on view and the edit path of
// the bound controls. The control binding implements it in the program; tests implement it on a
// bare store. Kept narrow on purpose: every edit the graph makes goes through ApplyControlValue
// or TogglePass, that is through the one writer of operator edits, which tells the graph (an
// EditListener) what to redraw.

#include "eq/GraphChange.h"
#include "model/ParamAddress.h"

class QAbstractButton;
class QWidget;

namespace velantro {

// Which binding table a control reference of the graph points into.
enum class ControlTable {
  Main,  // MainControls: band edits (frequency, gain, Q) and band type combo boxes
  Pane,  // ValuePanes: the crossover frequency panes (MicHPFrePane, EchoLPFrePane, ...)
};

// A control of the binding tables, named by table and stamped address.
struct GraphControl {
  ParamAddress address = -1;  // -1: no control
  ControlTable table = ControlTable::Main;
  bool valid() const { return address >= 0; }
  friend bool operator==(const GraphControl&, const GraphControl&) = default;
};

class GraphHost {
 public:
  virtual ~GraphHost() = default;

  // CurrentSection: page * 256 + sheet of the section on view.
  virtual int CurrentSection() const = 0;
  // RefreshInProgress: no redraw while a refresh walks the controls.
  virtual bool RefreshInProgress() const = 0;
  // SelectedBand of a graph (GraphIndex numbering).
  virtual int SelectedBand(int graph) const = 0;

  // ApplyControlValue(control, step, fromStore, x) on the control the reference names.
  // A reference without a control does nothing.
  virtual void ApplyControlValue(GraphControl control, int step, bool fromStore, double x) = 0;
  // CommitEdit(step) on CurrentEdit.
  virtual void CommitEdit(int step) = 0;
  // Whether MainControls at the address is an edit box (enabled or not).
  virtual bool IsEditBox(ParamAddress address) const = 0;
  // "Select the edit": if MainControls at the address is an enabled edit box, run its click
  // action (band selection), which makes it CurrentEdit.
  virtual void SelectEdit(ParamAddress address) = 0;

  // An EQ pass pressed (the page's, or a DEQ channel's) on the section showing `page`: the value
  // at its address flips, stored and sent as the operator's click, the button shows it, and the
  // page's band controls lock or unlock by it. Gives the new value.
  virtual int TogglePass(QAbstractButton* button, int page) = 0;
  virtual void ResetEqBands(int target) = 0;
  // A band type image was clicked: if the main control of its band type field is a combo box,
  // select the image's item and run its change handling.
  virtual void ChooseBandType(QWidget* image) = 0;

  // The graph's keys, each an edit of origin Key (sent, one record a key press). ApplyKeyValue
  // sets the band field to x; KeyStep steps the value the field shows, by its own step (step 1
  // up, 11 down) and by rawDelta raw units. A field the page greys takes neither.
  virtual void ApplyKeyValue(GraphControl control, double x) = 0;
  virtual void KeyStep(GraphControl control, int step, int rawDelta) = 0;
  // The band whose field is at `address` becomes the selected one, as a click into that field
  // would make it, while the keyboard focus stays on the graph.
  virtual void ChooseBand(ParamAddress address) = 0;
};

}  // namespace velantro
