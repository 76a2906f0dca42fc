#include "ui/QtMessages.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/NoticeStrip.h"
#include "widgets/Translation.h"

namespace velantro {

namespace {

// The buttons of a box in the console's language.
void SayButtons(QMessageBox& box) {
  const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
      {QMessageBox::Ok, QT_TRANSLATE_NOOP("velantro", "OK")},
      {QMessageBox::Yes, QT_TRANSLATE_NOOP("velantro", "Yes")},
      {QMessageBox::No, QT_TRANSLATE_NOOP("velantro", "No")},
      {QMessageBox::Cancel, QT_TRANSLATE_NOOP("velantro", "Cancel")}};
  for (const auto& [button, text] : texts) {
    if (QAbstractButton* shown = box.button(button)) shown->setText(Translated(text));
  }
}

QMessageBox::StandardButton Ask(QWidget* owner, QMessageBox::Icon icon, const std::string& text,
                                const std::string& caption, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton preferred) {
  QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text), buttons,
                  owner);
  box.setDefaultButton(preferred);
  SayButtons(box);
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
  SayButtons(*box);
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

int QtMessages::AskChoice(const std::string& text, const std::string& caption,
                          const std::vector<std::string>& buttons) {
  QMessageBox box(QMessageBox::Question, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::NoButton, owner_);
  std::vector<QPushButton*> pressed;
  for (const std::string& label : buttons) {
    pressed.push_back(box.addButton(QString::fromStdString(label), QMessageBox::ActionRole));
  }
  // Escape answers -1: the caller's most careful answer.
  box.setEscapeButton(static_cast<QAbstractButton*>(nullptr));
  box.exec();
  for (size_t i = 0; i < pressed.size(); ++i) {
    if (box.clickedButton() == pressed[i]) return static_cast<int>(i);
  }
  return -1;
}

std::string QtMessages::AskOpenFile(const std::string& caption, const std::string& start,
                                    const std::string& filter) {
  return QFileDialog::getOpenFileName(owner_, QString::fromStdString(caption),
                                      QString::fromStdString(start), QString::fromStdString(filter))
      .toStdString();
}

std::string QtMessages::AskSaveFile(const std::string& caption, const std::string& start,
                                    const std::string& filter) {
  return QFileDialog::getSaveFileName(owner_, QString::fromStdString(caption),
                                      QString::fromStdString(start), QString::fromStdString(filter))
      .toStdString();
}

}  // namespace velantro
