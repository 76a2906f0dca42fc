#pragma once

// The console's sections and the numbers each part of the console knows them by, in one table:
//
//   tab      the section strip's button, FormTabBtn1 .. FormTabBtn9 (1-based; 10 is a spare)
//   sheet    the window's stacked sheet, 0 .. 8 (Main and SUR share sheet 3, AUX1 and AUX2
//            sheet 5; sheets 4 and 6 are the shared sheets' unused twins)
//   page     the unit's parameter page, 0 .. 10, the section edits (the shared sheets name the
//            first page of their pair; the view selectors say which one the unit gets)
//   section  CurrentSection, page * 256 + sheet
//   graph    the EQ graph a page's bands are drawn and selected on (GraphIndex), 0 .. 10

#include <array>
#include <optional>

#include "model/ParamAddress.h"

namespace velantro {

namespace sheet {
constexpr int kMusic = 0;
constexpr int kMic = 1;
constexpr int kEffect = 2;
constexpr int kMainOutput = 3;
constexpr int kAuxOutput = 5;
constexpr int kSystem = 7;
constexpr int kDeq = 8;
}  // namespace sheet

constexpr int MakeSection(int page, int sheet) { return page * 256 + sheet; }
constexpr int SectionPage(int section) { return section >> 8; }
constexpr int SectionSheet(int section) { return section & 0xFF; }

struct SectionSpec {
  int tab;    // FormTabBtn number
  int page;   // the page its controls show
  int sheet;  // the sheet that shows them
  // The view selectors the tab sets: the page the Main/SUR and AUX1/AUX2 sheets edit; 0: left
  // as they are.
  int mainOutputPage = 0;
  int auxOutputPage = 0;
  constexpr int section() const { return MakeSection(page, sheet); }
};

constexpr int kSectionCount = 9;
constexpr std::array<SectionSpec, kSectionCount> kSections{{
    {1, 0, sheet::kMusic},
    {2, 1, sheet::kMic},
    {3, 4, sheet::kEffect},
    {4, 6, sheet::kMainOutput, 6, 0},  // Main output
    {5, 7, sheet::kAuxOutput, 0, 7},   // AUX1
    {6, 7, sheet::kAuxOutput, 0, 8},   // AUX2
    {7, 6, sheet::kMainOutput, 9, 0},  // SUR output
    {8, kSystemPage, sheet::kSystem},
    {9, kDeqPage, sheet::kDeq},
}};

// The section of tab `tab` (1-based); none for the spare tab or a number out of range.
constexpr std::optional<SectionSpec> SectionOfTab(int tab) {
  for (const SectionSpec& s : kSections) {
    if (s.tab == tab) return s;
  }
  return std::nullopt;
}

// The graph of each page: music 0, MIC 1 (group B 9), effect 2, main and SUR 3, AUX 5, DEQ 8.
constexpr std::array<int, kPageCount> kGraphOfPage{{0, 1, 8, 9, 2, 2, 3, 5, 5, 3, 0}};

}  // namespace velantro
