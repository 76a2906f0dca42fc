#include "ui/Language.h"

#include <QApplication>
#include <QTranslator>
#include <memory>

#include "widgets/Looks.h"

namespace velantro {
namespace {

constexpr char kChineseTranslation[] = ":/i18n/velantro_zh_CN.qm";

Language installed = Language::English;

QTranslator& Translator() {
  static QTranslator translator;
  return translator;
}

}  // namespace

bool InstallLanguage(Language language) {
  QCoreApplication::removeTranslator(&Translator());
  bool loaded = language == Language::English;
  if (language == Language::Chinese) {
    loaded = Translator().load(QString::fromLatin1(kChineseTranslation));
    if (loaded) QCoreApplication::installTranslator(&Translator());
  }
  installed = loaded ? language : Language::English;
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    app->setStyleSheet(
        ConsoleStyleSheet(installed == Language::Chinese ? kChineseFontFamily : kLatinFontFamily));
  }
  return loaded;
}

Language InstalledLanguage() { return installed; }

}  // namespace velantro
