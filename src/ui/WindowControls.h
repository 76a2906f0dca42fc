#pragma once

// The window-level controls that sit on no sheet, each built onto whatever widget it is given (the
// main window, or a bare widget in a test): the section strip with its tab buttons, normal volumes
// and link buttons, the two button groups above the graph, the key lock panel, the loading notice
// and the hidden templates. Building only: the window places them and connects their handlers.

#include <QRect>

#include "ui/Pages.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QWidget;

namespace velantro {

// Design placement of the window's parts.
constexpr int kDesignWidth = 1133;
constexpr int kDesignHeight = 637;
constexpr int kTitleStripHeight = 25;
constexpr int kSectionStripHeight = 26;
// The notice strip has a row of its own under the section strip: a notice covers nothing.
constexpr int kNoticeStripTop = kTitleStripHeight + kSectionStripHeight;  // 51
constexpr int kNoticeStripHeight = 18;
constexpr int kPageTop = kNoticeStripTop + kNoticeStripHeight;  // 69
constexpr int kGraphTop = kPageTop + kGraphTopInPage;
constexpr int kGraphWidthExtra = 2;               // the graph panel is 1135 wide in a 1133 window
constexpr int kButtonGroupsTop = kGraphTop - 24;  // just above the graph
constexpr int kSingleDiscoOffset = 185;
constexpr int kTabCount = 10;
// Below this the section strip no longer holds its controls side by side.
constexpr int kMinimumWidth = 1024;
constexpr int kMinimumHeight = 600;

// The caption, slider and pane of one normal volume in the section strip.
struct VolumeParts {
  QWidget* caption = nullptr;
  QWidget* bar = nullptr;
  QWidget* pane = nullptr;
};

// What the section strip holds besides its tabs, for placing and greying.
struct SectionStripParts {
  VolumeParts volumes[3];
  int volumesLeft = 0;  // where the volumes start, right of the shown tabs
  QPushButton* linkButton = nullptr;
  QPushButton* unlinkButton = nullptr;
};

// FormTabBtn1 … FormTabBtn10 side by side on `strip`; the DEQ tab and the spare one are built
// hidden. Gives the x right of the last shown tab.
int BuildSectionTabs(QWidget* strip);
// The tabs, the three normal volumes and the Connect/Unlink buttons on `strip`.
SectionStripParts BuildSectionStrip(QWidget* strip);
// The volumes' sliders give way in a narrow strip so that the link button never covers them.
void PlaceSectionStrip(const SectionStripParts& parts, int stripWidth);

// The scroll box the page control sits in, its bars dark like the rest of the window.
QScrollArea* BuildPageScroll(QWidget* parent);

// EQPassGrop (EQ Reset, EQ pass) and SingleDiscoGrop (Auto, Manual, Sing, Disco) on `parent`, at
// their design places.
QWidget* BuildEqPassGroup(QWidget* parent);
QWidget* BuildSingDiscoGroup(QWidget* parent);
// Left edge of EQPassGrop by the page of the section; -1: the groups stay where they are.
int EqPassGroupLeft(int page);

// The key lock's password panel, built hidden.
QWidget* BuildLockPanel(QWidget* parent);
// The "Loading…" notice over the pages, built hidden; it takes no mouse.
QLabel* BuildLoadingNotice(QWidget* parent);
// Hidden templates: the placeholder edit, the two look buttons and the type pictures.
void BuildTemplates(QWidget* parent);

}  // namespace velantro
