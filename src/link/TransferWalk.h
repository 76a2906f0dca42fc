#pragma once

// Walks a transfer plan: one request out at a time and its answer awaited. A request is asked
// again when no frame comes in time, when a frame that is not its answer is not followed by the
// answer, or when the answer arrives damaged, a few times each before the transfer fails naming
// the request; before each mode name after the first the line must fall quiet.

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/TransferPlan.h"

namespace velantro {

class DeviceLink;

// No frame at all for more than this after a request: the request is repeated, the wait goes
// late, or a fast transfer starts over paced.
constexpr int kReplyTimeoutMs = 1000;
constexpr int kLateLimitMs = 10000;  // late this long: the link fails
// A frame that is not the answer came: if the answer has not followed it by the second download
// tick, the request is asked again, this many times per step.
constexpr int kWrongAnswerTicks = 2;
constexpr int kWrongAnswerRepeats = 3;
// Before each mode name request after the first the line must have been quiet this many ticks
// of kQuietTickMs, so a duplicated name answer arrives while no name is asked for.
constexpr int kQuietTickMs = 20;
constexpr int kQuietTicks = 3;
// A request is asked again at each timeout, this many times, before the wait goes late.
constexpr int kTimeoutRepeats = 3;
// A request whose answer arrives damaged is asked again at once, this many times, before the
// transfer fails.
constexpr int kCorruptRepeats = 3;

class TransferWalk {
 public:
  explicit TransferWalk(DeviceLink& link) : link_(link) {}

  void Start(const TransferPlan& plan);
  // The progress starts again at the first step, counted against `stepCount` steps.
  void ResetProgress(int stepCount) {
    request_ = 0;
    stepCount_ = stepCount;
  }
  void SetStepCount(int stepCount) { stepCount_ = stepCount; }
  // Sends the request outstanding.
  void SendRequest();
  // A request has left: its answer is awaited from now.
  void AwaitReply();
  // One download timer tick.
  void Tick();
  // The answer to the request outstanding has arrived: the next request, or the end.
  void AnswerArrived();
  // A transfer step is awaited (waiting or late).
  bool Awaiting() const;
  // A good frame came while an answer was awaited but does not answer it.
  void NoteWrongAnswer() { wrongAnswer_ = true; }
  // A damaged frame came while an answer was awaited: asked again, or the transfer fails.
  void OnDamagedAnswer();
  // The transfer could not get the request outstanding through: event 9, naming it.
  void Fail(const LocalizedText& why);
  // Ends a quiet wait that is under way (the download timer gets its own pace back).
  void EndQuietWait();

  const TransferPlan& plan() const { return *plan_; }
  const PlannedRequest& request() const { return plan_->requests[request_]; }
  // The mode name the latest request asked for, -1 when it asked for none.
  int requestedName() const { return requestedName_; }
  int step() const { return request().progressStep; }
  int stepCount() const { return stepCount_; }
  int progressPercent() const;

 private:
  // The waiting and late states of a request, after `elapsedMs` more of waiting.
  void WaitForAnswer(int elapsedMs, bool heard);
  // The answer has not followed a wrong frame: ask again. False when it is not time yet or the
  // request has been asked again too often for wrong answers.
  bool AskAgainAfterWrongAnswer();
  void BeginQuietWait();
  void WaitForQuiet(bool heard);

  DeviceLink& link_;
  const TransferPlan* plan_ = &DownloadPlan();
  size_t request_ = 0;  // the request of the plan outstanding
  int stepCount_ = kDownloadStepCount;
  int waitMs_ = 0;  // since the request outstanding left, or since the wait went late
  int askMs_ = 0;   // since the request outstanding was last sent
  int requestedName_ = -1;
  int timeoutRepeats_ = 0;
  int corruptRepeats_ = 0;
  bool wrongAnswer_ = false;  // a frame that was not the answer came while one was awaited
  int wrongAnswerTicks_ = 0;
  int wrongAnswerRepeats_ = 0;
  bool quietWait_ = false;
  int quietTicks_ = 0;
  uint64_t seen_ = 0;  // the link's received byte count at the last download tick
};

}  // namespace velantro
