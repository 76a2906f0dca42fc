#pragma once

// The rule every edit of a shown value goes through, whoever makes it: a widget, a drag on the
// EQ graph, a key or wheel step. It limits the value to the address's scale (a band's Q by the
// band's type) and hands it to the one writer (ParamEditor), which stores it in both tables,
// sends it as a value or as a band frame and tells the graph. It knows nothing of widgets: the
// caller shows the text and moves the bar it hands back.

#include <string>
#include <utility>

#include "binding/ParamEditor.h"
#include "eq/GraphChange.h"
#include "model/ParamAddress.h"
#include "model/Scales.h"

namespace velantro {

class ParamStore;

struct EditOutcome {
  ParamAddress address = -1;  // the address written (a Q field follows the band's type)
  ValueScale scale = Scale::None;
  double limited = 0.0;  // the value after limiting; a linked bar shows it rounded
  int stored = 0;        // the raw value stored and sent
  std::string text;      // what an edit box or a value pane shows; empty: nothing to show
};

class EditRule {
 public:
  explicit EditRule(ParamEditor& editor) : editor_(editor), store_(editor.store()) {}

  // Applies x (stepped by `step` for band scales) to the parameter at `address` shown with
  // `scale`. A value from the store (fromStore) is shown and stored but not sent; nor is a value
  // both tables hold already. While
  // `refreshing` the last change stays as it was: a refresh only shows.
  EditOutcome Apply(ParamAddress address, ValueScale scale, int step, bool fromStore, double x,
                    bool refreshing = false, EditOrigin origin = EditOrigin::System);
  // The two halves of Apply, for a caller that shows the value before it is stored and sent:
  // Limit finds the value and its text, Commit stores, sends and tells the graph. A value the
  // operator typed (origin Typed) is sent even when the tables hold it: Enter on a typed value
  // is the operator's word that the unit shall hold it.
  EditOutcome Limit(ParamAddress address, ValueScale scale, int step, bool fromStore, double x);
  void Commit(const EditOutcome& outcome, bool fromStore, bool refreshing,
              EditOrigin origin = EditOrigin::System);
  // Whether both tables hold the value already: an edit to it changes nothing and sends nothing.
  bool Holds(ParamAddress address, int value) const;

  ParamEditor& editor() { return editor_; }

 private:
  double LimitBandQ(ParamAddress address, bool fromStore, double x);

  ParamEditor& editor_;
  ParamStore& store_;
};

}  // namespace velantro
