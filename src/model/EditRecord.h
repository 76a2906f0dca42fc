#pragma once

// What an operator's edit leaves behind: which values changed, from what, to what, and by which
// hand. The one writer of operator edits (the binding's ParamEditor) makes a record of every
// edit and tells its listeners: the EQ graph now, and whatever keeps a history or marks changed
// values. Writes the console makes by itself (start-up values, values a refresh keeps, the view
// selectors, a mode recall) go through the same writer and make no record.

#include <vector>

#include "model/ParamAddress.h"

namespace velantro {

// Who made an edit. System writes are the console's own and make no record.
enum class EditOrigin {
  System,
  Slider,     // a track bar moved with the mouse or its own keys
  Typed,      // a value typed into an edit box
  Key,        // an arrow or page key on a band edit
  Wheel,      // the mouse wheel on a band edit
  Spin,       // a spin button of a band edit
  Click,      // a button, an option or a combo box choice
  GraphDrag,  // a handle dragged or stepped on the EQ graph
  Reset,      // EQ Reset of a page, the DEQ reference settings
  Preset,     // a band preset or a whole preset
  Revert,     // values sent back to what the unit held at the last whole transfer
  Undo,       // an undo or redo step writing a record's values back
};

const char* OriginName(EditOrigin origin);

// One value an edit changed, at the address the unit keeps it under (the view selectors applied:
// MIC B on page 3, SUR on page 9, AUX2 on page 8, the reverb EQ on page 5), before and after.
struct EditCell {
  ParamAddress address = -1;
  int before = 0;
  int after = 0;
  friend bool operator==(const EditCell&, const EditCell&) = default;
};

struct EditRecord {
  EditOrigin origin = EditOrigin::System;
  std::vector<EditCell> cells;
};

// Address and raw value of the change the EQ graph shows next: the band an edit touched, or the
// band a click selected.
struct GraphChange {
  ParamAddress address = -1;
  int value = 0;
  friend bool operator==(const GraphChange&, const GraphChange&) = default;
};

class EditListener {
 public:
  virtual ~EditListener() = default;
  // An operator edit changed at least one value.
  virtual void OnEdit(const EditRecord& record) { (void)record; }
  // An edit of a value the EQ graph draws, or a band selection: the graph redraws that band.
  virtual void OnGraphChange(GraphChange change) { (void)change; }
};

}  // namespace velantro
