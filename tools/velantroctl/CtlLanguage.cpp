#include "CtlLanguage.h"

#include <QString>
#include <QTranslator>
#include <cstdio>
#include <vector>

#include "binding/ControlTable.h"

namespace velantro::ctl {

namespace {

constexpr char kChineseTranslation[] = ":/i18n/velantro_zh_CN.qm";
constexpr char kContext[] = "velantro";
// Code points from here on are drawn two columns wide in a terminal (CJK and beyond).
constexpr char32_t kFirstWideCodePoint = 0x1100;

QTranslator* translator = nullptr;
Language inUse = Language::English;

std::string Translate(const std::string& english) {
  if (translator == nullptr) return english;
  const QString said = translator->translate(kContext, english.c_str());
  return said.isEmpty() ? english : said.toStdString();
}

}  // namespace

bool UseLanguage(Language language) {
  static QTranslator chinese;
  translator = nullptr;
  inUse = Language::English;
  if (language != Language::Chinese) return true;
  if (!chinese.load(QString::fromLatin1(kChineseTranslation))) return false;
  translator = &chinese;
  inUse = Language::Chinese;
  return true;
}

Language LanguageInUse() { return inUse; }

std::string Say(const char* english) { return Translate(english); }

std::string SayWith(const char* english, std::initializer_list<std::string> arguments) {
  const std::string pattern = Translate(english);
  const std::vector<std::string> filling(arguments);
  std::string said;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const bool marker = pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
                        pattern[i + 1] <= '9';
    const size_t n = marker ? static_cast<size_t>(pattern[i + 1] - '1') : filling.size();
    if (n < filling.size()) {
      said += filling[n];
      ++i;
    } else {
      said += pattern[i];
    }
  }
  return said;
}

void Complain(const std::string& text) { std::fprintf(stderr, "velantroctl: %s\n", text.c_str()); }

std::string Hex(unsigned address) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", address);
  return text;
}

std::string SayLabel(const std::string& english) { return TranslateLabel(english, Translate); }

size_t DisplayWidth(const std::string& text) {
  size_t width = 0;
  for (const char32_t c : QString::fromStdString(text).toUcs4()) {
    width += c >= kFirstWideCodePoint ? 2 : 1;
  }
  return width;
}

}  // namespace velantro::ctl
