#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <memory>
#include <vector>

#include "sim/UnitSim.h"

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;

namespace velantro {

struct ServerOptions {
  QString listenHost = QStringLiteral("127.0.0.1");
  quint16 port = 8889;
  bool pty = false;
  QString stateFile;
  bool logFrames = false;  // "rx: FC BA ..." on stdout for every good frame received
  SimOptions sim;
};

// Serves one stand-in unit to every TCP client and to a pseudo-terminal. Each answer is written
// on its own and flushed, so the console's network side sees one answer per chunk.
class SimServer {
 public:
  explicit SimServer(const ServerOptions& options);
  ~SimServer();
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  // Opens the listening socket (and the pty) and prints where the unit can be reached.
  bool Start(QString& error);
  // Stops serving and writes the state file.
  void Stop();
  // Toggles the "pulled cable" fault.
  void ToggleSilent();
  const SimStats& Stats() const { return unit_.stats(); }

 private:
  // Where bytes came from and where their answers go: a TCP client or the pty (nullptr).
  using Source = QTcpSocket*;

  bool StartPty(QString& error);
  void OnNewConnection();
  void OnClientBytes(QTcpSocket* client);
  void OnPtyReadable();
  void Feed(Source source, const QByteArray& bytes);
  void OnStreamGap();
  // Runs one step of the engine, then routes its new answers to `source` and logs its frames.
  template <typename Step>
  void Drive(Source source, Step step);
  void LogFrames();
  void ReleaseAnswers();
  void WriteAnswer(Source destination, const Bytes& bytes);
  void WritePty(const Bytes& bytes);
  void NoteChanges();
  void SaveState();
  // --report-changes: the unit turns a knob of its own and reports the value.
  void ReportOwnChange();
  int64_t Now() const { return clock_.elapsed(); }

  ServerOptions options_;
  UnitSim unit_;
  QElapsedTimer clock_;
  QObject context_;  // owns the timers and notifiers, and is the context of every connection
  QTcpServer* server_ = nullptr;
  QTimer* releaseTimer_ = nullptr;
  QTimer* streamTimer_ = nullptr;
  QTimer* saveTimer_ = nullptr;
  QTimer* reportTimer_ = nullptr;
  std::vector<QTcpSocket*> clients_;
  // Destination of every answer still waiting inside the unit, oldest first.
  std::deque<Source> destinations_;
  Source lastSource_ = nullptr;
  bool haveLastSource_ = false;

  int ptyMaster_ = -1;
  int ptySlave_ = -1;
  QSocketNotifier* ptyNotifier_ = nullptr;
  uint64_t savedChangeCount_ = 0;
};

}  // namespace velantro
