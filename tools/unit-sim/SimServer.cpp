#include "SimServer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace velantro {

namespace {

constexpr int kSaveDelayMs = 300;
constexpr int kPtyWriteWaitMs = 200;
constexpr size_t kReadChunk = 4096;

void Log(const QString& text) {
  std::fprintf(stderr, "velantro-unit-sim: %s\n", text.toLocal8Bit().constData());
  std::fflush(stderr);
}

}  // namespace

SimServer::SimServer(const ServerOptions& options) : options_(options), unit_(options.sim) {
  clock_.start();
  releaseTimer_ = new QTimer(&context_);
  releaseTimer_->setSingleShot(true);
  QObject::connect(releaseTimer_, &QTimer::timeout, &context_, [this] { ReleaseAnswers(); });
  streamTimer_ = new QTimer(&context_);
  streamTimer_->setSingleShot(true);
  QObject::connect(streamTimer_, &QTimer::timeout, &context_, [this] { OnStreamGap(); });
  saveTimer_ = new QTimer(&context_);
  saveTimer_->setSingleShot(true);
  saveTimer_->setInterval(kSaveDelayMs);
  QObject::connect(saveTimer_, &QTimer::timeout, &context_, [this] { SaveState(); });
  if (options_.sim.reportEveryMs > 0) {
    reportTimer_ = new QTimer(&context_);
    reportTimer_->setInterval(static_cast<int>(options_.sim.reportEveryMs));
    QObject::connect(reportTimer_, &QTimer::timeout, &context_, [this] { ReportOwnChange(); });
  }
}

void SimServer::ReportOwnChange() {
  // Reported to whoever spoke to the unit last: the console that holds the line.
  if (!haveLastSource_) return;
  Drive(lastSource_, [&] { unit_.ReportOwnChange(Now()); });
}

SimServer::~SimServer() {
  Stop();
  if (ptySlave_ >= 0) ::close(ptySlave_);
  if (ptyMaster_ >= 0) ::close(ptyMaster_);
}

bool SimServer::Start(QString& error) {
  if (!options_.stateFile.isEmpty() && QFile::exists(options_.stateFile)) {
    if (unit_.LoadState(options_.stateFile.toStdString())) {
      Log(QStringLiteral("state loaded from %1").arg(options_.stateFile));
    } else {
      // Keep the unreadable file for the operator instead of overwriting it.
      const QString aside = options_.stateFile + QStringLiteral(".bad");
      QFile::remove(aside);
      QFile::rename(options_.stateFile, aside);
      Log(QStringLiteral("state file %1 is not readable; kept as %2, starting from factory state")
              .arg(options_.stateFile, aside));
    }
  }
  savedChangeCount_ = unit_.ChangeCount();

  const QHostAddress address(options_.listenHost);
  if (address.isNull()) {
    error = QStringLiteral("not an address: %1").arg(options_.listenHost);
    return false;
  }
  server_ = new QTcpServer(&context_);
  QObject::connect(server_, &QTcpServer::newConnection, &context_, [this] { OnNewConnection(); });
  if (!server_->listen(address, options_.port)) {
    error = QStringLiteral("cannot listen on %1:%2: %3")
                .arg(options_.listenHost)
                .arg(options_.port)
                .arg(server_->errorString());
    return false;
  }
  std::printf("tcp: %s:%u\n", address.toString().toLocal8Bit().constData(),
              static_cast<unsigned>(server_->serverPort()));
  if (options_.pty && !StartPty(error)) return false;
  std::fflush(stdout);
  if (reportTimer_ != nullptr) reportTimer_->start();
  return true;
}

void SimServer::Stop() {
  releaseTimer_->stop();
  if (reportTimer_ != nullptr) reportTimer_->stop();
  streamTimer_->stop();
  if (saveTimer_->isActive() || unit_.ChangeCount() != savedChangeCount_) SaveState();
  saveTimer_->stop();
  if (server_ != nullptr) server_->close();
  for (QTcpSocket* client : clients_) {
    client->disconnect(&context_);
    client->abort();
  }
  clients_.clear();
  destinations_.clear();
  if (ptyNotifier_ != nullptr) ptyNotifier_->setEnabled(false);
}

void SimServer::ToggleSilent() {
  const bool silent = !unit_.options().silent;
  unit_.SetSilent(silent);
  if (silent) destinations_.clear();
  Log(silent ? QStringLiteral("silent: the unit hears and answers nothing")
             : QStringLiteral("answering again"));
}

bool SimServer::StartPty(QString& error) {
  ptyMaster_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (ptyMaster_ < 0 || ::grantpt(ptyMaster_) != 0 || ::unlockpt(ptyMaster_) != 0) {
    error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(std::strerror(errno));
    return false;
  }
  const char* name = ::ptsname(ptyMaster_);
  if (name == nullptr) {
    error = QStringLiteral("cannot name the pseudo-terminal");
    return false;
  }
  const QString slavePath = QString::fromLocal8Bit(name);
  // Holding the slave open keeps the master from reporting hang-up (and EIO on read) while no
  // console has the port open; raw mode keeps the line discipline away from the frames.
  ptySlave_ = ::open(name, O_RDWR | O_NOCTTY);
  if (ptySlave_ < 0) {
    error = QStringLiteral("cannot open %1: %2").arg(slavePath, std::strerror(errno));
    return false;
  }
  termios tio{};
  if (::tcgetattr(ptySlave_, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B57600);
    ::cfsetospeed(&tio, B57600);
    ::tcsetattr(ptySlave_, TCSANOW, &tio);
  }
  ::fcntl(ptyMaster_, F_SETFL, ::fcntl(ptyMaster_, F_GETFL) | O_NONBLOCK);
  ptyNotifier_ = new QSocketNotifier(ptyMaster_, QSocketNotifier::Read, &context_);
  QObject::connect(ptyNotifier_, &QSocketNotifier::activated, &context_,
                   [this] { OnPtyReadable(); });
  std::printf("pty: %s\n", name);
  return true;
}

void SimServer::OnNewConnection() {
  while (QTcpSocket* client = server_->nextPendingConnection()) {
    client->setParent(&context_);
    client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    clients_.push_back(client);
    Log(QStringLiteral("client %1:%2 connected")
            .arg(client->peerAddress().toString())
            .arg(client->peerPort()));
    QObject::connect(client, &QTcpSocket::readyRead, &context_,
                     [this, client] { OnClientBytes(client); });
    QObject::connect(client, &QTcpSocket::disconnected, &context_, [this, client] {
      clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
      // Answers still owed to this client have nowhere to go.
      std::replace(destinations_.begin(), destinations_.end(), static_cast<Source>(client),
                   static_cast<Source>(nullptr));
      if (haveLastSource_ && lastSource_ == client) {
        haveLastSource_ = false;
        unit_.ResetStream();
      }
      Log(QStringLiteral("client disconnected"));
      client->deleteLater();
    });
  }
}

void SimServer::OnClientBytes(QTcpSocket* client) { Feed(client, client->readAll()); }

void SimServer::OnPtyReadable() {
  QByteArray bytes;
  char buffer[kReadChunk];
  for (;;) {
    const ssize_t n = ::read(ptyMaster_, buffer, sizeof buffer);
    if (n > 0) {
      bytes.append(buffer, static_cast<qsizetype>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // EAGAIN: drained. EIO would mean no slave is open; we hold one, so it does not spin.
    break;
  }
  if (!bytes.isEmpty()) Feed(nullptr, bytes);
}

void SimServer::Feed(Source source, const QByteArray& bytes) {
  // Interleaved halves from two clients must not be glued into one frame.
  if (haveLastSource_ && lastSource_ != source) unit_.ResetStream();
  lastSource_ = source;
  haveLastSource_ = true;
  Drive(source, [&] {
    unit_.Receive(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                            static_cast<size_t>(bytes.size())),
                  Now());
  });
}

void SimServer::OnStreamGap() {
  if (!haveLastSource_) return;
  Drive(lastSource_, [&] { unit_.Poll(Now()); });
}

template <typename Step>
void SimServer::Drive(Source source, Step step) {
  const size_t before = unit_.PendingAnswerCount();
  step();
  for (size_t k = before; k < unit_.PendingAnswerCount(); ++k) destinations_.push_back(source);
  LogFrames();
  ReleaseAnswers();
  NoteChanges();
  // A half-received frame is given up when its rest does not come in time.
  if (const auto deadline = unit_.StreamDeadlineMs()) {
    streamTimer_->start(static_cast<int>(std::max<int64_t>(1, *deadline - Now())));
  } else {
    streamTimer_->stop();
  }
}

void SimServer::LogFrames() {
  const std::vector<Bytes> frames = unit_.TakeReceivedFrames();
  if (!options_.logFrames || frames.empty()) return;
  for (const Bytes& frame : frames) {
    const std::string line = UnitSim::FrameLogLine(frame) + '\n';
    std::fputs(line.c_str(), stdout);
  }
  std::fflush(stdout);
}

void SimServer::ReleaseAnswers() {
  for (const Bytes& answer : unit_.TakeAnswers(Now())) {
    if (destinations_.empty()) break;
    const Source destination = destinations_.front();
    destinations_.pop_front();
    WriteAnswer(destination, answer);
  }
  if (const auto due = unit_.NextAnswerDueMs()) {
    releaseTimer_->start(static_cast<int>(std::max<int64_t>(1, *due - Now())));
  }
}

void SimServer::WriteAnswer(Source destination, const Bytes& bytes) {
  if (destination == nullptr) {
    if (ptyMaster_ >= 0) WritePty(bytes);
    return;
  }
  if (std::find(clients_.begin(), clients_.end(), destination) == clients_.end()) return;
  destination->write(reinterpret_cast<const char*>(bytes.data()),
                     static_cast<qint64>(bytes.size()));
  // One write per answer, pushed out at once: the console takes each chunk as one message.
  destination->flush();
}

void SimServer::WritePty(const Bytes& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(ptyMaster_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      // Nobody reads the line: give up on this answer rather than block the unit.
      pollfd pfd{ptyMaster_, POLLOUT, 0};
      if (::poll(&pfd, 1, kPtyWriteWaitMs) > 0) continue;
    }
    return;
  }
}

void SimServer::NoteChanges() {
  if (options_.stateFile.isEmpty() || unit_.ChangeCount() == savedChangeCount_) return;
  if (!saveTimer_->isActive()) saveTimer_->start();
}

void SimServer::SaveState() {
  if (options_.stateFile.isEmpty()) return;
  if (unit_.SaveState(options_.stateFile.toStdString())) {
    savedChangeCount_ = unit_.ChangeCount();
  } else {
    Log(QStringLiteral("cannot write state file %1").arg(options_.stateFile));
  }
}

}  // namespace velantro
