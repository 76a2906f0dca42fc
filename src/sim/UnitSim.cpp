#include "sim/UnitSim.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <span>
#include <sstream>

#include "model/BandLayout.h"

namespace velantro {

namespace {

constexpr uint8_t kAckOk = 0xBB;
constexpr size_t kHeaderSize = 6;
constexpr size_t kMinFrameSize = kHeaderSize + 1;
constexpr size_t kBandPayload = 2 + 2 * kBandValueCount;
constexpr size_t kDeqValuePayload = 4;
constexpr size_t kValuePayload = 2;
constexpr size_t kReceivedLogLimit = 4096;
constexpr uint8_t kCorruptMask = 0x5A;
constexpr int kAudioPages = 10;  // pages 0 … 9 make up a stored mode
constexpr size_t kSystemPasswordLength = 6;
constexpr size_t kKeyLockPasswordLength = 4;
constexpr int kMaxItemIndex = 0x3F;
constexpr const char* kStateMagic = "velantro-unit-state 1";

// Default gains (raw, 120 = 0 dB); the band frequencies are those an EQ reset writes.
constexpr int kGainFlat = 120;
constexpr int kPeqQ = 16;
constexpr int kShelfQ = 10;
constexpr std::array<int, 10> kMusicGain{130, 125, 120, 115, 118, 120, 122, 125, 128, 125};
constexpr std::array<int, 10> kMusicGainSecond{135, 130, 122, 110, 115, 120, 125, 130, 132, 130};
constexpr std::array<int, 8> kOutputGain{125, 122, 118, 120, 120, 121, 124, 120};
constexpr std::array<const char*, kUnitModeCount> kDefaultNames{
    "Pop", "Rock", "Live", "Jazz", "Classic", "Karaoke", "Party", "Speech", "User"};

// Slots of the factory image that are not EQ bands.
constexpr int kMusicEqPass = 3;
constexpr int kMicHighPass = 0;
constexpr int kMicSharedLevel = 1;
constexpr int kMicFrequencyShift = 2;
constexpr int kMicNoiseGate = 3;
constexpr int kMicEqPass = 5;
constexpr int kEffectEqPass = 15;
constexpr int kOutHpfMode = 16;
constexpr int kOutHpf = 17;
constexpr int kOutHpfQ = 18;
constexpr int kOutLpfMode = 19;
constexpr int kOutLpf = 20;
constexpr int kOutLpfQ = 21;
constexpr int kOutAttack = 22;
constexpr int kOutRelease = 23;
constexpr int kOutLimitLevel = 24;
constexpr int kOutRatio = 25;
constexpr int kOutLimitMode = 26;
constexpr int kMainLeftDelay = 27;
constexpr int kMainRightDelay = 28;
constexpr int kMainLeftMute = 29;
constexpr int kMainRightMute = 30;
constexpr int kMainTone = 31;
constexpr int kMainEqPass = 33;
constexpr int kAuxDelay = 27;
constexpr int kAuxMute = 28;
constexpr int kAuxEqPass = 30;

// Filter settings (raw values): high-pass panes show FrequencyTable[raw - 1] with 0 = off,
// low-pass panes FrequencyTable[raw] with 362 = off, effect low-pass FrequencyTable[raw + 297]
// with 64 = off.
constexpr int kMicHighPass101Hz = 86;     // 101.0 Hz
constexpr int kEffectHighPass101Hz = 86;  // 101.0 Hz
constexpr int kEffectLowPass8kHz = 15;    // 8000.0 Hz
constexpr int kEffectLowPassOff = 64;
constexpr int kOutHighPassOff = 0;
constexpr int kOutHighPass80Hz = 74;  // 80.3 Hz
constexpr int kOutLowPassOff = 362;
constexpr int kOutLowPass120Hz = 94;    // 120.0 Hz
constexpr int kCrossoverLinkRiley = 2;  // "Link Riley 24dB"
constexpr int kCrossoverQ071 = 10;      // 0.71

int ReadValue(std::span<const uint8_t> bytes, size_t offset) {
  return bytes[offset] + 256 * bytes[offset + 1];
}

void AppendValue(Bytes& out, int32_t value) {
  const auto v = static_cast<uint16_t>(value);
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void WriteBand(DeviceTable& image, int page, int firstIndex, int freq, int gain) {
  const std::array<int, kBandValueCount> band{0, freq, gain, kPeqQ, kShelfQ};
  for (int k = 0; k < kBandValueCount; ++k) image[page][firstIndex + k] = band[k];
}

void WriteBands(DeviceTable& image, int page, int first, std::span<const int> freq, int gainTilt) {
  for (size_t b = 0; b < freq.size(); ++b) {
    const int gain = kGainFlat + (b % 2 == 0 ? gainTilt : -gainTilt);
    WriteBand(image, page, first + kBandValueCount * static_cast<int>(b), freq[b], gain);
  }
}

bool ValidNameChar(char c) { return c >= 32 && c < 127; }

std::string TrimName(std::string name) {
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

std::string CleanName(const std::string& name) {
  std::string out;
  for (char c : name.substr(0, kUnitNameLength)) out.push_back(ValidNameChar(c) ? c : '?');
  return out;
}

bool ValidDigits(const std::string& text, size_t length) {
  return text.size() == length &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

UnitSim::UnitSim(SimOptions options)
    : options_(options),
      writesToLose_(std::max(0, options.loseWrites)),
      answersToCorrupt_(std::max(0, options.corruptAnswers)),
      rng_(options.seed) {
  image_ = DefaultImage();
  for (int m = 0; m < kUnitModeCount; ++m) {
    modes_[m] = image_;
    // Each factory mode leans the music EQ of both settings a little differently so a recall
    // shows; the gains stay well inside the band's range.
    for (int b = 0; b < 10; ++b) {
      const int tilt = (m * 3 + b) % 7 - 3;
      const int gain = kPages[0].firstBand + 5 * b + 2;
      modes_[m][0][gain] = kMusicGain[b] + 2 * tilt;
      modes_[m][0][gain + kMusicSecondSetOffset] = kMusicGainSecond[b] - 2 * tilt;
    }
    modes_[m][kSystemPage] = image_[kSystemPage];
    modeNames_[m] = kDefaultNames[m];
  }
}

DeviceTable UnitSim::DefaultImage() {
  DeviceTable image{};
  // Music: manual mode, "Sing" setting, EQ pass off for both settings; each setting has its own
  // gentle curve.
  image[0][0] = 1;
  image[0][1] = 0;
  for (int set : {0, kMusicSecondSetOffset}) image[0][kMusicEqPass + set] = 0;
  for (int b = 0; b < 10; ++b) {
    const int first = kPages[0].firstBand + 5 * b;
    WriteBand(image, 0, first, DefaultBandFrequencies(0)[b], kMusicGain[b]);
    WriteBand(image, 0, first + kMusicSecondSetOffset, DefaultBandFrequencies(0)[b],
              kMusicGainSecond[b]);
  }
  // MIC groups: high-pass at 100 Hz, frequency shift off, a light noise gate, EQ pass off.
  for (int page : {1, 3}) {
    image[page][kMicHighPass] = kMicHighPass101Hz;
    image[page][kMicSharedLevel] = 64;
    image[page][kMicFrequencyShift] = 0;
    image[page][kMicNoiseGate] = 2;
    image[page][kMicEqPass] = 0;
  }
  WriteBands(image, 1, kPages[1].firstBand, DefaultBandFrequencies(1), 5);
  WriteBands(image, 3, kPages[3].firstBand, DefaultBandFrequencies(3), 5);
  // DEQ: three channels, pass off, flat bands; work modes below, below, above with the dynamics
  // of the 1 V sensitivity, mid speed.
  for (int g = 0; g < 3; ++g) {
    const int base = 12 * g;
    const bool above = g == 2;
    image[2][base + 1] = 0;
    WriteBand(image, 2, base + 2, DefaultBandFrequencies(2)[g], kGainFlat);
    image[2][base + 7] = above ? 2 : 1;
    image[2][base + 8] = 9;                 // attack 11 ms
    image[2][base + 9] = 4;                 // release Atk x12
    image[2][base + 10] = above ? 10 : 12;  // level -26 / -24 dBu
    image[2][base + 11] = 5;                // ratio 2.0
    image[2][base + 12] = 1;                // mid
  }
  // Echo: levels with normal phase, 101 Hz to 8 kHz, 40 ms pre-delay, 200 ms delay, 45 % repeat,
  // right channel in step with the left.
  auto& echo = image[4];
  echo[0] = 1;
  echo[1] = 40;
  echo[2] = 1;
  echo[3] = 80;
  echo[4] = kEffectHighPass101Hz;
  echo[5] = kEffectLowPass8kHz;
  echo[6] = 20;
  echo[7] = 100;
  echo[8] = 45;
  echo[9] = 50;  // right channel delay offset 0
  echo[10] = 10;
  echo[11] = 0;  // echo mode
  echo[kEffectEqPass] = 0;
  // Reverb: levels with normal phase, 2 s reverb with 20 ms pre-delay, MIC band-limited, music
  // to reverb low and unfiltered, light damping.
  auto& reverb = image[5];
  reverb[0] = 1;
  reverb[1] = 35;
  reverb[2] = 1;
  reverb[3] = 80;
  reverb[4] = 32;
  reverb[5] = 10;
  reverb[6] = kEffectHighPass101Hz;
  reverb[7] = kEffectLowPass8kHz;
  reverb[8] = 1;
  reverb[9] = 10;
  reverb[10] = 0;  // music high-pass off
  reverb[11] = kEffectLowPassOff;
  reverb[12] = 3;
  reverb[13] = 2;
  reverb[kEffectEqPass] = 0;
  for (int page : {4, 5})
    WriteBands(image, page, kPages[page].firstBand, DefaultBandFrequencies(page), 3);
  // Outputs.
  for (int page = 6; page <= 9; ++page) {
    const bool aux = page == 7 || page == 8;
    auto& out = image[page];
    // Mix: level and phase of music, MIC, echo and reverb; "Sing" in the even slots, "Disco" in
    // the odd slots beside them.
    constexpr std::array<int, 4> kSingLevels{50, 50, 45, 45};
    constexpr std::array<int, 4> kDiscoLevels{50, 40, 30, 30};
    for (int source = 0; source < 4; ++source) {
      out[4 * source] = kSingLevels[source];
      out[4 * source + 1] = kDiscoLevels[source];
      out[4 * source + 2] = 1;  // phase "+"
      out[4 * source + 3] = 1;
    }
    // Crossover: Linkwitz-Riley 24 dB; AUX1 feeds a subwoofer below 120 Hz, the surround
    // outputs leave out the deep bass, everything else runs full range.
    out[kOutHpfMode] = kCrossoverLinkRiley;
    out[kOutHpf] = page == 9 ? kOutHighPass80Hz : kOutHighPassOff;
    out[kOutHpfQ] = kCrossoverQ071;
    out[kOutLpfMode] = kCrossoverLinkRiley;
    out[kOutLpf] = page == 7 ? kOutLowPass120Hz : kOutLowPassOff;
    out[kOutLpfQ] = kCrossoverQ071;
    // Limiter: 11 ms attack, release Atk x12, +4 dBu, 10.2:1, mid.
    out[kOutAttack] = 9;
    out[kOutRelease] = 4;
    out[kOutLimitLevel] = 40;
    out[kOutRatio] = 24;
    out[kOutLimitMode] = 1;
    if (aux) {
      out[kAuxDelay] = page == 7 ? 20 : 0;  // 2.0 ms for the subwoofer
      out[kAuxMute] = 0;
      out[kAuxEqPass] = 0;
    } else {
      out[kMainLeftDelay] = page == 9 ? 150 : 0;  // 15.0 ms behind the front
      out[kMainRightDelay] = page == 9 ? 150 : 0;
      out[kMainLeftMute] = 0;
      out[kMainRightMute] = 0;
      out[kMainTone] = 0;  // "Gentle"
      out[kMainEqPass] = 0;
    }
    const int first = kPages[page].firstBand;
    for (int b = 0; b < 8; ++b) {
      WriteBand(image, page, first + 5 * b, DefaultBandFrequencies(page)[b], kOutputGain[b]);
    }
  }
  // System: mode 1, 3 dB music input on port 1, administrator, key lock off, remote on; start
  // and normal volumes below their limits.
  auto& sys = image[kSystemPage];
  sys[IndexOf(sysaddr::CurrentMode)] = 0;
  sys[IndexOf(sysaddr::MusicInputLevel)] = 1;
  constexpr std::array<int, 6> kVolumeManagement{40, 82, 40, 82, 35, 70};  // start, limit × 3
  for (size_t k = 0; k < kVolumeManagement.size(); ++k) {
    sys[IndexOf(sysaddr::MusicStartVolume) + static_cast<int>(k)] = kVolumeManagement[k];
  }
  sys[IndexOf(sysaddr::UserOrAdmin)] = 1;
  sys[IndexOf(sysaddr::AutoKeyLock)] = 0;
  sys[IndexOf(sysaddr::MusicInputSelect)] = 0;
  sys[IndexOf(sysaddr::Remote)] = 1;
  sys[IndexOf(sysaddr::MusicNormalVolume)] = 60;
  sys[IndexOf(sysaddr::MicNormalVolume)] = 60;
  sys[IndexOf(sysaddr::EffectNormalVolume)] = 50;
  return image;
}

// ---------------------------------------------------------------------------------------------
// Stream and answers

void UnitSim::Receive(std::span<const uint8_t> bytes, int64_t nowMs) {
  if (options_.silent) return;
  Poll(nowMs);
  lastByteMs_ = nowMs;
  stream_.insert(stream_.end(), bytes.begin(), bytes.end());
  ScanStream(nowMs);
}

void UnitSim::Poll(int64_t nowMs) {
  if (!stream_.empty() && nowMs - lastByteMs_ > kStreamGapMs) GiveUpStaleFrame(nowMs);
}

std::optional<int64_t> UnitSim::StreamDeadlineMs() const {
  if (stream_.empty()) return std::nullopt;
  return lastByteMs_ + kStreamGapMs + 1;
}

// Takes every complete frame off the front of the stream; stops at a frame still incomplete.
void UnitSim::ScanStream(int64_t nowMs) {
  while (!stream_.empty()) {
    const auto start = std::find(stream_.begin(), stream_.end(), kFrameStart);
    if (start != stream_.begin()) {
      stats_.bytesDiscarded += static_cast<int>(start - stream_.begin());
      stream_.erase(stream_.begin(), start);
      continue;
    }
    if (stream_.size() < 4) break;
    const uint8_t length = stream_[2];
    const uint8_t command = stream_[3];
    const bool header_ok =
        stream_[1] == kFrameKey && length >= 4 && (command == kCmdWrite || command == kCmdRequest);
    if (!header_ok) {
      ++stats_.framesRejected;
      ++stats_.bytesDiscarded;
      stream_.erase(stream_.begin());
      continue;
    }
    const size_t total = static_cast<size_t>(length) + 3;
    if (stream_.size() < total) break;
    const std::span<const uint8_t> frame(stream_.data(), total);
    if (FrameChecksum(frame.first(total - 1)) != frame[total - 1]) {
      ++stats_.framesRejected;
      ++stats_.bytesDiscarded;
      stream_.erase(stream_.begin());
      continue;
    }
    const Bytes whole(frame.begin(), frame.end());
    stream_.erase(stream_.begin(), stream_.begin() + static_cast<ptrdiff_t>(total));
    HandleFrame(whole, nowMs);
  }
}

// The rest of a stalled frame is not coming: its header was bogus or the line dropped bytes.
// Whatever arrived behind its start byte may still hold good frames, so only that byte goes.
void UnitSim::GiveUpStaleFrame(int64_t nowMs) {
  while (!stream_.empty()) {
    ++stats_.framesRejected;
    ++stats_.bytesDiscarded;
    stream_.erase(stream_.begin());
    ScanStream(nowMs);
  }
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

void UnitSim::ResetStream() { stream_.clear(); }

void UnitSim::SetSilent(bool silent) {
  options_.silent = silent;
  if (silent) {
    answers_.clear();
    stream_.clear();
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
  static constexpr std::array<int, 8> kReportPages{1, 3, 4, 5, 6, 7, 8, 9};
  constexpr int kGainField = 2;
  constexpr int kLowestGain = 60;
  constexpr int kHighestGain = 180;
  std::uniform_int_distribution<size_t> pick(0, kReportPages.size() - 1);
  const int page = kReportPages[pick(rng_)];
  std::uniform_int_distribution<int> band(0, kPages[static_cast<size_t>(page)].bandCount - 1);
  const int slot =
      kPages[static_cast<size_t>(page)].firstBand + kBandValueCount * band(rng_) + kGainField;
  std::uniform_int_distribution<int> gain(kLowestGain, kHighestGain);
  int value = gain(rng_);
  if (value == image_[page][slot]) value = value == kHighestGain ? kLowestGain : value + 1;
  image_[page][slot] = value;
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
    const bool linkControl = MakeAddress(page, index) == sysaddr::LinkControl;
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

void UnitSim::HandleWrite(int page, int index, std::span<const uint8_t> payload, int64_t nowMs) {
  auto applied = [&] {
    ++stats_.writesApplied;
    Touch();
    SendAck(nowMs);
  };
  auto reject = [&] { ++stats_.framesRejected; };

  if (page < kSystemPage) {
    const bool band_address = index == IndexOf(kPages[page].bandFrameAddress);
    if (band_address && payload.size() == kBandPayload) {
      if (!StoreBand(page, ReadValue(payload, 0), payload.subspan(2))) return reject();
      return applied();
    }
    if (page == kDeqPage && payload.size() == kDeqValuePayload) {
      const int slot = index + 12 * ReadValue(payload, 0);
      if (slot >= kDeviceRowSize) return reject();
      image_[kDeqPage][slot] = ReadValue(payload, 2);
      return applied();
    }
    if (payload.size() != kValuePayload) return reject();
    if (!ParamStore::InDeviceRow(page, ParamStore::DeviceIndex(page, index, MusicSetting()))) {
      return reject();
    }
    StoreEffective(page, index, ReadValue(payload, 0));
    return applied();
  }
  if (page != kSystemPage) return reject();

  const ParamAddress address = MakeAddress(page, index);
  switch (address) {
    case sysaddr::LinkControl:
      if (payload.size() < kValuePayload) return reject();
      // Connect and keep-alive are acknowledged; a disconnect is taken without a word.
      if (ReadValue(payload, 0) != kLinkDisconnect) SendAck(nowMs);
      return;
    case sysaddr::ModeSave: {
      if (payload.size() < kValuePayload) return reject();
      const int mode = ReadValue(payload, 0);
      if (mode >= kUnitModeCount) return reject();
      std::string name;
      for (size_t k = 2; k < payload.size() && name.size() < kUnitNameLength; ++k) {
        name.push_back(DecodeNameChar(payload[k]));
      }
      modes_[mode] = image_;
      modeNames_[mode] = TrimName(name);
      image_[kSystemPage][IndexOf(sysaddr::CurrentMode)] = mode;
      return applied();
    }
    case sysaddr::CurrentMode: {
      if (payload.size() != kValuePayload) return reject();
      const int mode = ReadValue(payload, 0);
      if (mode >= kUnitModeCount) return reject();
      for (int p = 0; p < kAudioPages; ++p) image_[p] = modes_[mode][p];
      image_[kSystemPage][IndexOf(sysaddr::CurrentMode)] = mode;
      return applied();
    }
    case sysaddr::SystemPassword:
    case sysaddr::KeyLockPassword: {
      const bool system = address == sysaddr::SystemPassword;
      std::string digits;
      for (uint8_t b : payload) digits.push_back(static_cast<char>('0' + std::min<uint8_t>(b, 10)));
      // Entering the password sends it too; only a well-formed one replaces the stored one.
      if (ValidDigits(digits, system ? kSystemPasswordLength : kKeyLockPasswordLength)) {
        (system ? systemPassword_ : keyLockPassword_) = digits;
      }
      return applied();
    }
    case sysaddr::PageUpload: {
      if (payload.size() < kValuePayload) return reject();
      const int target = ReadValue(payload, 0);
      if (target >= kAudioPages) return reject();
      const size_t count = std::min((payload.size() - 2) / 2, static_cast<size_t>(kDeviceRowSize));
      for (size_t k = 0; k < count; ++k) image_[target][k] = ReadValue(payload, 2 + 2 * k);
      return applied();
    }
    default:
      break;
  }
  if (payload.size() != kValuePayload || index >= kDeviceRowSize) return reject();
  image_[kSystemPage][index] = ReadValue(payload, 0);
  applied();
}

void UnitSim::HandleRequest(int page, int index, std::span<const uint8_t> payload, int64_t nowMs) {
  if (page < kSystemPage) {
    // A single value, read from the unit's own slot.
    SendValue(MakeAddress(page, index), Value(page, index), nowMs);
    return;
  }
  if (page != kSystemPage) {
    ++stats_.framesRejected;
    return;
  }
  const ParamAddress address = MakeAddress(page, index);
  Bytes out;
  switch (address) {
    case sysaddr::PageRequest: {
      if (payload.size() < kValuePayload || ReadValue(payload, 0) >= kAudioPages) break;
      const int target = ReadValue(payload, 0);
      int count = PageUploadValueCount(target);
      if (options_.strayFrames) {
        const int slot = strayCount_++ % PageValueCount(target);
        SendValue(MakeAddress(target, slot), image_[target][slot], nowMs);
      }
      if (target == options_.shortAnswerPage && !shortAnswerSent_) {
        shortAnswerSent_ = true;
        count = kShortAnswerValues;
      }
      for (int k = 0; k < count; ++k) AppendValue(out, image_[target][k]);
      SendData(MakeAddress(target, 0), out, nowMs);
      return;
    }
    case sysaddr::ModeName: {
      const int mode = payload.size() >= kValuePayload ? ReadValue(payload, 0) : 0;
      if (mode >= kUnitModeCount) break;
      for (char c : modeNames_[mode]) out.push_back(EncodeNameChar(c));
      SendData(sysaddr::ModeName, out, nowMs);
      return;
    }
    case sysaddr::SystemPassword:
    case sysaddr::KeyLockPassword: {
      const auto& text = address == sysaddr::SystemPassword ? systemPassword_ : keyLockPassword_;
      for (char c : text) out.push_back(static_cast<uint8_t>(c - '0'));
      SendData(address, out, nowMs);
      return;
    }
    case sysaddr::DeviceCode:
      SendData(address, managementCode_, nowMs);
      return;
    case sysaddr::Remote:
      if (payload.empty() && options_.ackRemoteRequest) {
        SendAck(nowMs);
        return;
      }
      // The closing request of an upload carries the remote setting along.
      if (payload.size() >= kValuePayload) {
        image_[kSystemPage][index] = ReadValue(payload, 0);
        Touch();
      }
      SendValue(address, image_[kSystemPage][index], nowMs);
      return;
    default:
      if (index >= 1 && index <= kMaxItemIndex) {
        SendValue(address, image_[kSystemPage][index], nowMs);
        return;
      }
      break;
  }
  ++stats_.framesRejected;
}

void UnitSim::StoreEffective(int page, int index, int32_t value) {
  SetValue(page, ParamStore::DeviceIndex(page, index, MusicSetting()), value);
}

bool UnitSim::StoreBand(int page, int band, std::span<const uint8_t> values) {
  int first = 0;
  if (page == kDeqPage) {
    if (band >= kPages[kDeqPage].bandCount) return false;
    first = 12 * band + 2;
  } else {
    first = kPages[page].firstBand + kBandValueCount * band;
    // Output pages carry one band group more than their band count; any band that fits the
    // page is taken.
    if (kPages[page].firstBand < 0 || first + kBandValueCount > PageValueCount(page)) {
      return false;
    }
  }
  for (int k = 0; k < kBandValueCount; ++k) {
    const int slot =
        page == kDeqPage ? first + k : ParamStore::DeviceIndex(page, first + k, MusicSetting());
    SetValue(page, slot, ReadValue(values, 2 * static_cast<size_t>(k)));
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Image, modes, texts

int32_t UnitSim::Value(int page, int deviceIndex) const {
  return ParamStore::InDeviceRow(page, deviceIndex) ? image_[page][deviceIndex] : 0;
}

void UnitSim::SetValue(int page, int deviceIndex, int32_t value) {
  if (!ParamStore::InDeviceRow(page, deviceIndex)) return;
  image_[page][deviceIndex] = value;
  Touch();
}

int32_t UnitSim::ValueAt(ParamAddress effective) const {
  const int page = PageOf(effective);
  return Value(page, ParamStore::DeviceIndex(page, IndexOf(effective), MusicSetting()));
}

int UnitSim::MusicSetting() const { return image_[0][1] != 0 ? 1 : 0; }

const std::string& UnitSim::ModeName(int mode) const {
  static const std::string kNone;
  return mode >= 0 && mode < kUnitModeCount ? modeNames_[mode] : kNone;
}

const DeviceTable& UnitSim::StoredMode(int mode) const {
  return modes_[std::clamp(mode, 0, kUnitModeCount - 1)];
}

void UnitSim::SetModeName(int mode, const std::string& name) {
  if (mode < 0 || mode >= kUnitModeCount) return;
  modeNames_[mode] = CleanName(name);
  Touch();
}

void UnitSim::SetManagementCode(const std::array<uint8_t, 4>& code) {
  managementCode_ = code;
  Touch();
}

// ---------------------------------------------------------------------------------------------
// State file

namespace {

void WriteRow(std::ostream& out, const std::array<int32_t, kDeviceRowSize>& row) {
  for (int32_t v : row) out << ' ' << v;
}

bool ReadRow(std::istream& in, std::array<int32_t, kDeviceRowSize>& row) {
  for (auto& v : row) {
    long long value = 0;
    if (!(in >> value) || value < 0 || value > 65535) return false;
    v = static_cast<int32_t>(value);
  }
  std::string rest;
  return !(in >> rest);
}

bool ReadIndex(std::istream& in, int limit, int& value) {
  return static_cast<bool>(in >> value) && value >= 0 && value < limit;
}

}  // namespace

bool UnitSim::SaveState(const std::string& path) const {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::trunc);
    if (!out) return false;
    out << kStateMagic << '\n';
    out << "system-password " << systemPassword_ << '\n';
    out << "keylock-password " << keyLockPassword_ << '\n';
    char code[9];
    std::snprintf(code, sizeof code, "%02X%02X%02X%02X", managementCode_[0], managementCode_[1],
                  managementCode_[2], managementCode_[3]);
    out << "code " << code << '\n';
    for (int p = 0; p < kPageCount; ++p) {
      out << "image " << p;
      WriteRow(out, image_[p]);
      out << '\n';
    }
    for (int m = 0; m < kUnitModeCount; ++m) {
      out << "name " << m << ' ' << modeNames_[m] << '\n';
      for (int p = 0; p < kPageCount; ++p) {
        out << "mode " << m << ' ' << p;
        WriteRow(out, modes_[m][p]);
        out << '\n';
      }
    }
    out << "end\n";
    if (!out.flush()) return false;
  }
  return std::rename(temp.c_str(), path.c_str()) == 0;
}

bool UnitSim::LoadState(const std::string& path) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  if (!std::getline(in, line) || line != kStateMagic) return false;

  DeviceTable image{};
  std::array<DeviceTable, kUnitModeCount> modes{};
  std::array<std::string, kUnitModeCount> names{};
  std::string system;
  std::string keyLock;
  std::array<uint8_t, 4> code{};
  // Every part must be present exactly once before anything is taken over.
  int seen_image = 0, seen_names = 0;
  std::array<std::array<bool, kPageCount>, kUnitModeCount> seen_modes{};
  bool seen_code = false, ended = false;

  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string key;
    fields >> key;
    if (key == "system-password" || key == "keylock-password") {
      std::string value, rest;
      fields >> value;
      if (fields >> rest) return false;
      (key == "system-password" ? system : keyLock) = value;
    } else if (key == "code") {
      std::string hex;
      fields >> hex;
      if (hex.size() != 8 || hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
        return false;
      }
      for (size_t k = 0; k < 4; ++k) {
        code[k] = static_cast<uint8_t>(std::stoi(hex.substr(2 * k, 2), nullptr, 16));
      }
      seen_code = true;
    } else if (key == "image") {
      int page = 0;
      if (!ReadIndex(fields, kPageCount, page) || !ReadRow(fields, image[page])) return false;
      seen_image |= 1 << page;
    } else if (key == "mode") {
      int mode = 0, page = 0;
      if (!ReadIndex(fields, kUnitModeCount, mode) || !ReadIndex(fields, kPageCount, page) ||
          !ReadRow(fields, modes[mode][page])) {
        return false;
      }
      seen_modes[mode][page] = true;
    } else if (key == "name") {
      int mode = 0;
      if (!ReadIndex(fields, kUnitModeCount, mode)) return false;
      std::string name;
      std::getline(fields, name);
      if (!name.empty() && name.front() == ' ') name.erase(0, 1);
      if (name.size() > kUnitNameLength || !std::all_of(name.begin(), name.end(), ValidNameChar)) {
        return false;
      }
      names[mode] = name;
      seen_names |= 1 << mode;
    } else if (key == "end") {
      ended = true;
      break;
    } else {
      return false;
    }
  }
  const bool all_modes = std::all_of(seen_modes.begin(), seen_modes.end(), [](const auto& row) {
    return std::all_of(row.begin(), row.end(), [](bool seen) { return seen; });
  });
  const bool complete = ended && all_modes && seen_code && seen_image == (1 << kPageCount) - 1 &&
                        seen_names == (1 << kUnitModeCount) - 1 &&
                        ValidDigits(system, kSystemPasswordLength) &&
                        ValidDigits(keyLock, kKeyLockPasswordLength);
  if (!complete) return false;
  image_ = image;
  modes_ = modes;
  modeNames_ = names;
  systemPassword_ = system;
  keyLockPassword_ = keyLock;
  managementCode_ = code;
  Touch();
  return true;
}

}  // namespace velantro
