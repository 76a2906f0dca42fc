#pragma once

// The section sheets of the page control FormPageItem: Music, MIC, Effect, Main output, AUX
// output, System and DEQ, with every named control at its design place.

#include "model/Sections.h"

class QStackedWidget;
class QWidget;

namespace velantro {

// Sheets of FormPageItem, numbered as model/Sections.h numbers them (sheet::kMusic ...).
constexpr int kSheetCount = 9;

// Design size of a sheet; the graph panel covers sheets from kGraphTopInPage down.
constexpr int kSheetWidth = 1133;
constexpr int kSheetHeight = 586;
constexpr int kGraphTopInPage = 243;

// The MIC strip: 15 columns of which 10 show; group B shows 9.
constexpr int kMicBands = 15;
constexpr int kMicBandsGroupB = 9;

// Builds all sheets into `pages` (sheets 4 and 6 are empty: the output and AUX sheets serve
// two sections each).
void BuildSectionPages(QStackedWidget* pages);

}  // namespace velantro
