#pragma once

// The program's Messages: modal QMessageBox boxes that belong to the main window.

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

 private:
  QPointer<QWidget> owner_;
};

}  // namespace velantro
