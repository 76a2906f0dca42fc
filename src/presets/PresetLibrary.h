#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/Messages.h"

namespace velantro {

// The preset files the console keeps on the PC: the folders that hold them and the list of
// preset names. The folder's contents are the truth; the name list is read again at each listing.
class PresetLibrary {
 public:
  static constexpr const char* kBaseFolderName = "Mode";
  static constexpr const char* kPresetFolderName = "T4K-Mode";
  static constexpr const char* kExtension = ".Nddt";

  // Forms the folders under `root` (normally the program's folder): root/Mode and
  // root/Mode/T4K-Mode. Nothing is created yet.
  explicit PresetLibrary(std::filesystem::path root = {});

  // The first root whose preset folder exists (or can be created) and accepts a new file; the
  // program's folder is usually tried first, then the user's data folder. Returns nullopt when
  // neither will do. The chosen root's folders are left created.
  static std::optional<std::filesystem::path> ChooseWritableRoot(
      const std::vector<std::filesystem::path>& candidates);
  // Whether a program folder is where the system installs programs (/usr and below). An
  // installed console keeps its presets in the user's data folder, even for a user (root) who
  // could write beside the program.
  static bool IsSystemFolder(const std::filesystem::path& programFolder);

  const std::filesystem::path& Root() const { return root_; }
  const std::filesystem::path& BaseFolder() const { return base_; }
  const std::filesystem::path& PresetFolder() const { return presets_; }

  // Creates the base folder, then the preset folder, each only where missing. Failures are not
  // reported (the listing is then empty); returns whether the preset folder exists afterwards.
  bool EnsureFolders() const;

  // Rebuilds the name list from the preset folder: ordinary, non-hidden files whose name matches
  // "*.Nddt*", sorted by file name without regard to letter case, each stripped of its extension.
  const std::vector<std::string>& ListPresets();
  const std::vector<std::string>& Names() const { return names_; }
  // Letter case counts, as it does for the file names on this system.
  bool Contains(const std::string& name) const;

  // The file a preset name stands for: <preset folder>/<name>.Nddt.
  std::filesystem::path PathOf(const std::string& name) const;

  // "Hall2.Nddt" → "Hall2", "a.b.Nddt" → "a.b": a "." followed by exactly four characters to the
  // end of the name ends the name; every other name stays whole ("Live.Nddt.bak").
  static std::string StripExtension(const std::string& fileName);
  // The listing's wildcard "*.Nddt*": ".Nddt" somewhere after the first character.
  static bool MatchesPattern(const std::string& fileName);

  // Why a preset name cannot serve as a file name in the preset folder, or nullopt when it can.
  // Refused: empty or blank names, path separators, "..", characters that some file system
  // refuses (\ / : * ? " < > | and control characters), a leading "." (the file would be hidden
  // and never listed), a trailing space or "." (dropped by some file systems), device names
  // such as CON or NUL, and names too long for a file name. The reason is said in both languages.
  static std::optional<LocalizedText> RefusalReason(const std::string& name);
  // Whether a name stands for a file directly in the preset folder, which is all a load asks:
  // not empty, no path separator or drive, no NUL. Files the save would not have named (AUX,
  // "Mic: Male", "Stage.") are still presets when backed up by velantroctl or copied in.
  static bool NamesFileInFolder(const std::string& name);

  // Conversions between UTF-8 names and paths.
  static std::filesystem::path ToPath(const std::string& utf8);
  static std::string FromPath(const std::filesystem::path& path);

  // Longest preset name in bytes; leaves room for the extension and a temporary suffix.
  static constexpr size_t kMaxNameBytes = 200;

 private:
  std::filesystem::path root_;
  std::filesystem::path base_;
  std::filesystem::path presets_;
  std::vector<std::string> names_;
};

}  // namespace velantro
