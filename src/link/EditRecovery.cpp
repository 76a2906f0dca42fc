// Keeping unacknowledged edits over a loss of the unit and putting them back after a download.

#include "link/EditRecovery.h"

#include <algorithm>
#include <utility>

#include "link/Frames.h"

namespace velantro {

void EditRecovery::KeepUnacknowledged() {
  for (const UnacknowledgedEdit& edit : queue_.Unacknowledged()) {
    const auto same = std::find_if(kept_.begin(), kept_.end(), [&](const UnacknowledgedEdit& k) {
      return k.band == edit.band && k.address == edit.address &&
             (!edit.band || k.bandNumber == edit.bandNumber);
    });
    if (same != kept_.end()) {
      *same = edit;
    } else {
      kept_.push_back(edit);
    }
  }
}

void EditRecovery::BeginAfterLoss() {
  recovering_ = true;
  KeepUnacknowledged();
}

void EditRecovery::WriteKeptIntoImage() {
  for (const UnacknowledgedEdit& edit : kept_) {
    const int page = PageOf(edit.address);
    if (edit.band) {
      WriteDeviceBandValues(store_, page, edit.bandNumber, edit.bandValues);
    } else {
      store_.SetDevice(page,
                       ParamStore::DeviceIndex(page, IndexOf(edit.address), store_.LayoutFlag),
                       edit.value);
    }
  }
}

size_t EditRecovery::ResendKept() {
  const std::vector<UnacknowledgedEdit> edits = std::move(kept_);
  kept_.clear();
  // Through the change queue like any edit: one acknowledged write at a time.
  for (const UnacknowledgedEdit& edit : edits) {
    if (edit.band) {
      const int page = PageOf(edit.address);
      queue_.QueueBand(MakeAddress(page, BandFieldIndex(page, edit.bandNumber, 0)));
    } else {
      queue_.QueueValue(edit.address, edit.value);
    }
  }
  return edits.size();
}

}  // namespace velantro
