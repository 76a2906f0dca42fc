// The download, reload and upload plans, and how each planned request is sent, answered and
// named.

#include "link/TransferPlan.h"

#include <cstdio>

namespace velantro {

namespace {

constexpr int kReadPageCount = 10;  // pages 0 … 9 travel whole; page 10 item by item
constexpr int kVolumeLimitCount = 6;

constexpr ParamAddress kItemsBeforeNames[]{0x0A07, 0x0A08, 0x0A09, 0x0A0A,
                                           0x0A0B, 0x0A20, 0x0A21, 0x0A22};
constexpr ParamAddress kItemsAfterStartVolume[]{
    0x0A02,          0x0A03,           0x0A04, 0x0A05, 0x0A0C, 0x0A0D, 0x0A0E, sysaddr::DeviceCode,
    sysaddr::Remote, sysaddr::ModeSave};

class PlanBuilder {
 public:
  explicit PlanBuilder(Direction direction) { plan_.direction = direction; }
  void Add(RequestKind kind, ParamAddress address, int number = 0) {
    plan_.requests.push_back({kind, address, number, step_++});
  }
  // Requests that count as one step of progress (the mode names).
  void AddSharingStep(RequestKind kind, ParamAddress address, int number) {
    plan_.requests.push_back({kind, address, number, step_});
  }
  void EndSharedStep() { ++step_; }
  int nextStep() const { return step_; }
  TransferPlan Finish() {
    plan_.stepCount = step_ - 1;
    return plan_;
  }

 private:
  TransferPlan plan_;
  int step_ = 0;
};

// The reads every download starts with, up to and including the start volume.
void AddReloadReads(PlanBuilder& plan) {
  for (int page = 0; page < kReadPageCount; ++page) {
    plan.Add(RequestKind::PageRead, MakeAddress(page, 0), page);
  }
  for (const ParamAddress item : kItemsBeforeNames) plan.Add(RequestKind::ItemRead, item);
  for (int mode = 0; mode < kModeNameCount; ++mode) {
    plan.AddSharingStep(RequestKind::ModeNameRead, sysaddr::ModeName, mode);
  }
  plan.EndSharedStep();
  plan.Add(RequestKind::ItemRead, sysaddr::MusicStartVolume);
}

TransferPlan MakeDownloadPlan() {
  PlanBuilder plan(Direction::Read);
  AddReloadReads(plan);
  for (const ParamAddress item : kItemsAfterStartVolume) plan.Add(RequestKind::ItemRead, item);
  return plan.Finish();
}

TransferPlan MakeReloadPlan() {
  PlanBuilder plan(Direction::Read);
  AddReloadReads(plan);
  return plan.Finish();
}

TransferPlan MakeUploadPlan() {
  PlanBuilder plan(Direction::Write);
  for (int k = 0; k < kVolumeLimitCount; ++k) {
    plan.Add(RequestKind::VolumeWrite, static_cast<ParamAddress>(sysaddr::MusicStartVolume + k));
  }
  for (int page = 0; page < kReadPageCount; ++page) {
    plan.Add(RequestKind::PageUpload, MakeAddress(page, 0), page);
  }
  // The upload's progress ends at kUploadStepCount; the closing request fills the steps after
  // the pages.
  while (plan.nextStep() <= kUploadStepCount) plan.Add(RequestKind::UploadClosing, sysaddr::Remote);
  return plan.Finish();
}

}  // namespace

const TransferPlan& DownloadPlan() {
  static const TransferPlan plan = MakeDownloadPlan();
  return plan;
}

const TransferPlan& ReloadPlan() {
  static const TransferPlan plan = MakeReloadPlan();
  return plan;
}

const TransferPlan& UploadPlan() {
  static const TransferPlan plan = MakeUploadPlan();
  return plan;
}

Bytes BuildPlannedRequest(const PlannedRequest& request, const ParamStore& store) {
  switch (request.kind) {
    case RequestKind::PageRead:
      return BuildPageRequest(request.number);
    case RequestKind::ItemRead:
      return BuildItemRequest(request.address);
    case RequestKind::ModeNameRead:
      return BuildNameRequest(request.number);
    case RequestKind::VolumeWrite:
      return BuildValue(kCmdWrite, request.address,
                        store.Device(kSystemPage, IndexOf(request.address)));
    case RequestKind::PageUpload:
      return BuildPageUpload(store, request.number);
    case RequestKind::UploadClosing:
      return BuildUploadClosing(store);
  }
  return {};
}

bool AnswersPlannedRequest(const PlannedRequest& request, std::span<const uint8_t> frame) {
  const ParamAddress address = MakeAddress(frame[4], frame[5]);
  const size_t payload = FramePayloadSize(frame);
  switch (request.kind) {
    case RequestKind::PageRead:
      return address == request.address && PageAnswerLength(request.number).Fits(payload);
    case RequestKind::ItemRead:
    case RequestKind::ModeNameRead:
      return address == request.address && ItemAnswerLength(request.address).Fits(payload);
    case RequestKind::VolumeWrite:
    case RequestKind::UploadClosing:
      return address == request.address;
    case RequestKind::PageUpload:
      return address == sysaddr::PageUpload ||
             (address == request.address && PageAnswerLength(request.number).Fits(payload));
  }
  return false;
}

namespace {

// A request in words, both languages: printf formats of the one number that names it.
struct RequestWords {
  const char* chinese;
  const char* english;
  int number;
};

RequestWords WordsOf(const PlannedRequest& request) {
  switch (request.kind) {
    case RequestKind::PageRead:
    case RequestKind::PageUpload:
      return {"第 %d 页", "page %d", request.number};
    case RequestKind::ItemRead:
      return {"参数 0x%04X", "item 0x%04X", request.address};
    case RequestKind::ModeNameRead:
      return {"模式名 %d", "mode name %d", request.number + 1};
    case RequestKind::VolumeWrite:
      return {"音量上限 0x%04X", "volume limit 0x%04X", request.address};
    case RequestKind::UploadClosing:
      break;
  }
  return {"结束请求 0x%04X", "the closing request 0x%04X", request.address};
}

std::string Formatted(const char* format, int number) {
  char text[64];
  std::snprintf(text, sizeof text, format, number);
  return text;
}

}  // namespace

std::string DescribeRequest(const PlannedRequest& request) {
  const RequestWords words = WordsOf(request);
  return Formatted(words.english, words.number);
}

LocalizedText RequestInWords(const PlannedRequest& request) {
  const RequestWords words = WordsOf(request);
  return {Formatted(words.chinese, words.number), Formatted(words.english, words.number)};
}

FrameMeaning MeaningOf(const PlannedRequest& request) {
  switch (request.kind) {
    case RequestKind::PageRead:
      return {FrameKind::PageRead, request.address};
    case RequestKind::ItemRead:
      return {FrameKind::ItemRead, request.address};
    case RequestKind::ModeNameRead:
      return {FrameKind::ModeNameRead, request.address};
    case RequestKind::VolumeWrite:
      return {FrameKind::UploadVolume, request.address};
    case RequestKind::PageUpload:
      return {FrameKind::UploadPage, request.address};
    case RequestKind::UploadClosing:
      return {FrameKind::UploadClosing, request.address};
  }
  return {};
}

}  // namespace velantro
