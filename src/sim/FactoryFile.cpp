#include "sim/FactoryFile.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

namespace velantro::unit {

namespace {

// The preset line key: each plain byte XOR the key byte at its position (mod 8), as two
// upper-case hex digits.
constexpr std::array<uint8_t, 8> kLineKey{{0x5E, 0xA3, 0x17, 0xC8, 0x2B, 0xF0, 0x64, 0x9D}};
constexpr int kFirstValueLine = 2;  // lines 0 and 1 are the header
constexpr int kVolumeCopyFirstSlot = 110;
constexpr int kVolumeCopyCount = 6;
constexpr int kSlotsPerAddressPage = 256;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> Decode(std::string_view line) {
  std::string plain;
  for (size_t k = 0; k + 1 < line.size(); k += 2) {
    const int high = HexDigit(line[k]);
    const int low = HexDigit(line[k + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    plain += static_cast<char>((high << 4 | low) ^ kLineKey[(k / 2) % kLineKey.size()]);
  }
  return plain;
}

// "address value" of a plain line; nothing for anything else.
std::optional<std::pair<int32_t, int32_t>> AddressAndValue(std::string_view plain) {
  int32_t address = 0;
  int32_t value = 0;
  const char* end = plain.data() + plain.size();
  auto [after, error] = std::from_chars(plain.data(), end, address);
  if (error != std::errc() || after == end || *after != ' ') return std::nullopt;
  auto [last, valueError] = std::from_chars(after + 1, end, value);
  if (valueError != std::errc() || last != end) return std::nullopt;
  return std::pair{address, value};
}

bool IsVolumeCopy(int page, int slot) {
  return page == kMusicPage && slot >= kVolumeCopyFirstSlot &&
         slot < kVolumeCopyFirstSlot + kVolumeCopyCount;
}

}  // namespace

Image ReadPresetImage(std::string_view text) {
  Image image{};
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const int j = number++;
    if (j < kFirstValueLine) continue;
    const std::optional<std::string> plain = Decode(line);
    if (!plain) continue;
    const auto pair = AddressAndValue(*plain);
    if (!pair) continue;
    const int address = pair->first ^ j;
    const int page = address / kSlotsPerAddressPage;
    const int slot = address % kSlotsPerAddressPage;
    if (!InImage(page, slot) || IsVolumeCopy(page, slot)) continue;
    image[page][slot] = pair->second ^ j;
  }
  return image;
}

}  // namespace velantro::unit
