#pragma once

// TForm3, the device link window: never shown, it owns the serial port, the TCP client, the three
// link timers and the DeviceLink (with its change queue) that they drive.

#include <QObject>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTimer>
#include <string>
#include <vector>

#include "link/DeviceLink.h"
#include "link/LinkInterfaces.h"

namespace velantro {

class TForm3 : public QObject, public SerialPort, public NetworkClient, public LinkTimers {
  Q_OBJECT

 public:
  // `extraPorts` (--serial devices, ptys) are tried before the ports the machine lists.
  TForm3(ParamStore& store, LinkConfig& config, LinkView& view, Messages& messages,
         std::vector<std::string> extraPorts = {}, QObject* parent = nullptr);
  ~TForm3() override;

  DeviceLink& link() { return link_; }
  ChangeQueue& changeQueue() { return link_.queue(); }

  // Fills the port list (machine ports plus extra ports) and starts the search; what the main
  // window does when it is first shown.
  void StartLink();
  // Lets written bytes leave the port and the socket before the program ends (closing the
  // window, a command-line tool exiting); waits at most kFlushMs.
  void Flush();

  // SerialPort.
  std::vector<std::string> PortNames() override;
  void SetPortName(const std::string& name) override;
  bool Open() override;
  void Close() override;
  bool IsOpen() const override;
  size_t BytesAvailable() override;
  Bytes Read(size_t count) override;
  bool Write(const Bytes& bytes) override;

  // NetworkClient.
  void ConnectNetwork(const std::string& host, uint16_t port) override;
  void Deactivate() override;
  void Send(const Bytes& bytes) override;

  // LinkTimers.
  void Start(LinkTimer timer) override;
  void Stop(LinkTimer timer) override;
  void SetInterval(LinkTimer timer, int ms) override;
  int Interval(LinkTimer timer) const override;
  bool IsActive(LinkTimer timer) const override;

  static constexpr int kFlushMs = 200;
  // What the view is told when this user may not open the serial device.
  static constexpr const char* kPermissionDenied = "permission denied";

 private:
  QTimer& TimerFor(LinkTimer timer);
  const QTimer& TimerFor(LinkTimer timer) const;
  void OnSerialReadyRead();
  void OnSocketReadyRead();

  std::vector<std::string> extraPorts_;
  LinkView& view_;
  QString portName_;  // as the link named it: QSerialPort keeps only the part after /dev/
  QSerialPort port_;
  QTcpSocket socket_;
  QTimer searchTimer_;
  QTimer downloadTimer_;
  QTimer holdTimer_;
  bool deactivating_ = false;
  DeviceLink link_;
};

}  // namespace velantro
