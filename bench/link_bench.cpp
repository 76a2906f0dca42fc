// How long an edit takes from SetParam to its frame leaving, through the core link with a
// recording transport, when the queue is idle; and the receive side of one frame.
#include <benchmark/benchmark.h>

#include <deque>

#include "link/DeviceLink.h"

namespace velantro {
namespace {

class RecordingSerial : public SerialPort {
 public:
  std::vector<std::string> PortNames() override { return {"bench"}; }
  void SetPortName(const std::string&) override {}
  bool Open() override { return true; }
  void Close() override {}
  bool IsOpen() const override { return true; }
  size_t BytesAvailable() override { return inbound.size(); }
  Bytes Read(size_t count) override {
    Bytes out;
    while (count-- > 0 && !inbound.empty()) {
      out.push_back(inbound.front());
      inbound.pop_front();
    }
    return out;
  }
  bool Write(const Bytes& bytes) override {
    last = bytes;
    ++frames;
    return true;
  }
  std::deque<uint8_t> inbound;
  Bytes last;
  int64_t frames = 0;
};

class NoNetwork : public NetworkClient {
 public:
  void ConnectNetwork(const std::string&, uint16_t) override {}
  void Deactivate() override {}
  void Send(const Bytes&) override {}
};

class NoTimers : public LinkTimers {
 public:
  void Start(LinkTimer) override {}
  void Stop(LinkTimer) override {}
  void SetInterval(LinkTimer, int) override {}
  int Interval(LinkTimer) const override { return 0; }
  bool IsActive(LinkTimer) const override { return false; }
};

class NoView : public LinkView {
 public:
  void SetStatus(const std::string&, const std::string&) override {}
  void SetStatusCaption(const std::string&) override {}
  void SetStatusColour(Rgb) override {}
  void SetLinkButton(LinkButtonLook) override {}
  void ShowDeviceStatus() override {}
  void HideDeviceStatus() override {}
  void UpdateDeviceStatus(const std::string&, int) override {}
  void SetPortLabel(const std::string&) override {}
  void RefreshAll() override {}
  void RebuildModeList() override {}
  void ShowMainWindow() override {}
  void LogLine(const std::string&) override {}
};

class NoMessages : public Messages {
 public:
  void Information(const std::string&, const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  bool AskOkCancel(const std::string&, const std::string&) override { return true; }
};

// An online serial link whose last write has been acknowledged.
struct OnlineLink {
  OnlineLink() : link(store, config, serial, network, timers, view, messages) {
    link.SetPortList({"bench"});
    link.RaiseLinkEvent(LinkEvent::DownloadComplete);
    Acknowledge();
  }
  void Acknowledge() {
    serial.inbound.push_back(0xFE);
    serial.inbound.push_back(0xBB);
    link.OnSerialBytes(serial.inbound.size());
  }
  ParamStore store;
  LinkConfig config;
  RecordingSerial serial;
  NoNetwork network;
  NoTimers timers;
  NoView view;
  NoMessages messages;
  DeviceLink link;
};

// SetParam on an idle queue: the frame is built and written before SetParam returns.
void BM_SetParamToFrameLeaving(benchmark::State& state) {
  OnlineLink online;
  int value = 0;
  for (auto _ : state) {
    online.store.SetParam(0x0105, value++ & 0xFF);
    benchmark::DoNotOptimize(online.serial.last.data());
    online.link.queue().OnAcknowledge();
  }
  if (online.serial.frames != static_cast<int64_t>(state.iterations())) {
    state.SkipWithError("not every SetParam sent a frame");
  }
}
BENCHMARK(BM_SetParamToFrameLeaving);

// The whole round of one edit in the core: SetParam, the frame leaves, the unit's FE BB goes
// through the serial receiver, the next hold tick sends nothing more.
void BM_EditAndAcknowledgement(benchmark::State& state) {
  OnlineLink online;
  int value = 0;
  for (auto _ : state) {
    online.store.SetParam(0x0105, value++ & 0xFF);
    online.Acknowledge();
    online.link.HoldTick();
  }
}
BENCHMARK(BM_EditAndAcknowledgement);

// One 9-byte data frame through the serial receive state machine and the decoder.
void BM_ReceiveOneFrame(benchmark::State& state) {
  OnlineLink online;
  const Bytes frame = BuildValue(kCmdWrite, 0x0105, 300);
  for (auto _ : state) {
    online.serial.inbound.insert(online.serial.inbound.end(), frame.begin(), frame.end());
    online.link.OnSerialBytes(online.serial.inbound.size());
  }
  if (online.store.DeviceImage[1][5] != 300) state.SkipWithError("frame not decoded");
}
BENCHMARK(BM_ReceiveOneFrame);

}  // namespace
}  // namespace velantro
