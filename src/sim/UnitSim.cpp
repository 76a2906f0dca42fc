#include "sim/UnitSim.h"

#include <algorithm>
#include <span>

#include "sim/FactoryImage.h"
#include "sim/StateFile.h"

namespace velantro {

namespace {

constexpr uint8_t kAckOk = 0xBB;
constexpr size_t kHeaderSize = 6;
constexpr size_t kMinFrameSize = kHeaderSize + 1;
constexpr size_t kValuePayload = 2;
constexpr size_t kBandPayload = 2 + 2 * unit::kBandFields;  // band number, five values
constexpr size_t kDeqValuePayload = 4;                      // channel, value
constexpr size_t kReceivedLogLimit = 4096;
constexpr uint8_t kCorruptMask = 0x5A;

int ReadValue(std::span<const uint8_t> bytes, size_t offset) {
  return bytes[offset] + 256 * bytes[offset + 1];
}

void AppendValue(Bytes& out, int32_t value) {
  const auto v = static_cast<uint16_t>(value);
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

std::string TrimName(std::string name) {
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

std::string CleanName(const std::string& name) {
  std::string out;
  for (char c : name.substr(0, kUnitNameLength)) out.push_back(unit::ValidNameChar(c) ? c : '?');
  return out;
}

}  // namespace

UnitSim::UnitSim(SimOptions options)
    : options_(options),
      writesToLose_(std::max(0, options.loseWrites)),
      answersToCorrupt_(std::max(0, options.corruptAnswers)),
      rng_(options.seed),
      state_(unit::FactoryState()) {}

unit::Image UnitSim::DefaultImage() { return unit::FactoryImage(); }

// ---------------------------------------------------------------------------------------------
// Stream and answers

void UnitSim::Receive(std::span<const uint8_t> bytes, int64_t nowMs) {
  if (options_.silent) return;
  Poll(nowMs);
  lastByteMs_ = nowMs;
  stream_.Append(bytes);
  ScanStream(nowMs);
}

void UnitSim::Poll(int64_t nowMs) {
  if (!stream_.Empty() && nowMs - lastByteMs_ > kStreamGapMs) GiveUpStaleFrame(nowMs);
}

std::optional<int64_t> UnitSim::StreamDeadlineMs() const {
  if (stream_.Empty()) return std::nullopt;
  return lastByteMs_ + kStreamGapMs + 1;
}

// Handles every complete frame at the front of the stream; stops at a frame still incomplete.
void UnitSim::ScanStream(int64_t nowMs) {
  while (auto frame = stream_.NextFrame()) {
    CountStream();
    HandleFrame(*frame, nowMs);
  }
  CountStream();
}

// The rest of a stalled frame is not coming: its header was bogus or the line dropped bytes.
// Whatever arrived behind its start byte may still hold good frames, so only that byte goes.
void UnitSim::GiveUpStaleFrame(int64_t nowMs) {
  while (!stream_.Empty()) {
    stream_.DropStartByte();
    ScanStream(nowMs);
  }
}

// The stream's own counts of what it skipped join the unit's.
void UnitSim::CountStream() {
  const auto skipped = stream_.TakeSkipped();
  stats_.framesRejected += skipped.frames;
  stats_.bytesDiscarded += skipped.bytes;
}

std::vector<Bytes> UnitSim::TakeAnswers(int64_t nowMs) {
  std::vector<Bytes> out;
  // Answers leave in the order they were made, as on a wire.
  size_t count = 0;
  while (count < answers_.size() && answers_[count].dueMs <= nowMs) {
    out.push_back(std::move(answers_[count].bytes));
    ++count;
  }
  answers_.erase(answers_.begin(), answers_.begin() + static_cast<ptrdiff_t>(count));
  return out;
}

std::optional<int64_t> UnitSim::NextAnswerDueMs() const {
  if (answers_.empty()) return std::nullopt;
  return answers_.front().dueMs;
}

void UnitSim::ResetStream() { stream_.Clear(); }

void UnitSim::SetSilent(bool silent) {
  options_.silent = silent;
  if (silent) {
    answers_.clear();
    stream_.Clear();
  }
}

std::vector<Bytes> UnitSim::TakeReceivedFrames() {
  std::vector<Bytes> out;
  out.swap(received_);
  return out;
}

std::string UnitSim::FrameLogLine(std::span<const uint8_t> frame) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string line = "rx:";
  for (uint8_t b : frame) {
    line += ' ';
    line += kHex[b >> 4];
    line += kHex[b & 0x0F];
  }
  return line;
}

bool UnitSim::Chance(double share) {
  if (share <= 0.0) return false;
  if (share >= 1.0) return true;
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < share;
}

void UnitSim::Enqueue(Bytes bytes, int64_t nowMs) {
  const int64_t due = nowMs + std::max<int64_t>(0, options_.delayMs);
  if (options_.trickleMs <= 0 || bytes.size() < static_cast<size_t>(kTricklePieces)) {
    answers_.push_back({due, std::move(bytes)});
    return;
  }
  const size_t piece = (bytes.size() + kTricklePieces - 1) / kTricklePieces;
  for (size_t start = 0, k = 0; start < bytes.size(); start += piece, ++k) {
    const size_t end = std::min(bytes.size(), start + piece);
    answers_.push_back({due + static_cast<int64_t>(k) * options_.trickleMs,
                        Bytes(bytes.begin() + static_cast<ptrdiff_t>(start),
                              bytes.begin() + static_cast<ptrdiff_t>(end))});
  }
}

void UnitSim::ReportOwnChange(int64_t nowMs) {
  if (options_.silent) return;
  // Band gains of the pages whose band values lie in the same slots in either music setting.
  static constexpr std::array<int, 8> kReportPages{
      unit::kMicGroupAPage,  unit::kMicGroupBPage, unit::kEchoPage, unit::kReverbPage,
      unit::kMainOutputPage, unit::kAux1Page,      unit::kAux2Page, unit::kSurOutputPage};
  constexpr int kLowestGain = 60;
  constexpr int kHighestGain = 180;
  std::uniform_int_distribution<size_t> pick(0, kReportPages.size() - 1);
  const int page = kReportPages[pick(rng_)];
  std::uniform_int_distribution<int> band(0, unit::kPageMaps[page].bandCount - 1);
  const int slot = unit::BandSlot(page, band(rng_), unit::kBandGainField, MusicSetting());
  std::uniform_int_distribution<int> gain(kLowestGain, kHighestGain);
  int value = gain(rng_);
  auto& held = state_.image[page][slot];
  if (value == held) value = value == kHighestGain ? kLowestGain : value + 1;
  held = value;
  Touch();
  ++stats_.reportsSent;
  SendValue(MakeAddress(page, slot), value, nowMs);
}

void UnitSim::SendAck(int64_t nowMs) {
  if (Chance(options_.dropAckShare)) {
    ++stats_.acksDropped;
    return;
  }
  ++stats_.acksSent;
  Enqueue(Bytes{kAckStart, kAckOk}, nowMs);
}

void UnitSim::Corrupt(Bytes& frame) {
  ++stats_.framesCorrupted;
  if (answersToCorrupt_ > 0) {
    --answersToCorrupt_;
    // The first value byte (the index when there is no payload): a console that skipped the
    // checksum would store a wrong value, one that checks drops the frame.
    const size_t at = frame.size() > kMinFrameSize ? kHeaderSize : kHeaderSize - 1;
    frame[at] ^= kCorruptMask;
    return;
  }
  std::uniform_int_distribution<size_t> position(0, frame.size() - 1);
  std::uniform_int_distribution<int> mask(1, 255);
  frame[position(rng_)] ^= static_cast<uint8_t>(mask(rng_));
}

void UnitSim::SendData(ParamAddress address, std::span<const uint8_t> payload, int64_t nowMs) {
  Bytes frame = BuildBlock(kCmdWrite, address, payload);
  if (answersToCorrupt_ > 0 || Chance(options_.corruptShare)) Corrupt(frame);
  ++stats_.dataFramesSent;
  if (options_.duplicateAnswers) Enqueue(frame, nowMs);
  Enqueue(std::move(frame), nowMs);
}

void UnitSim::SendValue(ParamAddress address, int32_t value, int64_t nowMs) {
  Bytes payload;
  AppendValue(payload, value);
  SendData(address, payload, nowMs);
}

// ---------------------------------------------------------------------------------------------
// Frames

void UnitSim::HandleFrame(std::span<const uint8_t> frame, int64_t nowMs) {
  ++stats_.framesReceived;
  if (received_.size() >= kReceivedLogLimit) received_.erase(received_.begin());
  received_.emplace_back(frame.begin(), frame.end());
  const int page = frame[4];
  const int index = frame[5];
  const auto payload = frame.subspan(kHeaderSize, frame.size() - kMinFrameSize);
  if (frame[3] == kCmdWrite) {
    const bool linkControl = page == unit::kSystemPage && index == unit::sys::LinkControl;
    if (!linkControl && LoseWrite()) return;
    HandleWrite(page, index, payload, nowMs);
  } else {
    HandleRequest(page, index, payload, nowMs);
  }
}

bool UnitSim::LoseWrite() {
  const bool lost = writesToLose_ > 0 || Chance(options_.loseWriteShare);
  if (!lost) return false;
  if (writesToLose_ > 0) --writesToLose_;
  ++stats_.writesLost;
  return true;
}

// What a write did: taken (acknowledged and counted), refused (counted, no answer), or answered
// on its own terms (link control).
enum class UnitSim::WriteOutcome { Applied, Rejected, Answered };

void UnitSim::HandleWrite(int page, int index, std::span<const uint8_t> payload, int64_t nowMs) {
  WriteOutcome outcome = WriteOutcome::Rejected;
  if (page < unit::kSystemPage) {
    outcome = HandleAudioWrite(page, index, payload);
  } else if (page == unit::kSystemPage) {
    outcome = HandleSystemWrite(index, payload, nowMs);
  }
  if (outcome == WriteOutcome::Applied) {
    ++stats_.writesApplied;
    Touch();
    SendAck(nowMs);
  } else if (outcome == WriteOutcome::Rejected) {
    ++stats_.framesRejected;
  }
}

// A band frame at the page's band address, a DEQ value (channel and index), or a plain value that
// lands where the music setting in force keeps it.
UnitSim::WriteOutcome UnitSim::HandleAudioWrite(int page, int index,
                                                std::span<const uint8_t> payload) {
  const bool bandAddress = index == unit::kPageMaps[page].bandFrameIndex;
  if (bandAddress && payload.size() == kBandPayload) {
    return StoreBand(page, ReadValue(payload, 0), payload.subspan(2)) ? WriteOutcome::Applied
                                                                      : WriteOutcome::Rejected;
  }
  if (page == unit::kDeqPage && payload.size() == kDeqValuePayload) {
    const int slot = unit::DeqWriteSlot(index, ReadValue(payload, 0));
    if (!unit::InImage(unit::kDeqPage, slot)) return WriteOutcome::Rejected;
    state_.image[unit::kDeqPage][slot] = ReadValue(payload, 2);
    return WriteOutcome::Applied;
  }
  if (payload.size() != kValuePayload) return WriteOutcome::Rejected;
  const int slot = unit::SlotOf(page, index, MusicSetting());
  if (slot < 0) return WriteOutcome::Rejected;
  SetValue(page, slot, ReadValue(payload, 0));
  return WriteOutcome::Applied;
}

UnitSim::WriteOutcome UnitSim::HandleSystemWrite(int index, std::span<const uint8_t> payload,
                                                 int64_t nowMs) {
  auto& system = state_.image[unit::kSystemPage];
  switch (index) {
    case unit::sys::LinkControl:
      if (payload.size() < kValuePayload) return WriteOutcome::Rejected;
      // Connect and keep-alive are acknowledged; a disconnect is taken without a word.
      if (ReadValue(payload, 0) != kLinkDisconnect) SendAck(nowMs);
      return WriteOutcome::Answered;
    case unit::sys::ModeSave: {
      if (payload.size() < kValuePayload) return WriteOutcome::Rejected;
      const int mode = ReadValue(payload, 0);
      if (mode >= unit::kModeCount) return WriteOutcome::Rejected;
      std::string name;
      for (size_t k = 2; k < payload.size() && name.size() < kUnitNameLength; ++k) {
        name.push_back(DecodeNameChar(payload[k]));
      }
      state_.modes[mode] = state_.image;
      state_.modeNames[mode] = TrimName(name);
      system[unit::sys::CurrentMode] = mode;
      return WriteOutcome::Applied;
    }
    case unit::sys::CurrentMode: {
      if (payload.size() != kValuePayload) return WriteOutcome::Rejected;
      const int mode = ReadValue(payload, 0);
      if (mode >= unit::kModeCount) return WriteOutcome::Rejected;
      for (int p = 0; p < unit::kAudioPageCount; ++p) state_.image[p] = state_.modes[mode][p];
      system[unit::sys::CurrentMode] = mode;
      return WriteOutcome::Applied;
    }
    case unit::sys::SystemPassword:
    case unit::sys::KeyLockPassword: {
      const bool isSystem = index == unit::sys::SystemPassword;
      std::string digits;
      for (uint8_t b : payload) digits.push_back(static_cast<char>('0' + std::min<uint8_t>(b, 10)));
      // Entering the password sends it too; only a well-formed one replaces the stored one.
      const size_t length = isSystem ? unit::kSystemPasswordDigits : unit::kKeyLockPasswordDigits;
      if (unit::ValidDigits(digits, length)) {
        (isSystem ? state_.systemPassword : state_.keyLockPassword) = digits;
      }
      return WriteOutcome::Applied;
    }
    case unit::sys::PageUpload: {
      if (payload.size() < kValuePayload) return WriteOutcome::Rejected;
      const int target = ReadValue(payload, 0);
      if (target >= unit::kAudioPageCount) return WriteOutcome::Rejected;
      const size_t count =
          std::min((payload.size() - 2) / 2, static_cast<size_t>(unit::kSlotsPerPage));
      for (size_t k = 0; k < count; ++k) state_.image[target][k] = ReadValue(payload, 2 + 2 * k);
      return WriteOutcome::Applied;
    }
    default:
      break;
  }
  if (payload.size() != kValuePayload || index >= unit::kSlotsPerPage) {
    return WriteOutcome::Rejected;
  }
  system[index] = ReadValue(payload, 0);
  return WriteOutcome::Applied;
}

void UnitSim::HandleRequest(int page, int index, std::span<const uint8_t> payload, int64_t nowMs) {
  if (page < unit::kSystemPage) {
    // A single value, read from the unit's own slot.
    SendValue(MakeAddress(page, index), Value(page, index), nowMs);
    return;
  }
  if (page != unit::kSystemPage) {
    ++stats_.framesRejected;
    return;
  }
  const ParamAddress address = MakeAddress(page, index);
  auto& system = state_.image[unit::kSystemPage];
  Bytes out;
  switch (index) {
    case unit::sys::PageRequest:
      if (payload.size() < kValuePayload || ReadValue(payload, 0) >= unit::kAudioPageCount) break;
      AnswerPageRequest(ReadValue(payload, 0), nowMs);
      return;
    case unit::sys::ModeName: {
      const int mode = payload.size() >= kValuePayload ? ReadValue(payload, 0) : 0;
      if (mode >= unit::kModeCount) break;
      for (char c : state_.modeNames[mode]) out.push_back(EncodeNameChar(c));
      SendData(address, out, nowMs);
      return;
    }
    case unit::sys::SystemPassword:
    case unit::sys::KeyLockPassword: {
      const auto& text =
          index == unit::sys::SystemPassword ? state_.systemPassword : state_.keyLockPassword;
      for (char c : text) out.push_back(static_cast<uint8_t>(c - '0'));
      SendData(address, out, nowMs);
      return;
    }
    case unit::sys::ManagementCode:
      SendData(address, state_.managementCode, nowMs);
      return;
    case unit::sys::Remote:
      if (payload.empty() && options_.ackRemoteRequest) {
        SendAck(nowMs);
        return;
      }
      // The closing request of an upload carries the remote setting along.
      if (payload.size() >= kValuePayload) {
        system[index] = ReadValue(payload, 0);
        Touch();
      }
      SendValue(address, system[index], nowMs);
      return;
    default:
      if (index >= 1 && index <= unit::sys::LastValueIndex) {
        SendValue(address, system[index], nowMs);
        return;
      }
      break;
  }
  ++stats_.framesRejected;
}

// The page's values from slot 0 on (the music page with both settings), as one data frame.
void UnitSim::AnswerPageRequest(int target, int64_t nowMs) {
  const auto& row = state_.image[target];
  int count = unit::PageAnswerValues(target);
  if (options_.strayFrames) {
    const int slot = strayCount_++ % unit::kPageMaps[target].valueCount;
    SendValue(MakeAddress(target, slot), row[slot], nowMs);
  }
  if (target == options_.shortAnswerPage && !shortAnswerSent_) {
    shortAnswerSent_ = true;
    count = kShortAnswerValues;
  }
  Bytes out;
  for (int k = 0; k < count; ++k) AppendValue(out, row[k]);
  SendData(MakeAddress(target, 0), out, nowMs);
}

bool UnitSim::StoreBand(int page, int band, std::span<const uint8_t> values) {
  const int setting = MusicSetting();
  if (unit::BandSlot(page, band, 0, setting) < 0) return false;
  for (int field = 0; field < unit::kBandFields; ++field) {
    SetValue(page, unit::BandSlot(page, band, field, setting),
             ReadValue(values, 2 * static_cast<size_t>(field)));
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Image, modes, texts

int32_t UnitSim::Value(int page, int deviceIndex) const {
  return unit::InImage(page, deviceIndex) ? state_.image[page][deviceIndex] : 0;
}

void UnitSim::SetValue(int page, int deviceIndex, int32_t value) {
  if (!unit::InImage(page, deviceIndex)) return;
  state_.image[page][deviceIndex] = value;
  Touch();
}

int32_t UnitSim::ValueAt(ParamAddress effective) const {
  const int page = PageOf(effective);
  return Value(page, unit::SlotOf(page, IndexOf(effective), MusicSetting()));
}

int UnitSim::MusicSetting() const {
  return state_.image[unit::kMusicPage][unit::kMusicSettingSlot] != 0 ? 1 : 0;
}

const std::string& UnitSim::ModeName(int mode) const {
  static const std::string kNone;
  return mode >= 0 && mode < kUnitModeCount ? state_.modeNames[mode] : kNone;
}

const unit::Image& UnitSim::StoredMode(int mode) const {
  return state_.modes[std::clamp(mode, 0, kUnitModeCount - 1)];
}

void UnitSim::SetModeName(int mode, const std::string& name) {
  if (mode < 0 || mode >= kUnitModeCount) return;
  state_.modeNames[mode] = CleanName(name);
  Touch();
}

void UnitSim::SetManagementCode(const std::array<uint8_t, 4>& code) {
  state_.managementCode = code;
  Touch();
}

bool UnitSim::SaveState(const std::string& path) const {
  return unit::WriteStateFile(path, state_);
}

bool UnitSim::LoadState(const std::string& path) {
  auto loaded = unit::ReadStateFile(path);
  if (!loaded) return false;
  state_ = std::move(*loaded);
  Touch();
  return true;
}

}  // namespace velantro
