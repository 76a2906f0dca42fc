#include "ui/Language.h"

#include <QApplication>
#include <QLibraryInfo>
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

// Qt's own texts (the file dialog), where the system has them.
QTranslator& QtTranslator() {
  static QTranslator translator;
  return translator;
}

}  // namespace

bool InstallLanguage(Language language) {
  QCoreApplication::removeTranslator(&Translator());
  QCoreApplication::removeTranslator(&QtTranslator());
  bool loaded = language == Language::English;
  if (language == Language::Chinese) {
    loaded = Translator().load(QString::fromLatin1(kChineseTranslation));
    if (loaded) QCoreApplication::installTranslator(&Translator());
    if (loaded && QtTranslator().load(QStringLiteral("qtbase_zh_CN"),
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      QCoreApplication::installTranslator(&QtTranslator());
    }
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
