#pragma once

// What the parts of the control binding share. ControlBinding owns the one instance and hands it
// to each part by reference: one store, one working band edit and one refresh flag, however many
// parts look at them.

#include <QPointer>

#include "binding/ParamEditor.h"
#include "model/ParamStore.h"

class QLineEdit;

namespace velantro {

struct BindingState {
  BindingState(ParamEditor& editor, const int& currentSection)
      : store(editor.store()), editor(editor), currentSection(currentSection) {}

  // Read it freely; change it only through the editor.
  ParamStore& store;
  // The one writer of operator edits (and of the console's own writes).
  ParamEditor& editor;
  // The window's CurrentSection (page * 256 + sheet); only the tab switch writes it.
  const int& currentSection;
  // CurrentEdit: the band edit the arrows, the wheel and the spin buttons step; the placeholder
  // edit while the operator works in none.
  QPointer<QLineEdit> currentEdit;
  // A refresh walks the controls: what they do meanwhile only shows the store, nothing of it is
  // an operator's edit.
  bool refreshInProgress = false;
};

}  // namespace velantro
