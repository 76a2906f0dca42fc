#pragma once

// What the change queue needs of the link to send edits: whether the unit takes writes now, the
// unit image, the wire, the hold timer and the link events a recall, a save or a lost unit
// raise. The device link implements it; the queue knows nothing else of the link.

#include <cstdint>
#include <string>

#include "link/FrameTap.h"
#include "link/Frames.h"
#include "link/LinkInterfaces.h"
#include "model/ParamStore.h"

namespace velantro {

enum class ReplyState : uint8_t {
  None = 0,
  Acknowledged = 1,
  FrameReceived = 2,
  Waiting = 3,
  Late = 4
};

// What the link does next, raised by its parts (RaiseLinkEvent) and told to whoever listens. The
// numbers are the ones the diagnostic log has always shown.
enum class LinkEvent : int {
  None = 0,
  DownloadComplete = 1,  // the image is in: show it and go online
  Reload = 2,            // a mode recall was acknowledged: read the image again
  ModeSaved = 3,         // a mode save was acknowledged: read the mode names again
  LinkStart = 4,         // the unit answered the link request: download its image
  Upload = 6,            // write the store's image to the unit
  UnitLost = 7,          // the unit fell silent while online
  LinkFailed = 9,        // a search or a transfer gave up
};
constexpr int EventNumber(LinkEvent event) { return static_cast<int>(event); }

class LinkWritePort {
 public:
  virtual ~LinkWritePort() = default;

  virtual bool LinkOnline() const = 0;
  virtual void SetLinkOnline(bool online) = 0;
  // Edits the unit never acknowledged wait for it to come back.
  virtual bool recovering() const = 0;
  // A download has completed since start-up: edits made while offline have an image to go over.
  virtual bool HoldsUnitImage() const = 0;
  virtual void SetReplyState(ReplyState state) = 0;
  virtual ParamStore& store() = 0;
  // A mode recall has left: the pages wait until its reload is in.
  virtual void BeginRecall() = 0;
  virtual void ShowStatusCaption(const std::string& caption) = 0;
  // A two-language status: the caption in the console's language, the other in its hint.
  virtual void ShowStatus(const LocalizedText& text) = 0;
  virtual void Transmit(const Bytes& bytes, FrameMeaning meaning) = 0;
  virtual void SendLinkControl(int code) = 0;
  virtual void RaiseLinkEvent(LinkEvent event) = 0;
  virtual void Log(const std::string& line) = 0;
  virtual LinkTimers& timers() = 0;
};

}  // namespace velantro
