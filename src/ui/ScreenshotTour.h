#pragma once

// `velantro --screenshot DIR`: once the link is online, shows every section sheet at the design
// size and at a large size, writes each as DIR/screenshot-<section>[-max].png, then closes the
// window.

#include <QObject>
#include <QSize>
#include <QString>

namespace velantro {

class Console;

class ScreenshotTour : public QObject {
  Q_OBJECT

 public:
  ScreenshotTour(Console& console, QString folder, QSize largeSize, QObject* parent = nullptr);

  // Called with every status text; starts the tour at the first "Online".
  void OnStatus(const QString& englishText);
  // Writes all pictures now; returns the number written.
  int TakeAll();
  bool failed() const { return failed_; }

 signals:
  void finished(bool ok);

 private:
  bool Shoot(const QString& name);

  Console& console_;
  QString folder_;
  QSize largeSize_;
  bool started_ = false;
  bool failed_ = false;
};

}  // namespace velantro
