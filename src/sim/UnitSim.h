#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "link/Frames.h"
#include "model/ParamAddress.h"
#include "sim/FrameStream.h"
#include "sim/UnitLayout.h"

namespace velantro {

constexpr int kUnitModeCount = unit::kModeCount;
constexpr size_t kUnitNameLength = unit::kNameLength;

// Faults the stand-in unit can inject. Shares are probabilities 0 … 1, drawn from a generator
// seeded with `seed`, so a run with the same seed and the same traffic behaves the same.
struct SimOptions {
  uint32_t seed = 1;
  double dropAckShare = 0.0;  // share of acknowledgements (FE BB) never sent; the write still lands
  double corruptShare = 0.0;  // share of data frames sent with one byte flipped
  int64_t delayMs = 0;        // every answer is held back this long after its request arrived
  bool silent = false;        // hears nothing and answers nothing, like a pulled cable
  // Writes (every 0xA7 frame but link control) lost on the way in: neither applied nor answered.
  // The first `loseWrites` are lost for certain, then a share `loseWriteShare` of the rest.
  int loseWrites = 0;
  double loseWriteShare = 0.0;
  // The first `corruptAnswers` data frames leave with their first value byte flipped, so their
  // checksum fails; after them `corruptShare` applies.
  int corruptAnswers = 0;
  // Some units answer the item request to 0x0A11 with an acknowledgement instead of the value.
  bool ackRemoteRequest = false;
  // Every data frame leaves twice, as from a bridge that repeats what it forwards.
  bool duplicateAnswers = false;
  // Each page answer is preceded by a one-value frame of that page (a value the unit holds), as
  // when the unit reports a change on the page just before it answers.
  bool strayFrames = false;
  // The first answer to this page is cut to kShortAnswerValues values (its checksum good).
  int shortAnswerPage = -1;
  // Every answer leaves in kTricklePieces pieces this many ms apart, as through a slow bridge.
  int64_t trickleMs = 0;
  // The unit changes one band gain of its own every this many ms (a knob at its front panel)
  // and reports the new value in a value frame. Driven by ReportOwnChange.
  int64_t reportEveryMs = 0;
};

constexpr int kShortAnswerValues = 10;
constexpr int kTricklePieces = 3;

// Counters for tests and the sim's log.
struct SimStats {
  int framesReceived = 0;  // complete frames with a good checksum
  int framesRejected = 0;  // candidate frames dropped (bad checksum, bad command, unknown kind)
  int bytesDiscarded = 0;  // bytes skipped while resynchronising on FC
  int acksSent = 0;
  int acksDropped = 0;
  int dataFramesSent = 0;
  int framesCorrupted = 0;
  int writesApplied = 0;  // value, DEQ, band, password, save, recall and upload writes
  int writesLost = 0;     // writes thrown away by the loss fault
  int reportsSent = 0;    // values the unit changed of its own and reported
};

// One answer waiting to leave the unit.
struct SimAnswer {
  int64_t dueMs = 0;
  Bytes bytes;
};

// The stand-in effect unit's protocol engine. It keeps its own parameter image in the unit's
// layout (11 x 145, placed by its own table in UnitLayout.h), nine stored modes with names, two
// passwords and a management code, and answers the console's frames the way the hardware does.
// No clock of its own: the caller passes the time with every call.
class UnitSim {
 public:
  explicit UnitSim(SimOptions options = {});

  // Bytes as they arrive on the line or the socket, in any chunking. Frames are reassembled from
  // the stream; garbage is skipped up to the next FC. A frame whose claimed length has arrived
  // but whose checksum fails loses only its start byte: the scan goes on from the byte after it,
  // so good frames behind a bogus header are still found. A half-received frame that waits
  // longer than kStreamGapMs for its rest is given up the same way.
  void Receive(std::span<const uint8_t> bytes, int64_t nowMs);
  // Gives up a half-received frame whose gap has passed (see Receive); answers to the frames
  // found behind it are queued as if they had just arrived.
  void Poll(int64_t nowMs);
  // When Poll will give up the half-received frame waiting now, if any.
  std::optional<int64_t> StreamDeadlineMs() const;
  // Every answer whose due time has come, oldest first, each one its own chunk.
  std::vector<Bytes> TakeAnswers(int64_t nowMs);
  // Due time of the oldest waiting answer, if any.
  std::optional<int64_t> NextAnswerDueMs() const;
  size_t PendingAnswerCount() const { return answers_.size(); }
  // Forgets a half-received frame (a new client connected).
  void ResetStream();

  // The unit changes a band gain of its own and sends the value frame that reports it.
  void ReportOwnChange(int64_t nowMs);

  // Fault injection, usable at any time.
  void SetDropAckShare(double share) { options_.dropAckShare = share; }
  void SetCorruptShare(double share) { options_.corruptShare = share; }
  void SetDelayMs(int64_t delayMs) { options_.delayMs = delayMs; }
  // Going silent also drops the answers still waiting to leave.
  void SetSilent(bool silent);
  const SimOptions& options() const { return options_; }
  const SimStats& stats() const { return stats_; }

  // The unit's image, unit layout: Image()[page][deviceIndex].
  const unit::Image& Image() const { return state_.image; }
  int32_t Value(int page, int deviceIndex) const;
  // Direct write into the image (tests and tools); out-of-row writes are ignored.
  void SetValue(int page, int deviceIndex, int32_t value);
  // Value at an effective address, read through the unit's current music setting.
  int32_t ValueAt(ParamAddress effective) const;
  // The music setting at 0x0001 (0 or 1) that selects the layout of pages 0 and 6 to 9.
  int MusicSetting() const;

  // Stored modes.
  int CurrentMode() const { return state_.image[unit::kSystemPage][unit::sys::CurrentMode]; }
  const std::string& ModeName(int mode) const;
  const unit::Image& StoredMode(int mode) const;
  void SetModeName(int mode, const std::string& name);

  const std::string& SystemPassword() const { return state_.systemPassword; }
  const std::string& KeyLockPassword() const { return state_.keyLockPassword; }
  const std::array<uint8_t, 4>& ManagementCode() const { return state_.managementCode; }
  void SetManagementCode(const std::array<uint8_t, 4>& code);

  // Counts every change of the unit's state (image, modes, names, passwords); the server saves
  // its state file when this moves.
  uint64_t ChangeCount() const { return changeCount_; }

  // Every good frame received since the last call, in order (tests look at what the console
  // sent), lost writes included.
  std::vector<Bytes> TakeReceivedFrames();
  // A received frame as the frame log prints it: "rx: FC BA 06 ..." (upper-case hex).
  static std::string FrameLogLine(std::span<const uint8_t> frame);

  // State file (StateFile.h). LoadState leaves the unit as it was and returns false when the
  // file is missing or malformed.
  bool SaveState(const std::string& path) const;
  bool LoadState(const std::string& path);

  // The factory image the unit starts with (FactoryImage.h).
  static unit::Image DefaultImage();

  static constexpr int64_t kStreamGapMs = 500;

 private:
  void ScanStream(int64_t nowMs);
  void GiveUpStaleFrame(int64_t nowMs);
  void CountStream();
  void HandleFrame(std::span<const uint8_t> frame, int64_t nowMs);
  bool LoseWrite();
  void HandleWrite(int page, int index, std::span<const uint8_t> payload, int64_t nowMs);
  void HandleRequest(int page, int index, std::span<const uint8_t> payload, int64_t nowMs);
  enum class WriteOutcome;
  WriteOutcome HandleAudioWrite(int page, int index, std::span<const uint8_t> payload);
  WriteOutcome HandleSystemWrite(int index, std::span<const uint8_t> payload, int64_t nowMs);
  void AnswerPageRequest(int target, int64_t nowMs);
  bool StoreBand(int page, int band, std::span<const uint8_t> values);
  void SendAck(int64_t nowMs);
  void SendData(ParamAddress address, std::span<const uint8_t> payload, int64_t nowMs);
  void SendValue(ParamAddress address, int32_t value, int64_t nowMs);
  void Enqueue(Bytes bytes, int64_t nowMs);
  bool Chance(double share);
  void Corrupt(Bytes& frame);
  void Touch() { ++changeCount_; }

  SimOptions options_;
  SimStats stats_;
  int writesToLose_ = 0;
  int answersToCorrupt_ = 0;
  bool shortAnswerSent_ = false;
  int strayCount_ = 0;
  std::mt19937 rng_;

  unit::UnitState state_;

  unit::FrameStream stream_;
  int64_t lastByteMs_ = 0;
  std::vector<SimAnswer> answers_;
  std::vector<Bytes> received_;
  uint64_t changeCount_ = 0;
};

}  // namespace velantro
