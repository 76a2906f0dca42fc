#pragma once

// Which language the console speaks. The operator's choice on the command line wins; then the
// file "mod.dat" in the preset base folder, whose first line is "C" (Chinese) or "E" (English);
// then the system's locale (any Chinese locale speaks Chinese); else English.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/Messages.h"

namespace velantro {

inline constexpr const char* kLanguageFileName = "mod.dat";

// "zh" / "en" (as --lang takes them; "zh_CN", "zh-TW", "chinese", "english" too, any letter
// case); nullopt for anything else.
std::optional<Language> ParseLanguageName(std::string_view name);

// The language a "mod.dat" text names: its first line, trimmed, "C" or "E" in either case;
// nullopt for an empty file or any other line.
std::optional<Language> ParseLanguageFile(std::string_view text);

// A POSIX or Qt locale name ("zh_CN.UTF-8", "zh-Hant-TW", "en_GB"): Chinese for "zh" in any form.
Language LanguageOfLocale(std::string_view locale);

struct LanguageSources {
  std::optional<Language> commandLine;  // --lang
  std::optional<Language> file;         // mod.dat
  std::string locale;                   // the system's locale name
};
Language ChooseLanguage(const LanguageSources& sources);

// Reads and writes "mod.dat" in the base folder. Reading a missing or unreadable file gives
// nullopt; the file is read only as far as its first line.
std::optional<Language> ReadLanguageFile(const std::filesystem::path& baseFolder);
// Writes "C" or "E" and a line end, through a temporary file renamed over the old one, so a
// crash leaves either the old choice or the new. Creates the base folder when missing; false
// when it cannot be written.
bool WriteLanguageFile(const std::filesystem::path& baseFolder, Language language);

}  // namespace velantro
