#include "support/LinkHarness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace velantro::test {

// ---------------------------------------------------------------------------------------------
// Recording doubles

void RecordingLinkView::SetStatus(const std::string& newCaption, const std::string& newHint) {
  caption = newCaption;
  hint = newHint;
  captions.push_back(newCaption);
}

void RecordingLinkView::SetStatusCaption(const std::string& newCaption) {
  caption = newCaption;
  captions.push_back(newCaption);
}

void RecordingLinkView::UpdateDeviceStatus(const std::string& statusText, int percent) {
  dialogText = statusText;
  progress.push_back(percent);
}

void RecordingLinkView::RefreshAll() {
  ++refreshCount;
  store_.SuppressSend = 1;
  store_.RebuildViewValues(store_.LayoutFlag);
  store_.LayoutFlag = static_cast<uint8_t>(store_.ViewValues[0][1]);
  store_.SuppressSend = 0;
}

// ---------------------------------------------------------------------------------------------
// Loopback transports

bool LoopbackSerialPort::Open() {
  open_ = false;
  if (portName.empty() || unopenable.count(portName) > 0) return false;
  bool listed = false;
  for (const std::string& name : names) listed = listed || name == portName;
  if (!listed) return false;
  open_ = true;
  opened.push_back(portName);
  inbound.clear();
  return true;
}

Bytes LoopbackSerialPort::Read(size_t count) {
  if (count > inbound.size()) ++readsBeyondWaiting;
  Bytes out;
  while (count > 0 && !inbound.empty()) {
    out.push_back(inbound.front());
    inbound.pop_front();
    --count;
  }
  return out;
}

bool LoopbackSerialPort::Write(const Bytes& bytes) {
  if (!open_) return false;
  harness_.sent.push_back({harness_.now, Wire::Serial, bytes});
  if (!unitPort.empty() && portName == unitPort) harness_.DeliverToUnit(bytes);
  return true;
}

void LoopbackNetwork::ConnectNetwork(const std::string& newHost, uint16_t newPort) {
  host = newHost;
  port = newPort;
  ++connects;
  connected = unitReachable;
  if (connected) harness_.unit.ResetStream();
}

void LoopbackNetwork::Send(const Bytes& bytes) {
  harness_.sent.push_back({harness_.now, Wire::Network, bytes});
  if (connected) harness_.DeliverToUnit(bytes);
}

SimulatedTimers::SimulatedTimers(LinkHarness& harness) : harness_(harness) {
  of(LinkTimer::Search).interval = kSearchIntervalMs;
  of(LinkTimer::Download).interval = kDownloadIntervalMs;
  of(LinkTimer::Hold).interval = kHoldIntervalMs;
}

void SimulatedTimers::Start(LinkTimer timer) {
  State& state = of(timer);
  state.active = true;
  state.due = harness_.now + state.interval;
}

void SimulatedTimers::Stop(LinkTimer timer) { of(timer).active = false; }

void SimulatedTimers::SetInterval(LinkTimer timer, int ms) {
  State& state = of(timer);
  state.interval = ms;
  if (state.active) state.due = harness_.now + ms;
}

int SimulatedTimers::Interval(LinkTimer timer) const {
  return timers_[static_cast<size_t>(timer)].interval;
}

bool SimulatedTimers::IsActive(LinkTimer timer) const {
  return timers_[static_cast<size_t>(timer)].active;
}

// ---------------------------------------------------------------------------------------------
// Harness

LinkHarness::LinkHarness(SimOptions unitOptions, LinkView* externalView, Messages* externalMessages,
                         ParamStore* externalStore)
    : store(externalStore != nullptr ? *externalStore : ownStore),
      unit(unitOptions),
      recordingView(std::make_unique<RecordingLinkView>(store)),
      link(store, config, serial, network, timers,
           externalView != nullptr ? *externalView : *recordingView,
           externalMessages != nullptr ? *externalMessages : recordingMessages) {
  link.onLinkEvent = [this](LinkEvent event) { events.push_back(event); };
}

LinkHarness::~LinkHarness() {
  const char* path = std::getenv("VELANTRO_FRAME_DUMP");
  if (path == nullptr || *path == '\0') return;
  std::ofstream dump(path, std::ios::app);
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  dump << "== "
       << (test != nullptr ? std::string(test->test_suite_name()) + "." + test->name() : "")
       << "\n";
  for (const SentFrame& frame : sent) {
    dump << frame.ms << (frame.wire == Wire::Serial ? " >s " : " >n ") << Hex(frame.bytes) << "\n";
  }
  for (size_t i = 0; i < answers.size(); ++i) {
    dump << answerTimes_[i] << " < " << Hex(answers[i]) << "\n";
  }
}

void LinkHarness::Advance(int64_t ms) {
  for (int64_t i = 0; i < ms; ++i) Step();
}

bool LinkHarness::RunUntil(const std::function<bool()>& done, int64_t limitMs) {
  for (int64_t i = 0; i < limitMs; ++i) {
    if (done()) return true;
    Step();
  }
  return done();
}

void LinkHarness::Step() {
  ++now;
  DeliverAnswers();
  FireTimers();
}

void LinkHarness::DeliverAnswers() {
  if (now < holdUntilMs_) return;
  const std::vector<Bytes> due = unit.TakeAnswers(now);
  if (due.empty() && carried_.empty()) return;
  for (const Bytes& answer : due) {
    bytesFromUnit += static_cast<int64_t>(answer.size());
    answers.push_back(answer);
    answerTimes_.push_back(now);
  }
  const bool onSerial =
      !serial.unitPort.empty() && serial.IsOpen() && serial.portName == serial.unitPort;
  if (onSerial) {
    for (const Bytes& answer : due)
      serial.inbound.insert(serial.inbound.end(), answer.begin(), answer.end());
    link.OnSerialBytes(serial.inbound.size());
    return;
  }
  if (!network.connected) return;
  if (!chunking_) {
    for (const Bytes& answer : due) link.OnNetworkChunk(answer);
    return;
  }
  for (const Bytes& answer : due) carried_.insert(carried_.end(), answer.begin(), answer.end());
  // Deliver a random share of what is held, in random cuts; the rest joins the next answers.
  while (!carried_.empty() && chunkRng_() % 4 != 0) {
    const size_t n = 1 + chunkRng_() % carried_.size();
    const Bytes chunk(carried_.begin(), carried_.begin() + static_cast<std::ptrdiff_t>(n));
    carried_.erase(carried_.begin(), carried_.begin() + static_cast<std::ptrdiff_t>(n));
    link.OnNetworkChunk(chunk);
  }
}

void LinkHarness::FireTimers() {
  // In the order a message loop would deliver them when several are due at once.
  for (LinkTimer timer : {LinkTimer::Search, LinkTimer::Download, LinkTimer::Hold}) {
    SimulatedTimers::State& state = timers.of(timer);
    if (!state.active || state.due > now) continue;
    state.due = now + state.interval;
    switch (timer) {
      case LinkTimer::Search:
        link.SearchTick();
        break;
      case LinkTimer::Download:
        link.DownloadTick();
        break;
      case LinkTimer::Hold:
        link.HoldTick();
        break;
    }
  }
}

bool LinkHarness::ConnectOverNetwork(int64_t limitMs) {
  serial.names.clear();
  link.FillPortList();
  link.Connect();
  return RunUntil(
             [this] {
               return link.LinkOnline() || (!timers.IsActive(LinkTimer::Search) &&
                                            !timers.IsActive(LinkTimer::Download));
             },
             limitMs) &&
         link.LinkOnline();
}

void LinkHarness::PutUnitOnSerial(const std::string& portName) {
  serial.names = {portName};
  serial.unitPort = portName;
  link.FillPortList();
}

bool LinkHarness::ConnectOverSerial(const std::string& portName, int64_t limitMs) {
  network.unitReachable = false;
  PutUnitOnSerial(portName);
  link.Connect();
  return RunUntil(
             [this] {
               return link.LinkOnline() || (!timers.IsActive(LinkTimer::Search) &&
                                            !timers.IsActive(LinkTimer::Download));
             },
             limitMs) &&
         link.LinkOnline();
}

std::vector<Bytes> LinkHarness::SentSince(size_t from) const {
  std::vector<Bytes> out;
  for (size_t i = from; i < sent.size(); ++i) out.push_back(sent[i].bytes);
  return out;
}

std::vector<Bytes> LinkHarness::SentWithoutKeepAlives(size_t from) const {
  std::vector<Bytes> out;
  for (size_t i = from; i < sent.size(); ++i) {
    if (!IsKeepAlive(sent[i].bytes)) out.push_back(sent[i].bytes);
  }
  return out;
}

bool IsKeepAlive(const Bytes& frame) { return frame == BuildLinkControl(kLinkKeepAlive); }

std::string Hex(const Bytes& bytes) {
  std::string out;
  char cell[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(cell, sizeof cell, i == 0 ? "%02X" : " %02X", bytes[i]);
    out += cell;
  }
  return out;
}

}  // namespace velantro::test
