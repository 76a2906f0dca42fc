#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/ParamStore.h"

namespace velantro {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kFrameStart = 0xFC;
constexpr uint8_t kFrameKey = 0xBA;
constexpr uint8_t kAckStart = 0xFE;
constexpr uint8_t kCmdWrite = 0xA7;
constexpr uint8_t kCmdRequest = 0xA0;
constexpr size_t kMaxPayload = 251;

// Link control codes sent to 0x0A30.
constexpr int kLinkConnect = 0x11;
constexpr int kLinkKeepAlive = 0x66;
constexpr int kLinkDisconnect = 0xAA;

enum class LinkKind : uint8_t { Serial = 1, Network = 2 };

// Where finished frames go. The link routes them to the transport of the current link kind
// (serial: only while the port is open; network: always).
class Transport {
 public:
  virtual ~Transport() = default;
  virtual void Transmit(const Bytes& bytes) = 0;
};

// ((0xFC + sum of bytes 3 … last payload byte) mod 256) XOR byte 1, over a frame without its
// checksum byte (or with it: pass the bytes up to but excluding the checksum).
uint8_t FrameChecksum(std::span<const uint8_t> frameWithoutChecksum);

// Builders: each returns the whole frame, checksum included.
Bytes BuildBlock(uint8_t command, ParamAddress address, std::span<const uint8_t> payload);
// Short form, or the DEQ long form on page 2.
Bytes BuildValue(uint8_t command, ParamAddress address, int value);
using BandValues = std::array<int32_t, kBandValueCount>;

// The five values of a band from the page's own row of ViewValues (page 2: the DEQ channel).
BandValues ReadBandValues(const ParamStore& store, int page, int band);
// The five values of a band from the page's row of DeviceImage, which belongs to that page alone
// (the ViewValues rows of the MIC, AUX and main pages show whichever group is on view).
BandValues ReadDeviceBandValues(const ParamStore& store, int page, int band);
// Index within its page's row of value k of a band (page 2: the DEQ channel's band values).
int BandFieldIndex(int page, int band, int k);
// Writes a band's five values into the page's row of DeviceImage.
void WriteDeviceBandValues(ParamStore& store, int page, int band, const BandValues& values);
// Band frame of one band with the given values.
Bytes BuildBandFrame(ParamAddress bandFrameAddress, int band, const BandValues& values);
// Band frame of one band, its five values read from store.ViewValues now.
Bytes BuildBandFrame(const ParamStore& store, ParamAddress bandFrameAddress, int band);
Bytes BuildLinkControl(int code);
Bytes BuildPageRequest(int page);
Bytes BuildItemRequest(ParamAddress address);
Bytes BuildNameRequest(int modeNumber);
// Number of values a page upload carries: PageValueCount, and 106 (both music settings) for
// page 0.
int PageUploadValueCount(int page);
// Page upload: page number then DeviceImage[page][0 … n-1], n = PageValueCount (106 for page 0).
Bytes BuildPageUpload(const ParamStore& store, int page);
// Upload closing request: A0 to 0x0A11 carrying ViewValues[10][17].
Bytes BuildUploadClosing(const ParamStore& store);
// Text frame: 0x0A01 mode save (two raw bytes, then 20 name bytes), otherwise digit strings.
Bytes BuildText(ParamAddress address, const std::string& text);
// Mode save frame for mode `index` under `name` (29 bytes).
Bytes BuildModeSave(int index, const std::string& name);

// Name characters: byte = code - 32; decoded b < 96 → char(b + 32), else '?'.
uint8_t EncodeNameChar(char c);
char DecodeNameChar(uint8_t b);

enum class DecodeResult {
  Dropped,       // bad checksum, unknown start, unhandled address, or a name nobody asked for
  Acknowledged,  // FE BB / FE AA (network kind only; the serial receiver handles acks itself)
  Applied,       // a valid frame, applied to the store or text items (or valid but ignored)
};

struct DecodeOutcome {
  DecodeResult result = DecodeResult::Dropped;
  // Network kind: the message started with 0xFC, so it counts as an answer (reply state
  // "frame received") even when validation then drops it.
  bool frameReceived = false;
};

// Payload bytes the answer to a read request carries: a page request is answered by the whole
// page from index 0, an item by its value, a password by one byte per digit, the management
// code by four bytes, a mode name by at most 20 characters. A frame of any other length at the
// same address is not the answer.
struct AnswerLength {
  size_t least = 0;
  size_t most = 0;
  bool Fits(size_t payload) const { return payload >= least && payload <= most; }
};
AnswerLength PageAnswerLength(int page);
AnswerLength ItemAnswerLength(ParamAddress item);
// Payload bytes of a whole frame (its length byte says how many followed it).
size_t FramePayloadSize(std::span<const uint8_t> frame);

// One value the unit reported of its own accord, placed in the unit's image.
struct ReportedValue {
  int page = 0;
  int slot = 0;  // DeviceImage index
  int32_t value = 0;
};
// The values a frame that answers no request carries (a unit reporting a change made at its
// front panel): a value frame (page 2 in its DEQ long form), a band frame, or a run of values
// from an index. Text items (passwords, management code) and mode names are not values and give
// nothing; out-of-row slots are left out. The frame has passed its checksum.
std::vector<ReportedValue> ReportedValues(std::span<const uint8_t> frame);

// Validates one received message and applies it. requestedName is the number of the mode name
// most recently requested, or -1 when no name request is outstanding. Safe on any byte sequence.
DecodeOutcome DecodeFrame(LinkKind kind, std::span<const uint8_t> bytes, ParamStore& store,
                          int requestedName);

}  // namespace velantro
