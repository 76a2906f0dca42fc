#include "binding/ParameterTips.h"

#include <QCoreApplication>
#include <QVariant>
#include <QWidget>
#include <string>

#include "binding/ControlTable.h"
#include "binding/ParameterCatalog.h"
#include "widgets/Translation.h"

namespace velantro {

namespace {

// A value's text: numbers stay, words ("Off") in the console's language.
QString ValueText(const std::string& english) {
  return Translated(QString::fromStdString(english));
}

// Two options read as a choice ("+ or Ø"); a longer list or a number range as its ends.
QString RangeOf(const ParameterCatalog& catalog, const ParamInfo& info) {
  if (info.options.size() == 2) {
    return Translated(QT_TRANSLATE_NOOP("velantro", "%1 or %2"))
        .arg(ValueText(info.options[0]), ValueText(info.options[1]));
  }
  return Translated(QT_TRANSLATE_NOOP("velantro", "%1 to %2"))
      .arg(ValueText(catalog.DisplayText(info, info.lower)),
           ValueText(catalog.DisplayText(info, info.upper)));
}

}  // namespace

QString TranslatedLabel(std::string_view english) {
  return QString::fromStdString(TranslateLabel(english, [](const std::string& text) {
    return Translated(QString::fromStdString(text)).toStdString();
  }));
}

void ShowParameterTips(QWidget& root, const ParameterCatalog& catalog) {
  for (QWidget* w : root.findChildren<QWidget*>()) {
    const QVariant address = w->property("address");
    if (!address.isValid()) continue;
    const ParamInfo* info = catalog.Find(static_cast<ParamAddress>(address.toInt()));
    if (info == nullptr || info->label.empty()) continue;
    w->setToolTip(TranslatedLabel(info->label) + ": " + RangeOf(catalog, *info));
  }
}

}  // namespace velantro
