// The search for the unit and the reconnect after a loss.

#include "link/LinkSearch.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "link/DeviceLink.h"
#include "link/LinkTexts.h"

namespace velantro {

namespace {

// The port field as a TCP port number, or 0 when it is not one.
uint16_t ParsePort(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  if (begin == end || end - begin > 5) return 0;
  long value = 0;
  for (size_t i = begin; i < end; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return 0;
    value = value * 10 + (text[i] - '0');
  }
  return value >= 1 && value <= 65535 ? static_cast<uint16_t>(value) : 0;
}

}  // namespace

void LinkSearch::SetPortList(std::vector<std::string> names) {
  ports_ = std::move(names);
  selection_ = ports_.empty() ? -1 : 0;
}

LinkKind LinkSearch::Prepare(bool onNetwork) {
  restarting_ = false;
  reconnecting_ = false;
  fullSearch_ = false;
  if (onNetwork || ports_.empty()) return LinkKind::Network;
  // Every search starts from the first port, even after one that ended on the network.
  selection_ = 0;
  return LinkKind::Serial;
}

void LinkSearch::Restart() {
  position_ = 0;
  portTicks_ = 0;
  silentTicks_ = 0;
}

void LinkSearch::Tick(bool heard) {
  silentTicks_ = heard ? 0 : silentTicks_ + 1;
  const bool quietly = reconnecting_ && !fullSearch_;
  if (!quietly) link_.view_.ShowDeviceStatus();
  if (link_.linkAnswer_ == 1) {
    link_.RaiseLinkEvent(LinkEvent::LinkStart);
    return;
  }
  if (quietly) {
    ReconnectTick();
    return;
  }
  if (link_.kind_ == LinkKind::Serial) {
    SerialStep();
  } else {
    NetworkStep();
  }
}

void LinkSearch::SerialStep() {
  if (KeepTryingPort()) return;
  SerialPort& serial = link_.serial_;
  if (position_ > lastPort_ + 1 || selection_ < 0) {
    position_ = 0;
    link_.kind_ = LinkKind::Network;
    link_.view_.SetPortLabel(linktext::kNetworkPort);
    if (!ConnectNetwork()) return;
    link_.SendLinkControl(kLinkConnect);
    return;
  }
  if (serial.IsOpen()) serial.Close();
  // One tick past the last port selects nothing: the name is empty and the open fails.
  const bool inList = position_ < static_cast<int>(ports_.size());
  selection_ = inList ? position_ : -1;
  const std::string name = inList ? ports_[static_cast<size_t>(position_)] : std::string();
  serial.SetPortName(name);
  link_.view_.SetPortLabel(name);
  lastPort_ = selection_;
  // A port that cannot be opened is skipped; Transmit drops the request on a closed port. What
  // the receiver held belongs to the port as it was before.
  serial.Open();
  link_.serialReceiver_.Reset();
  link_.SendLinkControl(kLinkConnect);
  portTicks_ = 1;
  silentTicks_ = 0;
  ++position_;
}

bool LinkSearch::KeepTryingPort() {
  if (portTicks_ == 0 || !link_.serial_.IsOpen() || selection_ < 0 ||
      selection_ >= static_cast<int>(ports_.size())) {
    return false;
  }
  const std::string& name = ports_[static_cast<size_t>(selection_)];
  const bool keep = RestartAsksAt(LinkKind::Serial, name) ? silentTicks_ <= kSilentSecondsLimit
                                                          : portTicks_ < PortPatience(name);
  if (!keep) return false;
  ++portTicks_;
  // Asked again each second: the first request may have been lost on the way.
  link_.SendLinkControl(kLinkConnect);
  return true;
}

int LinkSearch::PortPatience(const std::string& name) const {
  const bool given = std::find(givenPorts_.begin(), givenPorts_.end(), name) != givenPorts_.end();
  const bool found = foundKind_ == LinkKind::Serial && name == foundPort_;
  return given || found ? kPatientPortTicks : 1;
}

bool LinkSearch::RestartAsksAt(LinkKind kind, const std::string& port) const {
  return restarting_ && foundKind_ == kind && (kind == LinkKind::Network || port == foundPort_);
}

void LinkSearch::NetworkStep() {
  if (position_ == 0) {
    link_.view_.SetPortLabel(linktext::kNetworkPort);
    if (!ConnectNetwork()) return;
  }
  ++position_;
  link_.timers_.SetInterval(LinkTimer::Download, kNetworkDownloadIntervalMs);
  const bool more = RestartAsksAt(LinkKind::Network, {}) ? silentTicks_ <= kSilentSecondsLimit
                                                         : position_ <= kNetworkLinkRequests;
  if (more) {
    link_.SendLinkControl(kLinkConnect);
    return;
  }
  position_ = 0;
  link_.RaiseLinkEvent(LinkEvent::LinkFailed);
  link_.network_.Deactivate();
}

bool LinkSearch::ConnectNetwork() {
  link_.network_.Deactivate();
  const uint16_t port = ParsePort(link_.config_.portText);
  if (port == 0) {
    position_ = 0;
    link_.GoOffline(linktext::kBadPort(link_.config_.portText), false, false);
    return false;
  }
  link_.networkReceiver_.Reset();
  link_.network_.ConnectNetwork(link_.config_.host, port);
  return true;
}

void LinkSearch::Found() {
  foundKind_ = link_.kind_;
  if (link_.kind_ == LinkKind::Serial && selection_ >= 0 &&
      selection_ < static_cast<int>(ports_.size())) {
    foundPort_ = ports_[static_cast<size_t>(selection_)];
  }
  restarting_ = false;
}

void LinkSearch::PrepareRestartPaced() {
  if (link_.kind_ == LinkKind::Serial && !ports_.empty()) selection_ = 0;
}

void LinkSearch::BeginRestartPaced() {
  restarting_ = true;
  silentTicks_ = 1;
}

void LinkSearch::StartReconnect() {
  reconnecting_ = true;
  fullSearch_ = false;
  reconnectTicks_ = 0;
  link_.linkAnswer_ = 0;
  link_.timers_.SetInterval(LinkTimer::Search, kSearchIntervalMs);
  link_.timers_.Start(LinkTimer::Search);
  link_.view_.SetLinkButton(LinkButtonLook::Unlink);
}

void LinkSearch::StopReconnect() {
  reconnecting_ = false;
  fullSearch_ = false;
}

void LinkSearch::ReconnectTick() {
  ++reconnectTicks_;
  if (reconnectTicks_ % kFullSearchEveryTicks == 0) {
    // Once a minute every port and then the network, as a search at start does; its end brings
    // the reconnect back here without a word.
    fullSearch_ = true;
    position_ = 0;
    lastPort_ = -1;
    if (ports_.empty()) {
      link_.kind_ = LinkKind::Network;
    } else {
      selection_ = 0;
      link_.kind_ = LinkKind::Serial;
    }
    return;
  }
  if (reconnectTicks_ % kReconnectEveryTicks == 0) TryWhereFound();
}

void LinkSearch::TryWhereFound() {
  link_.kind_ = foundKind_;
  if (link_.kind_ == LinkKind::Serial) {
    SerialPort& serial = link_.serial_;
    if (serial.IsOpen()) serial.Close();
    serial.SetPortName(foundPort_);
    serial.Open();
    link_.serialReceiver_.Reset();
  } else if (!ConnectNetwork()) {
    return;
  }
  link_.SendLinkControl(kLinkConnect);
}

}  // namespace velantro
