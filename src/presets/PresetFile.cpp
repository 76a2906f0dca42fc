#include "presets/PresetFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <new>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
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

// Walks the lines as a text file reader sees them: CR LF, LF or CR end a line; a final line
// without an end still counts, a file ending in a line end has no extra empty line. Lines are
// views into the text, one at a time, so a text of nothing but line ends costs no memory.
class LineWalker {
 public:
  explicit LineWalker(std::string_view text) : text_(text) {}

  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) {
      line = text_.substr(pos_);
      pos_ = text_.size();
      return true;
    }
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    return true;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Whether DecodeLine would take the line: every character pair is hexadecimal.
bool IsHexLine(std::string_view encoded) {
  const std::size_t used = encoded.size() / 2 * 2;
  for (std::size_t k = 0; k < used; ++k) {
    if (HexValue(encoded[k]) < 0) return false;
  }
  return true;
}

// DecodeLine into a buffer that is reused from line to line; the line must pass IsHexLine.
void DecodeInto(std::string_view encoded, std::string& plain) {
  const std::size_t pairs = encoded.size() / 2;
  plain.clear();
  for (std::size_t k = 0; k < pairs; ++k) {
    const int byte = HexValue(encoded[2 * k]) << 4 | HexValue(encoded[2 * k + 1]);
    plain += static_cast<char>(byte ^ PresetLineKey[k % PresetLineKey.size()]);
  }
}

// Windows editors put one in front of a text they save.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

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

// The operating system says its own reasons in its own words, the same in either language.
LocalizedText SystemText(const std::string& text) { return {text, text}; }
LocalizedText ErrnoReason(int error) { return SystemText(ErrnoText(error)); }

void ReportWriteFailure(Messages& messages, Language language, const std::filesystem::path& path,
                        const LocalizedText& reason) {
  const std::string file = path.string();
  const LocalizedText text{"无法保存预设文件“" + file + "”：" + reason.chinese + "。",
                           "Cannot save the preset file \"" + file + "\": " + reason.english + "."};
  ShowLocalizedMessage(messages, language, text, PresetMessageCaption());
}

// Temporary names stay short whatever the preset's name: a name of 255 bytes leaves no room
// for a longer one in the same folder.
constexpr std::size_t kTemporaryStemBytes = 40;
constexpr int kTemporaryNameTries = 100;
// Symlinks followed before the name is given up as a loop, as the kernel does.
constexpr int kMaxSymlinkHops = 40;

// The first bytes of the stem, never cutting a UTF-8 character in two.
std::string ShortStem(const std::filesystem::path& path) {
  std::string stem = path.stem().string();
  if (stem.size() <= kTemporaryStemBytes) return stem;
  std::size_t cut = kTemporaryStemBytes;
  while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
  return stem.substr(0, cut);
}

// Where writing path lands: the file a chain of symlinks ends at (which may not exist yet), so
// that a link like latest.Nddt -> archive/x.Nddt keeps pointing at the file it names.
std::filesystem::path FollowSymlinks(std::filesystem::path path) {
  for (int hop = 0; hop < kMaxSymlinkHops && std::filesystem::is_symlink(path); ++hop) {
    const std::filesystem::path next = std::filesystem::read_symlink(path);
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  if (std::filesystem::is_symlink(path)) {
    throw std::filesystem::filesystem_error("too many levels of symbolic links", path,
                                            std::make_error_code(std::errc::too_many_links));
  }
  return path;
}

// Why an existing thing at path is not a file that a preset may replace; empty when it is one.
LocalizedText NotAPresetFile(std::filesystem::file_type type) {
  using std::filesystem::file_type;
  switch (type) {
    case file_type::not_found:
    case file_type::regular:
      return {};
    case file_type::directory:
      return {"这是一个文件夹，不是文件", "it is a folder, not a file"};
    case file_type::character:
    case file_type::block:
      return {"这是一个设备，不是文件", "it is a device, not a file"};
    case file_type::fifo:
      return {"这是一个命名管道，不是文件", "it is a FIFO, not a file"};
    case file_type::socket:
      return {"这是一个套接字，不是文件", "it is a socket, not a file"};
    default:
      return {"这不是普通文件", "it is not a regular file"};
  }
}

// A new file that did not exist before (never through an existing name or symlink), open for
// writing; nothing when no free name was found or the folder refuses it (errno tells why).
std::FILE* CreateExclusive(const std::filesystem::path& folder, const std::string& stem,
                           std::filesystem::path& created) {
  for (int n = 0; n < kTemporaryNameTries; ++n) {
    created = folder / (".~" + stem + "." + std::to_string(n) + ".tmp");
#if defined(__unix__) || defined(__APPLE__)
    const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    std::FILE* file = fd < 0 ? nullptr : ::fdopen(fd, "wb");
    if (fd >= 0 && file == nullptr) ::close(fd);
#else
    std::FILE* file = std::fopen(created.string().c_str(), "wbx");
#endif
    if (file != nullptr || errno != EEXIST) return file;
  }
  return nullptr;
}

// The replaced file's mode, and its owner where this user may give it one: a preset kept 0600
// for one account stays so.
void KeepModeAndOwner(std::FILE* file, const std::filesystem::path& replaced) {
#if defined(__unix__) || defined(__APPLE__)
  struct stat info {};
  if (::stat(replaced.c_str(), &info) != 0) return;
  const int fd = ::fileno(file);
  if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
    [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), info.st_gid);
  }
  ::fchmod(fd, info.st_mode & 07777);
#else
  (void)file;
  (void)replaced;
#endif
}

// Writes text to file and flushes it to the disk; returns an empty text or the reason. The
// file is closed either way.
LocalizedText WriteAndClose(std::FILE* file, const std::string& text) {
  LocalizedText reason;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) reason = ErrnoReason(errno);
  if (reason.english.empty() && std::fflush(file) != 0) reason = ErrnoReason(errno);
#if defined(__unix__) || defined(__APPLE__)
  if (reason.english.empty() && ::fsync(::fileno(file)) != 0) reason = ErrnoReason(errno);
#endif
  if (std::fclose(file) != 0 && reason.english.empty()) reason = ErrnoReason(errno);
  return reason;
}

// Writes text beside target under a fresh name and renames it over target, so a crash or a full
// disk never leaves half a preset; returns an empty text or the reason.
LocalizedText ReplaceAtomically(const std::filesystem::path& target, const std::string& text) {
  const std::filesystem::path folder =
      target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
  std::filesystem::path temporary;
  std::FILE* file = CreateExclusive(folder, ShortStem(target), temporary);
  if (file == nullptr) return ErrnoReason(errno);
  const bool replacing = std::filesystem::exists(target);
  if (replacing) KeepModeAndOwner(file, target);
  LocalizedText reason = WriteAndClose(file, text);
  if (reason.english.empty()) {
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) reason = SystemText(error.message());
  }
  if (!reason.english.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
  }
  return reason;
}

// Reads into a scratch copy of image and commits only what `take` copies out of it.
template <typename Take>
bool ReadPresetInto(const std::filesystem::path& path, DeviceTable& image, Messages& messages,
                    Language language, int* parameterCount, Take take) {
  PresetParseResult result{PresetError::NotFound, 0, {}, {}};
  try {
    std::string text;
    result.error = ReadPresetText(path, text);
    if (result.error == PresetError::None) {
      DeviceTable preset = image;
      result = ParsePresetText(text, preset);
      if (result.error == PresetError::None) take(preset, image);
    }
  } catch (const std::bad_alloc&) {
    // Only a machine already out of memory gets here (the text is bounded); the file is not
    // taken, and it is not reported missing either.
    result = {PresetError::Corrupted, 0, {}, {}};
  }
  if (result.error != PresetError::None) {
    ShowLocalizedMessage(messages, language, PresetErrorText(result.error), PresetMessageCaption());
    return false;
  }
  if (parameterCount != nullptr) *parameterCount = result.parameterCount;
  return true;
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
  if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  const auto corrupted = [](const LocalizedText& detail) {
    return PresetParseResult{PresetError::Corrupted, 0, detail.english, detail.chinese};
  };
  // What is wrong with line `number`: {Chinese, English} of the words after "line N".
  const auto onLine = [](int number, const LocalizedText& what) {
    const std::string n = std::to_string(number);
    return LocalizedText{"第 " + n + " 行" + what.chinese, "line " + n + " " + what.english};
  };

  // First pass: count the lines, check that every one decodes, keep the two first and the two
  // last. The payload is decoded line by line in the second pass.
  std::array<std::string_view, 2> head;
  std::array<std::string_view, 2> tail;  // tail[1] is the last line
  int count = 0;
  LineWalker walker(text);
  for (std::string_view line; walker.Next(line); ++count) {
    if (!IsHexLine(line)) {
      return corrupted(onLine(count + 1, {"不是预设文件的编码文本", "is not encoded preset text"}));
    }
    if (count < 2) head[static_cast<std::size_t>(count)] = line;
    tail[0] = tail[1];
    tail[1] = line;
  }

  // Header: the number after the first word gives the file type; the second line's number is
  // read but not compared.
  if (count < 2) {
    const std::string n = std::to_string(count);
    return corrupted(
        {"文件只有 " + n + " 行，不足以构成预设",
         "the file has " + n + " line" + (count == 1 ? "" : "s") + ", too few for a preset"});
  }
  std::string plain;
  DecodeInto(head[0], plain);
  const std::optional<int32_t> type = SecondNumber(plain);
  const LocalizedText notAHeader{"不是预设文件头", "is not a preset header"};
  if (!type) return corrupted(onLine(1, notAHeader));
  DecodeInto(head[1], plain);
  if (!SecondNumber(plain)) return corrupted(onLine(2, notAHeader));
  if ((*type ^ kPresetHeaderXor) != kPresetFileTypeCode) {
    const std::string named = std::to_string(*type ^ kPresetHeaderXor);
    const std::string preset = std::to_string(kPresetFileTypeCode);
    return {PresetError::FormatError, 0,
            "line 1 names file type " + named + ", not a preset (" + preset + ")",
            "第 1 行的文件类型为 " + named + "，不是预设（" + preset + "）"};
  }

  // Line count and checksum lines.
  DecodeInto(tail[0], plain);
  const std::optional<int32_t> lineCount = SecondNumber(plain);
  if (!lineCount) return corrupted(onLine(count - 1, {"不是行数", "is not the line count"}));
  DecodeInto(tail[1], plain);
  const std::optional<int32_t> checksum = SecondNumber(plain);
  if (!checksum) return corrupted(onLine(count, {"不是校验和", "is not the checksum"}));
  if (*lineCount != count - 2) {
    const std::string said = std::to_string(*lineCount);
    const std::string has = std::to_string(count - 2);
    return corrupted({"行数记录为 " + said + " 行，而其前实际有 " + has + " 行",
                      "the line count says " + said + " lines before it, the file has " + has});
  }

  // Payload into a scratch image, committed only when the checksum matches.
  DeviceTable scratch = image;
  int32_t sum = 0;
  LineWalker payload(text);
  std::string_view line;
  payload.Next(line);
  payload.Next(line);
  for (int j = 2; j <= count - 3 && payload.Next(line); ++j) {
    DecodeInto(line, plain);
    const std::vector<std::string_view> pieces = SplitAtSpaces(plain);
    const std::optional<int32_t> address =
        pieces.size() < 2 ? std::nullopt : ParseInteger(pieces[0]);
    const std::optional<int32_t> value = pieces.size() < 2 ? std::nullopt : ParseInteger(pieces[1]);
    if (!address || !value) {
      return corrupted(onLine(j + 1, {"不是地址和数值", "is not an address and a value"}));
    }
    const int32_t a = *address ^ j;
    const int32_t v = *value ^ j;
    if (a < 0 || !ParamStore::InDeviceRow(a / 256, a % 256)) {
      return corrupted(onLine(
          j + 1, {"的地址不在参数页范围内", "names an address outside the parameter pages"}));
    }
    scratch[a / 256][a % 256] = v;
    sum = WrappingAdd(sum, v);
  }
  if (PresetChecksum(sum) != *checksum) {
    const std::string stored = std::to_string(*checksum);
    const std::string computed = std::to_string(PresetChecksum(sum));
    return corrupted({"校验和为 " + stored + "，但按数值算出的是 " + computed,
                      "the checksum is " + stored + " but the values give " + computed});
  }

  CopyVolumeMirror(scratch);
  image = scratch;
  return {PresetError::None, count > 4 ? count - 4 : 0, {}, {}};
}

PresetError ReadPresetText(const std::filesystem::path& path, std::string& text,
                           LocalizedText* detail) {
  text.clear();
  const auto fail = [detail](PresetError error, LocalizedText why) {
    if (detail != nullptr) *detail = std::move(why);
    return error;
  };
  std::error_code statusError;
  if (std::filesystem::is_directory(path, statusError)) {
    return fail(PresetError::NotFound,
                {"这是一个文件夹，不是预设文件", "it is a folder, not a preset file"});
  }
  std::FILE* file = std::fopen(path.string().c_str(), "rb");
  if (file == nullptr) {
    const int error = errno;
    if (error == ENOENT)
      return fail(PresetError::NotFound, {"没有这个文件", "there is no such file"});
    const std::string system = ErrnoText(error);
    if (error == EACCES) {
      return fail(PresetError::NotFound, {"当前用户无权读取（" + system + "）",
                                          "this user may not read it (" + system + ")"});
    }
    return fail(PresetError::NotFound,
                {"无法打开（" + system + "）", "it cannot be opened (" + system + ")"});
  }
  // Reading stops one chunk past the limit at the latest: a larger file is never held whole.
  char buffer[16384];
  int readError = 0;
  while (text.size() <= kPresetMaxFileBytes) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
    text.append(buffer, got);
    if (got < sizeof buffer) {
      if (std::ferror(file) != 0) readError = errno != 0 ? errno : EIO;
      break;
    }
  }
  std::fclose(file);
  if (readError != 0) {
    text.clear();
    const std::string system = ErrnoText(readError);
    return fail(PresetError::NotFound,
                {"无法读取（" + system + "）", "it cannot be read (" + system + ")"});
  }
  if (text.size() > kPresetMaxFileBytes) {
    text.clear();
    text.shrink_to_fit();
    const std::string limit = std::to_string(kPresetMaxFileBytes);
    return fail(PresetError::Corrupted,
                {"文件过大，不是预设（超过 " + limit + " 字节）",
                 "it is larger than any preset (more than " + limit + " bytes)"});
  }
  return PresetError::None;
}

PresetError ReadPresetText(const std::filesystem::path& path, std::string& text,
                           std::string* detail) {
  LocalizedText why;
  const PresetError error = ReadPresetText(path, text, &why);
  if (detail != nullptr && error != PresetError::None) *detail = why.english;
  return error;
}

void TakeUploadedCells(const DeviceTable& preset, DeviceTable& image) {
  for (int page = 0; page < kSystemPage; ++page) image[page] = preset[page];
  for (int k = 0; k < kVolumeLimitCount; ++k) {
    image[kSystemPage][kSystemVolumeIndex + k] = preset[kSystemPage][kSystemVolumeIndex + k];
  }
}

bool WritePresetFile(const std::filesystem::path& path, const ParamStore& store, Messages& messages,
                     Language language) {
  try {
    if (!path.has_filename()) {
      ReportWriteFailure(messages, language, path,
                         {"该名称不是文件名", "the name is not a file name"});
      return false;
    }
    // A device, FIFO or folder is never replaced by a regular file.
    LocalizedText reason = NotAPresetFile(std::filesystem::status(path).type());
    if (reason.english.empty()) {
      reason = ReplaceAtomically(FollowSymlinks(path), FormatPresetFile(store));
    }
    if (reason.english.empty()) return true;
    ReportWriteFailure(messages, language, path, reason);
  } catch (const std::exception& e) {
    ReportWriteFailure(messages, language, path, SystemText(e.what()));
  } catch (...) {
    ReportWriteFailure(messages, language, path, {"未知错误", "unknown error"});
  }
  return false;
}

bool ReadPresetFile(const std::filesystem::path& path, ParamStore& store, Messages& messages,
                    Language language, int* parameterCount) {
  return ReadPresetInto(path, store.DeviceImage, messages, language, parameterCount,
                        [](const DeviceTable& preset, DeviceTable& image) { image = preset; });
}

bool ReadPresetUploadImage(const std::filesystem::path& path, DeviceTable& image,
                           Messages& messages, Language language) {
  return ReadPresetInto(path, image, messages, language, nullptr, TakeUploadedCells);
}

}  // namespace velantro
