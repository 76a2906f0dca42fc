#pragma once

// Edits the unit never acknowledged, kept across a loss, an Unlink or a search: they go over the
// image the next download reads, before the window shows it, and then to the unit through the
// change queue. The unit is the truth for everything else.

#include <cstddef>
#include <vector>

#include "link/ChangeQueue.h"
#include "model/ParamStore.h"

namespace velantro {

class EditRecovery {
 public:
  EditRecovery(ParamStore& store, ChangeQueue& queue) : store_(store), queue_(queue) {}

  // Keeps what the queue holds unacknowledged; a newer edit replaces a kept one of the same
  // parameter or band.
  void KeepUnacknowledged();
  // The unit is lost: what was in flight or waiting is kept now, so the acknowledgement of the
  // next link request is not taken for the answer to the write lost with the unit.
  void BeginAfterLoss();
  // The kept edits are back on their way (or the operator gave up on the unit with Unlink).
  void End() { recovering_ = false; }
  // Edits made meanwhile join the kept ones instead of being sent.
  bool recovering() const { return recovering_; }
  // A download has read the image: the kept edits go over it.
  void WriteKeptIntoImage();
  // Queues the kept edits again and forgets them; returns how many.
  size_t ResendKept();
  // The kept edits are part of the console's document, which the operator weighs against the
  // unit's image after a Connect: they are not sent on their own.
  void Forget() { kept_.clear(); }
  // Parameters (a band counting as one) among the kept edits and `others` together.
  size_t CountWith(const std::vector<UnacknowledgedEdit>& others) const;

 private:
  ParamStore& store_;
  ChangeQueue& queue_;
  std::vector<UnacknowledgedEdit> kept_;
  bool recovering_ = false;
};

}  // namespace velantro
