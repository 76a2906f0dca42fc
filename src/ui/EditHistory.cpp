#include "ui/EditHistory.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QUndoCommand>
#include <QUndoStack>
#include <QWidget>
#include <algorithm>

#include "binding/ParameterTips.h"
#include "link/DeviceLink.h"
#include "model/BandLayout.h"
#include "widgets/Translation.h"

namespace velantro {

namespace {

constexpr int kEditStepId = 1;

// Steps a person repeats on one control: a key, the wheel, a spin button, a bar's own keys.
bool IsRepeatedStep(EditOrigin origin) {
  return origin == EditOrigin::Key || origin == EditOrigin::Wheel || origin == EditOrigin::Spin ||
         origin == EditOrigin::Slider;
}

bool SameAddresses(const std::vector<EditCell>& a, const std::vector<EditCell>& b) {
  if (a.size() != b.size()) return false;
  return std::all_of(a.begin(), a.end(), [&b](const EditCell& cell) {
    return std::any_of(b.begin(), b.end(),
                       [&cell](const EditCell& other) { return other.address == cell.address; });
  });
}

// A step whose name can be said again in another language.
class NamedStep : public QUndoCommand {
 public:
  virtual QString Name() const = 0;
  void Rename() { setText(Name()); }
};

// One operator edit. It is already in the store when it is pushed: its first redo does nothing.
class EditStep : public NamedStep {
 public:
  // `source` is the English name a caller gave the step (a revert); without one the step is
  // named after what it changed.
  EditStep(EditHistory& history, EditRecord record, int gesture, int64_t at, const char* source)
      : history_(history), record_(std::move(record)), source_(source), gesture_(gesture), at_(at) {
    Rename();
  }

  QString Name() const override {
    return source_ != nullptr ? Translated(source_) : history_.StepText(record_);
  }
  int id() const override { return kEditStepId; }
  void undo() override { history_.WriteBack(record_.cells, false); }
  void redo() override {
    if (std::exchange(pending_, false)) return;
    history_.WriteBack(record_.cells, true);
  }

  bool mergeWith(const QUndoCommand* other) override {
    const auto* next = static_cast<const EditStep*>(other);
    const bool sameDrag = gesture_ != 0 && next->gesture_ == gesture_;
    const bool repeated = gesture_ == 0 && next->gesture_ == 0 && IsRepeatedStep(record_.origin) &&
                          IsRepeatedStep(next->record_.origin) &&
                          SameAddresses(record_.cells, next->record_.cells) &&
                          next->at_ - at_ < kMergeWindowMs;
    if (!sameDrag && !repeated) return false;
    for (const EditCell& cell : next->record_.cells) Take(cell);
    at_ = next->at_;
    // Steps that come back to where they started leave nothing to undo.
    setObsolete(std::all_of(record_.cells.begin(), record_.cells.end(),
                            [](const EditCell& c) { return c.before == c.after; }));
    return true;
  }

 private:
  void Take(const EditCell& cell) {
    for (EditCell& mine : record_.cells) {
      if (mine.address == cell.address) {
        mine.after = cell.after;
        return;
      }
    }
    record_.cells.push_back(cell);
  }

  EditHistory& history_;
  EditRecord record_;
  const char* source_;
  int gesture_;
  int64_t at_;
  bool pending_ = true;
};

// A preset read into the store and uploaded: the whole image before and after.
class ImageStep : public NamedStep {
 public:
  ImageStep(EditHistory& history, const DeviceTable& before, const DeviceTable& after,
            DeviceLink& link)
      : history_(history),
        before_(std::make_unique<DeviceTable>(before)),
        after_(std::make_unique<DeviceTable>(after)),
        link_(link) {
    Rename();
  }

  QString Name() const override { return EditHistory::tr("preset upload"); }
  void undo() override { history_.WriteImage(*before_, &link_); }
  void redo() override {
    if (std::exchange(pending_, false)) return;
    history_.WriteImage(*after_, &link_);
  }

 private:
  EditHistory& history_;
  std::unique_ptr<DeviceTable> before_;
  std::unique_ptr<DeviceTable> after_;
  DeviceLink& link_;
  bool pending_ = true;
};

}  // namespace

EditHistory::EditHistory(QWidget& window, ParamEditor& editor, std::function<void()> showStore)
    : window_(window),
      editor_(editor),
      showStore_(std::move(showStore)),
      stack_(std::make_unique<QUndoStack>()) {
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  nowMs_ = [clock] { return clock->elapsed(); };
  // The stack's own actions fix their "Undo" at creation; these say it in the language in use.
  undo_ = new QAction(this);
  undo_->setObjectName("UndoAction");
  redo_ = new QAction(this);
  redo_->setObjectName("RedoAction");
  undo_->setEnabled(false);
  redo_->setEnabled(false);
  connect(undo_, &QAction::triggered, this, &EditHistory::Undo);
  connect(redo_, &QAction::triggered, this, &EditHistory::Redo);
  connect(stack_.get(), &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
  connect(stack_.get(), &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);
  connect(stack_.get(), &QUndoStack::undoTextChanged, this, &EditHistory::NameActions);
  connect(stack_.get(), &QUndoStack::redoTextChanged, this, &EditHistory::NameActions);
  NameActions();
  // The keys are shown in the menu; the event filter below is what takes them, before an edit
  // box or any shortcut could.
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  undo_->setShortcutContext(Qt::WidgetShortcut);
  redo_->setShortcutContext(Qt::WidgetShortcut);
  editor_.AddListener(this);
  qApp->installEventFilter(this);
  NoteStoreShown();
}

EditHistory::~EditHistory() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
  editor_.RemoveListener(this);
  // The steps call back into the history: they go while it is still whole, and the stack's
  // last signals no longer reach it.
  stack_->disconnect(this);
  stack_.reset();
}

void EditHistory::Undo() { stack_->undo(); }

void EditHistory::NameActions() {
  const QString undo = stack_->undoText();
  const QString redo = stack_->redoText();
  undo_->setText(undo.isEmpty() ? tr("Undo") : tr("Undo %1").arg(undo));
  redo_->setText(redo.isEmpty() ? tr("Redo") : tr("Redo %1").arg(redo));
}

void EditHistory::Retranslate() {
  for (int i = 0; i < stack_->count(); ++i) {
    // The stack hands its steps out const; they are this history's own, made above.
    auto* step = const_cast<QUndoCommand*>(stack_->command(i));
    static_cast<NamedStep*>(step)->Rename();
  }
  NameActions();
}
void EditHistory::Redo() { stack_->redo(); }
void EditHistory::Clear() { stack_->clear(); }

void EditHistory::OnEdit(const EditRecord& record) {
  // A preset taken into the store becomes one step of the whole image when its upload starts
  // (PushPresetStep), from the image known before it.
  if (record.origin == EditOrigin::Preset) return;
  NoteStoreShown();
  // Undo and redo steps are this history's own writes.
  if (record.origin == EditOrigin::Undo) return;
  const bool dragged =
      record.origin == EditOrigin::Slider || record.origin == EditOrigin::GraphDrag;
  const int gesture = dragged && pressed_ ? gesture_ : 0;
  stack_->push(new EditStep(*this, record, gesture, nowMs_(), nextSource_));
}

void EditHistory::WriteAsStep(const std::vector<EditCell>& cells, bool after, EditOrigin origin,
                              const char* source) {
  nextSource_ = source;
  editor_.WriteCells(cells, after, origin);
  nextSource_ = nullptr;
  showStore_();
}

void EditHistory::WriteBack(const std::vector<EditCell>& cells, bool after) {
  editor_.WriteCells(cells, after, EditOrigin::Undo);
  showStore_();
}

void EditHistory::WriteImage(const DeviceTable& image, DeviceLink* link) {
  editor_.TakeImage(image, EditOrigin::Undo);
  ParamStore& store = editor_.store();
  store.LayoutFlag = static_cast<uint8_t>(store.Device(0, 1));
  store.RebuildViewValues(store.LayoutFlag);
  showStore_();
  NoteStoreShown();
  // A whole image goes to the unit as the preset did: one upload.
  if (link != nullptr && link->LinkOnline()) link->StartUpload();
}

QString EditHistory::StepText(const EditRecord& record) const {
  switch (record.origin) {
    case EditOrigin::Reset:
      return tr("EQ Reset");
    case EditOrigin::Preset:
      return tr("preset");
    default:
      break;
  }
  if (record.cells.empty()) return {};
  const ParamAddress first = record.cells.front().address;
  const BandLocation band = LocateBand(first, 0);
  const bool oneBand =
      band.isBandField() &&
      std::all_of(record.cells.begin(), record.cells.end(), [&](const EditCell& c) {
        return PageOf(c.address) == PageOf(first) && LocateBand(c.address, 0).band == band.band &&
               LocateBand(c.address, 0).isBandField();
      });
  if (record.cells.size() > 1 && !oneBand) {
    return tr("%1 values").arg(static_cast<int>(record.cells.size()));
  }
  const ParamInfo* info = catalog_.Find(first);
  return info != nullptr ? TranslatedLabel(info->label) : tr("value");
}

void EditHistory::OnLinkEvent(LinkEvent event, DeviceLink& link) {
  switch (event) {
    case LinkEvent::LinkStart:
      downloadByReconnect_ = link.reconnecting();
      break;
    case LinkEvent::Reload:
      // A recalled mode replaces the image the steps were made on.
      downloadByReconnect_ = false;
      Clear();
      break;
    case LinkEvent::Upload:
      PushPresetStep(link);
      break;
    case LinkEvent::DownloadComplete:
      if (link.direction() == Direction::Write) break;  // an upload's end: the image is ours
      if (!downloadByReconnect_) Clear();
      downloadByReconnect_ = false;
      NoteStoreShown();
      break;
    default:
      break;
  }
}

void EditHistory::PushPresetStep(DeviceLink& link) {
  const DeviceTable& now = editor_.store().DeviceImage;
  if (now == known_) return;  // an upload of what the store held: nothing to undo
  stack_->push(new ImageStep(*this, known_, now, link));
  NoteStoreShown();
}

bool EditHistory::InWindow(QObject* watched) const {
  auto* widget = qobject_cast<QWidget*>(watched);
  return widget != nullptr && widget->window() == &window_;
}

int EditHistory::HistoryKey(const QEvent* event) {
  const auto* key = static_cast<const QKeyEvent*>(event);
  const Qt::KeyboardModifiers mods =
      key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (key->key() == Qt::Key_Z && mods == Qt::ControlModifier) return -1;
  if (key->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)) return 1;
  if (key->key() == Qt::Key_Y && mods == Qt::ControlModifier) return 1;
  return 0;
}

bool EditHistory::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
      const int which = HistoryKey(event);
      if (which == 0 || !InWindow(watched)) break;
      // Taken before an edit box sees it: its own undo would eat the keys.
      event->accept();
      if (event->type() == QEvent::KeyPress) which < 0 ? Undo() : Redo();
      return true;
    }
    case QEvent::MouseButtonPress:
      if (!pressed_ && InWindow(watched)) {
        pressed_ = true;
        ++gesture_;
      }
      break;
    case QEvent::MouseButtonRelease:
      pressed_ = false;
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace velantro
