#pragma once

// TForm2, the "Device Status" dialog: a small stay-on-top box in the middle of the screen that
// shows the link's progress while it searches, downloads and uploads.

#include <QDialog>

class QLabel;
class QProgressBar;

namespace velantro {

class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  // Status text (a copy of the main window's status label) and progress in percent.
  void UpdateStatus(const QString& statusText, int percent);
  // The serial port being tried, or "Network".
  void SetPortLabel(const QString& text);
  // Why that port could not be opened ("permission denied"), shown under its name until the
  // next port is named.
  void SetPortProblem(const QString& problem);

  QString statusText() const;
  QString portText() const;
  int progress() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* status_;
  QLabel* port_;
  QString portName_;
  QProgressBar* progress_;
};

}  // namespace velantro
