#include "link/SerialTransport.h"

#include <QByteArray>
#include <QSerialPortInfo>
#include <algorithm>

#include "link/DrainWrites.h"

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

SerialTransport::SerialTransport(std::vector<std::string> extraPorts, QObject* parent)
    : QObject(parent),
      extraPorts_(std::move(extraPorts)),
      portName_(QStringLiteral("COM1")),
      port_(this) {
  port_.setPortName(portName_);
  connect(&port_, &QSerialPort::readyRead, this, [this] {
    if (port_.isOpen()) emit bytesWaiting(BytesAvailable());
  });
  connect(&port_, &QSerialPort::errorOccurred, this, &SerialTransport::OnErrorOccurred);
}

SerialTransport::~SerialTransport() {
  // The port closes as it goes; nothing it reports then is news to anyone.
  port_.disconnect(this);
}

std::vector<std::string> SerialTransport::PortNames() {
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

void SerialTransport::SetPortName(const std::string& name) {
  portName_ = QString::fromStdString(name);
  port_.setPortName(portName_);
}

bool SerialTransport::Open() {
  if (port_.portName().isEmpty()) return false;
  if (!port_.open(QIODevice::ReadWrite)) {
    // Skipped like any other port that fails, but the operator learns why.
    if (port_.error() == QSerialPort::PermissionError && LacksPermission(portName_)) {
      emit portProblem(kPermissionDenied);
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

void SerialTransport::Close() { port_.close(); }

bool SerialTransport::IsOpen() const { return port_.isOpen(); }

size_t SerialTransport::BytesAvailable() {
  return static_cast<size_t>(std::max<qint64>(0, port_.bytesAvailable()));
}

Bytes SerialTransport::Read(size_t count) {
  // Only bytes that are already waiting: the window thread never waits for the line.
  const QByteArray chunk = port_.read(static_cast<qint64>(count));
  return Bytes(chunk.begin(), chunk.end());
}

bool SerialTransport::Write(const Bytes& bytes) {
  const qint64 n = static_cast<qint64>(bytes.size());
  return port_.write(reinterpret_cast<const char*>(bytes.data()), n) == n;
}

void SerialTransport::Flush(const QDeadlineTimer& deadline) {
  if (port_.isOpen()) DrainWrites(port_, deadline);
}

void SerialTransport::OnErrorOccurred(QSerialPort::SerialPortError error) {
  // An adapter that is pulled out fails the port: close it, and the unit is gone.
  if (error != QSerialPort::ResourceError || !port_.isOpen()) return;
  port_.close();
  emit lost();
}

}  // namespace velantro
