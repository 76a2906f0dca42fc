#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/Messages.h"
#include "model/ParamStore.h"

namespace velantro {

// A preset file ("<name>.Nddt") holds the whole DeviceImage as encoded text lines:
//   line 0       "Z7 226"             file type code 0xBA, XOR 0x58
//   line 1       "Corlo 89"
//   lines 2..P+1 "<address XOR j> <value XOR j>" for line j
//   line P+2     "Intoal: <P+2>"      number of lines before it
//   line P+3     "CCCCK: <checksum>"  checksum of the P values
// Every line is encoded byte by byte with PresetLineKey and written as upper-case hex, CR LF.

inline constexpr std::string_view kPresetExtension = ".Nddt";
inline constexpr std::array<uint8_t, 8> PresetLineKey{
    {0x5E, 0xA3, 0x17, 0xC8, 0x2B, 0xF0, 0x64, 0x9D}};

constexpr int kPresetFileTypeCode = 0xBA;
constexpr int kPresetHeaderXor = 0x58;

// Last DeviceImage index each page writes (inclusive): page p writes indices
// 0..kPresetLastIndex[p].
inline constexpr std::array<int, kPageCount> kPresetLastIndex{
    {116, 83, 37, 83, 41, 41, 116, 71, 71, 116, 35}};
constexpr int kPresetPayloadLines = 821;  // P of a file the console writes
constexpr int kPresetFileLines = 825;

// Page 0 indices 110..115 carry the system page's volume limits (page 10 indices 6..11).
constexpr int kPresetVolumeCopyIndex = 110;
constexpr int kSystemVolumeIndex = 6;
constexpr int kVolumeLimitCount = 6;
constexpr int kSystemNormalVolumeIndex = 32;  // 0x0A20..0x0A22: music, MIC, effect

// A preset the console writes is about 20 KB; anything far larger is no preset and is refused
// before it is read whole.
constexpr std::size_t kPresetMaxFileBytes = std::size_t{1} << 20;

// Line codec. DecodeLine returns nothing when a character pair is not hexadecimal; an odd last
// character is ignored.
std::string EncodeLine(std::string_view plain);
std::optional<std::string> DecodeLine(std::string_view encoded);

// Checksum of the plain payload values' 32-bit sum: ((S XOR 0xFFFF) + 1) rem 256 (sign of t).
int32_t PresetChecksum(int32_t sum);

// The complete text of a preset file for the store's DeviceImage (CR LF line ends). The volume
// limits of page 10 are written into page 0's slots 110..115 of the file; the store is unchanged.
std::string FormatPresetFile(const ParamStore& store);

enum class PresetError {
  None,
  NotFound,     // "File not find!"
  FormatError,  // "File format error!"
  Corrupted,    // "Data file is corrupted!"
};

// Text of a reader failure, in both languages.
LocalizedText PresetErrorText(PresetError error);
// Caption of the preset messages: the application title.
LocalizedText PresetMessageCaption();

struct PresetParseResult {
  PresetError error = PresetError::None;
  int parameterCount = 0;  // payload lines of the file (valid when error is None)
  // What is wrong, for a person, naming the line where one is to blame ("line 7 is not an
  // address and a value"); empty when error is None. `detail` is English, `detailChinese` the
  // same in Chinese.
  std::string detail;
  std::string detailChinese;
  LocalizedText Detail() const { return {detailChinese, detail}; }
};

// Validates the text of a preset file and, only when it is valid, writes its values into image
// and applies the volume mirror (limits back to page 10, normal volumes := start volumes).
// On any failure image is left exactly as it was. A leading UTF-8 byte-order mark is skipped.
// Needs no memory beyond a line and a copy of the image, whatever the text holds.
PresetParseResult ParsePresetText(std::string_view text, DeviceTable& image);

// The one way preset files are read: the whole text of the file, at most kPresetMaxFileBytes.
// NotFound when the file cannot be opened or read, Corrupted when it is larger (text is then
// empty; the rest of the file is never read). Never throws for the file's sake.
// detail, when given, receives what kept the file from being read ("there is no such file", "it
// is a folder, not a preset file", "this user may not read it (Permission denied)", ...) in both
// languages; the operating system's own words in it stay as it gives them.
PresetError ReadPresetText(const std::filesystem::path& path, std::string& text,
                           LocalizedText* detail);
// The same with the detail in English only.
PresetError ReadPresetText(const std::filesystem::path& path, std::string& text,
                           std::string* detail = nullptr);

// The cells a preset's upload sends to the unit: pages 0..9 and the six volume limits (page 10
// indices 6..11). Copies them from preset into image; the rest of image's system page (current
// mode, user level, key lock, the strips' volumes, ...) stays, as the unit keeps its own.
void TakeUploadedCells(const DeviceTable& preset, DeviceTable& image);

// Writes the store's DeviceImage to path: a symlink is followed and the file it names is
// replaced; the new file is made under a fresh name (created exclusively) in that file's folder,
// takes the old file's mode (and owner, where allowed) and is renamed over it, so a crash or a
// full disk never leaves half a preset. A device, FIFO or folder at path is refused. A failure is
// reported through messages with the file and the reason, in the given language (the operating
// system's own words for a reason stay as it gives them); returns whether the file was written.
// Never throws.
bool WritePresetFile(const std::filesystem::path& path, const ParamStore& store, Messages& messages,
                     Language language = Language::English);

// Reads and validates a preset file; on success its values replace the store's DeviceImage cells
// (ViewValues untouched). Each failure shows its message once, in the given language, and
// leaves the whole store as it was. parameterCount, when given, receives the number of payload
// lines on success. Never throws.
bool ReadPresetFile(const std::filesystem::path& path, ParamStore& store, Messages& messages,
                    Language language = Language::English, int* parameterCount = nullptr);

// ReadPresetFile for the load flow, into an image of the caller's, so the file can be looked at
// before the store takes it: only the cells the upload sends (TakeUploadedCells) take the file's
// values (`image` is a copy of what the unit holds), so the store never shows system settings the
// unit does not receive. A failure shows its message once and leaves image as it was.
bool ReadPresetUploadImage(const std::filesystem::path& path, DeviceTable& image,
                           Messages& messages, Language language = Language::English);

}  // namespace velantro
