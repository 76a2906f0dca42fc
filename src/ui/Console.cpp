#include "ui/Console.h"

#include <QAction>
#include <QComboBox>
#include <cstdio>

#include "binding/ControlBinding.h"
#include "link/DeviceLink.h"
#include "link/Unit3.h"
#include "presets/LanguageChoice.h"
#include "ui/DocumentController.h"
#include "ui/EditHistory.h"
#include "ui/Language.h"
#include "ui/LinkPresenter.h"
#include "ui/MainFrm.h"
#include "ui/ModifiedMarkers.h"
#include "ui/PresetLibraryPanel.h"
#include "ui/Unit2.h"
#include "widgets/Translation.h"
#include "widgets/WidgetNames.h"

namespace velantro {

Console::Console(Messages& messages, LinkSettings settings)
    : linkSettings(std::move(settings)),
      messages_(&messages),
      linkView_(std::make_unique<LinkPresenter>(LanguageSetting, linkSettings.printStatus,
                                                onStatusText)) {
  linkConfig.host = linkSettings.host;
  linkConfig.portText = std::to_string(linkSettings.port);
  linkConfig.paced = linkSettings.paced;
  linkConfig.LanguageSetting = LanguageSetting;
  // The window looks for a lost unit by itself.
  linkConfig.reconnect = true;
}

Console::~Console() {
  if (DeviceLink* unitLink = link()) unitLink->onLinkEvent = nullptr;
  delete document_;
  document_ = nullptr;
  if (ControlBinding* b = binding()) {
    b->refresh().afterRefresh = nullptr;
    if (markers_) b->editor().RemoveListener(markers_.get());
  }
  history_.reset();
  markers_.reset();
  // The main window's helpers hold the link; the link holds the view: close from the top, the
  // view told first that the windows are going.
  linkView_->Detach();
  form2_.reset();
  form1_.reset();
  form3_.reset();
}

LinkView& Console::linkView() { return *linkView_; }

DeviceLink* Console::link() const { return form3_ ? &form3_->link() : nullptr; }

ChangeQueue* Console::changeQueue() const { return form3_ ? &form3_->changeQueue() : nullptr; }

ControlBinding* Console::binding() const { return form1_ ? form1_->binding() : nullptr; }

EqGraphPanel* Console::graph() const { return form1_ ? form1_->graph() : nullptr; }

WindowContext Console::windowContext() {
  return WindowContext{.store = store,
                       .messages = *messages_,
                       .currentSection = CurrentSection,
                       .language = LanguageSetting,
                       .linkSettings = linkSettings,
                       .linkConfig = linkConfig,
                       .programFolder = programFolder,
                       .linkWindow = form3_.get(),
                       .statusDialog = form2_.get()};
}

void Console::CreateWindows() {
  if (form1_) return;
  form3_ = std::make_unique<TForm3>(store, linkConfig, *linkView_, *messages_,
                                    linkSettings.serialDevices);
  form2_ = std::make_unique<TForm2>();
  form1_ = std::make_unique<TForm1>(windowContext());
  linkView_->Attach(*form1_, *form2_, form3_->link());
  CreateHistory();
  CreateDocument();
  ConnectLanguageBox();
}

void Console::CreateDocument() {
  DeviceLink* unitLink = link();
  document_ = new DocumentController(*form1_, binding()->editor(), unitLink, *messages_,
                                     LanguageSetting, documentSettings.onConnect);
  document_->onReport = [this](const std::string& text) {
    if (!linkSettings.printStatus) return;
    std::printf("document: %s\n", text.c_str());
    std::fflush(stdout);
  };
  form1_->beforeLinkStart = [this] {
    document_->AttachPresets();
    if (!documentSettings.file.empty() && document_->OpenAtStart(documentSettings.file)) {
      return;
    }
    if (documentSettings.startFromFactory) {
      document_->StartFromFactory();
    } else {
      document_->AdoptShown();
    }
  };
  // After the history and the markers: a choice after a Connect is an edit of their own.
  unitLink->onLinkEvent = [this, before = unitLink->onLinkEvent](LinkEvent event) {
    if (before) before(event);
    document_->OnLinkEvent(event);
  };
}

void Console::ConnectLanguageBox() {
  auto* box = form1_->findChild<QComboBox*>(QString::fromLatin1(names::kLanguageBox));
  if (box == nullptr) return;
  box->setCurrentIndex(static_cast<int>(LanguageSetting));
  QObject::connect(box, &QComboBox::currentIndexChanged, form1_.get(), [this](int index) {
    if (index >= 0) SetLanguage(static_cast<Language>(index), true);
  });
}

void Console::SetLanguage(Language language, bool remember) {
  const bool changed = language != LanguageSetting;
  LanguageSetting = language;
  linkConfig.LanguageSetting = language;
  InstallLanguage(language);
  if (remember) RememberLanguage();
  if (!changed || !form1_) return;
  RetranslateTree(form1_.get());
  if (form2_) RetranslateTree(form2_.get());
  linkView_->SwapStatusLanguage();
  form1_->RetranslateParts();
  if (document_ != nullptr) document_->UpdateTitle();
  if (history_ != nullptr) history_->Retranslate();
  if (auto* box = form1_->findChild<QComboBox*>(QString::fromLatin1(names::kLanguageBox))) {
    const bool blocked = box->blockSignals(true);
    box->setCurrentIndex(static_cast<int>(language));
    box->blockSignals(blocked);
  }
}

std::filesystem::path Console::PresetBaseFolder() const {
  if (form1_ && form1_->presets()) return form1_->presets()->library().BaseFolder();
  return PresetLibraryPanel::ChooseRoot(programFolder) / PresetLibrary::kBaseFolderName;
}

void Console::RememberLanguage() { WriteLanguageFile(PresetBaseFolder(), LanguageSetting); }

void Console::CreateHistory() {
  ControlBinding* b = binding();
  DeviceLink* unitLink = link();
  markers_ = std::make_unique<ModifiedMarkers>(*form1_, store);
  history_ = std::make_unique<EditHistory>(*form1_, b->editor(), [this] { ShowStore(); });
  b->editor().AddListener(markers_.get());
  b->refresh().afterRefresh = [this](int) {
    markers_->UpdateAll();
    history_->NoteStoreShown();
  };
  unitLink->onLinkEvent = [this, unitLink, before = unitLink->onLinkEvent](LinkEvent event) {
    if (before) before(event);
    history_->OnLinkEvent(event, *unitLink);
    // A download's or an upload's end: the unit holds what the store holds.
    if (event == LinkEvent::DownloadComplete) markers_->TakeReference();
  };

  auto* revertPage = new QAction(form1_.get());
  SetText(revertPage, QT_TRANSLATE_NOOP("velantro", "Revert page"));
  revertPage->setObjectName("RevertPageAction");
  QObject::connect(revertPage, &QAction::triggered, form1_.get(), [this] { RevertPage(); });
  auto* revertAll = new QAction(form1_.get());
  SetText(revertAll, QT_TRANSLATE_NOOP("velantro", "Revert all"));
  revertAll->setObjectName("RevertAllAction");
  QObject::connect(revertAll, &QAction::triggered, form1_.get(), [this] { RevertAll(); });
  form1_->addActions({history_->undoAction(), history_->redoAction(), revertPage, revertAll});
  form1_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void Console::ShowStore() {
  if (ControlBinding* b = binding()) b->RefreshAllControls(kAllPages);
}

void Console::RevertPage() { Revert(markers_->PagesOfSection(CurrentSection), "Revert page"); }

void Console::RevertAll() {
  std::vector<int> pages;
  for (int page = 0; page < kPageCount; ++page) pages.push_back(page);
  Revert(pages, "Revert all");
}

void Console::Revert(const std::vector<int>& pages, const char* text) {
  const std::vector<EditCell> cells = markers_->DifferingCells(pages);
  if (cells.empty()) return;
  history_->WriteAsStep(cells, true, EditOrigin::Revert, text);
}

}  // namespace velantro
