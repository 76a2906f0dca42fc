#pragma once

// The one rule every edit of a parameter goes through, whoever makes it: a widget, a drag on the
// EQ graph, a key or wheel step, a command. It limits the value to the address's scale (a band's
// Q by the band's type), stores it in both tables, sends it as a value or as a band frame and
// remembers it as the last change the graph picks up. It knows nothing of widgets: the caller
// shows the text and moves the bar it hands back.

#include <string>
#include <utility>

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
  explicit EditRule(ParamStore& store) : store_(store) {}

  // Applies x (stepped by `step` for band scales) to the parameter at `address` shown with
  // `scale`. A value from the store (fromStore) is shown and stored but not sent; nor is a value
  // both tables hold already. While
  // `refreshing` the last change stays as it was: a refresh only shows.
  EditOutcome Apply(ParamAddress address, ValueScale scale, int step, bool fromStore, double x,
                    bool refreshing = false);
  // The two halves of Apply, for a caller that shows the value before it is stored and sent:
  // Limit finds the value and its text, Commit stores, sends and remembers it. A value the
  // operator typed (`typed`) is sent even when the tables hold it: Enter on a typed value is
  // the operator's word that the unit shall hold it.
  EditOutcome Limit(ParamAddress address, ValueScale scale, int step, bool fromStore, double x);
  void Commit(const EditOutcome& outcome, bool fromStore, bool refreshing, bool typed = false);

  // Both tables at once, without sending: ViewValues at the address and DeviceImage at its
  // effective address.
  void StoreBoth(ParamAddress address, int value);
  // Whether both tables hold the value already: an edit to it changes nothing and sends nothing.
  bool Holds(ParamAddress address, int value) const;
  // Page and DeviceImage slot where the unit keeps the value shown at `address`.
  std::pair<int, int> DeviceSlot(ParamAddress address) const;

  GraphChange LastChange() const { return lastChange_; }
  void SetLastChange(GraphChange change) { lastChange_ = change; }

 private:
  double LimitBandQ(ParamAddress address, bool fromStore, double x);

  ParamStore& store_;
  GraphChange lastChange_{};
};

}  // namespace velantro
