// The link sequencer: connect and disconnect, the link events, what arrives from the unit, and
// the one place every frame leaves through.

#include "link/DeviceLink.h"

#include <utility>

namespace velantro {

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
      queue_(*this),
      recovery_(store, queue_) {
  store_.SetChangeSink(&queue_);
}

DeviceLink::~DeviceLink() {
  if (store_.changeSink() == &queue_) store_.SetChangeSink(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Connect, Disconnect

void DeviceLink::Connect() {
  connectChosen_ = true;
  pacedNow_ = config_.paced;
  autoPaced_ = false;
  kind_ = search_.Prepare(false);
  StartSearch();
}

void DeviceLink::ConnectOnNetwork() {
  connectChosen_ = true;
  pacedNow_ = config_.paced;
  autoPaced_ = false;
  kind_ = search_.Prepare(true);
  StartSearch();
}

void DeviceLink::StartSearch() {
  linkAnswer_ = 0;
  search_.Restart();
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
  walk_.ResetProgress(kDownloadStepCount);
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
  if (reconnecting() || recovering()) messages_.CloseNotice();
  search_.StopReconnect();
  recovery_.End();
  view_.SetLinkButton(LinkButtonLook::Connect);
  timers_.Stop(LinkTimer::Search);
  timers_.Stop(LinkTimer::Download);
  timers_.Stop(LinkTimer::Hold);
  downloading_ = false;
  ShowStatusCaption(linktext::kDisconnected);
  // The progress is counted against the reload's steps from now on, whatever the step.
  walk_.SetStepCount(kReloadStepCount);
  UpdateDeviceStatus();
  view_.HideDeviceStatus();
}

void DeviceLink::PressLinkButton() {
  if (online_ || reconnecting()) {
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
    RaiseLinkEvent(LinkEvent::UnitLost);
  } else if (downloading_) {
    walk_.Fail(linktext::kConnectionLost);
  }
  // While searching the search moves on by itself.
}

void DeviceLink::SearchTick() {
  TickReceiver(LinkTimer::Search);
  search_.Tick(HeardSince(searchSeen_));
}

// ---------------------------------------------------------------------------------------------
// Transfers

void DeviceLink::StartTransfer(const TransferPlan& plan) {
  walk_.Start(plan);
  corruptSeen_ = false;
  failDetail_ = {};
  downloading_ = true;
}

void DeviceLink::DownloadTick() {
  const bool transferring = downloading_;
  TickReceiver(LinkTimer::Download);
  // The receiver's tick may have ended the transfer (damaged answers, too many times).
  if (transferring && !downloading_) return;
  UpdateDeviceStatus();
  view_.ShowDeviceStatus();
  walk_.Tick();
}

void DeviceLink::StartOverPaced() {
  pacedNow_ = true;
  autoPaced_ = true;
  walk_.EndQuietWait();
  Log("no answer to a fast request: starting over with paced transfers");
  if (direction() == Direction::Write) {
    // The whole upload again from its first step, one request per tick.
    StartTransfer(UploadPlan());
    ShowStatus(linktext::kDownload);
    walk_.SendRequest();
    walk_.AwaitReply();
    return;
  }
  // The search again (the same transport first), then the download, at the ticks' pace.
  timers_.Stop(LinkTimer::Download);
  downloading_ = false;
  search_.PrepareRestartPaced();
  StartSearch();
  search_.BeginRestartPaced();
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

// ---------------------------------------------------------------------------------------------
// Link events

void DeviceLink::RaiseLinkEvent(LinkEvent event) {
  switch (event) {
    case LinkEvent::DownloadComplete:
      OnDownloadComplete();
      break;
    case LinkEvent::Reload:
      OnReload();
      break;
    case LinkEvent::ModeSaved:
      OnModeSaved();
      break;
    case LinkEvent::LinkStart:
      OnLinkStart();
      break;
    case LinkEvent::Upload:
      OnUpload();
      break;
    case LinkEvent::UnitLost:
      GoOffline(linktext::kLostMessage, true);
      break;
    case LinkEvent::LinkFailed:
      GoOffline(linktext::kFailedMessage, false);
      break;
    default:
      return;
  }
  if (onLinkEvent) onLinkEvent(event);
  choiceDue_ = false;
}

size_t DeviceLink::EditsNotOnUnit() const {
  if (!imageHeld_) return 0;
  return recovery_.CountWith(queue_.Unacknowledged());
}

void DeviceLink::OnDownloadComplete() {
  reportPending_ = false;
  imageHeld_ = true;
  recallLoading_ = false;
  store_.LayoutFlag = static_cast<uint8_t>(store_.Device(0, 1));
  if (FirstDownloadFlag == 0) FirstDownloadFlag = 1;
  downloading_ = false;
  const bool back = recovering() || reconnecting();
  const bool uploaded = direction() == Direction::Write;
  choiceDue_ = connectChosen_ && direction() == Direction::Read;
  connectChosen_ = false;
  if (choiceDue_) {
    // After a Connect the console weighs its whole document against the unit's image, the
    // kept edits with it; the store holds the unit's image as read.
    recovery_.Forget();
  } else {
    // Edits made while the transfer ran (or kept from before it) go over the downloaded image
    // before the refresh and then to the unit: the unit is the truth for everything else.
    recovery_.KeepUnacknowledged();
    recovery_.WriteKeptIntoImage();
  }
  search_.StopReconnect();
  recovery_.End();
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
  // An upload ends like a download, with the whole image on view: the operator hears it is done.
  if (uploaded) ShowBriefNotice(linktext::kUploadDone);
  ResendKeptEdits();
}

void DeviceLink::ShowBriefNotice(const LocalizedText& text) {
  ShowLocalizedNotice(messages_, config_.LanguageSetting, text, linktext::kCaption,
                      NoticeKind::Brief);
}

void DeviceLink::ResendKeptEdits() {
  const size_t count = recovery_.ResendKept();
  if (count == 0) return;
  const LocalizedText text = linktext::kResent(count);
  Log(text.english);
  ShowBriefNotice(text);
}

void DeviceLink::OnReload() {
  timers_.Stop(LinkTimer::Search);
  timers_.Start(LinkTimer::Download);
  queue_.ClearValues();
  queue_.ClearBands();
  timers_.Stop(LinkTimer::Hold);
  StartTransfer(ReloadPlan());
  ShowStatus(linktext::kLoading);
  walk_.SendRequest();
  online_ = false;
  // The first request waits for its answer like every other one.
  walk_.AwaitReply();
}

void DeviceLink::OnModeSaved() {
  view_.RebuildModeList();
  online_ = true;
  ShowStatus(linktext::kOnline);
  view_.SetStatusColour(kStatusSavedBlue);
  ShowBriefNotice(linktext::kSavedMessage);
}

void DeviceLink::OnLinkStart() {
  timers_.Stop(LinkTimer::Search);
  search_.Found();
  // Edits that wait (made while the console searched) are kept for after the download.
  recovery_.KeepUnacknowledged();
  queue_.ClearValues();
  queue_.ClearBands();
  timers_.Stop(LinkTimer::Hold);
  StartTransfer(DownloadPlan());
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
  walk_.SendRequest();
  // Covered by the waiting state on both transports, so a unit that stops answering after the
  // link request ends the download instead of leaving it hanging.
  walk_.AwaitReply();
  timers_.Start(LinkTimer::Download);
}

void DeviceLink::OnUpload() {
  if (!online_) return;
  timers_.Stop(LinkTimer::Search);
  timers_.Start(LinkTimer::Download);
  queue_.ClearValues();
  timers_.Stop(LinkTimer::Hold);
  StartTransfer(UploadPlan());
  ShowStatus(linktext::kDownload);
  online_ = false;
  walk_.SendRequest();
  // An acknowledgement left over from before the upload must not count for its first step.
  walk_.AwaitReply();
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
  search_.EndRestart();
  recallLoading_ = false;
  walk_.EndQuietWait();
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
    if (touchOnline) recovery_.BeginAfterLoss();
    if (!reconnecting()) {
      ShowLocalizedNotice(messages_, config_.LanguageSetting, message, linktext::kCaption,
                          NoticeKind::Lasting);
    }
    search_.StartReconnect();
    return;
  }
  search_.StopReconnect();
  ShowLocalizedMessage(messages_, config_.LanguageSetting, message, linktext::kCaption);
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

void DeviceLink::AfterReceive() {
  if (!corruptSeen_) return;
  corruptSeen_ = false;
  // The good answer may have followed the damaged bytes in the same scan.
  if (walk_.Awaiting()) walk_.OnDamagedAnswer();
}

void DeviceLink::TapReceived(FrameKind kind, std::span<const uint8_t> bytes) {
  if (tap_ == nullptr) return;
  const ParamAddress address = bytes.size() > 5 ? MakeAddress(bytes[4], bytes[5]) : 0;
  tap_->OnFrameReceived({FrameWay::Received, kind, address, bytes});
}

void DeviceLink::OnAcknowledge(std::span<const uint8_t> ack) {
  TapReceived(FrameKind::Ack, ack);
  linkAnswer_ = 1;
  queue_.OnAcknowledge();
  // While reading, only data frames answer requests; a late acknowledgement of the link request
  // must not end the wait for one. Some units answer the item request to 0x0A11 with an
  // acknowledgement, which then is the answer (the stored value stays as it was).
  const bool reading = downloading_ && direction() == Direction::Read;
  if (reading && walk_.Awaiting()) {
    if (walk_.request().address == sysaddr::Remote) {
      replyState_ = ReplyState::FrameReceived;
      if (!pacedNow_) walk_.AnswerArrived();
    }
    return;
  }
  const bool uploadAnswered = downloading_ && direction() == Direction::Write && walk_.Awaiting();
  replyState_ = ReplyState::Acknowledged;
  if (pacedNow_) return;
  if (uploadAnswered) {
    walk_.AnswerArrived();
  } else if (!downloading_ && timers_.IsActive(LinkTimer::Search)) {
    // The unit answered the link request: the download starts now.
    RaiseLinkEvent(LinkEvent::LinkStart);
  }
}

void DeviceLink::OnFrame(std::span<const uint8_t> frame) {
  if (downloading_) {
    OnTransferFrame(frame);
  } else {
    TapReceived(FrameKind::UnitReport, frame);
    OnUnitReport(frame);
  }
}

void DeviceLink::OnTransferFrame(std::span<const uint8_t> frame) {
  // Only the frame that answers the request outstanding counts: a stray, a value the unit
  // reports, a duplicate, a late answer to an earlier request or a cut answer is ignored, and the
  // request is asked again if its answer does not follow.
  const bool answers = walk_.Awaiting() && AnswersPlannedRequest(walk_.request(), frame);
  if (!answers) {
    TapReceived(FrameKind::NotTheAnswer, frame);
    if (walk_.Awaiting()) walk_.NoteWrongAnswer();
    return;
  }
  const RequestKind asked = walk_.request().kind;
  TapReceived(direction() == Direction::Write  ? FrameKind::UploadAnswer
              : asked == RequestKind::PageRead ? FrameKind::PageAnswer
                                               : FrameKind::ItemAnswer,
              frame);
  DecodeFrame(decodeKind_, frame, store_, walk_.requestedName());
  replyState_ = ReplyState::FrameReceived;
  if (!pacedNow_) walk_.AnswerArrived();
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

void DeviceLink::OnCorruptFrame(std::span<const uint8_t> frame) {
  TapReceived(FrameKind::Corrupt, frame);
  corruptSeen_ = true;
}

// ---------------------------------------------------------------------------------------------
// Sending and showing

void DeviceLink::Transmit(const Bytes& bytes, FrameMeaning meaning) {
  if (kind_ == LinkKind::Serial) {
    if (!serial_.IsOpen()) return;
    serial_.Write(bytes);
  } else {
    network_.Send(bytes);
  }
  if (tap_ != nullptr) tap_->OnFrameSent({FrameWay::Sent, meaning.kind, meaning.address, bytes});
}

void DeviceLink::SendLinkControl(int code) {
  Transmit(BuildLinkControl(code), {FrameKind::LinkControl, sysaddr::LinkControl});
}

void DeviceLink::SaveMode(int index, const std::string& name) {
  if (index < 0 || index >= kModeNameCount) return;
  store_.ModeNames[static_cast<size_t>(index)] = name;
  // The save waits its turn behind any write the unit has not answered; "Save Success!" follows
  // the acknowledgement of the save itself.
  queue_.QueueModeSave(index, name);
  ShowStatusCaption(linktext::kSaving);
  online_ = false;
}

std::string DeviceLink::WithPacedNote(const std::string& caption) const {
  return autoPaced_ && linktext::IsTransferCaption(caption) ? caption + linktext::kPacedNote
                                                            : caption;
}

void DeviceLink::ShowStatusCaption(const std::string& caption) {
  statusCaption_ = WithPacedNote(caption);
  view_.SetStatusCaption(statusCaption_);
  view_.ShowReadingUnitImage(ReadingUnitImage());
}

bool DeviceLink::ReadingUnitImage() const {
  // Only a recall's reload locks the pages: it replaces them with a stored mode. Edits made while
  // a download reads the unit are part of the console's document, which the connect's choice
  // weighs against what it reads.
  return recallLoading_;
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
