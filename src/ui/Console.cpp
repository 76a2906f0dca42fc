#include "ui/Console.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <deque>

#include "binding/ControlBinding.h"
#include "link/DeviceLink.h"
#include "link/Unit3.h"
#include "ui/DeviceCommands.h"
#include "ui/EditHistory.h"
#include "ui/MainFrm.h"
#include "ui/ModifiedMarkers.h"
#include "ui/Unit2.h"
#include "widgets/Looks.h"

namespace velantro {

// The link's view of the windows: the status label and link button of the main window, the
// Device Status dialog, the full refresh and the mode list.
class ConsoleLinkView : public LinkView {
 public:
  explicit ConsoleLinkView(Console& console) : console_(console) {}

  void SetStatus(const std::string& caption, const std::string& hint) override {
    if (QLabel* label = StatusLabel()) {
      label->setText(QString::fromStdString(caption));
      label->setProperty("hint", QString::fromStdString(hint));
      label->setToolTip(QString::fromStdString(hint));
    }
    Report(console_.LanguageSetting == Language::English ? caption : hint);
  }

  void SetStatusCaption(const std::string& caption) override {
    if (QLabel* label = StatusLabel()) label->setText(QString::fromStdString(caption));
    Report(caption);
  }

  void SetStatusColour(Rgb colour) override {
    if (QLabel* label = StatusLabel()) {
      label->setStyleSheet(QString("font-weight: bold; color: rgb(%1, %2, %3);")
                               .arg(colour.red)
                               .arg(colour.green)
                               .arg(colour.blue));
      label->setProperty("colour", QColor(colour.red, colour.green, colour.blue));
    }
  }

  void SetLinkButton(LinkButtonLook look) override {
    TForm1* form = console_.form1();
    if (form == nullptr) return;
    const bool unlink = look == LinkButtonLook::Unlink;
    QPushButton* link = form->linkButton();
    link->setText(unlink ? "Unlink" : "Connect");
    SetButtonLook(link, unlink ? ButtonLook::Down : ButtonLook::Normal);
    SetButtonLook(form->unlinkButton(), unlink ? ButtonLook::Normal : ButtonLook::Down);
  }

  void ShowDeviceStatus() override {
    if (TForm2* dialog = console_.form2()) dialog->show();
  }
  void HideDeviceStatus() override {
    if (TForm2* dialog = console_.form2()) dialog->hide();
  }
  void UpdateDeviceStatus(const std::string& statusText, int percent) override {
    if (TForm2* dialog = console_.form2()) {
      dialog->UpdateStatus(QString::fromStdString(statusText), percent);
    }
  }
  void SetPortLabel(const std::string& text) override {
    if (TForm2* dialog = console_.form2()) dialog->SetPortLabel(QString::fromStdString(text));
  }
  void SetPortProblem(const std::string& problem) override {
    if (TForm2* dialog = console_.form2()) dialog->SetPortProblem(QString::fromStdString(problem));
  }

  void RefreshAll() override {
    TForm1* form = console_.form1();
    if (form == nullptr || form->binding() == nullptr) return;
    form->binding()->RefreshAllControls(kAllPages);
    form->ShowDeviceCode();
    // The auto key lock engages at the first full refresh after a download.
    if (DeviceCommands* commands = form->deviceCommands()) commands->ApplyKeyLockAtStart();
  }

  void ShowUnitValues() override {
    TForm1* form = console_.form1();
    if (form == nullptr || form->binding() == nullptr) return;
    form->binding()->RefreshAllControls(kAllPages);
  }

  void RebuildModeList() override {
    if (TForm1* form = console_.form1()) form->RebuildModeList();
  }

  void ShowMainWindow() override {
    if (TForm1* form = console_.form1()) {
      form->show();
      // The offscreen platform has no stacking order and says so on every call.
      if (QGuiApplication::platformName() != QLatin1String("offscreen")) form->raise();
    }
  }

  void LogLine(const std::string& line) override {
    log_.push_back(line);
    if (log_.size() > kLogLines) log_.pop_front();
  }

 private:
  static constexpr size_t kLogLines = 500;

  QLabel* StatusLabel() const {
    TForm1* form = console_.form1();
    return form != nullptr ? form->statusLabel() : nullptr;
  }

  void Report(const std::string& text) {
    if (console_.linkSettings.printStatus) {
      std::printf("status: %s\n", text.c_str());
      std::fflush(stdout);
    }
    if (console_.onStatusText) console_.onStatusText(text);
  }

  void ShowReadingUnitImage(bool reading) override {
    TForm1* form = console_.form1();
    if (form != nullptr && form->unitLoading() != reading) form->ShowUnitLoading(reading);
  }

  Console& console_;
  std::deque<std::string> log_;
};

Console::Console(Messages& messages, LinkSettings settings)
    : linkSettings(std::move(settings)),
      messages_(&messages),
      linkView_(std::make_unique<ConsoleLinkView>(*this)) {
  linkConfig.host = linkSettings.host;
  linkConfig.portText = std::to_string(linkSettings.port);
  linkConfig.paced = linkSettings.paced;
  linkConfig.LanguageSetting = LanguageSetting;
  // The window looks for a lost unit by itself.
  linkConfig.reconnect = true;
}

Console::~Console() {
  if (ControlBinding* b = binding()) {
    b->refresh().afterRefresh = nullptr;
    if (markers_) b->editor().RemoveListener(markers_.get());
  }
  history_.reset();
  markers_.reset();
  // The main window's helpers hold the link; the link holds the view: close from the top.
  form2_.reset();
  form1_.reset();
  form3_.reset();
}

LinkView& Console::linkView() { return *linkView_; }

DeviceLink* Console::link() const { return form3_ ? &form3_->link() : nullptr; }

ChangeQueue* Console::changeQueue() const { return form3_ ? &form3_->changeQueue() : nullptr; }

ControlBinding* Console::binding() const { return form1_ ? form1_->binding() : nullptr; }

EqGraphPanel* Console::graph() const { return form1_ ? form1_->graph() : nullptr; }

void Console::CreateWindows() {
  if (form1_) return;
  form1_ = std::make_unique<TForm1>(*this);
  form3_ = std::make_unique<TForm3>(store, linkConfig, *linkView_, *messages_,
                                    linkSettings.serialDevices);
  form2_ = std::make_unique<TForm2>();
  CreateHistory();
}

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
  unitLink->onLinkEvent = [this, unitLink, before = unitLink->onLinkEvent](int event) {
    if (before) before(event);
    history_->OnLinkEvent(event, *unitLink);
    // A download's or an upload's end: the unit holds what the store holds.
    if (event == kEventDownloadComplete) markers_->TakeReference();
  };

  auto* revertPage = new QAction(QObject::tr("Revert page"), form1_.get());
  revertPage->setObjectName("RevertPageAction");
  QObject::connect(revertPage, &QAction::triggered, form1_.get(), [this] { RevertPage(); });
  auto* revertAll = new QAction(QObject::tr("Revert all"), form1_.get());
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
  history_->WriteAsStep(cells, true, EditOrigin::Revert, QObject::tr(text));
}

}  // namespace velantro
