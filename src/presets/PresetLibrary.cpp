#include "presets/PresetLibrary.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <string_view>
#include <system_error>

namespace velantro {

namespace fs = std::filesystem;

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const bool less = std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return Lower(x) < Lower(y); });
  const bool greater = std::lexicographical_compare(
      b.begin(), b.end(), a.begin(), a.end(), [](char x, char y) { return Lower(x) < Lower(y); });
  if (less || greater) return less;
  return a < b;  // names that differ only in case keep a fixed order
}

bool IsHiddenName(const std::string& fileName) { return !fileName.empty() && fileName[0] == '.'; }

// Device names that Windows reserves whatever the extension.
bool IsDeviceName(const std::string& name) {
  std::string upper;
  for (char c : name)
    upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  static constexpr std::array<const char*, 4> kPlain{"CON", "PRN", "AUX", "NUL"};
  for (const char* device : kPlain) {
    if (upper == device) return true;
  }
  if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
      upper[3] >= '1' && upper[3] <= '9') {
    return true;
  }
  return false;
}

// Whether a new file can be created in the folder (the folder may exist but be read-only).
bool AcceptsNewFile(const fs::path& folder) {
  const fs::path probe = folder / ".velantro-write-probe";
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << 'x';
    if (!out.flush()) return false;
  }
  std::error_code ec;
  fs::remove(probe, ec);
  return true;
}

}  // namespace

// Preset names are UTF-8 text; the file system's own encoding is the path's business.
fs::path PresetLibrary::ToPath(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PresetLibrary::FromPath(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

PresetLibrary::PresetLibrary(fs::path root)
    : root_(std::move(root)), base_(root_ / kBaseFolderName), presets_(base_ / kPresetFolderName) {}

std::optional<fs::path> PresetLibrary::ChooseWritableRoot(const std::vector<fs::path>& candidates) {
  for (const fs::path& root : candidates) {
    if (root.empty()) continue;
    // The user's data folder may not exist yet; the program's folder always does.
    std::error_code ec;
    fs::create_directories(root, ec);
    PresetLibrary library(root);
    if (library.EnsureFolders() && AcceptsNewFile(library.PresetFolder())) return root;
  }
  return std::nullopt;
}

bool PresetLibrary::IsSystemFolder(const fs::path& programFolder) {
  const fs::path normal = programFolder.lexically_normal();
  if (!normal.is_absolute()) return false;
  auto part = normal.begin();
  return part != normal.end() && *part == "/" && ++part != normal.end() && *part == "usr";
}

bool PresetLibrary::EnsureFolders() const {
  std::error_code ec;
  if (!fs::is_directory(base_, ec)) fs::create_directory(base_, ec);
  if (!fs::is_directory(presets_, ec)) fs::create_directory(presets_, ec);
  return fs::is_directory(presets_, ec);
}

const std::vector<std::string>& PresetLibrary::ListPresets() {
  std::vector<std::string> files;
  std::error_code ec;
  for (fs::directory_iterator it(presets_, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    const std::string fileName = FromPath(it->path().filename());
    if (IsHiddenName(fileName) || !MatchesPattern(fileName)) continue;
    files.push_back(fileName);
  }
  std::sort(files.begin(), files.end(), LessIgnoringCase);
  names_.clear();
  for (const std::string& fileName : files) names_.push_back(StripExtension(fileName));
  return names_;
}

bool PresetLibrary::Contains(const std::string& name) const {
  return std::find(names_.begin(), names_.end(), name) != names_.end();
}

fs::path PresetLibrary::PathOf(const std::string& name) const {
  return presets_ / ToPath(name + kExtension);
}

std::string PresetLibrary::StripExtension(const std::string& fileName) {
  constexpr size_t kTail = 5;  // the dot and four characters
  if (fileName.size() >= kTail && fileName[fileName.size() - kTail] == '.') {
    return fileName.substr(0, fileName.size() - kTail);
  }
  return fileName;
}

bool PresetLibrary::MatchesPattern(const std::string& fileName) {
  // "*" may match nothing, so ".Nddt" may stand at the very start too.
  return fileName.find(kExtension) != std::string::npos;
}

std::optional<LocalizedText> PresetLibrary::RefusalReason(const std::string& name) {
  if (name.find_first_not_of(' ') == std::string::npos) {
    return LocalizedText{"请输入文件名。", "Please enter a file name."};
  }
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F) {
      return LocalizedText{"文件名不能包含控制字符。",
                           "The file name must not contain control characters."};
    }
  }
  static constexpr std::string_view kRefused = "\\/:*?\"<>|";
  const size_t bad = name.find_first_of(kRefused);
  if (bad != std::string::npos) {
    const std::string character(1, name[bad]);
    return LocalizedText{"文件名不能包含字符 " + character + "（不允许使用 \\ / : * ? \" < > |）。",
                         "The file name must not contain the character " + character +
                             "  (\\ / : * ? \" < > | are not allowed)."};
  }
  if (name.find("..") != std::string::npos) {
    return LocalizedText{"文件名不能包含“..”。", "The file name must not contain \"..\"."};
  }
  if (name.front() == '.') {
    return LocalizedText{"文件名不能以“.”开头。", "The file name must not begin with \".\"."};
  }
  if (name.back() == ' ' || name.back() == '.') {
    return LocalizedText{"文件名不能以空格或“.”结尾。",
                         "The file name must not end with a space or \".\"."};
  }
  if (IsDeviceName(name)) {
    return LocalizedText{"“" + name + "”是设备名，不能用作文件名。",
                         "\"" + name + "\" is a device name and cannot be a file name."};
  }
  if (name.size() > kMaxNameBytes) {
    const std::string limit = std::to_string(kMaxNameBytes);
    return LocalizedText{"文件名太长（最多 " + limit + " 字节）。",
                         "The file name is too long (at most " + limit + " bytes)."};
  }
  return std::nullopt;
}

bool PresetLibrary::NamesFileInFolder(const std::string& name) {
  if (name.empty() || name.find('\0') != std::string::npos) return false;
  const fs::path file = ToPath(name + kExtension);
  return !file.has_root_path() && !file.has_parent_path();
}

}  // namespace velantro
