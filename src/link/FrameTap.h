#pragma once

// The one place that sees every frame the console sends and receives, with what it means: the
// link calls the tap for each frame in and out (no tap by default), so a link monitor or a trace
// hangs here instead of in the sequencer.

#include <cstdint>
#include <span>

#include "model/ParamAddress.h"

namespace velantro {

enum class FrameKind : uint8_t {
  LinkControl,    // link request, keep-alive or disconnect (sent)
  Ack,            // FE BB / FE AA from the unit
  PageRead,       // a page asked for (address: the page's index 0)
  ItemRead,       // one item asked for
  ModeNameRead,   // a mode name asked for (address: the name's mode number on the name item)
  PageAnswer,     // the unit's answer to a page request
  ItemAnswer,     // the unit's answer to an item or mode name request
  ValueWrite,     // an edit of one value (or text) from the console
  BandWrite,      // an edit of a whole EQ band
  ModeSave,       // a mode save
  UploadVolume,   // upload step: a volume limit
  UploadPage,     // upload step: a whole page
  UploadClosing,  // upload step: the closing request
  UploadAnswer,   // the unit's answer to an upload step
  UnitReport,     // a frame outside a transfer: values the unit reports of its own accord
  NotTheAnswer,   // a good frame during a transfer that answers nothing asked
  Corrupt,        // a frame whose checksum failed
};

enum class FrameWay : uint8_t { Sent, Received };

// What a frame means to the link, as the sender knows it.
struct FrameMeaning {
  FrameKind kind = FrameKind::ValueWrite;
  ParamAddress address = 0;
};

struct FrameRecord {
  FrameWay way = FrameWay::Sent;
  FrameKind kind = FrameKind::ValueWrite;
  ParamAddress address = 0;
  std::span<const uint8_t> bytes;  // valid during the call only
};

class FrameTap {
 public:
  virtual ~FrameTap() = default;
  virtual void OnFrameSent(const FrameRecord& record) = 0;
  virtual void OnFrameReceived(const FrameRecord& record) = 0;
};

// For logs and monitors: "page read", "ack", …
const char* FrameKindName(FrameKind kind);

// The meaning of a finished frame the console sends, read from its bytes: for callers outside
// the link that send one-off frames (a text, a read-back request).
FrameMeaning SentFrameMeaning(std::span<const uint8_t> frame);

}  // namespace velantro
