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

// Link events for RaiseLinkEvent.
constexpr int kEventDownloadComplete = 1;
constexpr int kEventReload = 2;
constexpr int kEventModeSaved = 3;
constexpr int kEventLinkStart = 4;
constexpr int kEventUpload = 6;
constexpr int kEventUnitLost = 7;
constexpr int kEventLinkFailed = 9;

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
  virtual void Transmit(const Bytes& bytes, FrameMeaning meaning) = 0;
  virtual void SendLinkControl(int code) = 0;
  virtual void RaiseLinkEvent(int event) = 0;
  virtual void Log(const std::string& line) = 0;
  virtual LinkTimers& timers() = 0;
};

}  // namespace velantro
