// Writes the seed corpora of the fuzz targets: known-good frames and streams built with the
// console's own builders, and the example preset, stored and as plain lines.
//
//   velantro_fuzz_seeds OUTDIR PRESET   creates OUTDIR/{frame_decode,receivers,preset}/

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "link/Frames.h"
#include "model/ParamStore.h"
#include "presets/PresetFile.h"

namespace velantro {
namespace {

namespace fs = std::filesystem;

Bytes B(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

bool WriteSeed(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

Bytes WithPrefix(std::initializer_list<uint8_t> prefix, const Bytes& body) {
  Bytes out(prefix);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// Frames as the unit sends them and as the console sends them.
std::vector<Bytes> KnownFrames() {
  ParamStore store;
  for (int p = 0; p < kPageCount; ++p) {
    for (int i = 0; i < kViewRowSize; ++i) store.ViewValues[p][i] = (p * 37 + i * 11) % 400;
    for (int i = 0; i < kDeviceRowSize; ++i) store.DeviceImage[p][i] = (p * 53 + i * 7) % 500;
  }
  std::vector<Bytes> frames{
      B({0xFC, 0xBA, 0x06, 0xA7, 0x01, 0x05, 0x2C, 0x01, 0x6C}),
      B({0xFC, 0xBA, 0x08, 0xA7, 0x03, 0x10, 0x01, 0x00, 0x02, 0x00, 0x03}),
      BuildPageRequest(3),
      BuildLinkControl(kLinkConnect),
      BuildItemRequest(0x0A07),
      BuildNameRequest(2),
      BuildValue(kCmdWrite, 0x020E, 5),
      BuildBandFrame(store, kPages[1].bandFrameAddress, 2),
      BuildBandFrame(store, kPages[2].bandFrameAddress, 1),
      BuildModeSave(3, "Party Hall"),
      BuildText(sysaddr::SystemPassword, "123456"),
      BuildText(sysaddr::KeyLockPassword, "0429"),
      BuildBlock(kCmdWrite, sysaddr::DeviceCode, B({0x12, 0xAB, 0x00, 0xFF})),
      BuildBlock(kCmdWrite, sysaddr::ModeName,
                 B({0x2B, 0x4F, 0x52, 0x41, 0x4F, 0x4B, 0x41, 0x00, 0x31, 0x00, 0x00,
                    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40})),
      BuildValue(kCmdWrite, sysaddr::CurrentMode, 4),
      BuildUploadClosing(store),
  };
  // A page as the unit answers a page request, and the console's page upload.
  for (int page : {0, 2, 6, 10}) {
    Bytes payload;
    for (int k = 0; k < std::min(PageValueCount(page), 120); ++k) {
      payload.push_back(static_cast<uint8_t>(store.DeviceImage[page][k]));
      payload.push_back(static_cast<uint8_t>(store.DeviceImage[page][k] >> 8));
    }
    frames.push_back(BuildBlock(kCmdWrite, MakeAddress(page, 0), payload));
    frames.push_back(BuildPageUpload(store, page));
  }
  return frames;
}

uint8_t UnusedByte(const Bytes& stream) {
  std::array<bool, 256> used{};
  for (uint8_t b : stream) used[b] = true;
  for (int b = 0x55; b < 0x55 + 256; ++b) {
    if (!used[b & 0xFF]) return static_cast<uint8_t>(b);
  }
  return 0x55;
}

// A stream of messages, cut into pieces at the given positions.
Bytes ReceiverSeed(const std::vector<Bytes>& messages, uint8_t options, size_t cutEvery) {
  Bytes stream;
  for (const Bytes& m : messages) stream.insert(stream.end(), m.begin(), m.end());
  const uint8_t separator = UnusedByte(stream);
  Bytes seed{separator, options};
  for (size_t k = 0; k < stream.size(); ++k) {
    if (cutEvery != 0 && k != 0 && k % cutEvery == 0) seed.push_back(separator);
    seed.push_back(stream[k]);
  }
  return seed;
}

int Run(const fs::path& out, const fs::path& preset) {
  for (const char* dir : {"frame_decode", "receivers", "preset"}) fs::create_directories(out / dir);
  bool ok = true;
  int n = 0;

  const std::vector<Bytes> frames = KnownFrames();
  for (const Bytes& frame : frames) {
    // Serial and network; a name requested (mode 2); builder round trip on.
    for (uint8_t options : {0x00, 0x01, 0x0C, 0x41}) {
      ok &= WriteSeed(out / "frame_decode" / ("seed" + std::to_string(n++)),
                      WithPrefix({options}, frame));
    }
  }
  ok &= WriteSeed(out / "frame_decode" / "ack", WithPrefix({0x01}, B({0xFE, 0xBB})));

  const Bytes ack = B({0xFE, 0xBB});
  const std::vector<std::vector<Bytes>> streams{
      {ack, frames[0], B({0x00, 0x13}), ack, frames[1]},
      {frames[2], B({0xFE, 0xAA}), frames[7], frames[8]},
      {B({0xFC, 0xBB, 0x06, 0xA7}), frames[0], B({0xFE, 0x00}), frames[13]},
      {frames[frames.size() - 2], ack, frames[frames.size() - 1]},
  };
  n = 0;
  for (const auto& messages : streams) {
    for (uint8_t options : {0x00, 0x01, 0x02, 0x0F, 0x40}) {
      for (size_t cut : {0, 1, 5}) {
        ok &= WriteSeed(out / "receivers" / ("seed" + std::to_string(n++)),
                        ReceiverSeed(messages, options, cut));
      }
    }
  }

  // The example preset as stored, and as plain lines.
  std::ifstream in(preset, std::ios::binary);
  const std::string stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (stored.empty()) {
    std::fprintf(stderr, "cannot read %s\n", preset.c_str());
    return 1;
  }
  Bytes storedSeed{0x00};
  storedSeed.insert(storedSeed.end(), stored.begin(), stored.end());
  ok &= WriteSeed(out / "preset" / "example-stored", storedSeed);
  Bytes plainSeed{0x01};
  size_t start = 0;
  while (start < stored.size()) {
    size_t end = stored.find("\r\n", start);
    if (end == std::string::npos) end = stored.size();
    const std::optional<std::string> line =
        DecodeLine(std::string_view(stored).substr(start, end - start));
    if (line) {
      if (plainSeed.size() > 1) plainSeed.push_back('\n');
      plainSeed.insert(plainSeed.end(), line->begin(), line->end());
    }
    start = end + 2;
  }
  ok &= WriteSeed(out / "preset" / "example-plain", plainSeed);
  // A short file: ten payload lines, count and checksum right.
  std::string shortPlain = "Z7 226\nCorlo 89";
  int32_t sum = 0;
  for (int j = 2; j < 12; ++j) {
    const int value = 40 + j;
    shortPlain +=
        "\n" + std::to_string(MakeAddress(j % kPageCount, j) ^ j) + " " + std::to_string(value ^ j);
    sum += value;
  }
  shortPlain += "\nIntoal: 12\nCCCCK: " + std::to_string(PresetChecksum(sum));
  ok &= WriteSeed(out / "preset" / "short-plain",
                  WithPrefix({0x01}, Bytes(shortPlain.begin(), shortPlain.end())));

  if (!ok) {
    std::fprintf(stderr, "cannot write the seeds under %s\n", out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace velantro

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: velantro_fuzz_seeds OUTDIR PRESET\n");
    return 2;
  }
  return velantro::Run(argv[1], argv[2]);
}
