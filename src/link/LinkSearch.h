#pragma once

// Finding the unit: the serial ports one per second (a port the operator named, or where the
// unit was last found, gets a few seconds), then the network; after a loss a quiet try where the
// unit was every 2 s and a full search once a minute; after a fast transfer met silence, a
// paced search that asks where the unit was until it has been silent for 11 seconds.

#include <cstdint>
#include <string>
#include <vector>

#include "link/LinkInterfaces.h"

namespace velantro {

class DeviceLink;

// A serial device given by name, or the port where the unit was last found, waits this many
// search ticks (1 s) for a late answer to the link request; other ports get one.
constexpr int kPatientPortTicks = 3;
constexpr int kNetworkLinkRequests = 3;    // link requests on the network before the search fails
constexpr int kReconnectEveryTicks = 2;    // search ticks (1 s) between tries where the unit was
constexpr int kFullSearchEveryTicks = 60;  // and between full searches of every port

class LinkSearch {
 public:
  explicit LinkSearch(DeviceLink& link) : link_(link) {}

  // The serial port list; the first entry is selected when there is one.
  void SetPortList(std::vector<std::string> names);
  void SetGivenPorts(std::vector<std::string> names) { givenPorts_ = std::move(names); }
  const std::vector<std::string>& ports() const { return ports_; }
  int selection() const { return selection_; }
  int position() const { return position_; }
  int lastPort() const { return lastPort_; }
  bool reconnecting() const { return reconnecting_; }

  // A search the operator starts: from the first serial port, or on the network at once. Returns
  // the link kind it starts on.
  LinkKind Prepare(bool onNetwork);
  // Every search starts counting afresh.
  void Restart();
  // One search tick; `heard` tells whether the unit sent anything since the last one.
  void Tick(bool heard);
  // The unit answered the link request: where it answered is where a reconnect looks first.
  void Found();
  // A fast download met silence: the search again from the first port, asking where the unit
  // was until it has been silent for 11 seconds (this second of waiting included).
  void PrepareRestartPaced();
  void BeginRestartPaced();
  // Looking for a lost unit: quietly where it was, and once a minute everywhere.
  void StartReconnect();
  // The unit is back, or the operator gave up on it.
  void StopReconnect();
  void EndRestart() { restarting_ = false; }
  // Deactivates the socket, then connects to the configured host and port; false (after telling
  // the operator) when the port text is not a port number.
  bool ConnectNetwork();

 private:
  void SerialStep();
  void NetworkStep();
  // Serial search: whether the port being tried gets another second.
  bool KeepTryingPort();
  int PortPatience(const std::string& name) const;
  // Whether this is where the unit was found, in the search that starts a connection over.
  bool RestartAsksAt(LinkKind kind, const std::string& port) const;
  void ReconnectTick();
  void TryWhereFound();

  DeviceLink& link_;
  std::vector<std::string> ports_;
  std::vector<std::string> givenPorts_;
  int selection_ = -1;
  int position_ = 0;
  int lastPort_ = -1;
  int portTicks_ = 0;          // search ticks spent on the serial port being tried
  int silentTicks_ = 0;        // search ticks in a row that heard nothing
  bool restarting_ = false;    // the search that starts a connection over, paced
  bool reconnecting_ = false;  // looking for a lost unit (the window only)
  bool fullSearch_ = false;
  int reconnectTicks_ = 0;
  LinkKind foundKind_ = LinkKind::Network;  // where the unit was last found
  std::string foundPort_;
};

}  // namespace velantro
