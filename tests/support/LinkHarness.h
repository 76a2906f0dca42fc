#pragma once

// The one test harness of the device link: a DeviceLink with its change queue and a ParamStore,
// wired to the in-process stand-in unit (UnitSim) through loopback serial and network fakes,
// and a simulated clock that fires the three link timers at their intervals. Everything the
// console sends, every status text, link event and message box is recorded.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "link/DeviceLink.h"
#include "link/LinkInterfaces.h"
#include "model/Messages.h"
#include "model/ParamStore.h"
#include "sim/UnitSim.h"
#include "support/Recorders.h"

namespace velantro::test {

// Records what the link shows. RefreshAll does what the window's full refresh does to the store:
// rebuild ViewValues with sending suppressed and latch LayoutFlag from it.
class RecordingLinkView : public LinkView {
 public:
  explicit RecordingLinkView(ParamStore& store) : store_(store) {}

  void SetStatus(const std::string& caption, const std::string& hint) override;
  void SetStatusCaption(const std::string& caption) override;
  void SetStatusColour(Rgb colour) override { this->colour = colour; }
  void SetLinkButton(LinkButtonLook look) override { button = look; }
  void ShowDeviceStatus() override { dialogVisible = true; }
  void HideDeviceStatus() override { dialogVisible = false; }
  void UpdateDeviceStatus(const std::string& statusText, int percent) override;
  void SetPortLabel(const std::string& text) override { portLabels.push_back(text); }
  void RefreshAll() override;
  void RebuildModeList() override { ++modeListRebuilds; }
  void ShowMainWindow() override { ++mainWindowShows; }
  void LogLine(const std::string& line) override { log.push_back(line); }

  std::string caption;
  std::string hint;
  std::vector<std::string> captions;  // every caption in order
  Rgb colour{};
  LinkButtonLook button = LinkButtonLook::Connect;
  bool dialogVisible = false;
  std::string dialogText;
  std::vector<int> progress;  // every percent the dialog was updated with
  std::vector<std::string> portLabels;
  int refreshCount = 0;
  int modeListRebuilds = 0;
  int mainWindowShows = 0;
  std::vector<std::string> log;

 private:
  ParamStore& store_;
};

enum class Wire { Serial, Network };

struct SentFrame {
  int64_t ms = 0;
  Wire wire = Wire::Serial;
  Bytes bytes;
};

class LinkHarness;

// Serial ports of the test machine. The unit hangs on at most one of them.
class LoopbackSerialPort : public SerialPort {
 public:
  explicit LoopbackSerialPort(LinkHarness& harness) : harness_(harness) {}

  std::vector<std::string> PortNames() override { return names; }
  void SetPortName(const std::string& name) override { portName = name; }
  bool Open() override;
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  size_t BytesAvailable() override { return inbound.size(); }
  Bytes Read(size_t count) override;
  bool Write(const Bytes& bytes) override;

  std::vector<std::string> names;    // what the machine lists
  std::set<std::string> unopenable;  // listed but busy
  std::string unitPort;              // the port the unit is on ("" none)
  std::string portName = "COM1";
  std::deque<uint8_t> inbound;      // bytes waiting to be read
  std::vector<std::string> opened;  // every successful open, in order
  // Reads that asked for more than was waiting: on a real port such a read waits for the line
  // and freezes the window.
  int readsBeyondWaiting = 0;

 private:
  LinkHarness& harness_;
  bool open_ = false;
};

class LoopbackNetwork : public NetworkClient {
 public:
  explicit LoopbackNetwork(LinkHarness& harness) : harness_(harness) {}
  void ConnectNetwork(const std::string& host, uint16_t port) override;
  void Deactivate() override { connected = false; }
  void Send(const Bytes& bytes) override;

  bool unitReachable = true;  // the unit listens at the configured host and port
  bool connected = false;
  int connects = 0;
  std::string host;
  uint16_t port = 0;

 private:
  LinkHarness& harness_;
};

// Timers on the simulated clock. Start and SetInterval on a running timer restart it, as a
// QTimer does.
class SimulatedTimers : public LinkTimers {
 public:
  explicit SimulatedTimers(LinkHarness& harness);
  void Start(LinkTimer timer) override;
  void Stop(LinkTimer timer) override;
  void SetInterval(LinkTimer timer, int ms) override;
  int Interval(LinkTimer timer) const override;
  bool IsActive(LinkTimer timer) const override;

  struct State {
    int interval = 0;
    bool active = false;
    int64_t due = 0;
  };
  State& of(LinkTimer timer) { return timers_[static_cast<size_t>(timer)]; }

 private:
  LinkHarness& harness_;
  std::array<State, 3> timers_{};
};

class LinkHarness {
 public:
  // `view` and `messages` replace the recording ones (UI tests pass the real window);
  // `externalStore` replaces the harness's own store (UI tests pass the console's).
  explicit LinkHarness(SimOptions unitOptions = {}, LinkView* view = nullptr,
                       Messages* messages = nullptr, ParamStore* externalStore = nullptr);
  LinkHarness(const LinkHarness&) = delete;
  LinkHarness& operator=(const LinkHarness&) = delete;

  // Moves the simulated clock forward 1 ms at a time: answers due from the unit are delivered
  // (serial: one receive event with the waiting count; network: one chunk per answer), then the
  // timers due fire.
  void Advance(int64_t ms);
  // Advances until `done` holds or `limitMs` has passed; returns whether it holds.
  bool RunUntil(const std::function<bool()>& done, int64_t limitMs);

  // A unit on the network only (no serial ports): Connect, run to online. False if it failed.
  bool ConnectOverNetwork(int64_t limitMs = 30000);
  // The machine lists one serial port and the unit hangs on it; the port list is filled.
  void PutUnitOnSerial(const std::string& portName = "/dev/ttyUSB0");
  // A unit on one serial port; Connect, run to online.
  bool ConnectOverSerial(const std::string& portName = "/dev/ttyUSB0", int64_t limitMs = 30000);
  bool Online() const { return link.LinkOnline(); }

  // Answers of the unit are held back until this much later than now (a slow unit).
  void HoldAnswers(int64_t ms) { holdUntilMs_ = now + ms; }
  // The unit hears nothing and answers nothing.
  void SetUnitSilent(bool silent) { unit.SetSilent(silent); }
  // From now on the unit's answers reach the network side cut and joined at random, as a TCP
  // stream may deliver them: a chunk may end inside a message or hold several.
  void SplitAndJoinChunks(uint32_t seed) {
    chunkRng_.seed(seed);
    chunking_ = true;
  }
  // The next `count` frames the console sends are lost on the way to the unit.
  void LoseNextFrames(int count) { framesToLose = count; }
  int framesToLose = 0;

  // Frames the console sent since `from` (an index into sent).
  std::vector<Bytes> SentSince(size_t from) const;
  // Frames sent, without keep-alives.
  std::vector<Bytes> SentWithoutKeepAlives(size_t from = 0) const;
  size_t SentCount() const { return sent.size(); }

  // The unit's side of the wire.
  void DeliverToUnit(const Bytes& bytes) {
    if (framesToLose > 0) {
      --framesToLose;
      return;
    }
    unit.Receive(bytes, now);
  }

  int64_t now = 0;
  ParamStore ownStore;
  ParamStore& store;
  LinkConfig config;
  UnitSim unit;
  RecordingMessages recordingMessages;
  std::unique_ptr<RecordingLinkView> recordingView;
  LoopbackSerialPort serial{*this};
  LoopbackNetwork network{*this};
  SimulatedTimers timers{*this};
  std::vector<SentFrame> sent;
  std::vector<Bytes> answers;     // every answer the unit put on the wire, in order
  int64_t bytesFromUnit = 0;      // every byte the unit's answers put on the wire
  std::vector<LinkEvent> events;  // every link event raised, in order
  DeviceLink link;

  RecordingLinkView& view() { return *recordingView; }
  RecordingMessages& messages() { return recordingMessages; }

  // With VELANTRO_FRAME_DUMP naming a file, every frame sent and every answer of the unit is
  // appended to it, under the name of the test: two builds' dumps compare frame for frame.
  ~LinkHarness();

 private:
  void Step();
  void DeliverAnswers();
  void FireTimers();
  int64_t holdUntilMs_ = 0;
  bool chunking_ = false;
  std::mt19937 chunkRng_;
  Bytes carried_;                     // stream bytes held back for a later chunk
  std::vector<int64_t> answerTimes_;  // when each answer went on the wire, for the dump
};

// Frame helpers for tests.
bool IsKeepAlive(const Bytes& frame);
std::string Hex(const Bytes& bytes);

}  // namespace velantro::test
