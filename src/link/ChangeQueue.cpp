#include "link/ChangeQueue.h"

#include <algorithm>
#include <string>

#include "link/LinkTexts.h"
#include "model/BandLayout.h"

namespace velantro {

namespace {

// A recall or a save is a command, not a setting: it never merges with an earlier change to
// the same address, only with the newest waiting one (two recalls in a row).
bool IsModeCommand(ParamAddress address) {
  return address == sysaddr::CurrentMode || address == sysaddr::ModeSave;
}

}  // namespace

ChangeQueue::ChangeQueue(LinkWritePort& link) : link_(link) {}

bool ChangeQueue::LinkOnline() const {
  // While a mode save waits for its acknowledgement the link is offline for the window, but an
  // edit made meanwhile still has to reach the unit: it waits behind the save. So do the edits
  // made while a lost unit is being found again, and those made after Unlink or during a search
  // once the console holds the unit's image: they wait here and go over the image the next
  // download reads. Before any download the pages show no unit, and an edit there is not kept.
  return link_.LinkOnline() || PendingEvent == LinkEvent::ModeSaved || link_.recovering() ||
         link_.HoldsUnitImage();
}

bool ChangeQueue::Settled() const {
  return ReadyToSend == 1 && !writeUnanswered_ && valueCount() == 0 && bandCount() == 0 &&
         RepeatLast == 0 && PendingEvent == LinkEvent::None;
}

bool ChangeQueue::CanSendAtOnce() const {
  return ReadyToSend == 1 && valueCount() == 0 && link_.LinkOnline();
}

void ChangeQueue::QueueValue(ParamAddress effective, int value) {
  if (!CanSendAtOnce()) {
    WaitValue({effective, value, false, {}});
    return;
  }
  values_[0] = {effective, value, false, {}};
  link_.SetReplyState(ReplyState::None);
  PendingEvent = LinkEvent::None;
  ArmFollowUp(effective);
  SendValueEntry();
}

void ChangeQueue::QueueModeSave(int index, const std::string& name) {
  silentSeconds_ = 0;
  ValueEntry save{sysaddr::ModeSave, index, true, name};
  if (!CanSendAtOnce()) {
    // The link is offline for the window from now on: the hold timer keeps repeating what is
    // unanswered and watching the silence, and the saved event waits for the save's own answer.
    values_.push_back(std::move(save));
    PendingEvent = LinkEvent::ModeSaved;
    followUpSent_ = false;
    return;
  }
  values_[0] = std::move(save);
  PendingEvent = LinkEvent::None;
  ArmFollowUp(sysaddr::ModeSave);
  SendValueEntry();
}

void ChangeQueue::WaitValue(ValueEntry entry) {
  // The first waiting entry keeps its value, so the start of a burst reaches the unit; later
  // changes merge with the waiting change to the same address, wherever it waits. The queue
  // holds at most one change per address after the first, and never drops one.
  const int c = valueCount();
  const bool command = IsModeCommand(entry.address);
  for (int k = c; k >= 2 && !entry.save; --k) {
    ValueEntry& waiting = values_[static_cast<size_t>(k)];
    if (waiting.address == entry.address && !waiting.save) {
      waiting.value = entry.value;
      return;
    }
    if (command) break;
  }
  values_.push_back(std::move(entry));
}

void ChangeQueue::QueueBand(ParamAddress effective) {
  const int page = PageOf(effective);
  if (page < 0 || page >= kPageCount || kPages[static_cast<size_t>(page)].bandFrameAddress < 0) {
    return;
  }
  // Only fields of bands the page has travel as band frames: MIC group B has nine. The page of
  // an effective address says which MIC group it belongs to.
  const int group = page == 1 ? 0 : page == 3 ? 1 : link_.store().MicGroup;
  if (!IsRealBandField(effective, group)) return;
  const BandLocation location = LocateBand(effective, group);
  const BandEntry entry{kPages[static_cast<size_t>(page)].bandFrameAddress, location.band};
  if (ReadyToSend == 0 || bandCount() > 0 || !link_.LinkOnline()) {
    // A change to a band that already waits adds nothing: its frame is built from the band's
    // latest values when it leaves. So the queue stays bounded by the number of bands and a
    // burst on one band costs one frame, not one per change.
    if (std::find(bands_.begin() + 1, bands_.end(), entry) == bands_.end()) {
      bands_.push_back(entry);
    }
    return;
  }
  // Only a write that leaves now starts a new wait for the unit's answer; a change made while a
  // transfer awaits its answer must not end that wait.
  link_.SetReplyState(ReplyState::None);
  bands_[0] = entry;
  SendBandEntry();
}

void ChangeQueue::OnAcknowledge() {
  ReadyToSend = 1;
  writeUnanswered_ = false;
}

void ChangeQueue::ArmFollowUp(ParamAddress address) {
  followUpSent_ = true;
  if (address == sysaddr::CurrentMode) {
    // A recall: the unit answers, then the console reads the recalled mode back.
    link_.BeginRecall();
    link_.ShowStatus(linktext::kLoading);
    link_.SetLinkOnline(false);
    silentSeconds_ = 0;
    PendingEvent = LinkEvent::Reload;
  } else if (address == sysaddr::ModeSave) {
    silentSeconds_ = 0;
    PendingEvent = LinkEvent::ModeSaved;
  }
}

void ChangeQueue::SendWrite(const Bytes& frame, FrameMeaning meaning) {
  // The second without edits that leads to a keep-alive, and the silent seconds that lead to a
  // repeat, count from the last write that left: a change that only joins the queue behind an
  // unanswered write must not put off its repetition.
  idleTicks_ = 0;
  lastWrite_ = frame;
  lastMeaning_ = meaning;
  writeUnanswered_ = true;
  ReadyToSend = 0;
  link_.Transmit(frame, meaning);
}

void ChangeQueue::SendValueEntry() {
  const ValueEntry& entry = values_[0];
  if (entry.save) {
    SendWrite(BuildModeSave(entry.value, entry.name), {FrameKind::ModeSave, sysaddr::ModeSave});
  } else {
    SendWrite(BuildValue(kCmdWrite, entry.address, entry.value),
              {FrameKind::ValueWrite, entry.address});
  }
  lastWriteKind_ =
      entry.save || IsModeCommand(entry.address) ? WriteKind::Command : WriteKind::Value;
}

void ChangeQueue::SendBandEntry() {
  // Built when it leaves from its own page's row of the unit image: the latest values of that
  // band, whichever MIC group, AUX or main/SUR page the window shows by then.
  const BandEntry& entry = bands_[0];
  const int page = PageOf(entry.frameAddress);
  SendWrite(BuildBandFrame(entry.frameAddress, entry.band,
                           ReadDeviceBandValues(link_.store(), page, entry.band)),
            {FrameKind::BandWrite, entry.frameAddress});
  lastWriteKind_ = WriteKind::Band;
}

std::vector<UnacknowledgedEdit> ChangeQueue::Unacknowledged() const {
  std::vector<UnacknowledgedEdit> edits;
  const auto addValue = [&](const ValueEntry& e) {
    if (!e.save && !IsModeCommand(e.address)) edits.push_back({e.address, e.value});
  };
  const auto addBand = [&](const BandEntry& e) {
    for (const UnacknowledgedEdit& known : edits) {
      if (known.band && known.address == e.frameAddress && known.bandNumber == e.band) return;
    }
    edits.push_back({e.frameAddress, 0, true, e.band,
                     ReadDeviceBandValues(link_.store(), PageOf(e.frameAddress), e.band)});
  };
  if (writeUnanswered_ && lastWriteKind_ == WriteKind::Value) addValue(values_[0]);
  for (size_t k = 1; k < values_.size(); ++k) addValue(values_[k]);
  if (writeUnanswered_ && lastWriteKind_ == WriteKind::Band) addBand(bands_[0]);
  for (size_t k = 1; k < bands_.size(); ++k) addBand(bands_[k]);
  return edits;
}

bool ChangeQueue::EditOnItsWay(int page, int slot) const {
  const int layout = link_.store().LayoutFlag;
  const auto valueAt = [&](const ValueEntry& e) {
    return !e.save && PageOf(e.address) == page &&
           ParamStore::DeviceIndex(page, IndexOf(e.address), layout) == slot;
  };
  const auto bandAt = [&](const BandEntry& e) {
    if (PageOf(e.frameAddress) != page) return false;
    for (int k = 0; k < kBandValueCount; ++k) {
      const int index = BandFieldIndex(page, e.band, k);
      if (index >= 0 && ParamStore::DeviceIndex(page, index, layout) == slot) return true;
    }
    return false;
  };
  const bool valueOut = (writeUnanswered_ && lastWriteKind_ == WriteKind::Value) || RepeatLast;
  if (valueOut && valueAt(values_[0])) return true;
  if (std::any_of(values_.begin() + 1, values_.end(), valueAt)) return true;
  if (writeUnanswered_ && lastWriteKind_ == WriteKind::Band && bandAt(bands_[0])) return true;
  return std::any_of(bands_.begin() + 1, bands_.end(), bandAt);
}

void ChangeQueue::HoldTick() {
  idleTicks_ = idleTicks_ > kTicksPerSecond ? kTicksPerSecond : idleTicks_ + 1;
  FollowUpStep();
  ValueStep();
  BandStep();
  KeepAliveStep();
}

void ChangeQueue::FollowUpStep() {
  if (ReadyToSend == 1 && PendingEvent != LinkEvent::None && followUpSent_) {
    const LinkEvent event = PendingEvent;
    PendingEvent = LinkEvent::None;
    link_.RaiseLinkEvent(event);
    silentSeconds_ = 0;
    idleTicks_ = 0;
  } else if (PendingEvent != LinkEvent::None && idleTicks_ == kTicksPerSecond) {
    idleTicks_ = 0;
    ++silentSeconds_;
    // Offline while the recall or save is awaited: it is repeated like any unanswered write.
    if (!link_.LinkOnline() && silentSeconds_ % kRepeatEverySilentSeconds == 0) {
      RepeatUnanswered();
    }
    if (silentSeconds_ > kPendingSilentSecondsLimit) DeclareLost();
  }
}

void ChangeQueue::ValueStep() {
  if (ReadyToSend != 1 || (valueCount() == 0 && RepeatLast == 0)) return;
  silentSeconds_ = 0;
  idleTicks_ = 0;
  const bool fresh = valueCount() >= 1;
  if (fresh) values_.erase(values_.begin());
  RepeatLast = (valueCount() == 0 && RepeatLast == 0) ? 1 : 0;
  const ParamAddress address = values_[0].address;
  if (fresh && IsModeCommand(address)) {
    // A recall or save that had to wait still gets its follow-up, and is not sent twice.
    ArmFollowUp(address);
    RepeatLast = 0;
  }
  SendValueEntry();
}

void ChangeQueue::BandStep() {
  if (ReadyToSend != 1 || bandCount() == 0) return;
  silentSeconds_ = 0;
  idleTicks_ = 0;
  bands_.erase(bands_.begin());
  SendBandEntry();
  link_.Log("2:" + std::to_string(bandCount() + 1) + " " + std::to_string(bands_[0].band));
}

void ChangeQueue::KeepAliveStep() {
  if (!link_.LinkOnline() || idleTicks_ != kTicksPerSecond) return;
  idleTicks_ = 0;
  ++silentSeconds_;
  if (ReadyToSend == 1) {
    ReadyToSend = 0;
    silentSeconds_ = 0;
    link_.SendLinkControl(kLinkKeepAlive);
  } else if (silentSeconds_ % kRepeatEverySilentSeconds == 0) {
    RepeatUnanswered();
  }
  if (silentSeconds_ > kSilentSecondsLimit) DeclareLost();
}

void ChangeQueue::RepeatUnanswered() {
  // A write the unit never acknowledged goes out again, whether or not anything waits behind
  // it: a keep-alive in its place would be acknowledged and the edit lost.
  if (writeUnanswered_) {
    link_.Transmit(lastWrite_, lastMeaning_);
  } else {
    link_.SendLinkControl(kLinkKeepAlive);
  }
}

void ChangeQueue::DeclareLost() {
  silentSeconds_ = 0;
  link_.timers().Stop(LinkTimer::Hold);
  link_.RaiseLinkEvent(LinkEvent::UnitLost);
}

}  // namespace velantro
