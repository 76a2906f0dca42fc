#pragma once

// The device link: the sequencer that walks a transfer plan one request per answer (download,
// reload after a recall, upload), keeps track of whether the unit is online, takes what arrives
// from either transport and sends every frame through one place a frame tap may watch. Finding
// the unit is LinkSearch's job, keeping edits over a loss EditRecovery's, sending edits the
// ChangeQueue's. No clock: the three timers call the tick methods.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "link/ChangeQueue.h"
#include "link/EditRecovery.h"
#include "link/FrameTap.h"
#include "link/Frames.h"
#include "link/LinkInterfaces.h"
#include "link/LinkSearch.h"
#include "link/LinkTexts.h"
#include "link/LinkWritePort.h"
#include "link/SerialReceiver.h"
#include "link/TransferPlan.h"
#include "link/TransferWalk.h"
#include "model/Messages.h"
#include "model/ParamStore.h"

namespace velantro {

// Values the unit reports of its own accord are shown at most this often (hold timer ticks).
constexpr int kReportRefreshTicks = 5;

class DeviceLink : public ReceiverSink, public LinkWritePort {
 public:
  DeviceLink(ParamStore& store, LinkConfig& config, SerialPort& serial, NetworkClient& network,
             LinkTimers& timers, LinkView& view, Messages& messages);
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;
  ~DeviceLink() override;

  // The serial port list; the first entry is selected when there is one.
  void SetPortList(std::vector<std::string> names) { search_.SetPortList(std::move(names)); }
  // Serial devices the operator named (--serial): each waits kPatientPortTicks for an answer.
  void SetGivenPorts(std::vector<std::string> names) { search_.SetGivenPorts(std::move(names)); }
  // Fills the port list from the serial port interface.
  void FillPortList() { SetPortList(serial_.PortNames()); }
  const std::vector<std::string>& portList() const { return search_.ports(); }
  int portSelection() const { return search_.selection(); }

  // Starts a search: serial ports first (from the first one), then the network. Takes the pacing
  // from the configuration again. The download it leads to is weighed against the console's
  // document (ConnectChoiceDue); edits kept from before are part of that document and are not
  // written over the unit's image on their own.
  void Connect();
  // Starts a search on the network at once (--unit), whatever the port list holds.
  void ConnectOnNetwork();
  // Goes offline; sends the disconnect code when online.
  void Disconnect();
  // The link button: Disconnect while online, Connect otherwise.
  void PressLinkButton();
  // The main window closes: the disconnect code when online, nothing else.
  void OnClose();
  // The transport says the unit is gone (the TCP connection closed or reset, the serial adapter
  // unplugged): the loss is taken at once instead of after the silent seconds.
  void OnTransportLost();
  // Moves the whole unit image to the unit (online only); the link is online again when the
  // last step is acknowledged.
  void StartUpload() { RaiseLinkEvent(LinkEvent::Upload); }

  void SearchTick();
  void DownloadTick();
  void HoldTick();
  void RaiseLinkEvent(LinkEvent event) override;

  // Serial receive event with the count of waiting bytes.
  void OnSerialBytes(size_t count);
  // Socket read event with every byte that was waiting.
  void OnNetworkChunk(std::span<const uint8_t> chunk);

  // Sends finished bytes on the current link kind: serial only while the port is open, network
  // whatever the socket's state. The frame tap sees each frame that goes on the wire.
  void Transmit(const Bytes& bytes, FrameMeaning meaning) override;
  // A one-off frame, its meaning read from its bytes.
  void Transmit(const Bytes& bytes) { Transmit(bytes, SentFrameMeaning(bytes)); }
  void SendLinkControl(int code) override;
  // Every frame in and out from now on goes to `tap` as well (nullptr: none).
  void SetFrameTap(FrameTap* tap) { tap_ = tap; }

  void BeginRecall() override { recallLoading_ = true; }
  bool HoldsUnitImage() const override { return imageHeld_; }
  // See LinkView::ShowReadingUnitImage.
  bool ReadingUnitImage() const;

  // Mode save (device commands): ModeNames[index] := name, the 29-byte save frame goes out
  // directly, and the link waits for the acknowledgement ("Saving...", offline for edits).
  void SaveMode(int index, const std::string& name);

  // Status label caption only (hint unchanged); also what the Device Status dialog copies.
  void ShowStatusCaption(const std::string& caption) override;
  void ShowStatus(const LocalizedText& text) override;
  void UpdateDeviceStatus();
  // A notice that goes by itself, in the language of LanguageSetting.
  void ShowBriefNotice(const LocalizedText& text);
  void Log(const std::string& line) override { view_.LogLine(line); }

  // State.
  bool LinkOnline() const override { return online_; }
  void SetLinkOnline(bool online) override { online_ = online; }
  LinkKind kind() const { return kind_; }
  int LinkAnswer() const { return linkAnswer_; }
  ReplyState replyState() const { return replyState_; }
  void SetReplyState(ReplyState state) override { replyState_ = state; }
  // Where the transfer stands, as its progress counts (the nine mode names share one step).
  int step() const { return walk_.step(); }
  int stepCount() const { return walk_.stepCount(); }
  Direction direction() const { return walk_.plan().direction; }
  // Mode names asked for so far while names are asked for, otherwise 0.
  int nameCounter() const {
    const PlannedRequest& request = walk_.request();
    return request.kind == RequestKind::ModeNameRead ? request.number + 1 : 0;
  }
  int searchPosition() const { return search_.position(); }
  int lastPort() const { return search_.lastPort(); }
  bool downloading() const { return downloading_; }
  // Looking for a lost unit again (the window only).
  bool reconnecting() const { return search_.reconnecting(); }
  bool recovering() const override { return recovery_.recovering(); }
  // During the DownloadComplete event of a download that a Connect (or the start) began: the
  // store holds the unit's image as read, and the console chooses between it and its document.
  // An automatic reconnect after a loss re-sends the kept edits instead.
  bool ConnectChoiceDue() const { return choiceDue_; }
  // Edits the unit has not acknowledged, waiting, in flight or kept over a loss, an Unlink or a
  // search: one a parameter, one a band. None before the console has read a unit's image.
  size_t EditsNotOnUnit() const;
  // This connection's requests wait for the timer ticks (--paced, or a fast transfer that met
  // silence and started over).
  bool paced() const { return pacedNow_; }
  int progressPercent() const { return walk_.progressPercent(); }
  const std::string& statusCaption() const { return statusCaption_; }
  int FirstDownloadFlag = 0;  // 0 after Connect, 1 after the first download, 2 set by refresh
  // Told of every link event after it has taken effect (tools wait for event 1, tests record).
  std::function<void(LinkEvent event)> onLinkEvent;

  ChangeQueue& queue() { return queue_; }
  const ChangeQueue& queue() const { return queue_; }
  ParamStore& store() override { return store_; }
  LinkTimers& timers() override { return timers_; }
  LinkView& view() { return view_; }
  Messages& messages() { return messages_; }
  const LinkConfig& config() const { return config_; }
  const SerialReceiver& serialReceiver() const { return serialReceiver_; }
  const NetworkReceiver& networkReceiver() const { return networkReceiver_; }

 private:
  friend class LinkSearch;
  friend class TransferWalk;

  // ReceiverSink.
  void OnAcknowledge(std::span<const uint8_t> ack) override;
  void OnFrame(std::span<const uint8_t> frame) override;
  void OnCorruptFrame(std::span<const uint8_t> frame) override;
  void OnDiagnostic(const std::string& line) override { Log(line); }
  void TapReceived(FrameKind kind, std::span<const uint8_t> bytes);

  // A link timer ticked: the receiver of the current link kind gives up a partial message that
  // stays incomplete.
  void TickReceiver(LinkTimer timer);
  // Bytes arrived from the unit since the caller's last look (`seen` is the caller's mark).
  bool HeardSince(uint64_t& seen) const;
  // After received bytes were scanned: a damaged answer is asked for again, once per scan.
  void AfterReceive();
  // A good frame during a transfer: the answer moves the transfer on, anything else is ignored.
  void OnTransferFrame(std::span<const uint8_t> frame);
  // A good frame outside a transfer answers nothing: values the unit reports of its own accord
  // go into the unit image and are shown while online, unless an edit of the operator's to the
  // same value is on its way (it wins at the unit).
  void OnUnitReport(std::span<const uint8_t> frame);

  // The search from the start, on the link kind already chosen.
  void StartSearch();
  // A fast transfer met silence: start this connection over once, paced.
  void StartOverPaced();
  // The status caption, with a note when this connection fell back to paced transfers.
  std::string WithPacedNote(const std::string& caption) const;
  // Events 7 and 9 (and a bad port field, with its own message): timers stopped, offline looks.
  void GoOffline(const LocalizedText& message, bool touchOnline, bool mayReconnect = true);
  // Back online after a download: the kept edits to the unit, with a notice.
  void ResendKeptEdits();
  void StartTransfer(const TransferPlan& plan);

  void OnDownloadComplete();
  void OnReload();
  void OnModeSaved();
  void OnLinkStart();
  void OnUpload();

  ParamStore& store_;
  LinkConfig& config_;
  SerialPort& serial_;
  NetworkClient& network_;
  LinkTimers& timers_;
  LinkView& view_;
  Messages& messages_;

  ChangeQueue queue_;
  SerialReceiver serialReceiver_;
  NetworkReceiver networkReceiver_;
  LinkSearch search_{*this};
  EditRecovery recovery_;
  TransferWalk walk_{*this};
  FrameTap* tap_ = nullptr;

  LinkKind kind_ = LinkKind::Serial;
  bool online_ = false;
  int linkAnswer_ = 0;
  ReplyState replyState_ = ReplyState::None;
  // A second line of the next failure message: what the transfer could not get through.
  LocalizedText failDetail_;
  bool pacedNow_ = false;
  bool autoPaced_ = false;  // the fallback is in force for this connection
  bool corruptSeen_ = false;
  bool downloading_ = false;
  uint64_t bytesReceived_ = 0;  // every byte from the unit, on either transport
  uint64_t searchSeen_ = 0;     // and at the last search tick
  bool imageHeld_ = false;      // a download has completed since start-up
  bool connectChosen_ = false;  // the download under way was begun by a Connect
  bool choiceDue_ = false;      // see ConnectChoiceDue
  bool recallLoading_ = false;  // a recall has left and its reload is not in yet
  bool reportPending_ = false;  // values the unit reported wait to be shown
  int reportRefreshTicks_ = 0;
  LinkKind decodeKind_ = LinkKind::Serial;
  std::string statusCaption_;
};

}  // namespace velantro
