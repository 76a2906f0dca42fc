#include "link/TcpTransport.h"

#include "link/DrainWrites.h"

namespace velantro {

TcpTransport::TcpTransport(QObject* parent) : QObject(parent), socket_(this) {
  connect(&socket_, &QTcpSocket::readyRead, this, &TcpTransport::OnReadyRead);
  connect(&socket_, &QAbstractSocket::disconnected, this, [this] {
    if (!deactivating_) emit lost();
  });
}

TcpTransport::~TcpTransport() {
  // The socket aborts a connection as it goes; that is no loss to report.
  socket_.disconnect(this);
}

void TcpTransport::ConnectNetwork(const std::string& host, uint16_t port) {
  Deactivate();
  socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
  socket_.connectToHost(QString::fromStdString(host), port);
}

void TcpTransport::Deactivate() {
  // Our own abort is not the unit going away.
  deactivating_ = true;
  socket_.abort();
  deactivating_ = false;
}

void TcpTransport::Send(const Bytes& bytes) {
  // While connecting Qt keeps the bytes until the connection stands (the first link request of a
  // search leaves that way); on a closed socket they are lost, so they are not even written (Qt
  // would warn on every try of a reconnect while the unit is away).
  if (socket_.state() == QAbstractSocket::UnconnectedState) return;
  socket_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

void TcpTransport::Flush(const QDeadlineTimer& deadline) {
  if (socket_.state() == QAbstractSocket::ConnectedState) DrainWrites(socket_, deadline);
}

void TcpTransport::OnReadyRead() {
  const QByteArray chunk = socket_.readAll();
  if (!chunk.isEmpty()) emit received(chunk);
}

}  // namespace velantro
