#pragma once

// Flow control of edits while online: the unit takes one write at a time and answers each with
// FE BB, so changes wait in two queues (single values and whole EQ bands) that the 20 ms hold
// timer drains at each acknowledgement. The hold timer also sends the keep-alive and declares a
// silent unit lost.

#include <array>
#include <cstdint>

#include "model/ParamStore.h"

namespace velantro {

class DeviceLink;

constexpr int kValueQueueLimit = 60;  // waiting entries beyond this replace the newest
constexpr int kBandQueueLimit = 48;
constexpr int kTicksPerSecond = 50;             // hold timer ticks (20 ms) in one second
constexpr int kSilentSecondsLimit = 10;         // lost in the eleventh silent second
constexpr int kPendingSilentSecondsLimit = 50;  // a recall or save waits about 51 s
constexpr int kRepeatEverySilentSeconds = 3;

struct ValueEntry {
  ParamAddress address = 0;  // effective address
  int32_t value = 0;
  friend bool operator==(const ValueEntry&, const ValueEntry&) = default;
};

struct BandEntry {
  ParamAddress frameAddress = 0;  // the page's band frame address
  int band = 0;
  friend bool operator==(const BandEntry&, const BandEntry&) = default;
};

class ChangeQueue : public ChangeSink {
 public:
  explicit ChangeQueue(DeviceLink& link);

  // ChangeSink: the send halves of SetParam and SetBand.
  bool LinkOnline() const override;
  void QueueValue(ParamAddress effective, int value) override;
  void QueueBand(ParamAddress effective) override;

  // Every 20 ms while the hold timer runs.
  void HoldTick();

  // An acknowledgement arrived.
  void OnAcknowledge() { ReadyToSend = 1; }
  // Link events 1, 2 and 4 empty both queues, event 6 the value queue (counts only).
  void ClearValues() { valueCount_ = 0; }
  void ClearBands() { bandCount_ = 0; }
  // A mode save was sent directly: wait for its acknowledgement, then raise event 3.
  void ExpectModeSaved();

  uint8_t ReadyToSend = 0;
  uint8_t RepeatLast = 0;
  int PendingEvent = 0;  // 0, 2 reload after a recall, 3 mode saved

  int valueCount() const { return valueCount_; }
  int bandCount() const { return bandCount_; }
  // Entry 0 is the write sent last; 1 … count wait, oldest first.
  const ValueEntry& valueEntry(int i) const { return ValueQueue[static_cast<size_t>(i)]; }
  const BandEntry& bandEntry(int i) const { return BandQueue[static_cast<size_t>(i)]; }
  int idleTicks() const { return idleTicks_; }
  int silentSeconds() const { return silentSeconds_; }
  void SetSilentSeconds(int seconds) { silentSeconds_ = seconds; }

  std::array<ValueEntry, kValueQueueLimit + 2> ValueQueue{};
  std::array<BandEntry, kBandQueueLimit + 2> BandQueue{};

 private:
  // Sends entry 0 of the value queue; a recall or save arms its follow-up event.
  void SendValueEntry();
  void SendBandEntry();
  void ArmFollowUp(ParamAddress address);
  void FollowUpStep();
  void ValueStep();
  void BandStep();
  void KeepAliveStep();
  void DeclareLost();

  DeviceLink& link_;
  int valueCount_ = 0;
  int bandCount_ = 0;
  int idleTicks_ = 0;
  int silentSeconds_ = 0;
};

}  // namespace velantro
