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

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A value's text: numbers stay, words ("Off") in the console's language.
QString ValueText(const std::string& english) { return Translated(QString::fromStdString(english)); }

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

constexpr PageGroup kPairedGroups[] = {PageGroup::MicAB, PageGroup::MainSur, PageGroup::Aux12,
                                       PageGroup::EchoReverbEq};

}  // namespace

QString TranslatedLabel(std::string_view english) {
  const QString source = FromView(english);
  const QString direct = Translated(source);
  if (direct != source) return direct;
  for (PageGroup group : kPairedGroups) {
    const PageGroupNames names = NamesOf(group, 0);
    const QString second = FromView(names.secondName);
    if (!source.startsWith(second + ' ')) continue;
    const QString firstLabel = FromView(names.firstName) + source.mid(second.size());
    const QString translated = Translated(firstLabel);
    if (translated == firstLabel) return source;
    QString said = translated;
    said.replace(Translated(FromView(names.firstName)), Translated(second));
    return said;
  }
  return source;
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
