#include "ui/DocumentController.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <vector>

#include "binding/ControlBinding.h"
#include "binding/ParamEditor.h"
#include "binding/ParameterTips.h"
#include "link/DeviceLink.h"
#include "model/ScopedAssign.h"
#include "presets/FactoryPreset.h"
#include "presets/PresetFile.h"
#include "ui/DifferenceList.h"
#include "ui/MainFrm.h"
#include "ui/PresetLibraryPanel.h"
#include "widgets/Translation.h"

namespace velantro {

namespace {

constexpr int kTitleLabelLeft = 150;
constexpr int kPendingRefreshMs = 250;
constexpr int kPendingLabelWidth = 190;
constexpr int kWindowButtonsWidth = 3 * 25;
constexpr int kStatusLabelWidth = 220;
constexpr const char* kOpenCaption = VELANTRO_TEXT("Open preset");
constexpr const char* kSaveCaption = VELANTRO_TEXT("Save preset as");
constexpr const char* kPresetCaption = VELANTRO_TEXT("prompt");
constexpr const char* kUnitTitle = VELANTRO_TEXT("unit");
constexpr const char* kFactoryTitle = VELANTRO_TEXT("factory settings");

// The buttons of a question in the console's language.
std::vector<std::string> SayAll(std::initializer_list<const char*> sources) {
  std::vector<std::string> said;
  for (const char* source : sources) said.push_back(Say(source));
  return said;
}

// "N values differ …" in the console's language.
QString CountOf(size_t count, const char* one, const char* many) {
  return Translated(count == 1 ? one : many).arg(count);
}

bool IsPresetFile(const QUrl& url) {
  return url.isLocalFile() &&
         url.toLocalFile().endsWith(QStringLiteral(".Nddt"), Qt::CaseInsensitive);
}

// The one .Nddt file a drag carries; empty for anything else.
QString DraggedPreset(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  return IsPresetFile(url) ? url.toLocalFile() : QString();
}

std::string DifferenceLines(const std::vector<ImageDifference>& differences) {
  return DifferenceListText(differences, PresetLibraryPanel::kPreviewLineLimit, false);
}

}  // namespace

DocumentController::DocumentController(TForm1& window, ParamEditor& editor, DeviceLink* link,
                                       Messages& messages, Language& language,
                                       OnConnectPolicy policy)
    : QObject(&window),
      window_(window),
      editor_(editor),
      store_(editor.store()),
      link_(link),
      messages_(messages),
      language_(language),
      policy_(policy) {
  editor_.AddListener(this);
  BuildTitleStrip();
  BuildActions();
  window_.setAcceptDrops(true);
  window_.installEventFilter(this);
  window_.mayClose = [this] { return MayClose(); };
  // Acknowledgements come and go without an event of their own; the count is read a few times a
  // second (a cheap merge of two short lists).
  auto* pendingTimer = new QTimer(this);
  connect(pendingTimer, &QTimer::timeout, this, [this] { UpdatePending(); });
  pendingTimer->start(kPendingRefreshMs);
}

void DocumentController::AttachPresets() {
  if (PresetLibraryPanel* presets = window_.presets()) {
    presets->openOffline = [this](const std::filesystem::path& path) { Open(path); };
  }
}

DocumentController::~DocumentController() {
  editor_.RemoveListener(this);
  window_.mayClose = nullptr;
  if (PresetLibraryPanel* presets = window_.presets()) presets->openOffline = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The title strip

void DocumentController::BuildTitleStrip() {
  titleStrip_ = window_.findChild<QWidget*>(QStringLiteral("TitleStrip"));
  QWidget* parent = titleStrip_ ? titleStrip_.data() : &window_;
  titleLabel_ = new QLabel(parent);
  titleLabel_->setObjectName("DocumentTitle");
  titleLabel_->setStyleSheet("color: white;");
  pendingLabel_ = new QLabel(parent);
  pendingLabel_->setObjectName("PendingEditsLabel");
  pendingLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  pendingLabel_->setStyleSheet("color: #ffb000; font-weight: bold;");
  pendingLabel_->hide();
  if (titleStrip_) titleStrip_->installEventFilter(this);
  PlaceTitleStrip();
}

void DocumentController::PlaceTitleStrip() {
  if (!titleStrip_) return;
  const int height = titleStrip_->height();
  const int pendingLeft =
      titleStrip_->width() - kWindowButtonsWidth - kStatusLabelWidth - kPendingLabelWidth;
  pendingLabel_->setGeometry(pendingLeft, 0, kPendingLabelWidth, height);
  titleLabel_->setGeometry(kTitleLabelLeft, 0, std::max(0, pendingLeft - kTitleLabelLeft), height);
}

std::string DocumentController::TitleText() const {
  // While the operator chooses, the store holds the unit's image; the document is what the
  // console had.
  return document_.Title(choosing_ ? beforeConnect_ : store_.DeviceImage);
}

std::string DocumentController::PendingText() const {
  return link_ ? EditsNotOnUnitText(link_->EditsNotOnUnit()) : std::string();
}

bool DocumentController::Modified() const { return document_.Modified(store_.DeviceImage); }

// The document's title with its kind said in the console's language ("Velantro — 出厂设置 ●").
QString DocumentController::ShownTitle() const {
  QString title = QString::fromStdString(TitleText());
  const QString unit = QString::fromLatin1(kUnitTitle);
  const QString factory = QString::fromLatin1(kFactoryTitle);
  if (document_.kind() == DocumentKind::Unit && title.endsWith(unit)) {
    title.replace(title.size() - unit.size(), unit.size(), Translated(kUnitTitle));
  } else if (document_.kind() == DocumentKind::Factory) {
    title.replace(factory, Translated(kFactoryTitle));
  }
  return title;
}

void DocumentController::UpdateTitle() {
  const QString title = ShownTitle();
  window_.setWindowTitle(title);
  QString shown = title;
  if (link_ == nullptr || !link_->LinkOnline()) {
    switch (document_.kind()) {
      case DocumentKind::Factory:
        shown += Translated(
            QT_TRANSLATE_NOOP("velantro", "   (offline: working on the factory settings)"));
        break;
      case DocumentKind::File:
        shown += Translated(QT_TRANSLATE_NOOP("velantro", "   (offline: working on the file)"));
        break;
      case DocumentKind::Unit:
        shown += Translated(QT_TRANSLATE_NOOP("velantro", "   (offline)"));
        break;
    }
  }
  titleLabel_->setText(shown);
  UpdatePending();
}

void DocumentController::UpdatePending() {
  const size_t count = link_ ? link_->EditsNotOnUnit() : 0;
  const QString pending =
      count == 0 ? QString()
                 : CountOf(count, QT_TRANSLATE_NOOP("velantro", "%1 edit not on the unit"),
                           QT_TRANSLATE_NOOP("velantro", "%1 edits not on the unit"));
  if (pendingLabel_->text() != pending) pendingLabel_->setText(pending);
  pendingLabel_->setVisible(!pending.isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Actions

void DocumentController::BuildActions() {
  auto* open = new QAction(&window_);
  SetText(open, QT_TRANSLATE_NOOP("velantro", "Open…"));
  open->setObjectName("OpenAction");
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, [this] { OpenWithDialog(); });
  auto* save = new QAction(&window_);
  SetText(save, QT_TRANSLATE_NOOP("velantro", "Save"));
  save->setObjectName("SaveAction");
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, [this] { Save(); });
  auto* saveAs = new QAction(&window_);
  SetText(saveAs, QT_TRANSLATE_NOOP("velantro", "Save as…"));
  saveAs->setObjectName("SaveAsAction");
  saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  connect(saveAs, &QAction::triggered, this, [this] { SaveAs(); });
  window_.addActions({open, save, saveAs});
}

void DocumentController::AdoptShown() {
  document_.SetFactory(store_.DeviceImage);
  UpdateTitle();
}

void DocumentController::StartFromFactory() {
  DeviceTable image = store_.DeviceImage;
  const PresetParseResult parsed = ParsePresetText(FactoryPresetText(), image);
  // The factory file is built into the program and checked by the tests; it cannot fail here.
  if (parsed.error != PresetError::None) return;
  ShowImage(image, EditOrigin::System);
  document_.SetFactory(store_.DeviceImage);
  UpdateTitle();
}

std::optional<DeviceTable> DocumentController::ReadFile(const std::filesystem::path& path) {
  std::string text;
  LocalizedText detail;
  const PresetError readError = ReadPresetText(path, text, &detail);
  DeviceTable image = store_.DeviceImage;
  PresetParseResult parsed;
  if (readError == PresetError::None) parsed = ParsePresetText(text, image);
  const PresetError error = readError != PresetError::None ? readError : parsed.error;
  if (error == PresetError::None) return image;
  if (readError == PresetError::None) detail = parsed.Detail();
  std::string message = PresetErrorText(error).In(language_) + "\n" + path.string();
  if (!detail.In(language_).empty()) message += "\n" + detail.In(language_);
  messages_.Information(message, PresetMessageCaption().In(language_));
  return std::nullopt;
}

void DocumentController::ShowImage(const DeviceTable& image, EditOrigin origin) {
  editor_.TakeImage(image, origin);
  store_.LayoutFlag = static_cast<uint8_t>(store_.Device(0, 1));
  store_.RebuildViewValues(store_.LayoutFlag);
  if (ControlBinding* binding = window_.binding()) binding->RefreshAllControls(kAllPages);
}

bool DocumentController::Open(const std::filesystem::path& path) {
  if (!SettleUnsaved(store_.DeviceImage, false)) return false;
  return OpenSettled(path);
}

bool DocumentController::OpenAtStart(const std::filesystem::path& path) {
  return OpenSettled(path);
}

bool DocumentController::OpenSettled(const std::filesystem::path& path) {
  const std::optional<DeviceTable> file = ReadFile(path);
  if (!file) return false;
  if (link_ != nullptr && link_->LinkOnline()) {
    const std::vector<ImageDifference> differences =
        document_.Differences(store_.DeviceImage, *file);
    const std::string question =
        Translated(QT_TRANSLATE_NOOP("velantro", "Open %1 while the unit is online."))
            .arg(QString::fromStdString(path.filename().string()))
            .toStdString() +
        "\n" +
        CountOf(differences.size(),
                QT_TRANSLATE_NOOP("velantro", "%1 value differs from what the unit holds:"),
                QT_TRANSLATE_NOOP("velantro", "%1 values differ from what the unit holds:"))
            .toStdString() +
        DifferenceLines(differences);
    const int choice = messages_.AskChoice(question, Say(QT_TRANSLATE_NOOP("velantro", "Open")),
                                           SayAll({kUploadChoice, kUnlinkChoice, kCancelChoice}));
    if (choice == 0) {
      DeviceTable next = store_.DeviceImage;
      TakeUploadedCells(*file, next);
      ShowImage(next, EditOrigin::Preset);
      document_.SetFile(path, *file);
      if (!differences.empty()) {
        sent_ = next;
        uploading_ = true;
        link_->StartUpload();
      }
      UpdateTitle();
      return true;
    }
    if (choice != 1) return false;
    link_->Disconnect();
  }
  ShowImage(*file, EditOrigin::Preset);
  document_.SetFile(path, *file);
  UpdateTitle();
  return true;
}

bool DocumentController::OpenWithDialog() {
  const std::string start = document_.kind() == DocumentKind::File
                                ? document_.path().parent_path().string()
                                : std::string();
  const std::string chosen = messages_.AskOpenFile(Say(kOpenCaption), start, Say(kFileFilter));
  if (chosen.empty()) return false;
  return Open(chosen);
}

bool DocumentController::WriteFile(const std::filesystem::path& path, const DeviceTable& image) {
  ParamStore written;
  written.DeviceImage = image;
  return WritePresetFile(path, written, messages_, language_);
}

bool DocumentController::Save() {
  if (document_.kind() != DocumentKind::File) return SaveAs();
  if (!WriteFile(document_.path(), store_.DeviceImage)) return false;
  document_.SetFile(document_.path(), store_.DeviceImage);
  UpdateTitle();
  return true;
}

std::string DocumentController::AskSavePath() {
  const std::string start = document_.kind() == DocumentKind::File ? document_.path().string()
                                                                   : Say(QT_TRANSLATE_NOOP("velantro", "Untitled")) + ".Nddt";
  std::string chosen = messages_.AskSaveFile(Say(kSaveCaption), start, Say(kFileFilter));
  if (!chosen.empty() && !QString::fromStdString(chosen).endsWith(".Nddt", Qt::CaseInsensitive)) {
    chosen += ".Nddt";
  }
  return chosen;
}

bool DocumentController::SaveAs() {
  const std::string chosen = AskSavePath();
  if (chosen.empty()) return false;
  if (!WriteFile(chosen, store_.DeviceImage)) return false;
  document_.SetFile(chosen, store_.DeviceImage);
  UpdateTitle();
  return true;
}

bool DocumentController::SettleUnsaved(const DeviceTable& image, bool saveAs) {
  // The unit's image has nothing unsaved, except what a Take would throw away: the edits the
  // unit never received.
  const bool unitEdits = saveAs && document_.kind() == DocumentKind::Unit;
  if (!unitEdits && !document_.Modified(image)) return true;
  std::string question;
  switch (document_.kind()) {
    case DocumentKind::File:
      question = Translated(QT_TRANSLATE_NOOP("velantro", "%1 has unsaved changes."))
                     .arg(QString::fromStdString(document_.path().filename().string()))
                     .toStdString();
      break;
    case DocumentKind::Factory:
      question = Say(QT_TRANSLATE_NOOP("velantro", "The factory settings have unsaved changes."));
      break;
    case DocumentKind::Unit:
      question = Say(QT_TRANSLATE_NOOP(
          "velantro", "The console's edits that the unit does not hold would be lost."));
      break;
  }
  const bool hasFile = document_.kind() == DocumentKind::File && !saveAs;
  const int choice = messages_.AskChoice(
      question, Say(kUnsavedCaption),
      SayAll({hasFile ? kSaveChoice : kSaveAsChoice, kDiscardChoice, kCancelChoice}));
  if (choice == 1) return true;
  if (choice != 0) return false;
  if (hasFile) {
    if (!WriteFile(document_.path(), image)) return false;
    document_.SetFile(document_.path(), image);
    return true;
  }
  const std::string chosen = AskSavePath();
  if (chosen.empty() || !WriteFile(chosen, image)) return false;
  document_.SetFile(chosen, image);
  return true;
}

bool DocumentController::MayClose() { return SettleUnsaved(store_.DeviceImage, false); }

// ---------------------------------------------------------------------------------------------
// Connect

void DocumentController::OnEdit(const EditRecord& record) {
  // Only the operator's edits while the unit is read: what the window does once the image is in
  // (its refresh) is no part of the document.
  if (readingUnit_ && link_->downloading()) {
    // The page may be read already: the edit belongs to the document the choice weighs.
    editedWhileReading_ = true;
    for (const EditCell& cell : record.cells) {
      const auto [page, slot] = editor_.DeviceSlot(cell.address);
      if (ParamStore::InDeviceRow(page, slot)) beforeConnect_[page][slot] = cell.after;
    }
  }
  UpdateTitle();
}

void DocumentController::OnLinkEvent(LinkEvent event) {
  if (link_ == nullptr) return;
  switch (event) {
    case LinkEvent::LinkStart:
      beforeConnect_ = store_.DeviceImage;
      readingUnit_ = true;
      editedWhileReading_ = false;
      break;
    case LinkEvent::DownloadComplete:
      readingUnit_ = false;
      if (link_->ConnectChoiceDue()) {
        ChooseAfterConnect();
      } else if (uploading_ || verifying_) {
        AfterUpload();
      }
      break;
    case LinkEvent::UnitLost:
    case LinkEvent::LinkFailed:
      readingUnit_ = false;
      uploading_ = verifying_ = false;
      break;
    default:
      break;
  }
  UpdateTitle();
}

void DocumentController::ChooseAfterConnect() {
  if (takeNext_) {
    takeNext_ = false;
    document_.SetUnit();
    Report("took the unit's settings");
    return;
  }
  const DeviceTable unit = store_.DeviceImage;
  const ConnectChoice choice = document_.ChooseOnConnect(beforeConnect_, unit, policy_);
  if (choice == ConnectChoice::Silent) {
    if (document_.kind() == DocumentKind::Factory) document_.SetUnit();
    Report("same as the unit");
    return;
  }
  if (choice == ConnectChoice::Send) return SendDocument();
  if (choice == ConnectChoice::Take) return TakeUnit();
  // The title strip says "online" while the question is open.
  const ScopedAssign choosing(choosing_, true);
  UpdateTitle();
  const std::vector<ImageDifference> differences = document_.Differences(unit, beforeConnect_);
  const std::string question =
      Say(QT_TRANSLATE_NOOP("velantro", "The unit holds other settings than the console.")) + "\n" +
      CountOf(differences.size(),
              QT_TRANSLATE_NOOP("velantro", "%1 value differs (the unit's → the console's):"),
              QT_TRANSLATE_NOOP("velantro", "%1 values differ (the unit's → the console's):"))
          .toStdString() +
      DifferenceLines(differences);
  for (;;) {
    const int answer =
        messages_.AskChoice(question, Say(kConnectCaption), SayAll({kSendChoice, kTakeChoice}));
    if (answer == 0) return SendDocument();
    if (answer == 1 && SettleUnsaved(beforeConnect_, true)) return TakeUnit();
    if (answer < 0) return StayOffline();
  }
}

void DocumentController::StayOffline() {
  // The box closed without a choice: neither side is overwritten. The console goes offline with
  // its document as it was, and the next Connect asks again.
  link_->Disconnect();
  ShowImage(beforeConnect_, EditOrigin::System);
  Report("offline, nothing chosen");
}

void DocumentController::Report(const std::string& text) {
  if (onReport) onReport(text);
}

void DocumentController::SendDocument() {
  DeviceTable next = store_.DeviceImage;
  TakeUploadedCells(beforeConnect_, next);
  ShowImage(next, EditOrigin::Preset);
  if (document_.kind() == DocumentKind::Unit) document_.SetUnit();
  sent_ = next;
  uploading_ = true;
  link_->StartUpload();
}

void DocumentController::TakeUnit() {
  document_.SetUnit();
  if (editedWhileReading_) {
    // Edits made while the image was read may sit in pages read before them: read it again.
    takeNext_ = true;
    link_->Connect();
    return;
  }
  Report("took the unit's settings");
}

void DocumentController::AfterUpload() {
  if (uploading_) {
    // The upload is in: read back what it carried.
    uploading_ = false;
    verifying_ = true;
    link_->RaiseLinkEvent(LinkEvent::Reload);
    return;
  }
  verifying_ = false;
  const std::vector<ImageDifference> differences = document_.Differences(store_.DeviceImage, sent_);
  Report(differences.empty() ? "sent and read back" : "sent, the unit holds other values");
  if (differences.empty()) return;
  messages_.Information(
      CountOf(
          differences.size(),
          QT_TRANSLATE_NOOP("velantro", "The unit holds %1 value other than the console sent:"),
          QT_TRANSLATE_NOOP("velantro", "The unit holds %1 values other than the console sent:"))
              .toStdString() +
          DifferenceLines(differences),
      Say(kPresetCaption));
}

// ---------------------------------------------------------------------------------------------
// Window events

bool DocumentController::eventFilter(QObject* watched, QEvent* event) {
  if (watched == titleStrip_ && event->type() == QEvent::Resize) PlaceTitleStrip();
  if (watched == &window_) {
    if (event->type() == QEvent::DragEnter) {
      auto* drag = static_cast<QDragEnterEvent*>(event);
      if (!DraggedPreset(drag->mimeData()).isEmpty()) {
        drag->acceptProposedAction();
        return true;
      }
    } else if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString file = DraggedPreset(drop->mimeData());
      if (!file.isEmpty()) {
        drop->acceptProposedAction();
        Open(file.toStdString());
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace velantro
