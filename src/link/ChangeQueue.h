#pragma once

// Flow control of edits while online: the unit takes one write at a time and answers each with
// FE BB, so changes wait in two queues (single values and whole EQ bands) that the 20 ms hold
// timer drains at each acknowledgement. The hold timer also sends the keep-alive, repeats a write
// the unit has not answered, and declares a silent unit lost. No change is ever dropped: a full
// queue merges or grows.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/Frames.h"
#include "link/LinkWritePort.h"
#include "model/ParamStore.h"

namespace velantro {

// A band change to a band that already waits adds nothing, so the band queue holds each band at
// most once. Values merge with a waiting change to the same address at any size. Neither queue
// drops a change.
constexpr int kTicksPerSecond = 50;             // hold timer ticks (20 ms) in one second
constexpr int kSilentSecondsLimit = 10;         // lost in the eleventh silent second
constexpr int kPendingSilentSecondsLimit = 50;  // a recall or save waits about 51 s
constexpr int kRepeatEverySilentSeconds = 3;

struct ValueEntry {
  ParamAddress address = 0;  // effective address
  int32_t value = 0;
  bool save = false;  // a mode save: `value` is the mode number, `name` its new name
  std::string name{};
  friend bool operator==(const ValueEntry&, const ValueEntry&) = default;
};

struct BandEntry {
  ParamAddress frameAddress = 0;  // the page's band frame address
  int band = 0;
  friend bool operator==(const BandEntry&, const BandEntry&) = default;
};

// An edit the unit has not acknowledged, as it stood in the console: a value, or a whole band
// with its five values.
struct UnacknowledgedEdit {
  ParamAddress address = 0;  // effective address; for a band its band frame address
  int32_t value = 0;
  bool band = false;
  int bandNumber = 0;
  BandValues bandValues{};
};

class ChangeQueue : public ChangeSink {
 public:
  explicit ChangeQueue(LinkWritePort& link);

  // ChangeSink: the send halves of SetParam and SetBand.
  bool LinkOnline() const override;
  void QueueValue(ParamAddress effective, int value) override;
  void QueueBand(ParamAddress effective) override;
  // A mode save: waits its turn like any write; "Save Success!" follows its acknowledgement.
  void QueueModeSave(int index, const std::string& name);

  // Every 20 ms while the hold timer runs.
  void HoldTick();

  // An acknowledgement arrived: it answers the write in flight.
  void OnAcknowledge();
  // Every edit that waits or is in flight unanswered, values taken now (mode recalls and saves
  // are not edits and are left out).
  std::vector<UnacknowledgedEdit> Unacknowledged() const;
  // Whether an edit of DeviceImage[page][slot] waits, is in flight unanswered, or is due to be
  // repeated: the unit will hold the edit's value, whatever it reports meanwhile.
  bool EditOnItsWay(int page, int slot) const;
  // Link events DownloadComplete, Reload and LinkStart empty both queues, Upload the value queue.
  void ClearValues() { values_.resize(1); }
  void ClearBands() { bands_.resize(1); }

  uint8_t ReadyToSend = 0;
  uint8_t RepeatLast = 0;
  // None, Reload after a recall, ModeSaved after a save.
  LinkEvent PendingEvent = LinkEvent::None;

  int valueCount() const { return static_cast<int>(values_.size()) - 1; }
  int bandCount() const { return static_cast<int>(bands_.size()) - 1; }
  // Entry 0 is the write sent last; 1 … count wait, oldest first.
  const ValueEntry& valueEntry(int i) const { return values_[static_cast<size_t>(i)]; }
  const BandEntry& bandEntry(int i) const { return bands_[static_cast<size_t>(i)]; }
  // A write (value, band, recall or save) has left and its acknowledgement has not come.
  bool writeUnanswered() const { return writeUnanswered_; }
  // Nothing waits, nothing is unanswered and no follow-up is due: every change has reached the
  // unit.
  bool Settled() const;
  int idleTicks() const { return idleTicks_; }
  int silentSeconds() const { return silentSeconds_; }
  void SetSilentSeconds(int seconds) { silentSeconds_ = seconds; }

 private:
  // Sends a write and remembers it until the unit answers.
  void SendWrite(const Bytes& frame, FrameMeaning meaning);
  // Sends entry 0 of the value queue; a recall or save arms its follow-up event.
  void SendValueEntry();
  void SendBandEntry();
  void ArmFollowUp(ParamAddress address);
  // A fresh change (entry 0) goes out at once when nothing is in flight and nothing waits.
  bool CanSendAtOnce() const;
  void WaitValue(ValueEntry entry);
  void FollowUpStep();
  void ValueStep();
  void BandStep();
  void KeepAliveStep();
  // The 3rd, 6th, 9th … silent second: the unanswered write (or a keep-alive) goes out again.
  void RepeatUnanswered();
  void DeclareLost();

  LinkWritePort& link_;
  std::vector<ValueEntry> values_{1};
  std::vector<BandEntry> bands_{1};
  Bytes lastWrite_;
  FrameMeaning lastMeaning_;
  bool writeUnanswered_ = false;
  bool followUpSent_ = true;
  enum class WriteKind { Value, Band, Command };
  WriteKind lastWriteKind_ =
      WriteKind::Command;  // the recall or save that PendingEvent follows has left
  int idleTicks_ = 0;
  int silentSeconds_ = 0;
};

}  // namespace velantro
