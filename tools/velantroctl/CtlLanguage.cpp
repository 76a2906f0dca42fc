#include "CtlLanguage.h"

#include <QString>
#include <QTranslator>

#include "binding/ControlTable.h"

namespace velantro::ctl {

namespace {

constexpr char kChineseTranslation[] = ":/i18n/velantro_zh_CN.qm";
constexpr char kContext[] = "velantro";
// Code points from here on are drawn two columns wide in a terminal (CJK and beyond).
constexpr char32_t kFirstWideCodePoint = 0x1100;

QTranslator* translator = nullptr;

std::string Translate(const std::string& english) {
  if (translator == nullptr) return english;
  const QString said = translator->translate(kContext, english.c_str());
  return said.isEmpty() ? english : said.toStdString();
}

}  // namespace

bool UseLanguage(Language language) {
  static QTranslator chinese;
  translator = nullptr;
  if (language != Language::Chinese) return true;
  if (!chinese.load(QString::fromLatin1(kChineseTranslation))) return false;
  translator = &chinese;
  return true;
}

std::string Say(const char* english) { return Translate(english); }

std::string SayWith(const char* english, std::initializer_list<std::string> arguments) {
  QString said = QString::fromStdString(Translate(english));
  for (const std::string& argument : arguments) said = said.arg(QString::fromStdString(argument));
  return said.toStdString();
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
