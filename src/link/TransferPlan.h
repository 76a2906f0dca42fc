#pragma once

// The transfers as data: the ordered requests of a download, of the reload after a mode recall
// and of an upload, each with the answer it takes. The link walks a plan one request per answer;
// velantroctl reads the upload's plan to say how far a broken restore got.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "link/FrameTap.h"
#include "link/Frames.h"
#include "model/Messages.h"
#include "model/ParamStore.h"

namespace velantro {

enum class Direction : uint8_t { Read, Write };

// The plans' figures, as the progress counts them.
constexpr int kDownloadStepCount = 29;
constexpr int kReloadStepCount = 19;
constexpr int kUploadStepCount = 19;
constexpr int kModeNameStep = 18;  // the nine mode names share this step
constexpr int kModeNameCount = 9;
constexpr int kFullDownloadRequests = 38;

enum class RequestKind : uint8_t {
  PageRead,       // one page, from index 0
  ItemRead,       // one item of the system page
  ModeNameRead,   // the name of mode `number`
  VolumeWrite,    // one volume limit from the unit image
  PageUpload,     // one whole page from the unit image
  UploadClosing,  // the closing request of an upload
};

struct PlannedRequest {
  RequestKind kind = RequestKind::PageRead;
  ParamAddress address = 0;  // the item asked for or written; a page's index 0
  int number = 0;            // the page, or the mode whose name is asked for
  int progressStep = 0;      // where the transfer stands while this request is out
};

struct TransferPlan {
  Direction direction = Direction::Read;
  int stepCount = 0;  // the progress at the last request; the nine mode names share one step
  std::vector<PlannedRequest> requests;
};

// Pages 0 to 9, the volume items, the nine mode names, the start volume, the system items, the
// device code, the remote item and the mode save item: 38 requests.
const TransferPlan& DownloadPlan();
// The download up to the start volume: what a mode recall changes.
const TransferPlan& ReloadPlan();
// The six volume limits, pages 0 to 9, then the closing request until the step count.
const TransferPlan& UploadPlan();

// The frame that makes the request, from the unit image where it writes.
Bytes BuildPlannedRequest(const PlannedRequest& request, const ParamStore& store);
// Whether a good frame is the answer this request takes: the same kind, address and length.
bool AnswersPlannedRequest(const PlannedRequest& request, std::span<const uint8_t> frame);
// The request in words, for the link's log ("page 3", "item 0x0A07").
std::string DescribeRequest(const PlannedRequest& request);
// The same in both languages, for the operator ("第 3 页", "page 3").
LocalizedText RequestInWords(const PlannedRequest& request);
// What the request's frame means, for the frame tap.
FrameMeaning MeaningOf(const PlannedRequest& request);

}  // namespace velantro
