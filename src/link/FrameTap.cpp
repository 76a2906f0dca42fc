// Names of frame kinds and the meaning of one-off frames read from their bytes.

#include "link/FrameTap.h"

#include "link/Frames.h"

namespace velantro {

namespace {
constexpr size_t kCommandByte = 3;
constexpr size_t kPageByte = 4;
constexpr size_t kIndexByte = 5;
constexpr size_t kFirstPayloadByte = 6;
}  // namespace

const char* FrameKindName(FrameKind kind) {
  switch (kind) {
    case FrameKind::LinkControl:
      return "link control";
    case FrameKind::Ack:
      return "ack";
    case FrameKind::PageRead:
      return "page read";
    case FrameKind::ItemRead:
      return "item read";
    case FrameKind::ModeNameRead:
      return "mode name read";
    case FrameKind::PageAnswer:
      return "page answer";
    case FrameKind::ItemAnswer:
      return "item answer";
    case FrameKind::ValueWrite:
      return "value write";
    case FrameKind::BandWrite:
      return "band write";
    case FrameKind::ModeSave:
      return "mode save";
    case FrameKind::UploadVolume:
      return "upload volume";
    case FrameKind::UploadPage:
      return "upload page";
    case FrameKind::UploadClosing:
      return "upload closing";
    case FrameKind::UploadAnswer:
      return "upload answer";
    case FrameKind::UnitReport:
      return "unit report";
    case FrameKind::NotTheAnswer:
      return "not the answer";
    case FrameKind::Corrupt:
      return "corrupt";
  }
  return "?";
}

FrameMeaning SentFrameMeaning(std::span<const uint8_t> frame) {
  if (frame.size() <= kIndexByte) return {FrameKind::ValueWrite, 0};
  const ParamAddress address = MakeAddress(frame[kPageByte], frame[kIndexByte]);
  if (address == sysaddr::LinkControl) return {FrameKind::LinkControl, address};
  if (frame[kCommandByte] != kCmdRequest) {
    return {address == sysaddr::ModeSave ? FrameKind::ModeSave : FrameKind::ValueWrite, address};
  }
  if (address == sysaddr::PageRequest && frame.size() > kFirstPayloadByte) {
    return {FrameKind::PageRead, MakeAddress(frame[kFirstPayloadByte], 0)};
  }
  return {address == sysaddr::ModeName ? FrameKind::ModeNameRead : FrameKind::ItemRead, address};
}

}  // namespace velantro
