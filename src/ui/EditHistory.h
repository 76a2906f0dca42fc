#pragma once

// Undo and redo of the operator's edits. Each edit record the one writer makes becomes a step on
// a QUndoStack; undo and redo write the step's values back through the same writer, so the unit
// receives them as it receives any edit (band fields as band frames), and the window shows the
// store again. A drag (a bar or a graph handle, press to release) is one step, and key, wheel and
// keyboard bar steps on one control within a second merge into one. A preset upload is one step
// of the whole image. Ctrl+Z undoes and Ctrl+Shift+Z or Ctrl+Y redoes anywhere in the window,
// inside an edit box too.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "binding/ParamEditor.h"
#include "binding/ParameterCatalog.h"
#include "link/LinkWritePort.h"
#include "model/EditRecord.h"
#include "model/ParamStore.h"

class QAction;
class QUndoStack;
class QWidget;

namespace velantro {

class DeviceLink;

// Steps of key, wheel and keyboard bar edits on one control closer than this merge into one.
constexpr int64_t kMergeWindowMs = 1000;

class EditHistory : public QObject, public EditListener {
  Q_OBJECT

 public:
  // `window` is the main window whose keys and mouse presses the history watches; `showStore`
  // shows the store in every control after a step was written back.
  EditHistory(QWidget& window, ParamEditor& editor, std::function<void()> showStore);
  ~EditHistory() override;

  QUndoStack& stack() { return *stack_; }
  QAction* undoAction() const { return undo_; }
  QAction* redoAction() const { return redo_; }

  // Milliseconds from any fixed start; tests give their own clock.
  void SetClock(std::function<int64_t()> nowMs) { nowMs_ = std::move(nowMs); }

  void Undo();
  void Redo();
  // The image changed under the history (a download after Connect, a mode recall): no step of
  // it can be written back any more.
  void Clear();

  // Writes values back as one step named by the English `source` (a revert, a text that lives
  // as long as the program): the step is pushed as it is made.
  void WriteAsStep(const std::vector<EditCell>& cells, bool after, EditOrigin origin,
                   const char* source);

  // The language changed: the steps and the actions are named again.
  void Retranslate();

  // What the link did: a download after Connect or a recall clears the history, a reconnect's
  // download keeps it; a preset upload becomes one step of the whole image.
  void OnLinkEvent(LinkEvent event, DeviceLink& link);

  // The store as the history last knew it: a preset read into the store is found against it.
  void NoteStoreShown() { known_ = editor_.store().DeviceImage; }

  // EditListener.
  void OnEdit(const EditRecord& record) override;

  // The name of a record's step: "Music EQ 3 gain", "EQ Reset", "3 values".
  QString StepText(const EditRecord& record) const;

  // Undo and redo write through here (the commands are the history's own).
  void WriteBack(const std::vector<EditCell>& cells, bool after);
  void WriteImage(const DeviceTable& image, DeviceLink* link);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // "Undo Music EQ 2 gain", or "Undo" with nothing to undo.
  void NameActions();
  bool InWindow(QObject* watched) const;
  // -1 undo, 1 redo, 0 neither.
  static int HistoryKey(const QEvent* event);
  void PushPresetStep(DeviceLink& link);

  QWidget& window_;
  ParamEditor& editor_;
  std::function<void()> showStore_;
  std::function<int64_t()> nowMs_;
  ParameterCatalog catalog_;
  std::unique_ptr<QUndoStack> stack_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  DeviceTable known_{};
  const char* nextSource_ = nullptr;  // the name of the step a caller writes (a revert)
  bool writing_ = false;
  bool pressed_ = false;  // a mouse button is down in the window: a drag may run
  int gesture_ = 0;       // counts the presses: the steps of one drag share its number
  bool downloadByReconnect_ = false;
};

}  // namespace velantro
