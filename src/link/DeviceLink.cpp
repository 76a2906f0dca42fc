#include "link/DeviceLink.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <utility>

namespace velantro {

namespace {

// Items read after the pages, by step.
constexpr std::array<ParamAddress, 5> kVolumeItems{0x0A07, 0x0A08, 0x0A09, 0x0A0A, 0x0A0B};
constexpr std::array<ParamAddress, 3> kNormalVolumeItems{0x0A20, 0x0A21, 0x0A22};
constexpr std::array<ParamAddress, 7> kSystemItems{0x0A02, 0x0A03, 0x0A04, 0x0A05,
                                                   0x0A0C, 0x0A0D, 0x0A0E};
constexpr int kLastPageStep = 9;
constexpr int kFirstVolumeStep = 10;
constexpr int kFirstNormalVolumeStep = 15;
constexpr int kNameSetupStep = 17;
constexpr int kStartVolumeStep = 19;
constexpr int kFirstSystemItemStep = 20;
constexpr int kDeviceCodeStep = 27;
constexpr int kRemoteStep = 28;
constexpr int kModeSaveStep = 29;
// Upload steps.
constexpr int kLastVolumeWriteStep = 5;
constexpr int kFirstPageUploadStep = 6;
constexpr int kLastPageUploadStep = 15;

const LocalizedText kBadPortMessage(const std::string& text) {
  return {"端口号无效: \"" + text + "\"。请输入 1 到 65535 之间的数字。",
          "Invalid port \"" + text + "\": enter a number from 1 to 65535."};
}

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

DeviceLink::DeviceLink(ParamStore& store, LinkConfig& config, SerialPort& serial,
                       NetworkClient& network, LinkTimers& timers, LinkView& view,
                       Messages& messages)
    : store_(store),
      config_(config),
      serial_(serial),
      network_(network),
      timers_(timers),
      view_(view),
      messages_(messages),
      queue_(*this) {
  store_.SetChangeSink(&queue_);
}

DeviceLink::~DeviceLink() {
  if (store_.changeSink() == &queue_) store_.SetChangeSink(nullptr);
}

void DeviceLink::SetPortList(std::vector<std::string> names) {
  ports_ = std::move(names);
  selection_ = ports_.empty() ? -1 : 0;
}

void DeviceLink::FillPortList() { SetPortList(serial_.PortNames()); }

// ---------------------------------------------------------------------------------------------
// Connect, Disconnect

void DeviceLink::Connect() {
  pacedNow_ = config_.paced;
  autoPaced_ = false;
  restarting_ = false;
  reconnecting_ = false;
  fullSearch_ = false;
  if (ports_.empty()) {
    kind_ = LinkKind::Network;
  } else {
    // Every search starts from the first port, even after one that ended on the network.
    selection_ = 0;
    kind_ = LinkKind::Serial;
  }
  StartSearch();
}

void DeviceLink::ConnectOnNetwork() {
  pacedNow_ = config_.paced;
  autoPaced_ = false;
  restarting_ = false;
  reconnecting_ = false;
  fullSearch_ = false;
  kind_ = LinkKind::Network;
  StartSearch();
}

void DeviceLink::StartSearch() {
  linkAnswer_ = 0;
  searchPosition_ = 0;
  portTicks_ = 0;
  silentSearchTicks_ = 0;
  searchSeen_ = bytesReceived_;
  FirstDownloadFlag = 0;
  store_.SuppressSend = 0;
  // A search is never online: edits made meanwhile must not be sent.
  online_ = false;
  timers_.Start(LinkTimer::Search);
  view_.SetLinkButton(LinkButtonLook::Unlink);
  timers_.Stop(LinkTimer::Download);
  timers_.Stop(LinkTimer::Hold);
  downloading_ = false;
  ShowStatusCaption(linktext::kSearching);
  step_ = 0;
  stepCount_ = kDownloadStepCount;
  UpdateDeviceStatus();
  view_.ShowDeviceStatus();
  // The first search step goes at once, not a second later.
  if (!pacedNow_) SearchTick();
}

void DeviceLink::Disconnect() {
  if (online_) SendLinkControl(kLinkDisconnect);
  online_ = false;
  // An explicit Unlink stops looking for a lost unit. What it never received stays kept, with
  // the edits made from now on, for the next Connect.
  if (reconnecting_ || recovering_) messages_.CloseNotice();
  reconnecting_ = false;
  fullSearch_ = false;
  recovering_ = false;
  view_.SetLinkButton(LinkButtonLook::Connect);
  timers_.Stop(LinkTimer::Search);
  timers_.Stop(LinkTimer::Download);
  timers_.Stop(LinkTimer::Hold);
  downloading_ = false;
  ShowStatusCaption(linktext::kDisconnected);
  stepCount_ = kReloadStepCount;
  UpdateDeviceStatus();
  view_.HideDeviceStatus();
}

void DeviceLink::PressLinkButton() {
  if (online_ || reconnecting_) {
    Disconnect();
  } else {
    Connect();
  }
}

void DeviceLink::OnClose() {
  if (online_) SendLinkControl(kLinkDisconnect);
}

void DeviceLink::OnTransportLost() {
  if (online_ || timers_.IsActive(LinkTimer::Hold)) {
    timers_.Stop(LinkTimer::Hold);
    queue_.SetSilentSeconds(0);
    RaiseLinkEvent(kEventUnitLost);
  } else if (downloading_) {
    FailTransfer("connection lost");
  }
  // While searching the search moves on by itself.
}

// ---------------------------------------------------------------------------------------------
// Search

void DeviceLink::SearchTick() {
  TickReceiver(LinkTimer::Search);
  silentSearchTicks_ = HeardSince(searchSeen_) ? 0 : silentSearchTicks_ + 1;
  const bool quietly = reconnecting_ && !fullSearch_;
  if (!quietly) view_.ShowDeviceStatus();
  if (linkAnswer_ == 1) {
    RaiseLinkEvent(kEventLinkStart);
    return;
  }
  if (reconnecting_ && !fullSearch_) {
    ReconnectTick();
    return;
  }
  if (kind_ == LinkKind::Serial) {
    SerialSearchStep();
  } else {
    NetworkSearchStep();
  }
}

void DeviceLink::SerialSearchStep() {
  if (KeepTryingPort()) return;
  if (searchPosition_ > lastPort_ + 1 || selection_ < 0) {
    searchPosition_ = 0;
    kind_ = LinkKind::Network;
    view_.SetPortLabel(linktext::kNetworkPort);
    if (!ConnectNetwork()) return;
    SendLinkControl(kLinkConnect);
    return;
  }
  if (serial_.IsOpen()) serial_.Close();
  // One tick past the last port selects nothing: the name is empty and the open fails.
  const bool inList = searchPosition_ < static_cast<int>(ports_.size());
  selection_ = inList ? searchPosition_ : -1;
  const std::string name = inList ? ports_[static_cast<size_t>(searchPosition_)] : std::string();
  serial_.SetPortName(name);
  view_.SetPortLabel(name);
  lastPort_ = selection_;
  // A port that cannot be opened is skipped; Transmit drops the request on a closed port. What
  // the receiver held belongs to the port as it was before.
  serial_.Open();
  serialReceiver_.Reset();
  SendLinkControl(kLinkConnect);
  portTicks_ = 1;
  silentSearchTicks_ = 0;
  ++searchPosition_;
}

bool DeviceLink::KeepTryingPort() {
  if (portTicks_ == 0 || !serial_.IsOpen() || selection_ < 0 ||
      selection_ >= static_cast<int>(ports_.size())) {
    return false;
  }
  const std::string& name = ports_[static_cast<size_t>(selection_)];
  const bool keep = RestartAsksAt(LinkKind::Serial, name)
                        ? silentSearchTicks_ <= kSilentSecondsLimit
                        : portTicks_ < PortPatience(name);
  if (!keep) return false;
  ++portTicks_;
  // Asked again each second: the first request may have been lost on the way.
  SendLinkControl(kLinkConnect);
  return true;
}

int DeviceLink::PortPatience(const std::string& name) const {
  const bool given = std::find(givenPorts_.begin(), givenPorts_.end(), name) != givenPorts_.end();
  const bool found = foundKind_ == LinkKind::Serial && name == foundPort_;
  return given || found ? kPatientPortTicks : 1;
}

bool DeviceLink::RestartAsksAt(LinkKind kind, const std::string& port) const {
  return restarting_ && foundKind_ == kind && (kind == LinkKind::Network || port == foundPort_);
}

void DeviceLink::NetworkSearchStep() {
  if (searchPosition_ == 0) {
    view_.SetPortLabel(linktext::kNetworkPort);
    if (!ConnectNetwork()) return;
  }
  ++searchPosition_;
  timers_.SetInterval(LinkTimer::Download, kNetworkDownloadIntervalMs);
  const bool more = RestartAsksAt(LinkKind::Network, {}) ? silentSearchTicks_ <= kSilentSecondsLimit
                                                         : searchPosition_ <= kNetworkLinkRequests;
  if (more) {
    SendLinkControl(kLinkConnect);
    return;
  }
  searchPosition_ = 0;
  RaiseLinkEvent(kEventLinkFailed);
  network_.Deactivate();
}

bool DeviceLink::ConnectNetwork() {
  network_.Deactivate();
  const uint16_t port = ParsePort(config_.portText);
  if (port == 0) {
    searchPosition_ = 0;
    GoOffline(kBadPortMessage(config_.portText), false, false);
    return false;
  }
  networkReceiver_.Reset();
  network_.ConnectNetwork(config_.host, port);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Download, reload, upload

int DeviceLink::progressPercent() const {
  if (stepCount_ <= 0) return 0;
  // Disconnect sets the step count to 19 whatever the step, so the ratio can pass 100.
  const long percent = std::lround(100.0 * step_ / stepCount_);
  return static_cast<int>(std::clamp(percent, 0L, 100L));
}

void DeviceLink::StartTransfer(int stepCount, Direction direction) {
  step_ = 0;
  stepCount_ = stepCount;
  direction_ = direction;
  waitMs_ = 0;
  askMs_ = 0;
  nameCounter_ = 0;
  requestedName_ = -1;
  timeoutRepeats_ = 0;
  corruptRepeats_ = 0;
  corruptSeen_ = false;
  wrongAnswerRepeats_ = 0;
  quietWait_ = false;
  failDetail_ = {};
  downloading_ = true;
}

void DeviceLink::AwaitReply() {
  replyState_ = ReplyState::Waiting;
  waitMs_ = 0;
  askMs_ = 0;
  wrongAnswer_ = false;
  wrongAnswerTicks_ = 0;
}

void DeviceLink::DownloadTick() {
  const bool transferring = downloading_;
  TickReceiver(LinkTimer::Download);
  // The receiver's tick may have ended the transfer (damaged answers, too many times).
  if (transferring && !downloading_) return;
  const bool heard = HeardSince(downloadSeen_);
  UpdateDeviceStatus();
  view_.ShowDeviceStatus();
  if (quietWait_) {
    WaitForQuiet(heard);
    return;
  }
  const bool answered = replyState_ == ReplyState::FrameReceived ||
                        (replyState_ == ReplyState::Acknowledged && direction_ == Direction::Write);
  if (answered) {
    AnswerArrived();
    return;
  }
  WaitForAnswer(timers_.Interval(LinkTimer::Download), heard);
}

void DeviceLink::WaitForAnswer(int elapsedMs, bool heard) {
  if (!AwaitingAnswer()) return;
  // An answer that is still arriving in pieces keeps the wait alive.
  const size_t partial =
      kind_ == LinkKind::Serial ? serialReceiver_.pendingBytes() : networkReceiver_.pendingBytes();
  if (!(heard && partial > 0)) {
    waitMs_ = std::min(waitMs_ + elapsedMs, kLateLimitMs);
    askMs_ = std::min(askMs_ + elapsedMs, kLateLimitMs);
  }
  if (wrongAnswer_ && AskAgainAfterWrongAnswer()) return;
  if (replyState_ == ReplyState::Waiting && waitMs_ > kReplyTimeoutMs) {
    if (!pacedNow_) {
      StartOverPaced();
      return;
    }
    if (step_ <= 1 && timeoutRepeats_ < kTimeoutRepeats) {
      ++timeoutRepeats_;
      SendStepRequest();
      askMs_ = 0;
    } else {
      replyState_ = ReplyState::Late;
    }
    waitMs_ = 0;
  } else if (replyState_ == ReplyState::Late) {
    if (waitMs_ >= kLateLimitMs) {
      FailTransfer("no answer");
    } else if (askMs_ > kReplyTimeoutMs && timeoutRepeats_ < kTimeoutRepeats) {
      // While late the request is asked again a few times: a lost request or a lost
      // acknowledgement of an upload step then costs a second, not the transfer. A duplicate
      // answer is not taken for the next step's.
      ++timeoutRepeats_;
      SendStepRequest();
      askMs_ = 0;
    }
  }
}

bool DeviceLink::AskAgainAfterWrongAnswer() {
  if (++wrongAnswerTicks_ < kWrongAnswerTicks) return false;
  wrongAnswer_ = false;
  wrongAnswerTicks_ = 0;
  if (wrongAnswerRepeats_ >= kWrongAnswerRepeats) return false;
  ++wrongAnswerRepeats_;
  Log("not the answer to " + StepDescription() + ": asking again");
  SendStepRequest();
  AwaitReply();
  return true;
}

void DeviceLink::BeginQuietWait() {
  quietWait_ = true;
  quietTicks_ = 0;
  replyState_ = ReplyState::None;
  requestedName_ = -1;
  downloadSeen_ = bytesReceived_;
  timers_.SetInterval(LinkTimer::Download, kQuietTickMs);
}

void DeviceLink::WaitForQuiet(bool heard) {
  quietTicks_ = heard ? 0 : quietTicks_ + 1;
  if (quietTicks_ < kQuietTicks) return;
  EndQuietWait();
  SendStepRequest();
  AwaitReply();
}

void DeviceLink::EndQuietWait() {
  if (!quietWait_) return;
  quietWait_ = false;
  RestoreDownloadInterval();
}

void DeviceLink::RestoreDownloadInterval() {
  timers_.SetInterval(LinkTimer::Download, kind_ == LinkKind::Network ? kNetworkDownloadIntervalMs
                                                                      : kDownloadIntervalMs);
}

void DeviceLink::AnswerArrived() {
  if (step_ >= stepCount_) {
    replyState_ = ReplyState::None;
    timers_.Stop(LinkTimer::Download);
    RaiseLinkEvent(kEventDownloadComplete);
    timers_.SetInterval(LinkTimer::Download, kDownloadIntervalMs);
  } else {
    AdvanceStep();
    if (direction_ == Direction::Read && step_ == kModeNameStep && namePayload_ > 0) {
      BeginQuietWait();
      return;
    }
    SendStepRequest();
  }
  AwaitReply();
}

void DeviceLink::StartOverPaced() {
  pacedNow_ = true;
  autoPaced_ = true;
  EndQuietWait();
  Log("no answer to a fast request: starting over with paced transfers");
  if (direction_ == Direction::Write) {
    // The whole upload again from its first step, one request per tick.
    StartTransfer(kUploadStepCount, Direction::Write);
    ShowStatus(linktext::kDownload);
    SendStepRequest();
    AwaitReply();
    return;
  }
  // The search again (the same transport first), then the download, at the ticks' pace.
  timers_.Stop(LinkTimer::Download);
  downloading_ = false;
  if (kind_ == LinkKind::Serial && !ports_.empty()) selection_ = 0;
  StartSearch();
  // The search asks where the unit was until it has been silent for 11 seconds, this second of
  // waiting for the answer included.
  restarting_ = true;
  silentSearchTicks_ = 1;
}

std::string DeviceLink::WithPacedNote(const std::string& caption) const {
  if (!autoPaced_) return caption;
  for (const std::string* transfer :
       {&linktext::kSearching, &linktext::kLinking.english, &linktext::kLinking.chinese,
        &linktext::kLoading.english, &linktext::kLoading.chinese, &linktext::kDownload.english,
        &linktext::kDownload.chinese}) {
    if (caption == *transfer) return caption + linktext::kPacedNote;
  }
  return caption;
}

void DeviceLink::HoldTick() {
  TickReceiver(LinkTimer::Hold);
  queue_.HoldTick();
  if (reportRefreshTicks_ > 0) --reportRefreshTicks_;
  if (reportPending_ && reportRefreshTicks_ == 0 && online_) {
    reportPending_ = false;
    reportRefreshTicks_ = kReportRefreshTicks;
    view_.ShowUnitValues();
  }
}

std::string DeviceLink::StepDescription() const {
  char text[48];
  const int s = step_;
  if (direction_ == Direction::Write) {
    if (s <= kLastVolumeWriteStep) {
      std::snprintf(text, sizeof text, "volume limit 0x%04X", sysaddr::MusicStartVolume + s);
    } else if (s <= kLastPageUploadStep) {
      std::snprintf(text, sizeof text, "page %d", s - kFirstPageUploadStep);
    } else {
      std::snprintf(text, sizeof text, "the closing request 0x%04X", sysaddr::Remote);
    }
  } else if (s <= kLastPageStep) {
    std::snprintf(text, sizeof text, "page %d", s);
  } else if (s == kModeNameStep) {
    std::snprintf(text, sizeof text, "mode name %d", namePayload_ + 1);
  } else {
    std::snprintf(text, sizeof text, "item 0x%04X", ReadRequestAddress());
  }
  return text;
}

void DeviceLink::FailTransfer(const std::string& why) {
  const std::string what = StepDescription();
  if (direction_ == Direction::Write) {
    failDetail_ = {"无法发送 " + what + " (" + why + ")",
                   "Could not send " + what + " to the unit (" + why + ")."};
  } else {
    failDetail_ = {"无法读取 " + what + " (" + why + ")",
                   "Could not read " + what + " from the unit (" + why + ")."};
  }
  replyState_ = ReplyState::None;
  RaiseLinkEvent(kEventLinkFailed);
}

void DeviceLink::AdvanceStep() {
  timeoutRepeats_ = 0;
  corruptRepeats_ = 0;
  if (step_ == kModeNameStep) {
    namePayload_ = nameCounter_;
    ++nameCounter_;
    if (nameCounter_ > kModeNameCount || direction_ == Direction::Write) {
      nameCounter_ = 0;
      step_ = kModeNameStep + 1;
    }
  } else if (step_ == kNameSetupStep) {
    namePayload_ = nameCounter_;
    ++nameCounter_;
    step_ = kModeNameStep;
  } else {
    ++step_;
  }
}

void DeviceLink::SendStepRequest() {
  requestedName_ = -1;
  const int s = step_;
  if (direction_ == Direction::Write) {
    if (s <= kLastVolumeWriteStep) {
      const ParamAddress address = sysaddr::MusicStartVolume + s;
      SendValue(address, store_.Device(kSystemPage, IndexOf(address)));
    } else if (s <= kLastPageUploadStep) {
      Transmit(BuildPageUpload(store_, s - kFirstPageUploadStep));
    } else {
      Transmit(BuildUploadClosing(store_));
    }
    return;
  }
  if (s <= kLastPageStep) {
    Transmit(BuildPageRequest(s));
  } else if (s == kModeNameStep) {
    requestedName_ = namePayload_;
    Transmit(BuildNameRequest(namePayload_));
  } else {
    Transmit(BuildItemRequest(ReadRequestAddress()));
  }
}

ParamAddress DeviceLink::ReadRequestAddress() const {
  const int s = step_;
  if (s <= kLastPageStep) return MakeAddress(s, 0);
  if (s < kFirstNormalVolumeStep) return kVolumeItems[static_cast<size_t>(s - kFirstVolumeStep)];
  if (s <= kNameSetupStep) {
    return kNormalVolumeItems[static_cast<size_t>(s - kFirstNormalVolumeStep)];
  }
  if (s == kModeNameStep) return sysaddr::ModeName;
  if (s == kStartVolumeStep) return sysaddr::MusicStartVolume;
  if (s < kDeviceCodeStep) return kSystemItems[static_cast<size_t>(s - kFirstSystemItemStep)];
  if (s == kDeviceCodeStep) return sysaddr::DeviceCode;
  if (s == kRemoteStep) return sysaddr::Remote;
  return sysaddr::ModeSave;
}

bool DeviceLink::AnswersReadRequest(std::span<const uint8_t> frame) const {
  if (!AwaitingAnswer()) return false;
  const int page = frame[4];
  const int index = frame[5];
  const size_t payload = FramePayloadSize(frame);
  if (step_ <= kLastPageStep) {
    return page == step_ && index == 0 && PageAnswerLength(step_).Fits(payload);
  }
  const ParamAddress request = ReadRequestAddress();
  return page == PageOf(request) && index == IndexOf(request) &&
         ItemAnswerLength(request).Fits(payload);
}

bool DeviceLink::AnswersUploadStep(std::span<const uint8_t> frame) const {
  if (!AwaitingAnswer()) return false;
  const ParamAddress address = MakeAddress(frame[4], frame[5]);
  const int s = step_;
  if (s <= kLastVolumeWriteStep) return address == sysaddr::MusicStartVolume + s;
  if (s <= kLastPageUploadStep) {
    const int page = s - kFirstPageUploadStep;
    return address == sysaddr::PageUpload || (address == MakeAddress(page, 0) &&
                                              PageAnswerLength(page).Fits(FramePayloadSize(frame)));
  }
  return address == sysaddr::Remote;
}

// ---------------------------------------------------------------------------------------------
// Link events

void DeviceLink::RaiseLinkEvent(int event) {
  switch (event) {
    case kEventDownloadComplete:
      OnDownloadComplete();
      break;
    case kEventReload:
      OnReload();
      break;
    case kEventModeSaved:
      OnModeSaved();
      break;
    case kEventLinkStart:
      OnLinkStart();
      break;
    case kEventUpload:
      OnUpload();
      break;
    case kEventUnitLost:
      GoOffline(linktext::kLostMessage, true);
      break;
    case kEventLinkFailed:
      GoOffline(linktext::kFailedMessage, false);
      break;
    default:
      return;
  }
  if (onLinkEvent) onLinkEvent(event);
}

void DeviceLink::OnDownloadComplete() {
  reportPending_ = false;
  imageHeld_ = true;
  recallLoading_ = false;
  store_.LayoutFlag = static_cast<uint8_t>(store_.Device(0, 1));
  if (FirstDownloadFlag == 0) FirstDownloadFlag = 1;
  downloading_ = false;
  const bool back = recovering_ || reconnecting_;
  // Edits made while the transfer ran (or kept from before it) go over the downloaded image
  // before the refresh and then to the unit: the unit is the truth for everything else.
  KeepUnacknowledged();
  WriteKeptEditsIntoStore();
  reconnecting_ = false;
  fullSearch_ = false;
  recovering_ = false;
  view_.RefreshAll();
  online_ = true;
  queue_.ClearValues();
  queue_.ClearBands();
  view_.SetLinkButton(LinkButtonLook::Unlink);
  ShowStatus(linktext::kOnline);
  UpdateDeviceStatus();
  view_.HideDeviceStatus();
  view_.ShowMainWindow();
  timers_.Start(LinkTimer::Hold);
  if (back) messages_.CloseNotice();
  ResendKeptEdits();
}

void DeviceLink::KeepUnacknowledged() {
  for (const UnacknowledgedEdit& edit : queue_.Unacknowledged()) {
    const auto same = std::find_if(kept_.begin(), kept_.end(), [&](const UnacknowledgedEdit& k) {
      return k.band == edit.band && k.address == edit.address &&
             (!edit.band || k.bandNumber == edit.bandNumber);
    });
    if (same != kept_.end()) {
      *same = edit;
    } else {
      kept_.push_back(edit);
    }
  }
}

void DeviceLink::WriteKeptEditsIntoStore() {
  for (const UnacknowledgedEdit& edit : kept_) {
    const int page = PageOf(edit.address);
    if (edit.band) {
      WriteDeviceBandValues(store_, page, edit.bandNumber, edit.bandValues);
    } else {
      store_.SetDevice(page,
                       ParamStore::DeviceIndex(page, IndexOf(edit.address), store_.LayoutFlag),
                       edit.value);
    }
  }
}

void DeviceLink::ResendKeptEdits() {
  if (kept_.empty()) return;
  const std::vector<UnacknowledgedEdit> edits = std::move(kept_);
  kept_.clear();
  // Through the change queue like any edit: one acknowledged write at a time.
  for (const UnacknowledgedEdit& edit : edits) {
    if (edit.band) {
      const int page = PageOf(edit.address);
      queue_.QueueBand(MakeAddress(page, BandFieldIndex(page, edit.bandNumber, 0)));
    } else {
      queue_.QueueValue(edit.address, edit.value);
    }
  }
  const LocalizedText text = linktext::kResent(edits.size());
  Log(text.english);
  messages_.ShowNotice(text.In(config_.LanguageSetting),
                       linktext::kCaption.In(config_.LanguageSetting));
}

void DeviceLink::OnReload() {
  timers_.Stop(LinkTimer::Search);
  timers_.Start(LinkTimer::Download);
  queue_.ClearValues();
  queue_.ClearBands();
  timers_.Stop(LinkTimer::Hold);
  StartTransfer(kReloadStepCount, Direction::Read);
  ShowStatus(linktext::kLoading);
  SendStepRequest();
  online_ = false;
  // The first request waits for its answer like every other one.
  AwaitReply();
}

void DeviceLink::OnModeSaved() {
  view_.RebuildModeList();
  online_ = true;
  ShowStatus(linktext::kOnline);
  view_.SetStatusColour(kStatusDarkBlue);
  ShowLocalizedMessage(messages_, config_.LanguageSetting, linktext::kSavedMessage,
                       linktext::kCaption);
}

void DeviceLink::OnLinkStart() {
  timers_.Stop(LinkTimer::Search);
  // Where the unit answered is where a reconnect looks first.
  foundKind_ = kind_;
  if (kind_ == LinkKind::Serial && selection_ >= 0 &&
      selection_ < static_cast<int>(ports_.size())) {
    foundPort_ = ports_[static_cast<size_t>(selection_)];
  }
  // Edits that wait (made while the console searched) are kept for after the download.
  KeepUnacknowledged();
  restarting_ = false;
  queue_.ClearValues();
  queue_.ClearBands();
  timers_.Stop(LinkTimer::Hold);
  StartTransfer(kDownloadStepCount, Direction::Read);
  replyState_ = ReplyState::None;
  if (kind_ == LinkKind::Network) {
    SendLinkControl(kLinkConnect);
    timers_.SetInterval(LinkTimer::Download, kNetworkDownloadIntervalMs);
  } else {
    timers_.SetInterval(LinkTimer::Download, kDownloadIntervalMs);
  }
  online_ = false;
  view_.SetStatusColour(kStatusSilver);
  ShowStatus(linktext::kLinking);
  SendStepRequest();
  // Covered by the waiting state on both transports, so a unit that stops answering after the
  // link request ends the download instead of leaving it hanging.
  AwaitReply();
  timers_.Start(LinkTimer::Download);
}

void DeviceLink::OnUpload() {
  if (!online_) return;
  timers_.Stop(LinkTimer::Search);
  timers_.Start(LinkTimer::Download);
  queue_.ClearValues();
  timers_.Stop(LinkTimer::Hold);
  StartTransfer(kUploadStepCount, Direction::Write);
  ShowStatus(linktext::kDownload);
  online_ = false;
  SendStepRequest();
  // An acknowledgement left over from before the upload must not count for its first step.
  AwaitReply();
}

void DeviceLink::GoOffline(const LocalizedText& baseMessage, bool touchOnline, bool mayReconnect) {
  LocalizedText message = baseMessage;
  if (!failDetail_.english.empty()) {
    message.chinese += "\n" + failDetail_.chinese;
    message.english += "\n" + failDetail_.english;
    failDetail_ = {};
  }
  timers_.Stop(LinkTimer::Download);
  timers_.Stop(LinkTimer::Search);
  downloading_ = false;
  restarting_ = false;
  recallLoading_ = false;
  EndQuietWait();
  store_.SuppressSend = 0;
  if (touchOnline) online_ = false;
  view_.SetLinkButton(LinkButtonLook::Connect);
  ShowStatus(linktext::kOffLine);
  view_.SetStatusColour(kStatusRed);
  UpdateDeviceStatus();
  view_.HideDeviceStatus();
  if (config_.reconnect && mayReconnect) {
    // The window keeps working while the console looks for the unit; the notice closes itself
    // when the unit is back.
    if (touchOnline) {
      // What was in flight or waiting is kept now: the acknowledgement of the next link request
      // would otherwise count as the answer to the write that was lost with the unit.
      recovering_ = true;
      KeepUnacknowledged();
    }
    if (!reconnecting_) {
      messages_.ShowNotice(message.In(config_.LanguageSetting),
                           linktext::kCaption.In(config_.LanguageSetting));
    }
    StartReconnect();
    return;
  }
  reconnecting_ = false;
  ShowLocalizedMessage(messages_, config_.LanguageSetting, message, linktext::kCaption);
}

void DeviceLink::StartReconnect() {
  reconnecting_ = true;
  fullSearch_ = false;
  reconnectTicks_ = 0;
  linkAnswer_ = 0;
  timers_.SetInterval(LinkTimer::Search, kSearchIntervalMs);
  timers_.Start(LinkTimer::Search);
  view_.SetLinkButton(LinkButtonLook::Unlink);
}

void DeviceLink::ReconnectTick() {
  ++reconnectTicks_;
  if (reconnectTicks_ % kFullSearchEveryTicks == 0) {
    // Once a minute every port and then the network, as a search at start does; its end brings
    // the reconnect back here without a word.
    fullSearch_ = true;
    searchPosition_ = 0;
    lastPort_ = -1;
    if (ports_.empty()) {
      kind_ = LinkKind::Network;
    } else {
      selection_ = 0;
      kind_ = LinkKind::Serial;
    }
    return;
  }
  if (reconnectTicks_ % kReconnectEveryTicks == 0) TryWhereFound();
}

void DeviceLink::TryWhereFound() {
  kind_ = foundKind_;
  if (kind_ == LinkKind::Serial) {
    if (serial_.IsOpen()) serial_.Close();
    serial_.SetPortName(foundPort_);
    serial_.Open();
    serialReceiver_.Reset();
  } else if (!ConnectNetwork()) {
    return;
  }
  SendLinkControl(kLinkConnect);
}

// ---------------------------------------------------------------------------------------------
// Receiving

void DeviceLink::OnSerialBytes(size_t count) {
  decodeKind_ = LinkKind::Serial;
  bytesReceived_ += serialReceiver_.OnReceive(serial_, count, *this);
  AfterReceive();
}

void DeviceLink::OnNetworkChunk(std::span<const uint8_t> chunk) {
  if (kind_ != LinkKind::Network) return;
  decodeKind_ = LinkKind::Network;
  bytesReceived_ += chunk.size();
  networkReceiver_.OnChunk(chunk, *this);
  AfterReceive();
}

bool DeviceLink::HeardSince(uint64_t& seen) const {
  const bool heard = bytesReceived_ != seen;
  seen = bytesReceived_;
  return heard;
}

void DeviceLink::TickReceiver(LinkTimer timer) {
  // Only the fastest running timer keeps the receiver's time, so two timers do not count twice.
  int elapsedMs = timers_.Interval(timer);
  for (const LinkTimer other : {LinkTimer::Search, LinkTimer::Download, LinkTimer::Hold}) {
    if (other != timer && timers_.IsActive(other) && timers_.Interval(other) < elapsedMs) {
      elapsedMs = 0;
    }
  }
  if (kind_ == LinkKind::Serial) {
    decodeKind_ = LinkKind::Serial;
    serialReceiver_.Tick(elapsedMs, *this);
  } else {
    decodeKind_ = LinkKind::Network;
    networkReceiver_.Tick(elapsedMs, *this);
  }
  AfterReceive();
}

bool DeviceLink::AwaitingAnswer() const {
  return downloading_ && (replyState_ == ReplyState::Waiting || replyState_ == ReplyState::Late);
}

void DeviceLink::AfterReceive() {
  if (!corruptSeen_) return;
  corruptSeen_ = false;
  // The good answer may have followed the damaged bytes in the same scan.
  if (!AwaitingAnswer()) return;
  if (corruptRepeats_ >= kCorruptRepeats) {
    FailTransfer("damaged answers");
    return;
  }
  ++corruptRepeats_;
  SendStepRequest();
  AwaitReply();
}

void DeviceLink::OnAcknowledge() {
  linkAnswer_ = 1;
  queue_.OnAcknowledge();
  // While reading, only data frames answer requests; a late acknowledgement of the link request
  // must not end the wait for one. Some units answer the item request to 0x0A11 with an
  // acknowledgement, which then is the answer (the stored value stays as it was).
  const bool reading = downloading_ && direction_ == Direction::Read;
  if (reading && AwaitingAnswer()) {
    if (ReadRequestAddress() == sysaddr::Remote) {
      replyState_ = ReplyState::FrameReceived;
      if (!pacedNow_) AnswerArrived();
    }
    return;
  }
  const bool uploadAnswered = downloading_ && direction_ == Direction::Write && AwaitingAnswer();
  replyState_ = ReplyState::Acknowledged;
  if (pacedNow_) return;
  if (uploadAnswered) {
    AnswerArrived();
  } else if (!downloading_ && timers_.IsActive(LinkTimer::Search)) {
    // The unit answered the link request: the download starts now.
    RaiseLinkEvent(kEventLinkStart);
  }
}

void DeviceLink::OnFrame(std::span<const uint8_t> frame) {
  if (downloading_) {
    OnTransferFrame(frame);
  } else {
    OnUnitReport(frame);
  }
}

void DeviceLink::OnTransferFrame(std::span<const uint8_t> frame) {
  // Only the frame that answers the request outstanding counts: a stray, a value the unit
  // reports, a duplicate, a late answer to an earlier request or a cut answer is ignored, and the
  // request is asked again if its answer does not follow.
  const bool answers =
      direction_ == Direction::Read ? AnswersReadRequest(frame) : AnswersUploadStep(frame);
  if (!answers) {
    if (AwaitingAnswer()) wrongAnswer_ = true;
    return;
  }
  DecodeFrame(decodeKind_, frame, store_, requestedName_);
  replyState_ = ReplyState::FrameReceived;
  if (!pacedNow_) AnswerArrived();
}

void DeviceLink::OnUnitReport(std::span<const uint8_t> frame) {
  const std::vector<ReportedValue> values = ReportedValues(frame);
  if (values.empty()) return;
  for (const ReportedValue& v : values) {
    if (queue_.EditOnItsWay(v.page, v.slot)) return;
  }
  for (const ReportedValue& v : values) store_.SetDevice(v.page, v.slot, v.value);
  reportPending_ = true;
}

void DeviceLink::OnCorruptFrame() { corruptSeen_ = true; }

// ---------------------------------------------------------------------------------------------
// Sending and showing

void DeviceLink::Transmit(const Bytes& bytes) {
  if (kind_ == LinkKind::Serial) {
    if (serial_.IsOpen()) serial_.Write(bytes);
  } else {
    network_.Send(bytes);
  }
}

void DeviceLink::SendValue(ParamAddress address, int value) {
  Transmit(BuildValue(kCmdWrite, address, value));
}

void DeviceLink::SendBlock(ParamAddress address, std::span<const uint8_t> payload) {
  Transmit(BuildBlock(kCmdWrite, address, payload));
}

void DeviceLink::SendLinkControl(int code) { Transmit(BuildLinkControl(code)); }

void DeviceLink::SaveMode(int index, const std::string& name) {
  if (index < 0 || index >= kModeNameCount) return;
  store_.ModeNames[static_cast<size_t>(index)] = name;
  // The save waits its turn behind any write the unit has not answered; "Save Success!" follows
  // the acknowledgement of the save itself.
  queue_.QueueModeSave(index, name);
  ShowStatusCaption(linktext::kSaving);
  online_ = false;
}

void DeviceLink::ShowStatusCaption(const std::string& caption) {
  statusCaption_ = WithPacedNote(caption);
  view_.SetStatusCaption(statusCaption_);
  view_.ShowReadingUnitImage(ReadingUnitImage());
}

bool DeviceLink::ReadingUnitImage() const {
  return recallLoading_ || (downloading_ && direction_ == Direction::Read && !imageHeld_);
}

void DeviceLink::ShowStatus(const LocalizedText& text) {
  const Language other =
      config_.LanguageSetting == Language::Chinese ? Language::English : Language::Chinese;
  statusCaption_ = WithPacedNote(text.In(config_.LanguageSetting));
  view_.SetStatus(statusCaption_, WithPacedNote(text.In(other)));
  view_.ShowReadingUnitImage(ReadingUnitImage());
}

void DeviceLink::UpdateDeviceStatus() {
  view_.UpdateDeviceStatus(statusCaption_, progressPercent());
}

}  // namespace velantro
