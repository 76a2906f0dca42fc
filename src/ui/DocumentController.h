#pragma once

// The console's document in the window: the title strip's name of what is edited (the unit, a
// preset file, the factory settings) with its unsaved mark, the count of edits not yet at the
// unit, Open / Save / Save as / a dropped file, the unsaved-changes question before a close or
// another file, and the choice between the console's settings and the unit's after a Connect.

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "binding/Document.h"
#include "binding/ParameterCatalog.h"
#include "link/LinkWritePort.h"
#include "model/EditRecord.h"
#include "model/Messages.h"
#include "model/ParamStore.h"

class QAction;
class QLabel;
class QWidget;

namespace velantro {

class DeviceLink;
class ParamEditor;
class TForm1;

class DocumentController : public QObject, public EditListener {
  Q_OBJECT

 public:
  static constexpr const char* kSendChoice =
      QT_TRANSLATE_NOOP("velantro", "Send the console's settings to the unit");
  static constexpr const char* kTakeChoice =
      QT_TRANSLATE_NOOP("velantro", "Take the unit's settings");
  static constexpr const char* kConnectCaption = QT_TRANSLATE_NOOP("velantro", "Connect");
  static constexpr const char* kUnsavedCaption = QT_TRANSLATE_NOOP("velantro", "Unsaved changes");
  static constexpr const char* kSaveAsChoice = QT_TRANSLATE_NOOP("velantro", "Save as…");
  static constexpr const char* kSaveChoice = QT_TRANSLATE_NOOP("velantro", "Save");
  static constexpr const char* kDiscardChoice = QT_TRANSLATE_NOOP("velantro", "Discard");
  static constexpr const char* kCancelChoice = QT_TRANSLATE_NOOP("velantro", "Cancel");
  static constexpr const char* kUploadChoice =
      QT_TRANSLATE_NOOP("velantro", "Upload it to the unit");
  static constexpr const char* kUnlinkChoice =
      QT_TRANSLATE_NOOP("velantro", "Work on it offline (Unlink)");
  static constexpr const char* kFileFilter =
      QT_TRANSLATE_NOOP("velantro", "Presets (*.Nddt);;All files (*)");

  // `link` may be null (a window without a link). Every reference must outlive this object.
  DocumentController(TForm1& window, ParamEditor& editor, DeviceLink* link, Messages& messages,
                     Language& language, OnConnectPolicy policy);
  ~DocumentController() override;

  // The preset panel's load works on the document while offline (after the first show made it).
  void AttachPresets();
  // What the pages show now counts as the untouched start (a window started without the factory
  // settings, as tests of other things make it).
  void AdoptShown();
  // The factory settings become the document and every page shows them.
  void StartFromFactory();
  // Opens a preset file as the document: unsaved changes are asked about first; while online the
  // operator chooses between uploading it and working on it offline. False when nothing opened.
  bool Open(const std::filesystem::path& path);
  // velantro FILE.Nddt: the same before anything was edited.
  bool OpenAtStart(const std::filesystem::path& path);
  // "Open…": the standard file dialog, then Open.
  bool OpenWithDialog();
  // "Save": back to the opened file; the factory settings and the unit's image have none, so
  // they go through Save as. False when nothing was written.
  bool Save();
  bool SaveAs();
  // Before the window closes: Save / Discard / Cancel when there is something unsaved.
  bool MayClose();

  const Document& document() const { return document_; }
  bool Modified() const;
  // What the title strip shows: the window title and, while not online, where the console is.
  std::string TitleText() const;
  // "3 edits not on the unit", empty for none.
  std::string PendingText() const;
  QString ShownTitle() const;

  // The link's events, after the history and the markers have taken them.
  void OnLinkEvent(LinkEvent event);
  // EditListener: the title's unsaved mark, and edits made while a Connect's download runs.
  void OnEdit(const EditRecord& record) override;

  // A choice after a Connect is still being carried out (an upload and its read-back).
  bool busy() const { return uploading_ || verifying_; }
  // Told how each Connect's choice ended ("sent", "took the unit's settings", ...): for
  // --print-status and scripts.
  std::function<void(const std::string&)> onReport;

  // The title strip's labels and the actions (tests find them by objectName too).
  QLabel* titleLabel() const { return titleLabel_; }
  QLabel* pendingLabel() const { return pendingLabel_; }

 public slots:
  // The title strip's texts again (after an edit, a link change, an acknowledgement).
  void UpdateTitle();
  void UpdatePending();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The whole image the file holds, its message shown when it cannot be read.
  std::optional<DeviceTable> ReadFile(const std::filesystem::path& path);
  bool OpenSettled(const std::filesystem::path& path);
  // The store takes `image` as the document's values and every page shows them.
  void ShowImage(const DeviceTable& image, EditOrigin origin);
  bool WriteFile(const std::filesystem::path& path, const DeviceTable& image);
  // Save / Discard / Cancel for the document's unsaved changes (`image` holds them); true to go
  // on. `saveAs` offers "Save as…" in place of "Save".
  bool SettleUnsaved(const DeviceTable& image, bool saveAs);
  std::string AskSavePath();
  void ChooseAfterConnect();
  void SendDocument();
  void TakeUnit();
  void StayOffline();
  void Report(const std::string& text);
  void AfterUpload();
  void BuildTitleStrip();
  void BuildActions();
  void PlaceTitleStrip();

  TForm1& window_;
  ParamEditor& editor_;
  ParamStore& store_;
  DeviceLink* link_;
  Messages& messages_;
  Language& language_;
  OnConnectPolicy policy_;
  ParameterCatalog catalog_;
  Document document_{catalog_};

  // The document as it stood when the unit was found, with the edits made while its image was
  // read: what a Connect's choice weighs against the unit.
  DeviceTable beforeConnect_{};
  bool readingUnit_ = false;
  bool choosing_ = false;  // the connect's question is open
  bool editedWhileReading_ = false;
  bool takeNext_ = false;   // the next Connect takes the unit's settings without asking
  bool uploading_ = false;  // the document is on its way to the unit
  bool verifying_ = false;  // and is read back
  DeviceTable sent_{};

  QPointer<QWidget> titleStrip_;
  QLabel* titleLabel_ = nullptr;
  QLabel* pendingLabel_ = nullptr;
};

}  // namespace velantro
