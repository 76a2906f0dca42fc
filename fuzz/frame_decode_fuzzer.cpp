// DecodeFrame on any byte sequence, both link kinds: nothing crashes, and a frame changes only
// the cells and text items its page and index name, with the values its payload carries.
//
// Input: byte 0 holds options, the rest is the received message.
//   bit 0     link kind: 0 serial, 1 network
//   bit 1     put the correct checksum into the last byte (reaches the appliers more often)
//   bits 2-5  requested mode name + 1 (0 = none outstanding, 10 … 15 = out of range)
//   bit 6     also build a frame from the message's bytes and decode it back

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "link/Frames.h"
#include "model/ParamStore.h"

namespace velantro::fuzz {
namespace {

constexpr size_t kHeader = 6;

bool TouchesText(int page, int index) {
  return page >= kSystemPage && (index == 0 || index == 4 || index == 5 || index == 64);
}

// Whether a valid frame at (page, index) with this many payload bytes may change DeviceImage
// cell (p, i).
bool MayChangeCell(int page, int index, size_t payloadSize, int p, int i) {
  if (p != page) return false;
  if (page < kSystemPage) {
    return i >= index && static_cast<size_t>(i - index) < payloadSize / 2;
  }
  const bool handledElsewhere =
      index == 0 || index == 4 || index == 5 || index == 15 || index == 16;
  return page == kSystemPage && i == index && index < 48 && !handledElsewhere && payloadSize >= 2;
}

void CheckDecode(LinkKind kind, std::span<const uint8_t> bytes, int requestedName) {
  ParamStore store;
  FillPattern(store);
  const ParamStore before = store;
  const DecodeOutcome outcome = DecodeFrame(kind, bytes, store, requestedName);

  // Which results are possible at all.
  const bool startsFc = !bytes.empty() && bytes[0] == kFrameStart;
  if (kind == LinkKind::Network) {
    FUZZ_CHECK(outcome.frameReceived == startsFc);
  } else {
    FUZZ_CHECK(!outcome.frameReceived);
  }
  if (outcome.result == DecodeResult::Acknowledged) {
    FUZZ_CHECK(kind == LinkKind::Network && bytes.size() >= 2 && bytes[0] == kAckStart &&
               (bytes[1] == 0xBB || bytes[1] == 0xAA));
  }
  const bool applied = outcome.result == DecodeResult::Applied;
  if (applied) {
    FUZZ_CHECK(startsFc && bytes.size() >= kHeader + 1);
    FUZZ_CHECK(FrameChecksum(bytes.first(bytes.size() - 1)) == bytes.back());
  }

  // The view, the selectors and the flags are never the decoder's business.
  FUZZ_CHECK(store.ViewValues == before.ViewValues);
  FUZZ_CHECK(store.MicGroup == before.MicGroup && store.MainOutputPage == before.MainOutputPage &&
             store.AuxOutputPage == before.AuxOutputPage &&
             store.EffectEqPage == before.EffectEqPage && store.LayoutFlag == before.LayoutFlag &&
             store.SuppressSend == before.SuppressSend);

  const int page = applied ? bytes[4] : -1;
  const int index = applied ? bytes[5] : -1;
  const std::span<const uint8_t> payload =
      applied ? bytes.subspan(kHeader, bytes.size() - kHeader - 1) : std::span<const uint8_t>{};

  for (int p = 0; p < kPageCount; ++p) {
    for (int i = 0; i < kDeviceRowSize; ++i) {
      if (applied && MayChangeCell(page, index, payload.size(), p, i)) {
        const size_t j = page < kSystemPage ? 2 * static_cast<size_t>(i - index) : 0;
        FUZZ_CHECK(store.DeviceImage[p][i] == payload[j] + 256 * payload[j + 1]);
      } else {
        FUZZ_CHECK(store.DeviceImage[p][i] == before.DeviceImage[p][i]);
      }
    }
  }

  const bool text = applied && TouchesText(page, index);
  for (size_t k = 0; k < store.ModeNames.size(); ++k) {
    if (text && index == 0 && static_cast<int>(k) == requestedName) {
      const std::string& name = store.ModeNames[k];
      FUZZ_CHECK(name.size() == std::min<size_t>(payload.size(), 20));
      for (size_t c = 0; c < name.size(); ++c) {
        FUZZ_CHECK(name[c] == DecodeNameChar(payload[c]));
        FUZZ_CHECK(name[c] >= 32);  // 32 … 127 or '?'
      }
    } else {
      FUZZ_CHECK(store.ModeNames[k] == before.ModeNames[k]);
    }
  }
  if (!(text && index == 4)) FUZZ_CHECK(store.SystemPassword == before.SystemPassword);
  if (!(text && index == 5)) {
    FUZZ_CHECK(store.KeyLockPassword == before.KeyLockPassword);
  } else {
    FUZZ_CHECK(store.KeyLockPassword.size() == payload.size());
  }
  if (!(text && index == 64)) {
    FUZZ_CHECK(store.DeviceCode == before.DeviceCode);
  } else {
    FUZZ_CHECK(store.DeviceCode.size() == 8);
  }
}

// Frames the console builds decode back: a value write lands where it was addressed, and any
// block is a well-formed frame of the length its length byte names.
void CheckBuilt(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4) return;
  const int page = bytes[0] % kPageCount;
  const int index = bytes[1];
  const int value = bytes[2] | bytes[3] << 8;

  const Bytes block = BuildBlock(kCmdWrite, MakeAddress(page, index), bytes.subspan(4));
  const size_t length = std::min(bytes.size() - 4, kMaxPayload);
  FUZZ_CHECK(block.size() == length + kHeader + 1);
  FUZZ_CHECK(static_cast<size_t>(block[2]) == length + 4);
  FUZZ_CHECK(FrameChecksum(std::span<const uint8_t>(block).first(block.size() - 1)) ==
             block.back());

  if (page == kDeqPage || page == kSystemPage) return;
  const Bytes frame = BuildValue(kCmdWrite, MakeAddress(page, index), value);
  ParamStore store;
  for (LinkKind kind : {LinkKind::Serial, LinkKind::Network}) {
    FUZZ_CHECK(DecodeFrame(kind, frame, store, -1).result == DecodeResult::Applied);
    FUZZ_CHECK(store.Device(page, index) == (index < kDeviceRowSize ? value : 0));
  }
}

}  // namespace
}  // namespace velantro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velantro;
  if (size < 1) return 0;
  const uint8_t options = data[0];
  Bytes message(data + 1, data + size);
  const LinkKind kind = (options & 1) != 0 ? LinkKind::Network : LinkKind::Serial;
  if ((options & 2) != 0 && message.size() >= 2) {
    message.back() = FrameChecksum(std::span<const uint8_t>(message).first(message.size() - 1));
  }
  const int requestedName = ((options >> 2) & 0x0F) - 1;
  fuzz::CheckDecode(kind, message, requestedName);
  if ((options & 0x40) != 0) fuzz::CheckBuilt(message);
  return 0;
}
