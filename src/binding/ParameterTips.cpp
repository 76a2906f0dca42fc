#include "binding/ParameterTips.h"

#include <QVariant>
#include <QWidget>
#include <string>

#include "binding/DisplayUnits.h"
#include "binding/ParameterCatalog.h"

namespace velantro {

namespace {

// Two options read as a choice ("+ or Ø"); a longer list or a number range as its ends.
std::string RangeOf(const ParameterCatalog& catalog, const ParamInfo& info) {
  if (info.options.size() == 2) return info.options[0] + " or " + info.options[1];
  return RangeText(catalog, info);
}

}  // namespace

void ShowParameterTips(QWidget& root, const ParameterCatalog& catalog) {
  for (QWidget* w : root.findChildren<QWidget*>()) {
    const QVariant address = w->property("address");
    if (!address.isValid()) continue;
    const ParamInfo* info = catalog.Find(static_cast<ParamAddress>(address.toInt()));
    if (info == nullptr || info->label.empty()) continue;
    w->setToolTip(QString::fromStdString(info->label + ": " + RangeOf(catalog, *info)));
  }
}

}  // namespace velantro
