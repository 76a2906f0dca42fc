#pragma once

// The program's Messages: modal QMessageBox boxes that belong to the main window for questions
// and errors that need an answer, and notices in the window's notice strip, which wait for
// nobody.

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "model/Messages.h"

namespace velantro {

class NoticeStrip;

class QtMessages : public Messages {
 public:
  explicit QtMessages(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  void Information(const std::string& text, const std::string& caption) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  bool AskOkCancel(const std::string& text, const std::string& caption) override;
  // In the owner's notice strip; an owner without one gets a box without a loop of its own
  // (the window goes on working under it). A new notice replaces the one on show.
  void ShowNotice(const std::string& text, const std::string& caption, NoticeKind kind) override;
  void CloseNotice() override;
  int AskChoice(const std::string& text, const std::string& caption,
                const std::vector<std::string>& buttons) override;
  std::string AskOpenFile(const std::string& caption, const std::string& start,
                          const std::string& filter) override;
  std::string AskSaveFile(const std::string& caption, const std::string& start,
                          const std::string& filter) override;
  // The notice box on screen, if any (an owner without a notice strip).
  QMessageBox* notice() const { return notice_; }

 private:
  NoticeStrip* Strip() const;

  QPointer<QWidget> owner_;
  QPointer<QMessageBox> notice_;
};

}  // namespace velantro
