#pragma once

// SIGINT and SIGTERM as a Qt signal: the two signals are blocked in every thread and read from a
// signalfd on the event loop, so the window closes the same way as with its close button.

#include <QObject>

class QSocketNotifier;

namespace velantro {

class SignalBridge : public QObject {
  Q_OBJECT

 public:
  // Blocks SIGINT and SIGTERM for the calling thread and every thread it starts later. Call
  // first thing in main(), before Qt starts any thread.
  static void BlockTerminationSignals();

  explicit SignalBridge(QObject* parent = nullptr);
  ~SignalBridge() override;

  // False where the platform offers no signal descriptor; the signals then keep their defaults.
  bool active() const { return fd_ >= 0; }

 signals:
  void terminationRequested(int signalNumber);

 private:
  void ReadSignal();

  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace velantro
