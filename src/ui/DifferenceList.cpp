#include "ui/DifferenceList.h"

#include "binding/ParameterTips.h"
#include "model/ParamAddress.h"
#include "widgets/Translation.h"

namespace velantro {

namespace {

std::string Spoken(const std::string& english) {
  return Translated(QString::fromStdString(english)).toStdString();
}

std::string DifferenceLine(const ImageDifference& d) {
  return "    " + TranslatedLabel(d.name).toStdString() + ": " + Spoken(d.before) + " → " +
         Spoken(d.after);
}

}  // namespace

std::string DifferenceListText(const std::vector<ImageDifference>& differences, int lineLimit,
                               bool pageTitles) {
  std::string text;
  int lines = 0;
  int page = -1;
  size_t shown = 0;
  for (const ImageDifference& d : differences) {
    const bool title = pageTitles && PageOf(d.address) != page;
    const int needed = title ? 2 : 1;
    if (lines + needed > lineLimit) break;
    if (title) {
      page = PageOf(d.address);
      text += "\n" + TranslatedLabel(std::string(DiffPageTitle(page))).toStdString();
    }
    text += "\n" + DifferenceLine(d);
    lines += needed;
    ++shown;
  }
  if (shown < differences.size()) {
    text += "\n" + Say(QT_TRANSLATE_NOOP("velantro", "… and %1 more"),
                       {QString::number(differences.size() - shown)});
  }
  return text;
}

}  // namespace velantro
