#pragma once

// The program's Messages: modal QMessageBox boxes that belong to the main window, and one
// notice that does not block.

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "model/Messages.h"

namespace velantro {

class QtMessages : public Messages {
 public:
  explicit QtMessages(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  void Information(const std::string& text, const std::string& caption) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  bool AskOkCancel(const std::string& text, const std::string& caption) override;
  // A box without a loop of its own: the window goes on working under it. A new notice replaces
  // the one on screen.
  void ShowNotice(const std::string& text, const std::string& caption) override;
  void CloseNotice() override;
  int AskChoice(const std::string& text, const std::string& caption,
                const std::vector<std::string>& buttons) override;
  std::string AskOpenFile(const std::string& caption, const std::string& start,
                          const std::string& filter) override;
  std::string AskSaveFile(const std::string& caption, const std::string& start,
                          const std::string& filter) override;
  // The notice on screen, if any (tests).
  QMessageBox* notice() const { return notice_; }

 private:
  QPointer<QWidget> owner_;
  QPointer<QMessageBox> notice_;
};

}  // namespace velantro
