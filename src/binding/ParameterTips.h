#pragma once

// Tooltips that say what a bound control stands for: many captions are symbols or abbreviations
// ("+/Ø", "Atk", "Rel", "Thr"), so every control bound to a parameter tells its parameter's name
// and range as the catalog knows them, in the console's language.

#include <QString>
#include <string_view>

class QWidget;

namespace velantro {

class ParameterCatalog;

// "Echo level phase: + or Ø" / "Compressor attack: 0.1 ms to 100 ms".
// Gives every widget under `root` with an "address" property the tooltip of its parameter. Run
// again after a language switch.
void ShowParameterTips(QWidget& root, const ParameterCatalog& catalog);

// A parameter's label from the catalog in the console's language. A label of the second page of a
// pair ("MIC B EQ 3 gain", "SUR output HPF Q") is the first page's label with the page named
// again, so it is said as the first page's translation with the second page's name.
QString TranslatedLabel(std::string_view english);

}  // namespace velantro
