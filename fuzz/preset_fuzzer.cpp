// The preset reader and the line codec on any text: nothing crashes, a refused file leaves the
// image exactly as it was, an accepted one carries the volume mirror and survives being written
// and read again unchanged, and the line codec round-trips.
//
// Input: byte 0 holds options, the rest is the text.
//   bit 0  0: the text is the file as stored (encoded lines)
//          1: the text is the plain lines, separated by LF; each is encoded and ended by CR LF
//             (reaches the header, count, payload and checksum checks more often)

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "model/ParamStore.h"
#include "presets/PresetFile.h"

namespace velantro::fuzz {
namespace {

void CheckLineCodec(std::string_view text) {
  const std::optional<std::string> plain = DecodeLine(EncodeLine(text));
  FUZZ_CHECK(plain && *plain == text);

  const std::optional<std::string> decoded = DecodeLine(text);
  if (!decoded) return;
  FUZZ_CHECK(decoded->size() == text.size() / 2);
  std::string upper(text.substr(0, 2 * decoded->size()));
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  FUZZ_CHECK(EncodeLine(*decoded) == upper);
}

std::string EncodePlainLines(std::string_view plain) {
  std::string out;
  size_t start = 0;
  while (start <= plain.size()) {
    size_t end = plain.find('\n', start);
    if (end == std::string_view::npos) end = plain.size();
    out += EncodeLine(plain.substr(start, end - start));
    out += "\r\n";
    start = end + 1;
  }
  return out;
}

void CheckReader(std::string_view text) {
  DeviceTable image;
  FillPattern(image);
  const DeviceTable before = image;
  const PresetParseResult result = ParsePresetText(text, image);
  if (result.error != PresetError::None) {
    FUZZ_CHECK(image == before);
    return;
  }
  FUZZ_CHECK(result.parameterCount >= 0);

  // Volume mirror: limits back to the system page, normal volumes at the start volumes.
  for (int k = 0; k < kVolumeLimitCount; ++k) {
    FUZZ_CHECK(image[kSystemPage][kSystemVolumeIndex + k] == image[0][kPresetVolumeCopyIndex + k]);
  }
  for (int k = 0; k < 3; ++k) {
    FUZZ_CHECK(image[kSystemPage][kSystemNormalVolumeIndex + k] ==
               image[kSystemPage][kSystemVolumeIndex + 2 * k]);
  }

  // What was accepted, written out and read back, is the same image.
  ParamStore store;
  store.DeviceImage = image;
  const std::string written = FormatPresetFile(store);
  DeviceTable again = image;
  const PresetParseResult reread = ParsePresetText(written, again);
  FUZZ_CHECK(reread.error == PresetError::None);
  FUZZ_CHECK(reread.parameterCount == kPresetPayloadLines);
  FUZZ_CHECK(again == image);
}

}  // namespace
}  // namespace velantro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velantro;
  if (size < 1) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  fuzz::CheckLineCodec(rest);
  if ((data[0] & 1) != 0) {
    fuzz::CheckReader(fuzz::EncodePlainLines(rest));
  } else {
    fuzz::CheckReader(rest);
  }
  return 0;
}
