#include "ui/QtMessages.h"

#include <QMessageBox>

#include "ui/NoticeStrip.h"

namespace velantro {

namespace {

QMessageBox::StandardButton Ask(QWidget* owner, QMessageBox::Icon icon, const std::string& text,
                                const std::string& caption, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton preferred) {
  QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text), buttons,
                  owner);
  box.setDefaultButton(preferred);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void QtMessages::Information(const std::string& text, const std::string& caption) {
  Ask(owner_, QMessageBox::Information, text, caption, QMessageBox::Ok, QMessageBox::Ok);
}

NoticeStrip* QtMessages::Strip() const {
  return owner_ != nullptr ? owner_->findChild<NoticeStrip*>(kNoticeStripName) : nullptr;
}

void QtMessages::ShowNotice(const std::string& text, const std::string& caption, NoticeKind kind) {
  if (NoticeStrip* strip = Strip()) {
    strip->Show(QString::fromStdString(text), kind);
    return;
  }
  CloseNotice();
  auto* box = new QMessageBox(QMessageBox::Information, QString::fromStdString(caption),
                              QString::fromStdString(text), QMessageBox::Ok, owner_);
  box->setObjectName("LinkNotice");
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  notice_ = box;
  box->show();
}

void QtMessages::CloseNotice() {
  if (NoticeStrip* strip = Strip()) strip->Close();
  if (notice_ != nullptr) notice_->close();
  notice_ = nullptr;
}

bool QtMessages::AskYesNo(const std::string& text, const std::string& caption) {
  return Ask(owner_, QMessageBox::Question, text, caption, QMessageBox::Yes | QMessageBox::No,
             QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtMessages::AskOkCancel(const std::string& text, const std::string& caption) {
  return Ask(owner_, QMessageBox::Question, text, caption, QMessageBox::Ok | QMessageBox::Cancel,
             QMessageBox::Ok) == QMessageBox::Ok;
}

}  // namespace velantro
