#pragma once

// TForm3, the device link window: never shown, it owns the serial port, the TCP client and the
// three link timers, and wires what they report to the DeviceLink (with its change queue) that
// drives them.

#include <QObject>
#include <string>
#include <vector>

#include "link/DeviceLink.h"
#include "link/LinkInterfaces.h"
#include "link/QtLinkTimers.h"
#include "link/SerialTransport.h"
#include "link/TcpTransport.h"

namespace velantro {

class TForm3 : public QObject {
  Q_OBJECT

 public:
  // `extraPorts` (--serial devices, ptys) are tried before the ports the machine lists.
  TForm3(ParamStore& store, LinkConfig& config, LinkView& view, Messages& messages,
         std::vector<std::string> extraPorts = {}, QObject* parent = nullptr);
  ~TForm3() override;

  DeviceLink& link() { return link_; }
  ChangeQueue& changeQueue() { return link_.queue(); }
  SerialTransport& serial() { return serial_; }
  TcpTransport& network() { return network_; }
  QtLinkTimers& timers() { return timers_; }

  // Fills the port list (machine ports plus extra ports) and starts the search; what the main
  // window does when it is first shown.
  void StartLink();
  // Lets written bytes leave the port and the socket before the program ends (closing the
  // window, a command-line tool exiting); waits at most kFlushMs.
  void Flush();

  static constexpr int kFlushMs = 200;
  // What the view is told when this user may not open the serial device.
  static constexpr const char* kPermissionDenied = SerialTransport::kPermissionDenied;

 private:
  void OnTimeout(LinkTimer timer);
  void OnNetworkChunk(const QByteArray& chunk);

  SerialTransport serial_;
  TcpTransport network_;
  QtLinkTimers timers_;
  DeviceLink link_;
};

}  // namespace velantro
