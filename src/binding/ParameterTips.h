#pragma once

// Tooltips that say what a bound control stands for: many captions are symbols or abbreviations
// ("+/Ø", "Atk", "Rel", "Thr"), so every control bound to a parameter tells its parameter's name
// and range as the catalog knows them.

class QWidget;

namespace velantro {

class ParameterCatalog;

// "Echo level phase: + or Ø" / "Compressor attack: 0.1 ms to 100 ms".
// Gives every widget under `root` with an "address" property the tooltip of its parameter.
void ShowParameterTips(QWidget& root, const ParameterCatalog& catalog);

}  // namespace velantro
