#include "presets/PresetFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace velantro {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Splits at every single space: "a  b" gives "a", "", "b".
std::vector<std::string_view> SplitAtSpaces(std::string_view line) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (true) {
    const std::size_t space = line.find(' ', start);
    if (space == std::string_view::npos) {
      pieces.push_back(line.substr(start));
      return pieces;
    }
    pieces.push_back(line.substr(start, space - start));
    start = space + 1;
  }
}

// A whole piece as a 32-bit decimal integer: optional "-", digits, nothing else.
std::optional<int32_t> ParseInteger(std::string_view piece) {
  if (piece.empty()) return std::nullopt;
  int32_t value = 0;
  const char* end = piece.data() + piece.size();
  const auto [ptr, ec] = std::from_chars(piece.data(), end, value, 10);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// Second piece of a decoded line as an integer (the number after "Z7", "Intoal:", "CCCCK:").
std::optional<int32_t> SecondNumber(std::string_view line) {
  const std::vector<std::string_view> pieces = SplitAtSpaces(line);
  if (pieces.size() < 2) return std::nullopt;
  return ParseInteger(pieces[1]);
}

// Lines as a text file reader sees them: CR LF, LF or CR end a line; a final line without an
// end still counts, a file ending in a line end has no extra empty line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(text.substr(start, i - start));
      ++i;
      if (c == '\r' && i < text.size() && text[i] == '\n') ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

void AppendEncoded(std::string& out, const std::string& plain) {
  out += EncodeLine(plain);
  out += "\r\n";
}

void CopyVolumeMirror(DeviceTable& image) {
  for (int k = 0; k < kVolumeLimitCount; ++k) {
    image[kSystemPage][kSystemVolumeIndex + k] = image[0][kPresetVolumeCopyIndex + k];
  }
  // Normal volumes of music, MIC and effect start at their start volumes (indices 6, 8, 10).
  for (int k = 0; k < 3; ++k) {
    image[kSystemPage][kSystemNormalVolumeIndex + k] =
        image[kSystemPage][kSystemVolumeIndex + 2 * k];
  }
}

std::string ErrnoText(int error) {
  return std::error_code(error, std::generic_category()).message();
}

void ReportWriteFailure(Messages& messages, const std::filesystem::path& path,
                        const std::string& reason) {
  messages.Information("Cannot save the preset file \"" + path.string() + "\": " + reason + ".",
                       PresetMessageCaption().english);
}

// Writes text to a new file and flushes it to the disk; returns an empty string or the reason.
std::string WriteWholeFile(const std::filesystem::path& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return ErrnoText(errno);
  std::string reason;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) reason = ErrnoText(errno);
  if (reason.empty() && std::fflush(file) != 0) reason = ErrnoText(errno);
#if defined(__unix__) || defined(__APPLE__)
  if (reason.empty() && ::fsync(::fileno(file)) != 0) reason = ErrnoText(errno);
#endif
  if (std::fclose(file) != 0 && reason.empty()) reason = ErrnoText(errno);
  return reason;
}

// Reads a whole file; false when it cannot be opened or read (a folder, no permission, ...).
bool ReadWholeFile(const std::filesystem::path& path, std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  text.clear();
  char buffer[16384];
  bool ok = true;
  while (true) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
    text.append(buffer, got);
    if (got < sizeof buffer) {
      ok = std::ferror(file) == 0;
      break;
    }
  }
  std::fclose(file);
  return ok;
}

}  // namespace

std::string EncodeLine(std::string_view plain) {
  std::string out;
  out.reserve(plain.size() * 2);
  for (std::size_t k = 0; k < plain.size(); ++k) {
    const auto byte = static_cast<uint8_t>(static_cast<uint8_t>(plain[k]) ^
                                           PresetLineKey[k % PresetLineKey.size()]);
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
  }
  return out;
}

std::optional<std::string> DecodeLine(std::string_view encoded) {
  const std::size_t pairs = encoded.size() / 2;
  std::string plain;
  plain.reserve(pairs);
  for (std::size_t k = 0; k < pairs; ++k) {
    const int high = HexValue(encoded[2 * k]);
    const int low = HexValue(encoded[2 * k + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    plain += static_cast<char>((high << 4 | low) ^ PresetLineKey[k % PresetLineKey.size()]);
  }
  return plain;
}

int32_t PresetChecksum(int32_t sum) {
  const auto t = static_cast<int32_t>((static_cast<uint32_t>(sum) ^ 0xFFFFu) + 1u);
  return t % 256;
}

std::string FormatPresetFile(const ParamStore& store) {
  DeviceTable image = store.DeviceImage;
  for (int k = 0; k < kVolumeLimitCount; ++k) {
    image[0][kPresetVolumeCopyIndex + k] = image[kSystemPage][kSystemVolumeIndex + k];
  }
  std::string out;
  out.reserve(kPresetFileLines * 40);
  AppendEncoded(out, "Z7 " + std::to_string(kPresetFileTypeCode ^ kPresetHeaderXor));
  AppendEncoded(out, "Corlo " + std::to_string(1 ^ kPresetHeaderXor));
  int32_t line = 1;
  int32_t sum = 0;
  for (int page = 0; page < kPageCount; ++page) {
    for (int index = 0; index <= kPresetLastIndex[page]; ++index) {
      ++line;
      const int32_t value = image[page][index];
      AppendEncoded(out, std::to_string(MakeAddress(page, index) ^ line) + " " +
                             std::to_string(value ^ line));
      sum = WrappingAdd(sum, value);
    }
  }
  ++line;
  AppendEncoded(out, "Intoal: " + std::to_string(line));
  AppendEncoded(out, "CCCCK: " + std::to_string(PresetChecksum(sum)));
  return out;
}

LocalizedText PresetErrorText(PresetError error) {
  switch (error) {
    case PresetError::NotFound:
      return {"文件不存在", "File not find!"};
    case PresetError::FormatError:
      return {"文件格式错误!", "File format error!"};
    case PresetError::Corrupted:
      return {"数据文件损坏!", "Data file is corrupted!"};
    case PresetError::None:
      break;
  }
  return {};
}

LocalizedText PresetMessageCaption() { return {"Velantro", "Velantro"}; }

PresetParseResult ParsePresetText(std::string_view text, DeviceTable& image) {
  const std::vector<std::string_view> raw = SplitLines(text);
  std::vector<std::string> lines;
  lines.reserve(raw.size());
  for (std::string_view encoded : raw) {
    std::optional<std::string> plain = DecodeLine(encoded);
    if (!plain) return {PresetError::Corrupted, 0};
    lines.push_back(std::move(*plain));
  }
  const int count = static_cast<int>(lines.size());

  // Header: the number after the first word gives the file type; the second line's number is
  // read but not compared.
  if (count < 2) return {PresetError::Corrupted, 0};
  const std::optional<int32_t> type = SecondNumber(lines[0]);
  if (!type) return {PresetError::Corrupted, 0};
  if (!SecondNumber(lines[1])) return {PresetError::Corrupted, 0};
  if ((*type ^ kPresetHeaderXor) != kPresetFileTypeCode) return {PresetError::FormatError, 0};

  // Line count and checksum lines.
  const std::optional<int32_t> lineCount = SecondNumber(lines[count - 2]);
  const std::optional<int32_t> checksum = SecondNumber(lines[count - 1]);
  if (!lineCount || !checksum) return {PresetError::Corrupted, 0};
  if (*lineCount != count - 2) return {PresetError::Corrupted, 0};

  // Payload into a scratch image, committed only when the checksum matches.
  DeviceTable scratch = image;
  int32_t sum = 0;
  for (int j = 2; j <= count - 3; ++j) {
    const std::vector<std::string_view> pieces = SplitAtSpaces(lines[j]);
    if (pieces.size() < 2) return {PresetError::Corrupted, 0};
    const std::optional<int32_t> address = ParseInteger(pieces[0]);
    const std::optional<int32_t> value = ParseInteger(pieces[1]);
    if (!address || !value) return {PresetError::Corrupted, 0};
    const int32_t a = *address ^ j;
    const int32_t v = *value ^ j;
    if (a < 0 || !ParamStore::InDeviceRow(a / 256, a % 256)) return {PresetError::Corrupted, 0};
    scratch[a / 256][a % 256] = v;
    sum = WrappingAdd(sum, v);
  }
  if (PresetChecksum(sum) != *checksum) return {PresetError::Corrupted, 0};

  CopyVolumeMirror(scratch);
  image = scratch;
  return {PresetError::None, count > 4 ? count - 4 : 0};
}

bool WritePresetFile(const std::filesystem::path& path, const ParamStore& store,
                     Messages& messages) {
  try {
    if (!path.has_filename()) {
      ReportWriteFailure(messages, path, "the name is not a file name");
      return false;
    }
    const std::string text = FormatPresetFile(store);
    const std::filesystem::path temporary =
        path.parent_path() / (".~" + path.stem().string() + ".tmp");
    std::string reason = WriteWholeFile(temporary, text);
    if (reason.empty()) {
      std::error_code error;
      std::filesystem::rename(temporary, path, error);
      if (error) reason = error.message();
    }
    if (!reason.empty()) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      ReportWriteFailure(messages, path, reason);
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    ReportWriteFailure(messages, path, e.what());
  } catch (...) {
    ReportWriteFailure(messages, path, "unknown error");
  }
  return false;
}

bool ReadPresetFile(const std::filesystem::path& path, ParamStore& store, Messages& messages,
                    Language language, int* parameterCount) {
  PresetParseResult result{PresetError::NotFound, 0};
  try {
    std::string text;
    if (ReadWholeFile(path, text)) result = ParsePresetText(text, store.DeviceImage);
  } catch (...) {
    // Out of memory on an absurd file: treated as unreadable, the store is untouched.
    result = {PresetError::NotFound, 0};
  }
  if (result.error != PresetError::None) {
    ShowLocalizedMessage(messages, language, PresetErrorText(result.error), PresetMessageCaption());
    return false;
  }
  if (parameterCount != nullptr) *parameterCount = result.parameterCount;
  return true;
}

}  // namespace velantro
