#include "link/ChangeQueue.h"

#include <string>

#include "binding/Scales.h"
#include "link/DeviceLink.h"

namespace velantro {

ChangeQueue::ChangeQueue(DeviceLink& link) : link_(link) {}

bool ChangeQueue::LinkOnline() const { return link_.LinkOnline(); }

void ChangeQueue::QueueValue(ParamAddress effective, int value) {
  idleTicks_ = 0;
  const int c = valueCount_;
  if (ReadyToSend == 0 || c > 0) {
    if (c >= 2 && ValueQueue[static_cast<size_t>(c)].address == effective) {
      ValueQueue[static_cast<size_t>(c)].value = value;
      return;
    }
    // A full queue does not grow: the newest waiting change is replaced.
    valueCount_ = c <= kValueQueueLimit ? c + 1 : kValueQueueLimit;
    ValueQueue[static_cast<size_t>(valueCount_)] = {effective, value};
    return;
  }
  ValueQueue[0] = {effective, value};
  link_.SetReplyState(ReplyState::None);
  PendingEvent = 0;
  ArmFollowUp(effective);
  link_.SendValue(effective, value);
  ReadyToSend = 0;
}

void ChangeQueue::QueueBand(ParamAddress effective) {
  link_.SetReplyState(ReplyState::None);
  idleTicks_ = 0;
  const int page = PageOf(effective);
  if (page < 0 || page >= kPageCount || kPages[static_cast<size_t>(page)].bandFrameAddress < 0) {
    return;
  }
  const BandLocation location = LocateBand(effective, link_.store().MicGroup);
  // Only band fields travel as band frames.
  if (!location.isBandField()) return;
  const BandEntry entry{kPages[static_cast<size_t>(page)].bandFrameAddress, location.band};
  if (ReadyToSend == 0 || bandCount_ > 0) {
    bandCount_ = bandCount_ <= kBandQueueLimit ? bandCount_ + 1 : kBandQueueLimit;
    BandQueue[static_cast<size_t>(bandCount_)] = entry;
    return;
  }
  BandQueue[0] = entry;
  SendBandEntry();
  ReadyToSend = 0;
}

void ChangeQueue::ExpectModeSaved() {
  PendingEvent = kEventModeSaved;
  silentSeconds_ = 0;
}

void ChangeQueue::ArmFollowUp(ParamAddress address) {
  if (address == sysaddr::CurrentMode) {
    // A recall: the unit answers, then the console reads the recalled mode back.
    link_.ShowStatusCaption(linktext::kLoading.chinese);
    link_.SetLinkOnline(false);
    silentSeconds_ = 0;
    PendingEvent = kEventReload;
  } else if (address == sysaddr::ModeSave) {
    PendingEvent = kEventModeSaved;
  }
}

void ChangeQueue::SendValueEntry() { link_.SendValue(ValueQueue[0].address, ValueQueue[0].value); }

void ChangeQueue::SendBandEntry() {
  link_.Transmit(BuildBandFrame(link_.store(), BandQueue[0].frameAddress, BandQueue[0].band));
}

void ChangeQueue::HoldTick() {
  idleTicks_ = idleTicks_ > kTicksPerSecond ? kTicksPerSecond : idleTicks_ + 1;
  FollowUpStep();
  ValueStep();
  BandStep();
  KeepAliveStep();
}

void ChangeQueue::FollowUpStep() {
  if (ReadyToSend == 1 && PendingEvent != 0) {
    const int event = PendingEvent;
    PendingEvent = 0;
    link_.RaiseLinkEvent(event);
    silentSeconds_ = 0;
    idleTicks_ = 0;
  } else if (PendingEvent != 0 && idleTicks_ == kTicksPerSecond) {
    idleTicks_ = 0;
    ++silentSeconds_;
    if (silentSeconds_ > kPendingSilentSecondsLimit) DeclareLost();
  }
}

void ChangeQueue::ValueStep() {
  if (ReadyToSend != 1 || (valueCount_ == 0 && RepeatLast == 0)) return;
  ReadyToSend = 0;
  silentSeconds_ = 0;
  idleTicks_ = 0;
  const bool fresh = valueCount_ >= 1;
  if (fresh) {
    for (int i = 0; i < valueCount_; ++i) {
      ValueQueue[static_cast<size_t>(i)] = ValueQueue[static_cast<size_t>(i + 1)];
    }
    --valueCount_;
  }
  RepeatLast = (valueCount_ == 0 && RepeatLast == 0) ? 1 : 0;
  const ParamAddress address = ValueQueue[0].address;
  if (fresh && (address == sysaddr::CurrentMode || address == sysaddr::ModeSave)) {
    // A recall or save that had to wait still gets its follow-up, and is not sent twice.
    ArmFollowUp(address);
    RepeatLast = 0;
  }
  SendValueEntry();
}

void ChangeQueue::BandStep() {
  if (ReadyToSend != 1 || bandCount_ == 0) return;
  ReadyToSend = 0;
  silentSeconds_ = 0;
  idleTicks_ = 0;
  for (int i = 0; i < bandCount_; ++i) {
    BandQueue[static_cast<size_t>(i)] = BandQueue[static_cast<size_t>(i + 1)];
  }
  SendBandEntry();
  link_.Log("2:" + std::to_string(bandCount_) + " " + std::to_string(BandQueue[0].band));
  --bandCount_;
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
    // The write still unanswered goes out again.
    if (valueCount_ > 0) {
      SendValueEntry();
    } else {
      link_.SendLinkControl(kLinkKeepAlive);
    }
  }
  if (silentSeconds_ > kSilentSecondsLimit) DeclareLost();
}

void ChangeQueue::DeclareLost() {
  silentSeconds_ = 0;
  link_.timers().Stop(LinkTimer::Hold);
  link_.RaiseLinkEvent(kEventUnitLost);
}

}  // namespace velantro
