#include "ui/LinkPresenter.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <cstdio>

#include "binding/ControlBinding.h"
#include "link/DeviceLink.h"
#include "ui/DeviceCommands.h"
#include "ui/MainFrm.h"
#include "ui/Unit2.h"
#include "widgets/Looks.h"
#include "widgets/Translation.h"

namespace velantro {

namespace {

constexpr size_t kLogLines = 500;

}  // namespace

LinkPresenter::LinkPresenter(const Language& language, const bool& printStatus,
                             const StatusEcho& onStatusText)
    : language_(language), printStatus_(printStatus), onStatusText_(onStatusText) {}

void LinkPresenter::Attach(TForm1& window, TForm2& statusDialog, DeviceLink& link) {
  window_ = &window;
  dialog_ = &statusDialog;
  QObject::connect(window.linkButton(), &QPushButton::clicked, &window,
                   [&link] { link.PressLinkButton(); });
  QObject::connect(window.unlinkButton(), &QPushButton::clicked, &window,
                   [&link] { link.Disconnect(); });
}

void LinkPresenter::Detach() {
  window_ = nullptr;
  dialog_ = nullptr;
}

void LinkPresenter::SetStatus(const std::string& caption, const std::string& hint) {
  if (window_ != nullptr) {
    QLabel* label = window_->statusLabel();
    label->setText(QString::fromStdString(caption));
    label->setProperty("hint", QString::fromStdString(hint));
    label->setToolTip(QString::fromStdString(hint));
  }
  Report(language_ == Language::English ? caption : hint);
}

void LinkPresenter::SwapStatusLanguage() {
  if (window_ == nullptr) return;
  QLabel* label = window_->statusLabel();
  const QString hint = label->property("hint").toString();
  if (hint.isEmpty() || hint == label->text()) return;
  const QString caption = label->text();
  label->setText(hint);
  label->setProperty("hint", caption);
  label->setToolTip(caption);
}

void LinkPresenter::SetStatusCaption(const std::string& caption) {
  if (window_ != nullptr) window_->statusLabel()->setText(QString::fromStdString(caption));
  Report(caption);
}

void LinkPresenter::SetStatusColour(Rgb colour) {
  if (window_ == nullptr) return;
  QLabel* label = window_->statusLabel();
  label->setStyleSheet(QString("font-weight: bold; color: rgb(%1, %2, %3);")
                           .arg(colour.red)
                           .arg(colour.green)
                           .arg(colour.blue));
  label->setProperty("colour", QColor(colour.red, colour.green, colour.blue));
}

void LinkPresenter::SetLinkButton(LinkButtonLook look) {
  if (window_ == nullptr) return;
  const bool unlink = look == LinkButtonLook::Unlink;
  QPushButton* link = window_->linkButton();
  SetText(link, unlink ? QT_TRANSLATE_NOOP("velantro", "Unlink")
                       : QT_TRANSLATE_NOOP("velantro", "Connect"));
  SetButtonLook(link, unlink ? ButtonLook::Down : ButtonLook::Normal);
  SetButtonLook(window_->unlinkButton(), unlink ? ButtonLook::Normal : ButtonLook::Down);
}

void LinkPresenter::ShowDeviceStatus() {
  if (dialog_ != nullptr) dialog_->show();
}

void LinkPresenter::HideDeviceStatus() {
  if (dialog_ != nullptr) dialog_->hide();
}

void LinkPresenter::UpdateDeviceStatus(const std::string& statusText, int percent) {
  if (dialog_ != nullptr) dialog_->UpdateStatus(QString::fromStdString(statusText), percent);
}

void LinkPresenter::SetPortLabel(const std::string& text) {
  if (dialog_ != nullptr) dialog_->SetPortLabel(QString::fromStdString(text));
}

void LinkPresenter::SetPortProblem(const std::string& problem) {
  if (dialog_ != nullptr) dialog_->SetPortProblem(QString::fromStdString(problem));
}

void LinkPresenter::RefreshAll() {
  if (window_ == nullptr) return;
  window_->binding()->RefreshAllControls(kAllPages);
  window_->ShowDeviceCode();
  // The auto key lock engages at the first full refresh after a download.
  if (DeviceCommands* commands = window_->deviceCommands()) commands->ApplyKeyLockAtStart();
}

void LinkPresenter::ShowUnitValues() {
  if (window_ != nullptr) window_->binding()->RefreshAllControls(kAllPages);
}

void LinkPresenter::RebuildModeList() {
  if (window_ != nullptr) window_->RebuildModeList();
}

void LinkPresenter::ShowMainWindow() {
  if (window_ == nullptr) return;
  window_->show();
  // The offscreen platform has no stacking order and says so on every call.
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) window_->raise();
}

void LinkPresenter::LogLine(const std::string& line) {
  log_.push_back(line);
  if (log_.size() > kLogLines) log_.pop_front();
}

void LinkPresenter::ShowReadingUnitImage(bool reading) {
  if (window_ != nullptr && window_->unitLoading() != reading) window_->ShowUnitLoading(reading);
}

void LinkPresenter::Report(const std::string& text) {
  if (printStatus_) {
    std::printf("status: %s\n", text.c_str());
    std::fflush(stdout);
  }
  if (onStatusText_) onStatusText_(text);
}

}  // namespace velantro
