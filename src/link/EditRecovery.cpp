// Keeping unacknowledged edits over a loss of the unit and putting them back after a download.

#include "link/EditRecovery.h"

#include <algorithm>
#include <utility>

#include "link/Frames.h"

namespace velantro {

namespace {

bool SameParameter(const UnacknowledgedEdit& a, const UnacknowledgedEdit& b) {
  return a.band == b.band && a.address == b.address && (!a.band || a.bandNumber == b.bandNumber);
}

// `edit` joins `edits`, replacing an older edit of the same parameter or band.
void Merge(std::vector<UnacknowledgedEdit>& edits, const UnacknowledgedEdit& edit) {
  const auto same = std::find_if(edits.begin(), edits.end(), [&](const UnacknowledgedEdit& k) {
    return SameParameter(k, edit);
  });
  if (same != edits.end()) {
    *same = edit;
  } else {
    edits.push_back(edit);
  }
}

}  // namespace

void EditRecovery::KeepUnacknowledged() {
  for (const UnacknowledgedEdit& edit : queue_.Unacknowledged()) Merge(kept_, edit);
}

size_t EditRecovery::CountWith(const std::vector<UnacknowledgedEdit>& others) const {
  std::vector<UnacknowledgedEdit> all = kept_;
  for (const UnacknowledgedEdit& edit : others) Merge(all, edit);
  return all.size();
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
