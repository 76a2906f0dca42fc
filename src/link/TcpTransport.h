#pragma once

// The TCP client the link drives, on QTcpSocket: non-blocking, every received chunk reported as
// it arrives. It knows nothing of the link; it reports what happens on the connection.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QTcpSocket>
#include <cstdint>
#include <string>

#include "link/LinkInterfaces.h"

namespace velantro {

class TcpTransport : public QObject, public NetworkClient {
  Q_OBJECT

 public:
  explicit TcpTransport(QObject* parent = nullptr);
  ~TcpTransport() override;

  void ConnectNetwork(const std::string& host, uint16_t port) override;
  void Deactivate() override;
  void Send(const Bytes& bytes) override;

  // Lets written bytes leave a connected socket, waiting until `deadline` at most.
  void Flush(const QDeadlineTimer& deadline);

 signals:
  // Every byte that was waiting on the socket.
  void received(const QByteArray& chunk);
  // The unit closed or reset the connection (our own Deactivate is not a loss). Other socket
  // errors leave the socket as they found it; the link notices the silence by itself.
  void lost();

 private:
  void OnReadyRead();

  QTcpSocket socket_;
  bool deactivating_ = false;
};

}  // namespace velantro
