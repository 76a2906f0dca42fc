#include "ui/Pages.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTableWidget>
#include <vector>

#include "binding/ControlTable.h"
#include "model/BandLayout.h"
#include "model/ParamAddress.h"
#include "model/Scales.h"
#include "ui/PageKit.h"
#include "ui/PresetLibraryPanel.h"
#include "widgets/Translation.h"
#include "widgets/WidgetNames.h"
#include "widgets/Widgets.h"

namespace velantro {

namespace {

QStringList Items(std::initializer_list<const char*> texts) {
  QStringList list;
  for (const char* text : texts) list << QString::fromUtf8(text);
  return list;
}

QStringList BandTypeItems() {
  QStringList list;
  for (std::string_view name : kBandTypeNames) list << QString::fromUtf8(name.data(), name.size());
  return list;
}

QStringList DeqTypeItems() {
  QStringList list;
  for (std::string_view name : kDeqTypeNames) list << QString::fromUtf8(name.data(), name.size());
  return list;
}

const QStringList kCrossoverModes = Items(
    {VELANTRO_TEXT("Bessel 24dB"), VELANTRO_TEXT("Butterworth 24dB"),
     VELANTRO_TEXT("Linkwitz-Riley 24dB"), VELANTRO_TEXT("USER 12dB"), VELANTRO_TEXT("USER 24dB")});

// The bound control of the table at the address: every bound widget takes its name, and bars
// and panes their range and scale, from there.
const ControlSpec& Spec(int address, ControlRole role, int position = -1) {
  const ControlSpec* spec = FindControl(address, role, position);
  Q_ASSERT(spec != nullptr);
  return *spec;
}

QString Named(int address, ControlRole role, int position = -1) {
  const std::string_view name = Spec(address, role, position).name;
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// ---------------------------------------------------------------------------------------------
// Slider rows: caption, track bar, value pane, optional spin buttons, phase button and units.
// ---------------------------------------------------------------------------------------------

struct SliderRow {
  const char* caption;
  int index;                    // slot on the group's page
  const char* unit = "";        // label after the pane
  bool spin = false;            // spin buttons beside the pane
  int phaseIndex = -1;          // slot of the phase button before the caption
  bool barHidden = false;       // a pane with spin buttons only
  const char* unitBefore = "";  // label before the pane (VELANTRO_TEXT("Atk ×"))
};

struct RowColumns {
  int phase = 4;
  int caption = 22;
  int captionWidth = 110;
  int bar = 134;
  int barWidth = 96;
  int pane = 234;
  int paneWidth = 64;
  int after = 301;  // spin buttons or the unit label
};

// Room for "Atk ×" (and its Chinese) before a release time pane.
// A list row has no pane: the list takes the bar's and the pane's room ("Linkwitz-Riley 24dB").
int ComboWidth(const RowColumns& c) { return c.pane + c.paneWidth - c.bar; }

constexpr int kUnitBeforeWidth = 44;

void AddSliderRow(const PageKit& kit, int page, const SliderRow& row, int y, const RowColumns& c) {
  const int address = MakeAddress(page, row.index);
  if (row.phaseIndex >= 0) {
    const int phase = MakeAddress(page, row.phaseIndex);
    kit.Phase(Named(phase, ControlRole::Main), phase, QPoint(c.phase, y + 1));
  }
  const ControlSpec& spec = Spec(address, ControlRole::Main);
  kit.Caption(QString::fromUtf8(row.caption), QRect(c.caption, y, c.captionWidth, kRowHeight));
  const bool before = row.unitBefore[0] != '\0';
  const int barWidth = before ? c.barWidth - kUnitBeforeWidth : c.barWidth;
  QSlider* bar = kit.Bar(Named(address, ControlRole::Main), address, spec.max,
                         QRect(c.bar, y, barWidth, kRowHeight));
  if (row.barHidden) bar->hide();
  if (before) {
    kit.Caption(row.unitBefore, QRect(c.bar + barWidth + 2, y, kUnitBeforeWidth - 2, kRowHeight),
                Qt::AlignRight | Qt::AlignVCenter);
  }
  kit.Pane(Named(address, ControlRole::Pane), address, QRect(c.pane, y, c.paneWidth, kRowHeight));
  if (row.spin) {
    SpinButtons* spin = kit.Spin(Named(address, ControlRole::Spin), address, QPoint(c.after, y));
    // Without its bar the spin is the only way the keyboard reaches the value.
    spin->SetKeyboardStop(row.barHidden);
  }
  if (row.unit[0] != '\0') {
    kit.Caption(row.unit, QRect(c.after + (row.spin ? 16 : 0), y, 34, kRowHeight));
  }
}

void AddSliderRows(const PageKit& kit, int page, const std::vector<SliderRow>& rows, int top,
                   int pitch, const RowColumns& c) {
  int y = top;
  for (const SliderRow& row : rows) {
    AddSliderRow(kit, page, row, y, c);
    y += pitch;
  }
}

// An option group row: caption, then the members at `positions` from left to right, each with
// its own caption.
void AddOptionRow(const PageKit& kit, int address, const char* caption, QRect captionRect, int x,
                  int y, int pitch, const std::vector<int>& positions, int captionWidth = 44) {
  if (caption != nullptr) kit.Caption(QString::fromUtf8(caption), captionRect);
  for (int position : positions) {
    const ControlSpec& member = Spec(address, ControlRole::Member, position);
    kit.Option(
        Named(address, ControlRole::Member, position), address, QPoint(x, y),
        QString::fromUtf8(member.caption.data(), static_cast<qsizetype>(member.caption.size())),
        captionWidth);
    x += pitch;
  }
}

// Limiter rows of the output and AUX sheets (slots relative to `base`).
void AddLimiter(const PageKit& kit, int page, int base, int top, int pitch, const RowColumns& c) {
  const std::vector<SliderRow> rows = {
      {VELANTRO_TEXT("Limit Level"), base + 2, "dBu"},
      {VELANTRO_TEXT("Attack Time"), base + 0, "ms"},
      {VELANTRO_TEXT("Release Time"), base + 1, "", false, -1, false, VELANTRO_TEXT("Atk ×")},
      {VELANTRO_TEXT("Ratio"), base + 3},
  };
  AddSliderRows(kit, page, rows, top, pitch, c);
  const int y = top + 4 * pitch;
  AddOptionRow(kit, MakeAddress(page, base + 4), VELANTRO_TEXT("Limit Mode"),
               QRect(c.caption, y, c.captionWidth, kRowHeight), c.bar, y + 2, 62, {0, 1, 2});
}

// ---------------------------------------------------------------------------------------------
// EQ band strips.
// ---------------------------------------------------------------------------------------------

struct StripSpec {
  const char* pointPrefix;  // MusEQPointLabel ...
  int page;
  int firstIndex;
  int bands;       // columns built
  int shownBands;  // columns that can be scrolled into view (the last output column never shows)
  int visible;     // columns in the window at once
  const char* box;
  const char* scrollBar;  // nullptr: no scroll slider
  const char* caption;
  const char* captionName;
  const char* panel;  // container of captions and strip (MicCurvyPanel), may be nullptr
};

constexpr int kColumnHeight = 184;
constexpr int kStripCaptionWidth = 52;
constexpr int kStripTop = 18;
constexpr int kScrollSliderHeight = 14;

// Positions inside one band column.
constexpr int kGainBarX = 28;
constexpr int kGainBarHeight = 76;
constexpr int kImageTop = 78;
constexpr int kImagePitch = 14;
constexpr int kEditTop = 122;
constexpr int kEditPitch = 20;
constexpr int kEditX = 1;
constexpr int kEditWidth = 53;

void AddBandColumn(const PageKit& kit, const StripSpec& s, int n, int x) {
  const QString num = QString::number(n);
  const int k = MakeAddress(s.page, s.firstIndex + kBandValueCount * (n - 1));
  QLabel* point = kit.Caption(num, QRect(x + 2, 0, 20, 14), Qt::AlignCenter);
  point->setObjectName(QString(s.pointPrefix) + num);
  point->setProperty("kind", "point");
  point->setProperty("address", s.page);
  point->setAutoFillBackground(false);
  kit.Bar(Named(k + kBandFieldGain, ControlRole::Side0), k + kBandFieldGain,
          Spec(k + kBandFieldGain, ControlRole::Side0).max,
          QRect(x + kGainBarX, 0, 20, kGainBarHeight), Qt::Vertical);
  const TypePicture pictures[3] = {TypePicture::Peq, TypePicture::Lsq, TypePicture::Hsq};
  const ControlRole images[3] = {ControlRole::Side0, ControlRole::Side1, ControlRole::Side2};
  for (int j = 0; j < 3; ++j) {
    kit.Image(Named(k, images[j]), k, j, pictures[j],
              QPoint(x + (kBandColumnWidth - kTypeImageWidth) / 2, kImageTop + j * kImagePitch));
  }
  QComboBox* type = kit.Combo(Named(k, ControlRole::Main), k, BandTypeItems(),
                              QRect(x, kImageTop, kBandColumnWidth, 18));
  type->hide();
  // Gain, frequency and Q from the top; the Q edit stands for the shelf Q field last.
  const int fields[3] = {kBandFieldGain, kBandFieldFrequency, kBandFieldShelfQ};
  for (int r = 0; r < 3; ++r) {
    const int y = kEditTop + r * kEditPitch;
    const int a = k + fields[r];
    kit.Edit(Named(a, ControlRole::Main), a, QRect(x + kEditX, y, kEditWidth, kRowHeight));
    kit.Spin(Named(a, ControlRole::Spin), a, QPoint(x + kEditX + kEditWidth + 2, y));
  }
}

QScrollArea* AddStrip(const PageKit& kit, const StripSpec& s, int x, int y) {
  QWidget* host = kit.parent();
  int originX = x;
  int originY = y;
  if (s.panel != nullptr) {
    auto* panel = new QWidget(host);
    panel->setObjectName(s.panel);
    panel->setGeometry(x, y + kStripTop, kStripCaptionWidth + 2 + s.visible * kBandColumnPitch,
                       kColumnHeight);
    host = panel;
    originX = 0;
    originY = -kStripTop;
  }
  PageKit local(host);
  QLabel* caption = kit.Caption(s.caption, QRect(x, y, 160, 16));
  caption->setObjectName(s.captionName);
  const int captionTop = originY + kStripTop;
  struct RowCaption {
    const char* text;
    int top;
    int height;
  };
  const RowCaption captions[4] = {
      {VELANTRO_TEXT("EQ Type"), kImageTop, 3 * kImagePitch},
      {VELANTRO_TEXT("Gain(dB)"), kEditTop, kRowHeight},
      {VELANTRO_TEXT("Fre(Hz)"), kEditTop + kEditPitch, kRowHeight},
      {"Q", kEditTop + 2 * kEditPitch, kRowHeight},
  };
  for (const RowCaption& c : captions) {
    local.Caption(c.text, QRect(originX, captionTop + c.top, kStripCaptionWidth, c.height),
                  Qt::AlignRight | Qt::AlignVCenter);
  }
  auto* area = new QScrollArea(host);
  area->setObjectName(s.box);
  area->setFrameShape(QFrame::NoFrame);
  area->setFocusPolicy(Qt::NoFocus);  // Tab goes to the columns' controls, not the strip
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setWidgetResizable(false);
  area->setGeometry(originX + kStripCaptionWidth + 2, captionTop, s.visible * kBandColumnPitch - 1,
                    kColumnHeight);
  auto* content = new QWidget;
  content->setObjectName(QString(s.box) + "Content");
  content->resize(s.bands * kBandColumnPitch, kColumnHeight);
  PageKit columns(content);
  for (int n = 1; n <= s.bands; ++n) AddBandColumn(columns, s, n, (n - 1) * kBandColumnPitch);
  // Columns past the shown ones (the eighth output band) exist but never show.
  for (int n = s.shownBands + 1; n <= s.bands; ++n) {
    const QString num = QString::number(n);
    for (QWidget* child : content->findChildren<QWidget*>()) {
      if (child->objectName().endsWith(num) && child->x() >= (n - 1) * kBandColumnPitch) {
        child->hide();
      }
    }
  }
  content->resize(s.shownBands * kBandColumnPitch, kColumnHeight);
  area->setWidget(content);
  if (s.scrollBar != nullptr) {
    QSlider* scroll = kit.Bar(s.scrollBar, -1, s.shownBands - s.visible,
                              QRect(x + kStripCaptionWidth + 2, y + kStripTop + kColumnHeight + 1,
                                    s.visible * kBandColumnPitch - 1, kScrollSliderHeight));
    scroll->setProperty("kind", "scroll");
    scroll->setPageStep(1);
  }
  return area;
}

// ---------------------------------------------------------------------------------------------
// Sheets.
// ---------------------------------------------------------------------------------------------

void BuildMusicSheet(QWidget* sheet) {
  PageKit kit(sheet);
  QGroupBox* input = kit.Group("MusInputGrop", VELANTRO_TEXT("Music Input"), QRect(4, 2, 186, 200));
  PageKit in(input);
  QGroupBox* port = in.Group("MusPortGrop", VELANTRO_TEXT("Music Port"), QRect(8, 22, 170, 56));
  PageKit portKit(port);
  const int portAddress = MakeAddress(kSystemPage, IndexOf(sysaddr::MusicInputSelect));
  AddOptionRow(portKit, portAddress, nullptr, {}, 16, 26, 64, {0, 1, 2});
  // The unit has two music ports: the third member stays for the binding but never shows.
  const QString third = Named(portAddress, ControlRole::Member, 2);
  port->findChild<QPushButton*>(third)->hide();
  port->findChild<QLabel*>(third + "Caption")->hide();
  QGroupBox* gain =
      in.Group(names::kMusicGainGroup, VELANTRO_TEXT("Music Gain"), QRect(8, 90, 170, 56));
  PageKit gainKit(gain);
  AddOptionRow(gainKit, MakeAddress(kSystemPage, IndexOf(sysaddr::MusicInputLevel)), nullptr, {},
               12, 26, 54, {0, 1, 2}, 36);
  const StripSpec music{names::kMusicPoints,
                        0,
                        4,
                        10,
                        10,
                        10,
                        names::kMusicStrip,
                        nullptr,
                        VELANTRO_TEXT("10 band EQ"),
                        "MusEqCaption",
                        nullptr};
  AddStrip(kit, music, 200, 2);
}

void BuildMicSheet(QWidget* sheet) {
  PageKit kit(sheet);
  QGroupBox* mic = kit.Group("MicSetGrop", "MIC", QRect(4, 2, 292, 100));
  const RowColumns c{.phase = 0,
                     .caption = 8,
                     .captionWidth = 118,
                     .bar = 128,
                     .barWidth = 74,
                     .pane = 204,
                     .paneWidth = 64,
                     .after = 270};
  const std::vector<SliderRow> rows = {
      {VELANTRO_TEXT("MIC Frequency shift"), 2, "", true, -1, true},
      {VELANTRO_TEXT("Noise gate"), 3, "", true, -1, true},
      {VELANTRO_TEXT("MIC HPF"), 0, "", true},
  };
  AddSliderRows(PageKit(mic), 1, rows, 22, 24, c);
  QGroupBox* group =
      kit.Group("MicGroupGrop", VELANTRO_TEXT("MIC(Group choose)"), QRect(4, 108, 292, 60));
  PageKit groupKit(group);
  for (auto [name, caption, x] :
       {std::tuple{names::kMicGroupA, VELANTRO_TEXT("MIC A Group"), 12},
        std::tuple{names::kMicGroupB, VELANTRO_TEXT("MIC B Group"), 150}}) {
    QPushButton* button = groupKit.Button(name, caption, QRect(x, 24, 128, 24));
    button->setProperty("kind", "button");
    button->setProperty("role", "pair");
  }
  const StripSpec strip{names::kMicPoints,
                        1,
                        6,
                        kMicBands,
                        kMicBands,
                        10,
                        names::kMicStrip,
                        names::kMicStripScroll,
                        VELANTRO_TEXT("15 band EQ"),
                        "MicEqCaption",
                        names::kMicCurvePanel};
  AddStrip(kit, strip, 304, 2);
}

void BuildEffectSheet(QWidget* sheet) {
  PageKit kit(sheet);
  const RowColumns c{.phase = 4,
                     .caption = 22,
                     .captionWidth = 128,
                     .bar = 150,
                     .barWidth = 74,
                     .pane = 226,
                     .paneWidth = 72,
                     .after = 300};
  QGroupBox* echo = kit.Group("EchoGrop", VELANTRO_TEXT("Echo"), QRect(4, 2, 352, 236));
  const std::vector<SliderRow> echoRows = {
      {VELANTRO_TEXT("MIC Echo Level"), 1, "%", false, 0},
      {VELANTRO_TEXT("MIC Direct Level"), 3, "%", false, 2},
      {VELANTRO_TEXT("Echo HPF"), 4, "", true},
      {VELANTRO_TEXT("Echo LPF"), 5, "", true},
      {VELANTRO_TEXT("Echo PRE Delay"), 6, "ms"},
      {VELANTRO_TEXT("Echo Delay Time"), 7, "ms"},
      {VELANTRO_TEXT("Echo Repeat"), 8, "%"},
      {VELANTRO_TEXT("Echo R CH PRE Delay"), 10, "%"},
      {VELANTRO_TEXT("Echo R CH Delay Time"), 9, "%"},
  };
  PageKit echoKit(echo);
  AddSliderRows(echoKit, 4, echoRows, 20, 23, c);
  // The echo mode (0x040B) has no visible control; its pair exists for the binding.
  const int echoMode = MakeAddress(4, 11);
  for (int position : {0, 1}) {
    echoKit.Option(Named(echoMode, ControlRole::Member, position), echoMode, QPoint(0, 0))->hide();
  }
  QGroupBox* reverb = kit.Group("RvbGrop", VELANTRO_TEXT("Reverb"), QRect(360, 2, 352, 236));
  const std::vector<SliderRow> reverbRows = {
      {VELANTRO_TEXT("MIC Reverb Level"), 1, "%", false, 0},
      {VELANTRO_TEXT("MIC Direct Level"), 3, "%", false, 2},
      {VELANTRO_TEXT("Reverb Mic HPF"), 6, "", true},
      {VELANTRO_TEXT("Reverb Mic LPF"), 7, "", true},
      {VELANTRO_TEXT("Reverb Music HPF"), 10},
      {VELANTRO_TEXT("Reverb Music LPF"), 11},
      {VELANTRO_TEXT("Reverb PRE Delay"), 5, "ms"},
      {VELANTRO_TEXT("Reverb Time"), 4, "ms"},
      {VELANTRO_TEXT("Reverb Treble Damp"), 12},
      {VELANTRO_TEXT("Reverb Bass Damp"), 13},
      {VELANTRO_TEXT("Music to Reverb"), 9, "%", false, 8},
  };
  AddSliderRows(PageKit(reverb), 5, reverbRows, 17, 19, c);
  const StripSpec strip{names::kEffectPoints,
                        4,
                        16,
                        5,
                        5,
                        5,
                        names::kEffectStrip,
                        nullptr,
                        VELANTRO_TEXT("5 Band Echo"),
                        "EffEqCaption",
                        nullptr};
  AddStrip(kit, strip, 716, 2);
}

// The mix group of the output and AUX sheets.
void AddMixGroup(const PageKit& kit, int page, const char* prefix, QRect r, const RowColumns& c) {
  QGroupBox* mix = kit.Group(QString(prefix) + "MixGrop", VELANTRO_TEXT("Mix"), r);
  const char* captions[4] = {VELANTRO_TEXT("Music Level"), VELANTRO_TEXT("MIC Level"),
                             VELANTRO_TEXT("Echo Level"), VELANTRO_TEXT("Reverb Level")};
  std::vector<SliderRow> rows;
  for (int i = 0; i < 4; ++i) rows.push_back({captions[i], 4 * i, "%", false, 4 * i + 2});
  AddSliderRows(PageKit(mix), page, rows, 18, 20, c);
}

// HPF, HPF Q, HPF Mode, LPF, LPF Q, LPF Mode; returns the y after the last row.
int AddCrossoverRows(const PageKit& kit, int page, int top, int pitch, const RowColumns& c) {
  int y = top;
  auto slider = [&](const SliderRow& row) {
    AddSliderRow(kit, page, row, y, c);
    y += pitch;
  };
  auto combo = [&](const char* caption, int index) {
    kit.Caption(caption, QRect(c.caption, y, c.captionWidth, kRowHeight));
    const int address = MakeAddress(page, index);
    kit.Combo(Named(address, ControlRole::Main), address, kCrossoverModes,
              QRect(c.bar, y, ComboWidth(c), kRowHeight + 1));
    y += pitch;
  };
  slider({VELANTRO_TEXT("HPF"), 17, "", true});
  slider({VELANTRO_TEXT("HPF Q"), 18, "", true});
  combo(VELANTRO_TEXT("HPF Mode"), 16);
  slider({VELANTRO_TEXT("LPF"), 20, "", true});
  slider({VELANTRO_TEXT("LPF Q"), 21, "", true});
  combo(VELANTRO_TEXT("LPF Mode"), 19);
  return y;
}

RowColumns OutputColumns() {
  return RowColumns{.phase = 6,
                    .caption = 24,
                    .captionWidth = 84,
                    .bar = 110,
                    .barWidth = 120,
                    .pane = 234,
                    .paneWidth = 64,
                    .after = 300};
}

RowColumns CrossoverColumns() {
  return RowColumns{.caption = 8,
                    .captionWidth = 98,
                    .bar = 108,
                    .barWidth = 120,
                    .pane = 232,
                    .paneWidth = 78,
                    .after = 314};
}

// A mute toggle of an output's crossover group, with its caption.
struct MuteSpec {
  const char* caption;
  int index;
  int captionLeft;   // -1: the crossover columns' caption column
  int captionWidth;  // 0: the crossover columns' caption width
  int toggleLeft;    // -1: the crossover columns' bar column
};

// The Main and AUX output sheets differ only in what this holds: the rows of the crossover group
// after the filter rows, the names of their groups and their EQ strip.
struct OutputSheetSpec {
  int page;
  const char* prefix;  // of the group names: MainMixGrop, SubLimitGrop ...
  int crossoverTop;
  int crossoverPitch;
  std::vector<SliderRow> delays;
  std::vector<MuteSpec> mutes;  // side by side on one row
  int toneIndex;                // -1: no tone row
  StripSpec strip;
};

void AddMutes(const PageKit& kit, int page, const std::vector<MuteSpec>& mutes, int y,
              const RowColumns& x) {
  for (const MuteSpec& m : mutes) {
    const int address = MakeAddress(page, m.index);
    const int captionLeft = m.captionLeft < 0 ? x.caption : m.captionLeft;
    const int captionWidth = m.captionWidth == 0 ? x.captionWidth : m.captionWidth;
    kit.Caption(m.caption, QRect(captionLeft, y, captionWidth, kRowHeight));
    kit.Toggle(Named(address, ControlRole::Main), address, VELANTRO_TEXT("Mute"),
               QRect(m.toggleLeft < 0 ? x.bar : m.toggleLeft, y, 56, kRowHeight));
  }
}

void AddCrossoverGroup(const PageKit& kit, const OutputSheetSpec& o) {
  QGroupBox* cross = kit.Group(QString(o.prefix) + "CrossGrop", VELANTRO_TEXT("Crossover"),
                               QRect(348, 2, 336, 236));
  PageKit ck(cross);
  const RowColumns x = CrossoverColumns();
  int y = AddCrossoverRows(ck, o.page, o.crossoverTop, o.crossoverPitch, x);
  for (const SliderRow& delay : o.delays) {
    AddSliderRow(ck, o.page, delay, y, x);
    y += o.crossoverPitch;
  }
  AddMutes(ck, o.page, o.mutes, y, x);
  y += o.crossoverPitch;
  if (o.toneIndex < 0) return;
  const int tone = MakeAddress(o.page, o.toneIndex);
  ck.Caption(VELANTRO_TEXT("Tone adjustment"), QRect(x.caption, y, x.captionWidth, kRowHeight));
  ck.Combo(Named(tone, ControlRole::Main), tone,
           Items({VELANTRO_TEXT("Gentle"), VELANTRO_TEXT("Bright")}),
           QRect(x.bar, y, ComboWidth(x), kRowHeight + 1));
}

void BuildOutputSheet(QWidget* sheet, const OutputSheetSpec& o) {
  PageKit kit(sheet);
  const RowColumns c = OutputColumns();
  AddMixGroup(kit, o.page, o.prefix, QRect(4, 2, 340, 100), c);
  QGroupBox* limit =
      kit.Group(QString(o.prefix) + "LimitGrop", VELANTRO_TEXT("Limiter"), QRect(4, 106, 340, 132));
  AddLimiter(PageKit(limit), o.page, 22, 18, 22, c);
  AddCrossoverGroup(kit, o);
  AddStrip(kit, o.strip, 692, 2);
}

OutputSheetSpec MainOutputSheet() {
  constexpr int page = 6;
  return {
      .page = page,
      .prefix = "Main",
      .crossoverTop = 16,
      .crossoverPitch = 20,
      .delays = {{VELANTRO_TEXT("L CH Delay"), 27, "ms"}, {VELANTRO_TEXT("R CH Delay"), 28, "ms"}},
      .mutes = {{VELANTRO_TEXT("L CH Mute"), 29, -1, 60, 70},
                {VELANTRO_TEXT("R CH Mute"), 30, 150, 60, 212}},
      .toneIndex = 31,
      .strip = {names::kMainPoints, page, 34, 8, 7, 5, names::kMainStrip, names::kMainStripScroll,
                VELANTRO_TEXT("7 Band EQ"), "MainEqCaption", nullptr}};
}

OutputSheetSpec AuxOutputSheet() {
  constexpr int page = 7;
  return {.page = page,
          .prefix = "Sub",
          .crossoverTop = 18,
          .crossoverPitch = 23,
          .delays = {{VELANTRO_TEXT("Delay"), 27, "ms"}},
          .mutes = {{VELANTRO_TEXT("Mute"), 28, -1, 0, -1}},
          .toneIndex = -1,
          .strip = {names::kAuxPoints, page, 31, 8, 7, 5, names::kAuxStrip, names::kAuxStripScroll,
                    VELANTRO_TEXT("7 Band EQ"), "SubEqCaption", nullptr}};
}

void BuildDeqChannel(const PageKit& kit, int g, QRect r) {
  const QString num = QString::number(g);
  const int page = kDeqPage;
  const int b = kDeqChannelSize * (g - 1);
  auto address = [&](int offset) { return MakeAddress(page, b + offset); };
  // The channel's band fields; its Q edit is the band's fifth field.
  auto field = [&](int f) { return address(kDeqFirstBandIndex + f); };
  constexpr int kDeqPassOffset = 1;
  constexpr int kGainBarOffset = kDeqFirstBandIndex + kBandFieldGain;
  QGroupBox* group =
      kit.Group(QString::fromLatin1(names::kDeqChannelGroup).arg(g), "DEQ " + num, r);
  PageKit gk(group);
  gk.Toggle(Named(address(kDeqPassOffset), ControlRole::Main), address(kDeqPassOffset),
            VELANTRO_TEXT("EQ pass"), QRect(196, 12, 70, 18));
  QLabel* point = gk.Caption(num, QRect(224, 34, 18, 14), Qt::AlignCenter);
  point->setObjectName(names::kDeqPoints + num);
  point->setProperty("kind", "point");
  point->setProperty("address", page);
  gk.Bar(Named(address(kGainBarOffset), ControlRole::Side0), address(kGainBarOffset),
         Spec(address(kGainBarOffset), ControlRole::Side0).max, QRect(246, 34, 20, 88),
         Qt::Vertical);

  QLabel* filter = gk.Caption(VELANTRO_TEXT("Filter\nType"), QRect(6, 16, 42, 40));
  filter->setWordWrap(true);
  const TypePicture band[3] = {TypePicture::Peq, TypePicture::Lsq, TypePicture::Hsq};
  const TypePicture work[3] = {TypePicture::DeqOff, TypePicture::Below, TypePicture::Above};
  const ControlRole images[3] = {ControlRole::Side0, ControlRole::Side1, ControlRole::Side2};
  for (int j = 0; j < 3; ++j) {
    gk.Image(Named(field(kBandFieldType), images[j]), field(kBandFieldType), j, band[j],
             QPoint(50, 16 + j * 14));
    gk.Image(Named(address(kDeqWorkModeIndex), images[j]), address(kDeqWorkModeIndex), j, work[j],
             QPoint(140, 16 + j * 14));
  }
  gk.Combo(Named(field(kBandFieldType), ControlRole::Main), field(kBandFieldType), BandTypeItems(),
           QRect(50, 16, 40, 18))
      ->hide();
  gk.Combo(Named(address(kDeqWorkModeIndex), ControlRole::Main), address(kDeqWorkModeIndex),
           DeqTypeItems(), QRect(140, 16, 40, 18))
      ->hide();
  QLabel* mode = gk.Caption(VELANTRO_TEXT("DEQ\nwork\nmode"), QRect(96, 12, 42, 48));
  mode->setWordWrap(true);

  struct EditRow {
    const char* caption;
    int field;
  };
  const EditRow edits[3] = {{VELANTRO_TEXT("Fre(Hz)"), kBandFieldFrequency},
                            {VELANTRO_TEXT("Gain(dB)"), kBandFieldGain},
                            {"Q", kBandFieldShelfQ}};
  for (int i = 0; i < 3; ++i) {
    const int y = 62 + i * 20;
    const int a = field(edits[i].field);
    gk.Caption(edits[i].caption, QRect(6, y, 56, kRowHeight));
    gk.Edit(Named(a, ControlRole::Main), a, QRect(64, y, 62, kRowHeight));
    gk.Spin(Named(a, ControlRole::Spin), a, QPoint(128, y));
  }

  const RowColumns c{.phase = 0,
                     .caption = 6,
                     .captionWidth = 84,
                     .bar = 90,
                     .barWidth = 92,
                     .pane = 184,
                     .paneWidth = 50,
                     .after = 236};
  const std::vector<SliderRow> rows = {
      {VELANTRO_TEXT("Attack Time"), b + 8, "ms"},
      {VELANTRO_TEXT("Release Time"), b + 9, "", false, -1, false, VELANTRO_TEXT("Atk ×")},
      {VELANTRO_TEXT("Attack level"), b + 10, "dBu"},
      {VELANTRO_TEXT("Dynamic Ratio"), b + 11},
  };
  AddSliderRows(gk, page, rows, 124, 18, c);
  AddOptionRow(gk, address(12), VELANTRO_TEXT("Dynamic Mode"), QRect(6, 196, 84, kRowHeight), 90,
               198, 58, {0, 1, 2}, 36);
  QLabel* sensitivity =
      gk.Caption(VELANTRO_TEXT("Power amplifier input sensitivity"), QRect(6, 214, 106, 24));
  sensitivity->setWordWrap(true);
  sensitivity->setStyleSheet("font-size: 9px;");
  const char* levels[3] = {"0.775V", "1V", "1.4V"};
  for (int s = 0; s < 3; ++s) {
    gk.Button(QString(names::kDeqAmpButton).arg(g - 1).arg(s), levels[s],
              QRect(114 + s * 52, 217, 48, kRowHeight));
  }
}

void BuildDeqSheet(QWidget* sheet) {
  PageKit kit(sheet);
  for (int g = 1; g <= 3; ++g) BuildDeqChannel(kit, g, QRect(4 + (g - 1) * 278, 0, 274, 243));
  QGroupBox* explain =
      kit.Group("DEQExplainGrop", VELANTRO_TEXT("Explain"), QRect(840, 0, 289, 243));
  PageKit ek(explain);
  QLabel* title = ek.Caption(VELANTRO_TEXT("DEQ Operation instruction"), QRect(8, 16, 270, 16));
  title->setStyleSheet("font-weight: bold; color: #9fd8ff;");
  QLabel* text = ek.Caption(
      VELANTRO_TEXT(
          "Off: the channel works as a general EQ band.\n"
          "Below: dynamic lift of a low band while the level is below the level start, easing off "
          "above it.\n"
          "Above: dynamic cut of mid and high frequencies while the level is above the level "
          "start, "
          "easing off below it."),
      QRect(8, 34, 272, 140), Qt::AlignLeft | Qt::AlignTop);
  text->setObjectName("DEQExplainText");
  text->setWordWrap(true);
  ek.Caption(VELANTRO_TEXT("Reference mode Settings(Frequency)"), QRect(8, 180, 272, 16));
  ek.Button(names::kDeqReferenceButton, VELANTRO_TEXT("Reference settings"),
            QRect(8, 200, 150, 24));
}

void BuildSystemSheet(QWidget* sheet) {
  PageKit kit(sheet);
  const int page = kSystemPage;

  QGroupBox* volume =
      kit.Group("SysVolGrop", VELANTRO_TEXT("Volume Management"), QRect(4, 4, 370, 156));
  const RowColumns vc{.phase = 0,
                      .caption = 10,
                      .captionWidth = 86,
                      .bar = 98,
                      .barWidth = 196,
                      .pane = 300,
                      .paneWidth = 56,
                      .after = 358};
  const std::vector<SliderRow> volumeRows = {
      {VELANTRO_TEXT("Music Start"), 6},   {VELANTRO_TEXT("Music Limit"), 7},
      {VELANTRO_TEXT("MIC Start"), 8},     {VELANTRO_TEXT("MIC Limit"), 9},
      {VELANTRO_TEXT("Effect Start"), 10}, {VELANTRO_TEXT("Effect Limit"), 11},
  };
  PageKit vk(volume);
  int y = 22;
  for (const SliderRow& row : volumeRows) {
    AddSliderRow(vk, page, row, y, vc);
    y += 21;
  }

  QGroupBox* lock =
      kit.Group("SysKeyLockGrop", VELANTRO_TEXT("Auto Key Lock"), QRect(4, 166, 370, 150));
  PageKit lk(lock);
  AddOptionRow(lk, MakeAddress(page, 13), nullptr, {}, 16, 24, 110, {1, 0});
  QGroupBox* lockPass = lk.Group(
      "SysKeyLockPassGrop", VELANTRO_TEXT("Modify Auto Key Lock Password"), QRect(8, 46, 354, 96));
  PageKit lpk(lockPass);
  const char* passCaptions[3] = {VELANTRO_TEXT("Old Password"), VELANTRO_TEXT("New Password"),
                                 VELANTRO_TEXT("New Password Again")};
  const char* lockFields[3] = {"PassPanelLabel1", "NewPassLabel1", "NewPassLabel2"};
  for (int i = 0; i < 3; ++i) {
    lpk.Caption(passCaptions[i], QRect(10, 20 + i * 24, 130, 20));
    QLineEdit* field = lpk.Field(lockFields[i], QRect(146, 20 + i * 24, 120, 20), 4, true);
    field->setEnabled(i == 0);
  }

  QGroupBox* remote = kit.Group(
      "SysRemoteGrop", VELANTRO_TEXT("Infrared Remote Control Management"), QRect(4, 322, 370, 50));
  AddOptionRow(PageKit(remote), MakeAddress(page, 17), nullptr, {}, 16, 24, 110, {1, 0});

  QGroupBox* code =
      kit.Group("SysCodeGrop", VELANTRO_TEXT("Equipment Management Code"), QRect(4, 378, 370, 52));
  QLineEdit* codePane = PageKit(code).Field(names::kDeviceCodeEdit, QRect(16, 22, 200, 22));
  codePane->setReadOnly(true);
  codePane->setProperty("kind", "pane");

  QGroupBox* ip = kit.Group("SysIPGrop", VELANTRO_TEXT("IP Address/Port"), QRect(4, 436, 370, 52));
  PageKit ik(ip);
  ik.Field(names::kIpAddressEdit, QRect(16, 22, 200, 22))->setText("127.0.0.1");
  ik.Caption(":", QRect(220, 22, 8, 22), Qt::AlignCenter);
  ik.Field(names::kIpPortEdit, QRect(232, 22, 80, 22), 5)->setText("8889");

  QGroupBox* language =
      kit.Group("SysLangGrop", VELANTRO_TEXT("Language"), QRect(758, 418, 371, 52));
  auto* languages = new QComboBox(language);
  languages->setObjectName(names::kLanguageBox);
  // Each language names itself, so an operator who reads only one of them finds it.
  languages->addItems({QStringLiteral("English"), QStringLiteral("中文")});
  languages->setFocusPolicy(Qt::TabFocus);
  languages->setGeometry(16, 22, 200, 22);

  QGroupBox* backup = kit.Group("SysBackupGrop", VELANTRO_TEXT("Computer Data Backup Management"),
                                QRect(380, 4, 372, 484));
  PageKit bk(backup);
  auto* grid = new QTableWidget(0, 2, backup);
  grid->setObjectName(names::kPresetGrid);
  SetHeaderLabels(grid, {kPresetNumberTitle, kPresetNameTitle});
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid->setColumnWidth(0, 90);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setGeometry(10, 22, 352, 368);
  bk.Caption(VELANTRO_TEXT("File Name:"), QRect(10, 400, 70, 22));
  bk.Field("FileEdit", QRect(82, 400, 280, 22));
  bk.Button("RzBmpButton120", VELANTRO_TEXT("Save data to PC"), QRect(10, 436, 170, 28));
  bk.Button("RzBmpButton119", VELANTRO_TEXT("Upload data to Equipment"), QRect(190, 436, 172, 28));

  QGroupBox* modes =
      kit.Group("SysModeGrop", VELANTRO_TEXT("Equipment Mode Management"), QRect(758, 4, 371, 170));
  PageKit mk(modes);
  QLabel* current = mk.Caption(QString::fromUtf8("（Current Mode：1 ）"), QRect(12, 20, 300, 20));
  current->setObjectName(names::kCurrentModeLabel);
  mk.Caption(VELANTRO_TEXT("Equipment Mode"), QRect(12, 48, 100, 22));
  mk.Combo(Named(sysaddr::CurrentMode, ControlRole::Main), sysaddr::CurrentMode, {},
           QRect(116, 48, 240, 22));
  mk.Caption(VELANTRO_TEXT("Mode Name"), QRect(12, 80, 100, 22));
  mk.Field("PresetModeEdit", QRect(116, 80, 240, 22), 20);
  mk.Button("CallModeBtn", VELANTRO_TEXT("Recall Mode"), QRect(12, 120, 168, 28));
  mk.Button("SaveModeBtn", VELANTRO_TEXT("Save Mode"), QRect(188, 120, 168, 28));

  QGroupBox* user = kit.Group("SysUserGrop", VELANTRO_TEXT("Choose：User/Administrators"),
                              QRect(758, 180, 371, 232));
  PageKit uk(user);
  QGroupBox* choice = uk.Group(names::kUserAdminGroup, {}, QRect(8, 18, 354, 34));
  AddOptionRow(PageKit(choice), MakeAddress(page, 12), nullptr, {}, 12, 12, 110, {0, 1}, 100);
  uk.Caption(VELANTRO_TEXT("System Password"), QRect(12, 64, 110, 22));
  uk.Field("SysPassEdit", QRect(124, 64, 140, 22), 6, true);
  uk.Button("SysPassEnterBtn", VELANTRO_TEXT("Enter"), QRect(272, 64, 80, 22));
  QGroupBox* sysPass =
      uk.Group("SysPassGrop", VELANTRO_TEXT("Modify System Password"), QRect(8, 98, 354, 124));
  PageKit spk(sysPass);
  const char* sysFields[3] = {"SysPanelLabel1", "NewSysPassLabel1", "NewSysPassLabel2"};
  for (int i = 0; i < 3; ++i) {
    spk.Caption(passCaptions[i], QRect(10, 24 + i * 30, 130, 22));
    QLineEdit* field = spk.Field(sysFields[i], QRect(146, 24 + i * 30, 140, 22), 6, true);
    field->setEnabled(i == 0);
  }
}

}  // namespace

void BuildSectionPages(QStackedWidget* pages) {
  for (int sheet = 0; sheet < kSheetCount; ++sheet) {
    auto* widget = new QWidget;
    widget->setObjectName(QString("TabSheet%1").arg(sheet + 1));
    widget->resize(kSheetWidth, kSheetHeight);
    pages->addWidget(widget);
    switch (sheet) {
      case sheet::kMusic:
        BuildMusicSheet(widget);
        break;
      case sheet::kMic:
        BuildMicSheet(widget);
        break;
      case sheet::kEffect:
        BuildEffectSheet(widget);
        break;
      case sheet::kMainOutput:
        BuildOutputSheet(widget, MainOutputSheet());
        break;
      case sheet::kAuxOutput:
        BuildOutputSheet(widget, AuxOutputSheet());
        break;
      case sheet::kSystem:
        BuildSystemSheet(widget);
        break;
      case sheet::kDeq:
        BuildDeqSheet(widget);
        break;
      default:
        break;  // sheets 4 and 6 stay empty
    }
  }
}

}  // namespace velantro
