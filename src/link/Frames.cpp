#include "link/Frames.h"

#include <algorithm>
#include <cstdio>

namespace velantro {

namespace {

constexpr size_t kHeaderSize = 6;  // FC BA L cmd page index
constexpr size_t kMinFrameSize = kHeaderSize + 1;
constexpr size_t kMaxNameLength = 20;
constexpr size_t kModeSavePayload = 22;
constexpr int kNameIndex = 0;
constexpr int kSystemPasswordIndex = 4;
constexpr int kKeyLockPasswordIndex = 5;
constexpr int kUploadIndex = 15;
constexpr int kPageRequestIndex = 16;
constexpr int kLinkControlIndex = 48;
constexpr int kDeviceCodeIndex = 64;
constexpr size_t kDeviceCodeBytes = 4;
constexpr size_t kValueBytes = 2;
constexpr size_t kSystemPasswordDigits = 6;
constexpr size_t kKeyLockPasswordDigits = 4;

void AppendValue(Bytes& out, int value) {
  const auto v = static_cast<uint16_t>(value);
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

int ReadValue(std::span<const uint8_t> payload, size_t offset) {
  return payload[offset] + 256 * payload[offset + 1];
}

// DEQ long form: group 0 covers indexes 0 … 12, then groups of twelve.
constexpr int kDeqGroupSize = 12;
int DeqGroup(int index) { return index <= kDeqGroupSize ? 0 : (index - 1) / kDeqGroupSize; }

// Index of value k of a band within its page's row.
int BandValueIndex(int page, int band, int k) {
  if (page == kDeqPage) return 12 * band + 2 + k;
  return kPages[page].firstBand + kBandValueCount * band + k;
}

}  // namespace

uint8_t FrameChecksum(std::span<const uint8_t> frameWithoutChecksum) {
  if (frameWithoutChecksum.empty()) return 0;
  unsigned sum = frameWithoutChecksum[0];
  for (size_t k = 3; k < frameWithoutChecksum.size(); ++k) sum += frameWithoutChecksum[k];
  const uint8_t key = frameWithoutChecksum.size() > 1 ? frameWithoutChecksum[1] : 0;
  return static_cast<uint8_t>((sum & 0xFF) ^ key);
}

Bytes BuildBlock(uint8_t command, ParamAddress address, std::span<const uint8_t> payload) {
  const size_t length = std::min(payload.size(), kMaxPayload);
  Bytes frame;
  frame.reserve(kMinFrameSize + length);
  frame.push_back(kFrameStart);
  frame.push_back(kFrameKey);
  frame.push_back(static_cast<uint8_t>(length + 4));
  frame.push_back(command);
  frame.push_back(static_cast<uint8_t>(PageOf(address)));
  frame.push_back(static_cast<uint8_t>(IndexOf(address)));
  frame.insert(frame.end(), payload.begin(), payload.begin() + static_cast<ptrdiff_t>(length));
  frame.push_back(FrameChecksum(frame));
  return frame;
}

Bytes BuildValue(uint8_t command, ParamAddress address, int value) {
  const int page = PageOf(address);
  const int index = IndexOf(address);
  Bytes payload;
  if (page != kDeqPage) {
    AppendValue(payload, value);
    return BuildBlock(command, address, payload);
  }
  const int group = DeqGroup(index);
  AppendValue(payload, group);
  AppendValue(payload, value);
  return BuildBlock(command, MakeAddress(page, index - 12 * group), payload);
}

BandValues ReadBandValues(const ParamStore& store, int page, int band) {
  BandValues values{};
  for (int k = 0; k < kBandValueCount; ++k) {
    const int index = page >= 0 && page < kSystemPage ? BandValueIndex(page, band, k) : -1;
    values[static_cast<size_t>(k)] = store.View(page, index);
  }
  return values;
}

int BandFieldIndex(int page, int band, int k) {
  return page >= 0 && page < kSystemPage ? BandValueIndex(page, band, k) : -1;
}

void WriteDeviceBandValues(ParamStore& store, int page, int band, const BandValues& values) {
  for (int k = 0; k < kBandValueCount; ++k) {
    const int index = BandFieldIndex(page, band, k);
    if (index < 0) return;
    store.SetDevice(page, ParamStore::DeviceIndex(page, index, store.LayoutFlag),
                    values[static_cast<size_t>(k)]);
  }
}

BandValues ReadDeviceBandValues(const ParamStore& store, int page, int band) {
  BandValues values{};
  for (int k = 0; k < kBandValueCount; ++k) {
    const int index = page >= 0 && page < kSystemPage ? BandValueIndex(page, band, k) : -1;
    values[static_cast<size_t>(k)] =
        index < 0 ? 0 : store.Device(page, ParamStore::DeviceIndex(page, index, store.LayoutFlag));
  }
  return values;
}

Bytes BuildBandFrame(ParamAddress bandFrameAddress, int band, const BandValues& values) {
  Bytes payload;
  AppendValue(payload, band);
  for (const int32_t value : values) AppendValue(payload, value);
  return BuildBlock(kCmdWrite, bandFrameAddress, payload);
}

Bytes BuildBandFrame(const ParamStore& store, ParamAddress bandFrameAddress, int band) {
  return BuildBandFrame(bandFrameAddress, band,
                        ReadBandValues(store, PageOf(bandFrameAddress), band));
}

Bytes BuildLinkControl(int code) { return BuildValue(kCmdWrite, sysaddr::LinkControl, code); }

Bytes BuildPageRequest(int page) { return BuildValue(kCmdRequest, sysaddr::PageRequest, page); }

Bytes BuildItemRequest(ParamAddress address) { return BuildBlock(kCmdRequest, address, {}); }

Bytes BuildNameRequest(int modeNumber) {
  return BuildValue(kCmdRequest, sysaddr::ModeName, modeNumber);
}

int PageUploadValueCount(int page) {
  return page == 0 ? kMusicUploadValueCount : PageValueCount(page);
}

Bytes BuildPageUpload(const ParamStore& store, int page) {
  const int count = PageUploadValueCount(page);
  Bytes payload;
  payload.reserve(2 + 2 * static_cast<size_t>(count));
  AppendValue(payload, page);
  for (int k = 0; k < count; ++k) AppendValue(payload, store.Device(page, k));
  return BuildBlock(kCmdWrite, sysaddr::PageUpload, payload);
}

Bytes BuildUploadClosing(const ParamStore& store) {
  return BuildValue(kCmdRequest, sysaddr::Remote,
                    store.View(kSystemPage, IndexOf(sysaddr::Remote)));
}

Bytes BuildText(ParamAddress address, const std::string& text) {
  Bytes payload;
  if (address == sysaddr::ModeSave) {
    payload.assign(kModeSavePayload, 0);
    for (size_t k = 0; k < 2 && k < text.size(); ++k) payload[k] = static_cast<uint8_t>(text[k]);
    for (size_t k = 2; k < kModeSavePayload && k < text.size(); ++k) {
      payload[k] = EncodeNameChar(text[k]);
    }
  } else {
    for (char c : text) payload.push_back(c >= '0' && c <= '9' ? static_cast<uint8_t>(c - '0') : 0);
  }
  return BuildBlock(kCmdWrite, address, payload);
}

Bytes BuildModeSave(int index, const std::string& name) {
  std::string text;
  text.push_back(static_cast<char>(index));
  text.push_back('\0');
  text += name;
  return BuildText(sysaddr::ModeSave, text);
}

AnswerLength PageAnswerLength(int page) {
  const size_t bytes = 2 * static_cast<size_t>(PageUploadValueCount(page));
  return {bytes, bytes};
}

AnswerLength ItemAnswerLength(ParamAddress item) {
  switch (item) {
    case sysaddr::ModeName:
      return {0, kMaxNameLength};
    case sysaddr::SystemPassword:
      return {kSystemPasswordDigits, kSystemPasswordDigits};
    case sysaddr::KeyLockPassword:
      return {kKeyLockPasswordDigits, kKeyLockPasswordDigits};
    case sysaddr::DeviceCode:
      return {kDeviceCodeBytes, kDeviceCodeBytes};
    default:
      return {kValueBytes, kValueBytes};
  }
}

size_t FramePayloadSize(std::span<const uint8_t> frame) {
  return frame.size() >= kMinFrameSize ? frame.size() - kMinFrameSize : 0;
}

std::vector<ReportedValue> ReportedValues(std::span<const uint8_t> frame) {
  std::vector<ReportedValue> values;
  if (frame.size() < kMinFrameSize) return values;
  const int page = frame[4];
  const int index = frame[5];
  const auto payload = frame.subspan(kHeaderSize, FramePayloadSize(frame));
  const auto add = [&](int p, int slot, int32_t value) {
    const bool inRow = p == kSystemPage ? slot > 0 && slot < kLinkControlIndex
                                        : slot >= 0 && slot < kDeviceRowSize;
    if (inRow) values.push_back({p, slot, value});
  };
  if (page == kSystemPage) {
    const bool textItem = index == kNameIndex || index == kSystemPasswordIndex ||
                          index == kKeyLockPasswordIndex || index == kUploadIndex ||
                          index == kPageRequestIndex;
    if (!textItem && payload.size() == kValueBytes) add(page, index, ReadValue(payload, 0));
    return values;
  }
  if (page > kSystemPage) return values;
  const ParamAddress address = MakeAddress(page, index);
  if (address == kPages[static_cast<size_t>(page)].bandFrameAddress &&
      payload.size() == kValueBytes * (1 + kBandValueCount)) {
    const int band = ReadValue(payload, 0);
    if (band < 0 || band >= kPages[static_cast<size_t>(page)].bandCount) return values;
    for (int k = 0; k < kBandValueCount; ++k) {
      add(page, BandValueIndex(page, band, k), ReadValue(payload, kValueBytes * (1 + k)));
    }
    return values;
  }
  if (page == kDeqPage && payload.size() == 2 * kValueBytes) {
    // A DEQ value travels as its group, then the value; the index is within the group.
    const int group = ReadValue(payload, 0);
    add(page, index + kDeqGroupSize * group, ReadValue(payload, kValueBytes));
    return values;
  }
  for (size_t j = 0; j + 1 < payload.size(); j += kValueBytes) {
    add(page, index + static_cast<int>(j / kValueBytes), ReadValue(payload, j));
  }
  return values;
}

uint8_t EncodeNameChar(char c) { return static_cast<uint8_t>(static_cast<uint8_t>(c) - 32); }

char DecodeNameChar(uint8_t b) { return b < 96 ? static_cast<char>(b + 32) : '?'; }

namespace {

DecodeResult ApplySystemFrame(int page, int index, std::span<const uint8_t> payload,
                              ParamStore& store, int requestedName) {
  switch (index) {
    case kNameIndex: {
      if (requestedName < 0 || requestedName >= static_cast<int>(store.ModeNames.size())) {
        return DecodeResult::Dropped;
      }
      std::string name;
      const size_t count = std::min(payload.size(), kMaxNameLength);
      for (size_t k = 0; k < count; ++k) name.push_back(DecodeNameChar(payload[k]));
      store.ModeNames[static_cast<size_t>(requestedName)] = name;
      return DecodeResult::Applied;
    }
    case kSystemPasswordIndex: {
      std::string text;
      for (uint8_t b : payload) text += std::to_string(b);
      store.SystemPassword = text;
      return DecodeResult::Applied;
    }
    case kKeyLockPasswordIndex: {
      std::string text;
      for (uint8_t b : payload) text.push_back(b < 10 ? static_cast<char>('0' + b) : '0');
      store.KeyLockPassword = text;
      return DecodeResult::Applied;
    }
    case kUploadIndex:
    case kPageRequestIndex:
    case kLinkControlIndex:
      return DecodeResult::Applied;
    case kDeviceCodeIndex: {
      if (payload.size() < kDeviceCodeBytes) return DecodeResult::Dropped;
      char text[2 * kDeviceCodeBytes + 1];
      std::snprintf(text, sizeof text, "%02X%02X%02X%02X", payload[0], payload[1], payload[2],
                    payload[3]);
      store.DeviceCode = text;
      return DecodeResult::Applied;
    }
    default:
      break;
  }
  if (page == kSystemPage && index < kLinkControlIndex && payload.size() >= 2) {
    store.SetDevice(kSystemPage, index, ReadValue(payload, 0));
    return DecodeResult::Applied;
  }
  return DecodeResult::Dropped;
}

}  // namespace

DecodeOutcome DecodeFrame(LinkKind kind, std::span<const uint8_t> bytes, ParamStore& store,
                          int requestedName) {
  DecodeOutcome outcome;
  if (bytes.empty()) return outcome;
  if (kind == LinkKind::Network) {
    if (bytes[0] == kAckStart) {
      if (bytes.size() >= 2 && (bytes[1] == 0xBB || bytes[1] == 0xAA)) {
        outcome.result = DecodeResult::Acknowledged;
      }
      return outcome;
    }
    if (bytes[0] != kFrameStart) return outcome;
    outcome.frameReceived = true;
  } else if (bytes[0] != kFrameStart) {
    return outcome;
  }

  // The length byte is not trusted: the frame is what actually arrived.
  if (bytes.size() < kMinFrameSize) return outcome;
  const size_t n = bytes.size();
  if (FrameChecksum(bytes.first(n - 1)) != bytes[n - 1]) return outcome;

  const int page = bytes[4];
  const int index = bytes[5];
  const auto payload = bytes.subspan(kHeaderSize, n - kMinFrameSize);

  if (page < kSystemPage) {
    const size_t count = payload.size() / 2;
    for (size_t j = 0; j < count; ++j) {
      const size_t slot = static_cast<size_t>(index) + j;
      if (slot >= static_cast<size_t>(kDeviceRowSize)) break;
      store.DeviceImage[page][slot] = ReadValue(payload, 2 * j);
    }
    outcome.result = DecodeResult::Applied;
    return outcome;
  }
  outcome.result = ApplySystemFrame(page, index, payload, store, requestedName);
  return outcome;
}

}  // namespace velantro
