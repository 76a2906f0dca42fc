#include "link/Unit3.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QSerialPortInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>

#include <cerrno>
#endif

namespace velantro {

namespace {

// Whether this user lacks the right to read and write the device (on Linux: not in the group
// that owns it), as opposed to a port that is busy, locked or missing.
bool LacksPermission(const QString& portName) {
#ifdef Q_OS_UNIX
  // QSerialPort's own rule: a name without a folder is a device in /dev.
  const QString path = portName.startsWith('/') ? portName : "/dev/" + portName;
  return ::access(path.toLocal8Bit().constData(), R_OK | W_OK) != 0 && errno == EACCES;
#else
  (void)portName;
  return false;
#endif
}

}  // namespace

TForm3::TForm3(ParamStore& store, LinkConfig& config, LinkView& view, Messages& messages,
               std::vector<std::string> extraPorts, QObject* parent)
    : QObject(parent),
      extraPorts_(std::move(extraPorts)),
      view_(view),
      port_(this),
      socket_(this),
      searchTimer_(this),
      downloadTimer_(this),
      holdTimer_(this),
      link_(store, config, *this, *this, *this, view, messages) {
  setObjectName("Form3");
  portName_ = QStringLiteral("COM1");
  port_.setPortName(portName_);

  searchTimer_.setInterval(kSearchIntervalMs);
  downloadTimer_.setInterval(kDownloadIntervalMs);
  holdTimer_.setInterval(kHoldIntervalMs);
  for (QTimer* timer : {&searchTimer_, &downloadTimer_, &holdTimer_}) {
    timer->setTimerType(Qt::PreciseTimer);
  }
  connect(&searchTimer_, &QTimer::timeout, this, [this] { link_.SearchTick(); });
  connect(&downloadTimer_, &QTimer::timeout, this, [this] { link_.DownloadTick(); });
  connect(&holdTimer_, &QTimer::timeout, this, [this] { link_.HoldTick(); });

  connect(&port_, &QSerialPort::readyRead, this, &TForm3::OnSerialReadyRead);
  connect(&socket_, &QTcpSocket::readyRead, this, &TForm3::OnSocketReadyRead);
  // A connection the unit closes or resets is a loss the link takes at once; other socket errors
  // leave the socket as they found it and the search or the hold timer notices the silence.
  connect(&socket_, &QAbstractSocket::disconnected, this, [this] {
    if (!deactivating_ && link_.kind() == LinkKind::Network) link_.OnTransportLost();
  });
  // An adapter that is pulled out fails the port: close it, and the link has lost the unit.
  connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ResourceError || !port_.isOpen()) return;
    port_.close();
    if (link_.kind() == LinkKind::Serial) link_.OnTransportLost();
  });
}

TForm3::~TForm3() {
  for (QTimer* timer : {&searchTimer_, &downloadTimer_, &holdTimer_}) timer->stop();
  port_.disconnect(this);
  socket_.disconnect(this);
}

void TForm3::StartLink() {
  link_.FillPortList();
  link_.Connect();
}

void TForm3::Flush() {
  // One wait may move only part of the buffer; keep waiting until it is empty or time is up.
  const QDeadlineTimer deadline(kFlushMs);
  const auto drain = [&deadline](QIODevice& device) {
    while (device.bytesToWrite() > 0 && !deadline.hasExpired()) {
      if (!device.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return;
    }
  };
  if (socket_.state() == QAbstractSocket::ConnectedState) drain(socket_);
  if (port_.isOpen()) drain(port_);
}

// ---------------------------------------------------------------------------------------------
// Serial port

std::vector<std::string> TForm3::PortNames() {
  std::vector<std::string> names;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    names.push_back(info.systemLocation().toStdString());
  }
  // Devices given on the command line (pseudo-terminals and links are not listed by the system;
  // they are opened by path) are tried first.
  std::vector<std::string> ordered = extraPorts_;
  for (const std::string& name : names) {
    if (std::find(ordered.begin(), ordered.end(), name) == ordered.end()) ordered.push_back(name);
  }
  return ordered;
}

void TForm3::SetPortName(const std::string& name) {
  portName_ = QString::fromStdString(name);
  port_.setPortName(portName_);
}

bool TForm3::Open() {
  if (port_.portName().isEmpty()) return false;
  if (!port_.open(QIODevice::ReadWrite)) {
    // Skipped like any other port that fails, but the operator learns why.
    if (port_.error() == QSerialPort::PermissionError && LacksPermission(portName_)) {
      view_.SetPortProblem(kPermissionDenied);
    }
    return false;
  }
  const bool configured =
      port_.setBaudRate(QSerialPort::Baud57600) && port_.setDataBits(QSerialPort::Data8) &&
      port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
      port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!configured) {
    port_.close();
    return false;
  }
  // Some adapters refuse the modem lines (a pty has none); the link works without them.
  port_.setDataTerminalReady(true);
  port_.setRequestToSend(true);
  port_.clear();
  return true;
}

void TForm3::Close() { port_.close(); }

bool TForm3::IsOpen() const { return port_.isOpen(); }

size_t TForm3::BytesAvailable() {
  return static_cast<size_t>(std::max<qint64>(0, port_.bytesAvailable()));
}

Bytes TForm3::Read(size_t count) {
  // Only bytes that are already waiting: the window thread never waits for the line.
  const QByteArray chunk = port_.read(static_cast<qint64>(count));
  return Bytes(chunk.begin(), chunk.end());
}

bool TForm3::Write(const Bytes& bytes) {
  const qint64 n = static_cast<qint64>(bytes.size());
  return port_.write(reinterpret_cast<const char*>(bytes.data()), n) == n;
}

void TForm3::OnSerialReadyRead() {
  if (!port_.isOpen()) return;
  link_.OnSerialBytes(BytesAvailable());
}

// ---------------------------------------------------------------------------------------------
// Network

void TForm3::ConnectNetwork(const std::string& host, uint16_t port) {
  Deactivate();
  socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
  socket_.connectToHost(QString::fromStdString(host), port);
}

void TForm3::Deactivate() {
  // Our own abort is not the unit going away.
  deactivating_ = true;
  socket_.abort();
  deactivating_ = false;
}

void TForm3::Send(const Bytes& bytes) {
  // While connecting Qt keeps the bytes until the connection stands (the first link request of a
  // search leaves that way); on a closed socket they are lost, so they are not even written (Qt
  // would warn on every try of a reconnect while the unit is away).
  if (socket_.state() == QAbstractSocket::UnconnectedState) return;
  socket_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

void TForm3::OnSocketReadyRead() {
  const QByteArray chunk = socket_.readAll();
  if (chunk.isEmpty()) return;
  link_.OnNetworkChunk(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(chunk.constData()),
                                                static_cast<size_t>(chunk.size())));
}

// ---------------------------------------------------------------------------------------------
// Timers

QTimer& TForm3::TimerFor(LinkTimer timer) {
  switch (timer) {
    case LinkTimer::Search:
      return searchTimer_;
    case LinkTimer::Download:
      return downloadTimer_;
    case LinkTimer::Hold:
      break;
  }
  return holdTimer_;
}

const QTimer& TForm3::TimerFor(LinkTimer timer) const {
  return const_cast<TForm3*>(this)->TimerFor(timer);
}

void TForm3::Start(LinkTimer timer) { TimerFor(timer).start(); }

void TForm3::Stop(LinkTimer timer) { TimerFor(timer).stop(); }

void TForm3::SetInterval(LinkTimer timer, int ms) { TimerFor(timer).setInterval(ms); }

int TForm3::Interval(LinkTimer timer) const { return TimerFor(timer).interval(); }

bool TForm3::IsActive(LinkTimer timer) const { return TimerFor(timer).isActive(); }

}  // namespace velantro
