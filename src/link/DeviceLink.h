#pragma once

// The device link: finds the unit (serial ports one per second, then the network), downloads
// its whole parameter image one request per reply, keeps track of whether it is online, and
// moves whole images to the unit. No clock: the three timers call the tick methods.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "link/ChangeQueue.h"
#include "link/Frames.h"
#include "link/LinkInterfaces.h"
#include "link/SerialReceiver.h"
#include "model/Messages.h"
#include "model/ParamStore.h"

namespace velantro {

enum class ReplyState : uint8_t {
  None = 0,
  Acknowledged = 1,
  FrameReceived = 2,
  Waiting = 3,
  Late = 4
};
enum class Direction : uint8_t { Read, Write };

// Link events for RaiseLinkEvent.
constexpr int kEventDownloadComplete = 1;
constexpr int kEventReload = 2;
constexpr int kEventModeSaved = 3;
constexpr int kEventLinkStart = 4;
constexpr int kEventUpload = 6;
constexpr int kEventUnitLost = 7;
constexpr int kEventLinkFailed = 9;

constexpr int kDownloadStepCount = 29;
constexpr int kReloadStepCount = 19;
constexpr int kUploadStepCount = 19;
constexpr int kModeNameStep = 18;
constexpr int kModeNameCount = 9;
constexpr int kFullDownloadRequests = 38;

// No frame at all for more than this after a request: the request is repeated, the wait goes
// late, or a fast transfer starts over paced.
constexpr int kReplyTimeoutMs = 1000;
constexpr int kLateLimitMs = 10000;  // late this long: the link fails
// A frame that is not the answer came: if the answer has not followed it by the second download
// tick, the request is asked again, this many times per step.
constexpr int kWrongAnswerTicks = 2;
constexpr int kWrongAnswerRepeats = 3;
// Before each mode name request after the first the line must have been quiet this many ticks
// of kQuietTickMs, so a duplicated name answer arrives while no name is asked for.
constexpr int kQuietTickMs = 20;
constexpr int kQuietTicks = 3;
// A serial device given by name, or the port where the unit was last found, waits this many
// search ticks (1 s) for a late answer to the link request; other ports get one.
constexpr int kPatientPortTicks = 3;
// Values the unit reports of its own accord are shown at most this often (hold timer ticks).
constexpr int kReportRefreshTicks = 5;
// A request is asked again at each timeout, this many times, before the wait goes late.
constexpr int kTimeoutRepeats = 3;
// A request whose answer arrives damaged is asked again at once, this many times, before the
// transfer fails.
constexpr int kCorruptRepeats = 3;
constexpr int kNetworkLinkRequests = 3;    // link requests on the network before the search fails
constexpr int kReconnectEveryTicks = 2;    // search ticks (1 s) between tries where the unit was
constexpr int kFullSearchEveryTicks = 60;  // and between full searches of every port

// The link's status texts.
namespace linktext {
inline const LocalizedText kOnline{"设备已连接", "Online"};
inline const LocalizedText kLoading{"加载中...", "Loading..."};
inline const LocalizedText kLinking{"连接中...", "Linking..."};
inline const LocalizedText kDownload{"下载数据...", "Download..."};
inline const LocalizedText kOffLine{"设备未连接", "Off Line"};
inline const LocalizedText kLostMessage{"已断开连接!", "Off Line!"};
inline const LocalizedText kFailedMessage{"连接失败!", "Off Line!"};
inline const LocalizedText kSavedMessage{"保存成功!", "Save Success!"};
inline const LocalizedText kCaption{"提示", "Confirm"};
inline const std::string kSearching = "Equipment search...";
inline const std::string kDisconnected = "OffLine";
inline const std::string kSaving = "Saving...";
inline const std::string kNetworkPort = "Network";
inline const std::string kPacedNote = " (paced)";
inline const LocalizedText kResent(size_t count) {
  return {"设备已重新连接: 重新发送了 " + std::to_string(count) + " 项修改。",
          "The unit is back: " + std::to_string(count) +
              (count == 1 ? " edit it had not received was" : " edits it had not received were") +
              " sent again."};
}
}  // namespace linktext

class DeviceLink : public ReceiverSink {
 public:
  DeviceLink(ParamStore& store, LinkConfig& config, SerialPort& serial, NetworkClient& network,
             LinkTimers& timers, LinkView& view, Messages& messages);
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;
  ~DeviceLink() override;

  // The serial port list; the first entry is selected when there is one.
  void SetPortList(std::vector<std::string> names);
  // Serial devices the operator named (--serial): each waits kPatientPortTicks for an answer.
  void SetGivenPorts(std::vector<std::string> names) { givenPorts_ = std::move(names); }
  // Fills the port list from the serial port interface.
  void FillPortList();
  const std::vector<std::string>& portList() const { return ports_; }
  int portSelection() const { return selection_; }

  // Starts a search: serial ports first (from the first one), then the network. Takes the pacing
  // from the configuration again.
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

  void SearchTick();
  void DownloadTick();
  void HoldTick();
  void RaiseLinkEvent(int event);

  // Serial receive event with the count of waiting bytes.
  void OnSerialBytes(size_t count);
  // Socket read event with every byte that was waiting.
  void OnNetworkChunk(std::span<const uint8_t> chunk);

  // Sends finished bytes on the current link kind: serial only while the port is open, network
  // whatever the socket's state.
  void Transmit(const Bytes& bytes);
  void SendValue(ParamAddress address, int value);
  void SendBlock(ParamAddress address, std::span<const uint8_t> payload);
  void SendLinkControl(int code);

  // A mode recall has left: the pages wait until its reload is in.
  void BeginRecall() { recallLoading_ = true; }
  // A download has completed since start-up: edits made while offline have an image to go over.
  bool HoldsUnitImage() const { return imageHeld_; }
  // See LinkView::ShowReadingUnitImage.
  bool ReadingUnitImage() const;

  // Mode save (device commands): ModeNames[index] := name, the 29-byte save frame goes out
  // directly, and the link waits for the acknowledgement ("Saving...", offline for edits).
  void SaveMode(int index, const std::string& name);

  // Status label caption only (hint unchanged); also what the Device Status dialog copies.
  void ShowStatusCaption(const std::string& caption);
  void ShowStatus(const LocalizedText& text);
  void UpdateDeviceStatus();
  void Log(const std::string& line) { view_.LogLine(line); }

  // State.
  bool LinkOnline() const { return online_; }
  void SetLinkOnline(bool online) { online_ = online; }
  LinkKind kind() const { return kind_; }
  int LinkAnswer() const { return linkAnswer_; }
  ReplyState replyState() const { return replyState_; }
  void SetReplyState(ReplyState state) { replyState_ = state; }
  int step() const { return step_; }
  int stepCount() const { return stepCount_; }
  Direction direction() const { return direction_; }
  int nameCounter() const { return nameCounter_; }
  int searchPosition() const { return searchPosition_; }
  int lastPort() const { return lastPort_; }
  bool downloading() const { return downloading_; }
  // Looking for a lost unit again (the window only).
  bool reconnecting() const { return reconnecting_; }
  // Edits the unit never acknowledged wait for it to come back; edits made meanwhile join them.
  bool recovering() const { return recovering_; }
  // This connection's requests wait for the timer ticks (--paced, or a fast transfer that met
  // silence and started over).
  bool paced() const { return pacedNow_; }
  int progressPercent() const;
  const std::string& statusCaption() const { return statusCaption_; }
  int FirstDownloadFlag = 0;  // 0 after Connect, 1 after the first download, 2 set by refresh
  // Told of every link event after it has taken effect (tools wait for event 1, tests record).
  std::function<void(int event)> onLinkEvent;

  ChangeQueue& queue() { return queue_; }
  const ChangeQueue& queue() const { return queue_; }
  ParamStore& store() { return store_; }
  LinkTimers& timers() { return timers_; }
  LinkView& view() { return view_; }
  Messages& messages() { return messages_; }
  const LinkConfig& config() const { return config_; }
  const SerialReceiver& serialReceiver() const { return serialReceiver_; }
  const NetworkReceiver& networkReceiver() const { return networkReceiver_; }

 private:
  // ReceiverSink.
  void OnAcknowledge() override;
  void OnFrame(std::span<const uint8_t> frame) override;
  void OnCorruptFrame() override;
  void OnDiagnostic(const std::string& line) override { Log(line); }

  // A link timer ticked: the receiver of the current link kind gives up a partial message that
  // stays incomplete.
  void TickReceiver(LinkTimer timer);
  // Bytes arrived from the unit since the caller's last look (`seen` is the caller's mark).
  bool HeardSince(uint64_t& seen) const;
  // After received bytes were scanned: a damaged answer is asked for again, once per scan.
  void AfterReceive();
  // A transfer step is awaited (waiting or late).
  bool AwaitingAnswer() const;
  // Address of the current read request (page steps: the page number's address on its page).
  ParamAddress ReadRequestAddress() const;
  // Whether a good frame answers the request outstanding: the same kind, address and length.
  bool AnswersReadRequest(std::span<const uint8_t> frame) const;
  bool AnswersUploadStep(std::span<const uint8_t> frame) const;
  // A good frame during a transfer: the answer moves the transfer on, anything else is ignored.
  void OnTransferFrame(std::span<const uint8_t> frame);
  // A good frame outside a transfer answers nothing: values the unit reports of its own accord
  // go into the unit image and are shown while online, unless an edit of the operator's to the same
  // value is on its way (it wins at the unit).
  void OnUnitReport(std::span<const uint8_t> frame);
  // The answer has not followed a wrong frame: ask again. False when it is not time yet or the
  // step has been asked again too often for wrong answers.
  bool AskAgainAfterWrongAnswer();
  // The waiting and late states of a transfer step, after `elapsedMs` more of waiting.
  void WaitForAnswer(int elapsedMs, bool heard);
  // Before a mode name request: the line must fall quiet first.
  void BeginQuietWait();
  void WaitForQuiet(bool heard);
  // Serial search: whether the port being tried gets another second.
  bool KeepTryingPort();
  // Search ticks a serial port waits for the answer to the link request.
  int PortPatience(const std::string& name) const;
  // Whether this is where the unit was found, in the search that starts a connection over: it
  // is asked until 11 seconds have passed without a byte from the unit.
  bool RestartAsksAt(LinkKind kind, const std::string& port) const;
  // Ends a quiet wait that is under way (the download timer gets its own pace back).
  void EndQuietWait();
  void RestoreDownloadInterval();
  // The request of the current step, in words, for the operator ("page 3", "item 0x0A07").
  std::string StepDescription() const;
  // The transfer could not get the current step through: event 9, naming the step.
  void FailTransfer(const std::string& why);

  void StartSearch();
  // The answer to the current request has arrived: the next request, or the end of the transfer.
  void AnswerArrived();
  // A fast transfer met silence: start this connection over once, paced.
  void StartOverPaced();
  // The status caption, with a note when this connection fell back to paced transfers.
  std::string WithPacedNote(const std::string& caption) const;
  void SerialSearchStep();
  void NetworkSearchStep();
  // Deactivates the socket, then connects to the configured host and port; false (after telling
  // the operator) when the port text is not a port number.
  bool ConnectNetwork();
  // Events 7 and 9 (and a bad port field, with its own message): timers stopped, offline looks.
  void GoOffline(const LocalizedText& message, bool touchOnline, bool mayReconnect = true);
  // The reconnect: a try where the unit was last found every 2 s, a full search once a minute.
  void StartReconnect();
  void ReconnectTick();
  void TryWhereFound();
  // Keeps the unacknowledged edits of the queue (newer ones replace older ones of the same
  // parameter or band).
  void KeepUnacknowledged();
  // Back online after a loss: the kept edits go over the downloaded image (before the refresh)
  // and then to the unit.
  void WriteKeptEditsIntoStore();
  void ResendKeptEdits();
  // A second line of the next failure message: what the transfer could not get through.
  LocalizedText failDetail_;
  void StartTransfer(int stepCount, Direction direction);
  // Moves to the next step; the nine mode names all use step 18.
  void AdvanceStep();
  void SendStepRequest();
  void AwaitReply();

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

  std::vector<std::string> ports_;
  int selection_ = -1;

  LinkKind kind_ = LinkKind::Serial;
  bool online_ = false;
  int linkAnswer_ = 0;
  ReplyState replyState_ = ReplyState::None;
  int searchPosition_ = 0;
  int lastPort_ = -1;
  int step_ = 0;
  int stepCount_ = kDownloadStepCount;
  Direction direction_ = Direction::Read;
  int waitMs_ = 0;  // since the request outstanding left, or since the wait went late
  int askMs_ = 0;   // since the request outstanding was last sent
  int nameCounter_ = 0;
  int namePayload_ = 0;     // mode number the next name request carries
  int requestedName_ = -1;  // mode name of the latest request, -1 when the latest was not a name
  bool reconnecting_ = false;
  bool recovering_ = false;
  bool fullSearch_ = false;
  int reconnectTicks_ = 0;
  LinkKind foundKind_ = LinkKind::Network;  // where the unit was last found
  std::string foundPort_;
  std::vector<UnacknowledgedEdit> kept_;
  bool pacedNow_ = false;
  bool autoPaced_ = false;  // the fallback is in force for this connection
  int timeoutRepeats_ = 0;
  int corruptRepeats_ = 0;
  bool corruptSeen_ = false;
  bool downloading_ = false;
  bool wrongAnswer_ = false;  // a frame that was not the answer came while one was awaited
  int wrongAnswerTicks_ = 0;
  int wrongAnswerRepeats_ = 0;
  bool quietWait_ = false;
  int quietTicks_ = 0;
  uint64_t bytesReceived_ = 0;  // every byte from the unit, on either transport
  uint64_t downloadSeen_ = 0;   // bytesReceived_ at the last download tick
  uint64_t searchSeen_ = 0;     // and at the last search tick
  int silentSearchTicks_ = 0;   // search ticks in a row that heard nothing
  int portTicks_ = 0;           // search ticks spent on the serial port being tried
  bool restarting_ = false;     // the search that starts a connection over, paced
  std::vector<std::string> givenPorts_;
  bool imageHeld_ = false;      // a download has completed since start-up
  bool recallLoading_ = false;  // a recall has left and its reload is not in yet
  bool reportPending_ = false;  // values the unit reported wait to be shown
  int reportRefreshTicks_ = 0;
  LinkKind decodeKind_ = LinkKind::Serial;
  std::string statusCaption_;
};

}  // namespace velantro
