#include "presets/LanguageChoice.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace velantro {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The language part of a locale name: what comes before "_", "-", "." or "@".
std::string_view LanguagePart(std::string_view locale) {
  const size_t end = locale.find_first_of("_-.@");
  return end == std::string_view::npos ? locale : locale.substr(0, end);
}

constexpr size_t kLongestFirstLine = 64;

}  // namespace

std::optional<Language> ParseLanguageName(std::string_view name) {
  const std::string lower = Lower(Trimmed(name));
  if (lower == "english" || LanguagePart(lower) == "en") return Language::English;
  if (lower == "chinese" || LanguagePart(lower) == "zh") return Language::Chinese;
  return std::nullopt;
}

std::optional<Language> ParseLanguageFile(std::string_view text) {
  // A byte order mark some editors put first is not part of the line.
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
  const size_t end = text.find('\n');
  const std::string line = Lower(Trimmed(text.substr(0, end)));
  if (line == "c") return Language::Chinese;
  if (line == "e") return Language::English;
  return std::nullopt;
}

Language LanguageOfLocale(std::string_view locale) {
  return Lower(LanguagePart(Trimmed(locale))) == "zh" ? Language::Chinese : Language::English;
}

Language ChooseLanguage(const LanguageSources& sources) {
  if (sources.commandLine) return *sources.commandLine;
  if (sources.file) return *sources.file;
  return LanguageOfLocale(sources.locale);
}

std::optional<Language> ReadLanguageFile(const std::filesystem::path& baseFolder) {
  std::ifstream in(baseFolder / kLanguageFileName, std::ios::binary);
  if (!in) return std::nullopt;
  std::string head(kLongestFirstLine, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return ParseLanguageFile(head);
}

bool WriteLanguageFile(const std::filesystem::path& baseFolder, Language language) {
  std::error_code error;
  std::filesystem::create_directories(baseFolder, error);
  const std::filesystem::path target = baseFolder / kLanguageFileName;
  std::filesystem::path temporary = target;
  temporary += ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << (language == Language::Chinese ? "C" : "E") << "\r\n";
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, target, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

}  // namespace velantro
