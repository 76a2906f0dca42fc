#pragma once

// The serial port the link drives, on QSerialPort: 57600 baud 8N1, DTR and RTS on, reads only
// what is already waiting. It knows nothing of the link; it reports what happens on the line.

#include <QDeadlineTimer>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <string>
#include <vector>

#include "link/LinkInterfaces.h"

namespace velantro {

class SerialTransport : public QObject, public SerialPort {
  Q_OBJECT

 public:
  // `extraPorts` (--serial devices, ptys) are listed before the ports the machine lists.
  explicit SerialTransport(std::vector<std::string> extraPorts = {}, QObject* parent = nullptr);
  ~SerialTransport() override;

  std::vector<std::string> PortNames() override;
  void SetPortName(const std::string& name) override;
  bool Open() override;
  void Close() override;
  bool IsOpen() const override;
  size_t BytesAvailable() override;
  Bytes Read(size_t count) override;
  bool Write(const Bytes& bytes) override;

  // Lets written bytes leave an open port, waiting until `deadline` at most.
  void Flush(const QDeadlineTimer& deadline);

  // Why an open failed, when this user may not open the device.
  static constexpr const char* kPermissionDenied = "permission denied";

 signals:
  // Bytes are waiting on the open port.
  void bytesWaiting(size_t count);
  // An open failed for a reason the operator can act on (kPermissionDenied).
  void portProblem(const std::string& problem);
  // The port failed while open (the adapter was pulled out); it is closed already.
  void lost();

 private:
  void OnErrorOccurred(QSerialPort::SerialPortError error);

  std::vector<std::string> extraPorts_;
  QString portName_;  // as the link named it: QSerialPort keeps only the part after /dev/
  QSerialPort port_;
};

}  // namespace velantro
