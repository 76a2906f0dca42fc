// Walking a transfer plan: sending each request, waiting for its answer, asking again.

#include "link/TransferWalk.h"

#include <algorithm>
#include <cmath>

#include "link/DeviceLink.h"

namespace velantro {

int TransferWalk::progressPercent() const {
  if (stepCount_ <= 0) return 0;
  // Disconnect sets the step count to 19 whatever the step, so the ratio can pass 100.
  const long percent = std::lround(100.0 * step() / stepCount_);
  return static_cast<int>(std::clamp(percent, 0L, 100L));
}

void TransferWalk::Start(const TransferPlan& plan) {
  plan_ = &plan;
  request_ = 0;
  stepCount_ = plan.stepCount;
  waitMs_ = 0;
  askMs_ = 0;
  requestedName_ = -1;
  timeoutRepeats_ = 0;
  corruptRepeats_ = 0;
  wrongAnswerRepeats_ = 0;
  quietWait_ = false;
}

void TransferWalk::AwaitReply() {
  link_.replyState_ = ReplyState::Waiting;
  waitMs_ = 0;
  askMs_ = 0;
  wrongAnswer_ = false;
  wrongAnswerTicks_ = 0;
}

void TransferWalk::SendRequest() {
  const PlannedRequest& r = request();
  requestedName_ = r.kind == RequestKind::ModeNameRead ? r.number : -1;
  link_.Transmit(BuildPlannedRequest(r, link_.store_), MeaningOf(r));
}

bool TransferWalk::Awaiting() const {
  return link_.downloading_ &&
         (link_.replyState_ == ReplyState::Waiting || link_.replyState_ == ReplyState::Late);
}

void TransferWalk::Tick() {
  const bool heard = link_.HeardSince(seen_);
  if (quietWait_) {
    WaitForQuiet(heard);
    return;
  }
  const ReplyState reply = link_.replyState_;
  const bool answered = reply == ReplyState::FrameReceived ||
                        (reply == ReplyState::Acknowledged && plan_->direction == Direction::Write);
  if (answered) {
    AnswerArrived();
    return;
  }
  WaitForAnswer(link_.timers_.Interval(LinkTimer::Download), heard);
}

void TransferWalk::WaitForAnswer(int elapsedMs, bool heard) {
  if (!Awaiting()) return;
  // An answer that is still arriving in pieces keeps the wait alive.
  const size_t partial = link_.kind_ == LinkKind::Serial ? link_.serialReceiver_.pendingBytes()
                                                         : link_.networkReceiver_.pendingBytes();
  if (!(heard && partial > 0)) {
    waitMs_ = std::min(waitMs_ + elapsedMs, kLateLimitMs);
    askMs_ = std::min(askMs_ + elapsedMs, kLateLimitMs);
  }
  if (wrongAnswer_ && AskAgainAfterWrongAnswer()) return;
  ReplyState& reply = link_.replyState_;
  if (reply == ReplyState::Waiting && waitMs_ > kReplyTimeoutMs) {
    if (!link_.pacedNow_) {
      link_.StartOverPaced();
      return;
    }
    // The first two requests of a transfer are asked again before the wait goes late.
    if (step() <= 1 && timeoutRepeats_ < kTimeoutRepeats) {
      ++timeoutRepeats_;
      SendRequest();
      askMs_ = 0;
    } else {
      reply = ReplyState::Late;
    }
    waitMs_ = 0;
  } else if (reply == ReplyState::Late) {
    if (waitMs_ >= kLateLimitMs) {
      Fail(linktext::kNoAnswer);
    } else if (askMs_ > kReplyTimeoutMs && timeoutRepeats_ < kTimeoutRepeats) {
      // While late the request is asked again a few times: a lost request or a lost
      // acknowledgement of an upload step then costs a second, not the transfer. A duplicate
      // answer is not taken for the next step's.
      ++timeoutRepeats_;
      SendRequest();
      askMs_ = 0;
    }
  }
}

bool TransferWalk::AskAgainAfterWrongAnswer() {
  if (++wrongAnswerTicks_ < kWrongAnswerTicks) return false;
  wrongAnswer_ = false;
  wrongAnswerTicks_ = 0;
  if (wrongAnswerRepeats_ >= kWrongAnswerRepeats) return false;
  ++wrongAnswerRepeats_;
  link_.Log("not the answer to " + DescribeRequest(request()) + ": asking again");
  SendRequest();
  AwaitReply();
  return true;
}

void TransferWalk::OnDamagedAnswer() {
  if (corruptRepeats_ >= kCorruptRepeats) {
    Fail(linktext::kDamagedAnswers);
    return;
  }
  ++corruptRepeats_;
  SendRequest();
  AwaitReply();
}

void TransferWalk::BeginQuietWait() {
  quietWait_ = true;
  quietTicks_ = 0;
  link_.replyState_ = ReplyState::None;
  requestedName_ = -1;
  seen_ = link_.bytesReceived_;
  link_.timers_.SetInterval(LinkTimer::Download, kQuietTickMs);
}

void TransferWalk::WaitForQuiet(bool heard) {
  quietTicks_ = heard ? 0 : quietTicks_ + 1;
  if (quietTicks_ < kQuietTicks) return;
  EndQuietWait();
  SendRequest();
  AwaitReply();
}

void TransferWalk::EndQuietWait() {
  if (!quietWait_) return;
  quietWait_ = false;
  link_.timers_.SetInterval(LinkTimer::Download, link_.kind_ == LinkKind::Network
                                                     ? kNetworkDownloadIntervalMs
                                                     : kDownloadIntervalMs);
}

void TransferWalk::AnswerArrived() {
  if (request_ + 1 >= plan_->requests.size()) {
    link_.replyState_ = ReplyState::None;
    link_.timers_.Stop(LinkTimer::Download);
    link_.RaiseLinkEvent(LinkEvent::DownloadComplete);
    link_.timers_.SetInterval(LinkTimer::Download, kDownloadIntervalMs);
  } else {
    ++request_;
    timeoutRepeats_ = 0;
    corruptRepeats_ = 0;
    if (request().kind == RequestKind::ModeNameRead && request().number > 0) {
      BeginQuietWait();
      return;
    }
    SendRequest();
  }
  AwaitReply();
}

void TransferWalk::Fail(const LocalizedText& why) {
  const LocalizedText what = RequestInWords(request());
  link_.failDetail_ = plan_->direction == Direction::Write ? linktext::kCouldNotSend(what, why)
                                                           : linktext::kCouldNotRead(what, why);
  link_.replyState_ = ReplyState::None;
  link_.RaiseLinkEvent(LinkEvent::LinkFailed);
}

}  // namespace velantro
