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

#include "binding/Scales.h"
#include "model/ParamAddress.h"
#include "ui/PageKit.h"
#include "ui/Widgets.h"

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

const QStringList kCrossoverModes =
    Items({"Besell 24dB", "Butterworth 24dB", "Link Riley 24dB", "USER 12dB", "USER 24dB"});

QString PaneNameOf(const QString& barName) {
  QString pane = barName;
  const int at = pane.lastIndexOf("Bar");
  if (at >= 0) pane.replace(at, 3, "Pane");
  return pane;
}

// ---------------------------------------------------------------------------------------------
// Slider rows: caption, track bar, value pane, optional spin buttons, phase button and units.
// ---------------------------------------------------------------------------------------------

struct SliderRow {
  const char* caption;
  const char* bar;
  int index;  // slot on the group's page
  int max;
  int scale;
  const char* unit = "";        // label after the pane
  const char* spin = nullptr;   // spin buttons beside the pane
  const char* phase = nullptr;  // phase button before the caption
  int phaseIndex = -1;
  bool barHidden = false;       // a pane with spin buttons only
  const char* unitBefore = "";  // label before the pane ("Atk x")
  const char* barHint = "";     // volume bars: "0" normal, "1" start, "2" limit
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

constexpr int kUnitBeforeWidth = 32;

void AddSliderRow(const PageKit& kit, int page, const SliderRow& row, int y, const RowColumns& c,
                  const char* paneHint = nullptr) {
  const int address = MakeAddress(page, row.index);
  if (row.phase != nullptr) {
    kit.Phase(row.phase, MakeAddress(page, row.phaseIndex), QPoint(c.phase, y + 1));
  }
  kit.Caption(QString::fromUtf8(row.caption), QRect(c.caption, y, c.captionWidth, kRowHeight));
  const bool before = row.unitBefore[0] != '\0';
  const int barWidth = before ? c.barWidth - kUnitBeforeWidth : c.barWidth;
  QSlider* bar = kit.Bar(row.bar, address, row.max, QRect(c.bar, y, barWidth, kRowHeight),
                         Qt::Horizontal, row.barHint);
  if (row.barHidden) bar->hide();
  if (before) {
    kit.Caption(row.unitBefore, QRect(c.bar + barWidth + 2, y, kUnitBeforeWidth - 2, kRowHeight),
                Qt::AlignRight | Qt::AlignVCenter);
  }
  kit.Pane(PaneNameOf(row.bar), address, row.scale, QRect(c.pane, y, c.paneWidth, kRowHeight),
           paneHint != nullptr ? QString(paneHint) : QString());
  if (row.spin != nullptr) kit.Spin(row.spin, address, QPoint(c.after, y));
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

// An option group row: caption, then buttons with their captions from left to right.
struct OptionSpec {
  const char* name;
  int position;
  const char* caption;
};

void AddOptionRow(const PageKit& kit, int address, const char* caption, QRect captionRect, int x,
                  int y, int pitch, const std::vector<OptionSpec>& options, int captionWidth = 44) {
  if (caption != nullptr) kit.Caption(QString::fromUtf8(caption), captionRect);
  for (const OptionSpec& option : options) {
    kit.Option(option.name, address, option.position, QPoint(x, y),
               QString::fromUtf8(option.caption), captionWidth);
    x += pitch;
  }
}

// Limiter rows, shared by the output, AUX and DEQ sheets (slots relative to `base`).
// The output sheets name their limiter bars without a number and their mode buttons with "1".
void AddLimiter(const PageKit& kit, int page, const QString& prefix, const QString& suffix,
                int base, int top, int pitch, const RowColumns& c) {
  const QByteArray p = prefix.toUtf8();
  const QByteArray s = suffix.toUtf8();
  const QByteArray level = p + "RmsLevelBar";
  const QByteArray attack = p + "RmsAttackBar";
  const QByteArray release = p + "RmsReleaseBar";
  const QByteArray ratio = p + "RmsRatioBar";
  const std::vector<SliderRow> rows = {
      {"Limit Level", level.constData(), base + 2, 50, 20, "dBu"},
      {"Attack Time", attack.constData(), base + 0, 15, 17, "ms"},
      {"Release Time", release.constData(), base + 1, 7, 16, "", nullptr, nullptr, -1, false,
       "Atk x"},
      {"Ratio", ratio.constData(), base + 3, 40, 15},
  };
  AddSliderRows(kit, page, rows, top, pitch, c);
  const int y = top + 4 * pitch;
  const QByteArray fast = p + "ModeFastBtn" + s;
  const QByteArray mid = p + "ModeMidBtn" + s;
  const QByteArray slow = p + "ModeSlowBtn" + s;
  AddOptionRow(
      kit, MakeAddress(page, base + 4), "Limit Mode",
      QRect(c.caption, y, c.captionWidth, kRowHeight), c.bar, y + 2, 62,
      {{fast.constData(), 0, "Fast"}, {mid.constData(), 1, "Mid"}, {slow.constData(), 2, "Slow"}});
}

// ---------------------------------------------------------------------------------------------
// EQ band strips.
// ---------------------------------------------------------------------------------------------

struct StripSpec {
  const char* prefix;       // Mus, Mic, Echo, Main, Sub
  const char* spinPrefix;   // MIc on the MIC strip
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
  const QString p = s.prefix;
  const QString sp = s.spinPrefix;
  const int k = MakeAddress(s.page, s.firstIndex + kBandValueCount * (n - 1));
  QLabel* point = kit.Caption(num, QRect(x + 2, 0, 20, 14), Qt::AlignCenter);
  point->setObjectName(QString(s.pointPrefix) + num);
  point->setProperty("kind", "point");
  point->setProperty("address", s.page);
  point->setAutoFillBackground(false);
  kit.Bar(p + "EQGainBar" + num, k + 2, 180, QRect(x + kGainBarX, 0, 20, kGainBarHeight),
          Qt::Vertical);
  const TypePicture pictures[3] = {TypePicture::Peq, TypePicture::Lsq, TypePicture::Hsq};
  const char* imageNames[3] = {"PEQBtn", "LSQBtn", "HSQBtn"};
  for (int j = 0; j < 3; ++j) {
    kit.Image(p + imageNames[j] + num, k, j, pictures[j],
              QPoint(x + (kBandColumnWidth - kTypeImageWidth) / 2, kImageTop + j * kImagePitch));
  }
  QComboBox* type = kit.Combo(p + "ModeBox" + num, k, "1", BandTypeItems(),
                              QRect(x, kImageTop, kBandColumnWidth, 18));
  type->hide();
  struct EditRow {
    const char* edit;
    const char* spin;
    int field;
    int scale;
  };
  const EditRow rows[3] = {{"GainEdit", "GainUpDownBtn", 2, 3},
                           {"FreEdit", "FreUpDownBtn", 1, 2},
                           {"QEdit", "QUpDownBtn", 4, 4}};
  for (int r = 0; r < 3; ++r) {
    const int y = kEditTop + r * kEditPitch;
    kit.Edit(p + rows[r].edit + num, k + rows[r].field, rows[r].scale,
             QRect(x + kEditX, y, kEditWidth, kRowHeight));
    kit.Spin(sp + rows[r].spin + num, k + rows[r].field, QPoint(x + kEditX + kEditWidth + 2, y));
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
      {"EQ Type", kImageTop, 3 * kImagePitch},
      {"Gain(dB)", kEditTop, kRowHeight},
      {"Fre(Hz)", kEditTop + kEditPitch, kRowHeight},
      {"Q", kEditTop + 2 * kEditPitch, kRowHeight},
  };
  for (const RowCaption& c : captions) {
    local.Caption(c.text, QRect(originX, captionTop + c.top, kStripCaptionWidth, c.height),
                  Qt::AlignRight | Qt::AlignVCenter);
  }
  auto* area = new QScrollArea(host);
  area->setObjectName(s.box);
  area->setFrameShape(QFrame::NoFrame);
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
  QGroupBox* input = kit.Group("MusInputGrop", "Music Input", QRect(4, 2, 186, 200));
  PageKit in(input);
  QGroupBox* port = in.Group("MusPortGrop", "Music Port", QRect(8, 22, 170, 56));
  PageKit portKit(port);
  const int portAddress = MakeAddress(kSystemPage, IndexOf(sysaddr::MusicInputSelect));
  AddOptionRow(portKit, portAddress, nullptr, {}, 16, 26, 64,
               {{"SysInput", 0, "1"}, {"SysInput2", 1, "2"}, {"SysInput3", 2, "3"}});
  port->findChild<QPushButton*>("SysInput3")->hide();
  port->findChild<QLabel*>("SysInput3Caption")->hide();
  QGroupBox* gain = in.Group("SignRzGroup", "Music Gain", QRect(8, 90, 170, 56));
  PageKit gainKit(gain);
  AddOptionRow(gainKit, MakeAddress(kSystemPage, IndexOf(sysaddr::MusicInputLevel)), nullptr, {},
               12, 26, 54,
               {{"SysMusInputLevel", 0, "0dB"},
                {"SysMusInputLevel2", 1, "3dB"},
                {"SysMusInputLevel3", 2, "6dB"}},
               36);
  const StripSpec music{"Mus",  "Mus", "MusEQPointLabel", 0,       4,           10,
                        10,     10,    "MusScrollBox",    nullptr, "9 band EQ", "MusEqCaption",
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
      {"MIC  Frequency shift", "MicFBEBar", 2, 7, 21, "", "MicFBEUpDownBtn", nullptr, -1, true},
      {"Noise gate", "MicNoiseBar", 3, 10, 22, "", "MicNoiseUpDownBtn", nullptr, -1, true},
      {"MIC HPF", "MicHPFreBar", 0, 143, 6, "", "MicHPFreUpDownBtn"},
  };
  AddSliderRows(PageKit(mic), 1, rows, 22, 24, c);
  QGroupBox* group = kit.Group("MicGroupGrop", "MIC(Group choose)", QRect(4, 108, 292, 60));
  PageKit groupKit(group);
  for (auto [name, caption, x] :
       {std::tuple{"MicABtn", "MIC A Group", 12}, std::tuple{"MicBBtn", "MIC B Group", 150}}) {
    QPushButton* button = groupKit.Button(name, caption, QRect(x, 24, 128, 24));
    button->setProperty("kind", "button");
    button->setProperty("role", "pair");
  }
  const StripSpec strip{"Mic",
                        "MIc",
                        "MicEQPointLabel",
                        1,
                        6,
                        kMicBands,
                        kMicBands,
                        10,
                        "MicScrollBox",
                        "MicPanScrollBar",
                        "15 band EQ",
                        "MicEqCaption",
                        "MicCurvyPanel"};
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
  QGroupBox* echo = kit.Group("EchoGrop", "Echo", QRect(4, 2, 352, 236));
  const std::vector<SliderRow> echoRows = {
      {"MIC Echo Level", "EchoEffLevelBar", 1, 100, 8, "%", nullptr, "EchoEffPhaseBtn", 0},
      {"MIC Direct Level", "EchoDirectLevelBar", 3, 100, 8, "%", nullptr, "EchoDirectPhaseBtn", 2},
      {"Echo HPF", "EchoHPFreBar", 4, 205, 13, "", "EchoHPFreUpDownBtn"},
      {"Echo LPF", "EchoLPFreBar", 5, 64, 7, "", "EchoLPFreUpDownBtn"},
      {"Echo PRE Delay", "EchoPreDelayBar", 6, 125, 11, "ms"},
      {"Echo Delay Time", "EchoTimeBar", 7, 250, 11, "ms"},
      {"Echo Repeat", "EchoRepeatBar", 8, 90, 8, "%"},
      {"Echo R CH PRE Delay", "EchoRPreDelayBar", 10, 50, 8, "%"},
      {"Echo R CH Delay Time", "EchoRTimeBar", 9, 100, 10, "%"},
  };
  PageKit echoKit(echo);
  AddSliderRows(echoKit, 4, echoRows, 20, 23, c);
  // The echo mode (0x040B) has no visible control; its pair exists for the binding.
  for (auto [name, position] : {std::pair{"EchoModeBtn1", 0}, std::pair{"EchoModeBtn2", 1}}) {
    echoKit.Option(name, MakeAddress(4, 11), position, QPoint(0, 0))->hide();
  }
  QGroupBox* reverb = kit.Group("RvbGrop", "Reverb", QRect(360, 2, 352, 236));
  const std::vector<SliderRow> reverbRows = {
      {"MIC Reverb Level", "RvbEffLevelBar", 1, 100, 8, "%", nullptr, "RvbEffPhaseBtn", 0},
      {"MIC Direct Level", "RvbDirectLevelBar", 3, 100, 8, "%", nullptr, "RvbDirectPhaseBtn", 2},
      {"Reverb Mic HPF", "RvbHPFreBar", 6, 205, 13, "", "RvbHPFreUpDownBtn"},
      {"Reverb Mic LPF", "RvbLPFreBar", 7, 64, 7, "", "RvbLPFreUpDownBtn"},
      {"Reverb Music HPF", "RvbMusHPFreBar", 10, 205, 13},
      {"Reverb Music LPF", "RvbMusLPFreBar", 11, 64, 7},
      {"Reverb PRE Delay", "RvbPreDelayBar", 5, 100, 11, "ms"},
      {"Reverb Time", "RvbTimeBar", 4, 80, 12, "ms"},
      {"Reverb Treble Damp", "RvbMusTreDecayBar", 12, 10, 22},
      {"Reverb Bass Damp", "RvbMusBassDecayBar", 13, 10, 22},
      {"Music to Reverb", "RvbMusicBar", 9, 100, 8, "%", nullptr, "RvbMusicPhaseBtn", 8},
  };
  AddSliderRows(PageKit(reverb), 5, reverbRows, 17, 19, c);
  const StripSpec strip{
      "Echo",  "Echo",        "EffEQPointLabel", 4,      16, 5, 5, 5, "EffScrollBar",
      nullptr, "5 Band Echo", "EffEqCaption",    nullptr};
  AddStrip(kit, strip, 716, 2);
}

// The mix group of the output and AUX sheets.
void AddMixGroup(const PageKit& kit, int page, const char* prefix, QRect r, const RowColumns& c) {
  QGroupBox* mix = kit.Group(QString(prefix) + "MixGrop", "Mix", r);
  const QByteArray p = prefix;
  const QByteArray names[8] = {p + "MusLevelBar", p + "MusPhaseBtn",  p + "MicLevelBar",
                               p + "MicPhaseBtn", p + "EchoLevelBar", p + "EchoPhaseBtn",
                               p + "RvbLevelBar", p + "RvbPhaseBtn"};
  const char* captions[4] = {"Music Level", "MIC Level", "Echo Level", "Reverb Level"};
  std::vector<SliderRow> rows;
  for (int i = 0; i < 4; ++i) {
    rows.push_back({captions[i], names[2 * i].constData(), 4 * i, 100, 9, "%", nullptr,
                    names[2 * i + 1].constData(), 4 * i + 2});
  }
  AddSliderRows(PageKit(mix), page, rows, 18, 20, c);
}

struct CrossoverNames {
  const char* hpType;
  const char* hpBar;
  const char* hpSpin;
  const char* hpQBar;
  const char* hpQSpin;
  const char* lpType;
  const char* lpBar;
  const char* lpSpin;
  const char* lpQBar;
  const char* lpQSpin;
};

// HPF, HPF Q, HPF Mode, LPF, LPF Q, LPF Mode; returns the y after the last row.
int AddCrossoverRows(const PageKit& kit, int page, const CrossoverNames& n, int top, int pitch,
                     const RowColumns& c) {
  int y = top;
  auto slider = [&](const SliderRow& row) {
    AddSliderRow(kit, page, row, y, c);
    y += pitch;
  };
  auto combo = [&](const char* caption, const char* name, int index) {
    kit.Caption(caption, QRect(c.caption, y, c.captionWidth, kRowHeight));
    kit.Combo(name, MakeAddress(page, index), {}, kCrossoverModes,
              QRect(c.bar, y, c.barWidth + 8, kRowHeight + 1));
    y += pitch;
  };
  slider({"HPF", n.hpBar, 17, 362, 6, "", n.hpSpin});
  slider({"HPF Q", n.hpQBar, 18, 23, 19, "", n.hpQSpin});
  combo("HPF Mode", n.hpType, 16);
  slider({"LPF", n.lpBar, 20, 362, 5, "", n.lpSpin});
  slider({"LPF Q", n.lpQBar, 21, 23, 19, "", n.lpQSpin});
  combo("LPF Mode", n.lpType, 19);
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

void BuildMainOutputSheet(QWidget* sheet) {
  PageKit kit(sheet);
  const int page = 6;
  const RowColumns c = OutputColumns();
  AddMixGroup(kit, page, "Main", QRect(4, 2, 340, 100), c);
  QGroupBox* limit = kit.Group("MainLimitGrop", "Limiter", QRect(4, 106, 340, 132));
  AddLimiter(PageKit(limit), page, "Main", "1", 22, 18, 22, c);
  QGroupBox* cross = kit.Group("MainCrossGrop", "Crossover", QRect(348, 2, 336, 236));
  PageKit ck(cross);
  const RowColumns x = CrossoverColumns();
  int y = AddCrossoverRows(ck, page,
                           {"MainHPTypeBox", "MainMusHPFreBar", "MainHPFreUpDownBtn",
                            "MainMusHPQBar", "MainHPQUpDownBtn", "MainLPTypeBox", "MainMusLPFreBar",
                            "MainMusLPFreUpDownBtn", "MainMusLPQBar", "MainLPQUpDownBtn"},
                           16, 20, x);
  AddSliderRow(ck, page, {"L CH Delay", "MainLdelayBar", 27, 500, 18, "ms"}, y, x);
  y += 20;
  AddSliderRow(ck, page, {"R CH Delay", "MainRdelayBar", 28, 500, 18, "ms"}, y, x);
  y += 20;
  ck.Caption("L CH Mute", QRect(x.caption, y, 60, kRowHeight));
  ck.Toggle("MainLmuteBtn", MakeAddress(page, 29), "Mute", QRect(70, y, 56, kRowHeight));
  ck.Caption("R CH Mute", QRect(150, y, 60, kRowHeight));
  ck.Toggle("MainRmuteBtn", MakeAddress(page, 30), "Mute", QRect(212, y, 56, kRowHeight));
  y += 20;
  ck.Caption("Tone adjustment", QRect(x.caption, y, x.captionWidth, kRowHeight));
  ck.Combo("MAINToneBox", MakeAddress(page, 31), {}, Items({"Gentle", "Bright"}),
           QRect(x.bar, y, x.barWidth + 8, kRowHeight + 1));
  const StripSpec strip{"Main",
                        "Main",
                        "MainEQPointLabel",
                        page,
                        34,
                        8,
                        7,
                        5,
                        "MainPanScrollBox",
                        "MainPanScrollBar",
                        "7 Band EQ",
                        "MainEqCaption",
                        nullptr};
  AddStrip(kit, strip, 692, 2);
}

void BuildAuxOutputSheet(QWidget* sheet) {
  PageKit kit(sheet);
  const int page = 7;
  const RowColumns c = OutputColumns();
  AddMixGroup(kit, page, "Sub", QRect(4, 2, 340, 100), c);
  QGroupBox* limit = kit.Group("SubLimitGrop", "Limiter", QRect(4, 106, 340, 132));
  AddLimiter(PageKit(limit), page, "Sub", "1", 22, 18, 22, c);
  QGroupBox* cross = kit.Group("SubCrossGrop", "Crossover", QRect(348, 2, 336, 236));
  PageKit ck(cross);
  const RowColumns x = CrossoverColumns();
  int y = AddCrossoverRows(ck, page,
                           {"SubMusHPType", "SubMusHPFreBar", "SubHPFreUpDownBtn", "SubMusHPQBar",
                            "SubMusHPuserQUpDownBtn", "SubMusLPType", "SubMusLPFreBar",
                            "SubLPFreUpDownBtn", "SubMusLPQBar", "SubMusLPuserQUpDownBtn"},
                           18, 23, x);
  AddSliderRow(ck, page, {"Delay", "SubdelayBar", 27, 500, 18, "ms"}, y, x);
  y += 23;
  ck.Caption("Mute", QRect(x.caption, y, x.captionWidth, kRowHeight));
  ck.Toggle("SubmuteBtn", MakeAddress(page, 28), "Mute", QRect(x.bar, y, 56, kRowHeight));
  const StripSpec strip{"Sub",
                        "Sub",
                        "SubEQPointLabel",
                        page,
                        31,
                        8,
                        7,
                        5,
                        "SubScrollPaneBox",
                        "SubPanScrollBar",
                        "7 Band EQ",
                        "SubEqCaption",
                        nullptr};
  AddStrip(kit, strip, 692, 2);
}

void BuildDeqChannel(const PageKit& kit, int g, QRect r) {
  const QString num = QString::number(g);
  const int page = kDeqPage;
  const int b = 12 * (g - 1);
  auto address = [&](int offset) { return MakeAddress(page, b + offset); };
  QGroupBox* group = kit.Group("DEQ" + num + "Grop", "DEQ " + num, r);
  PageKit gk(group);
  QPushButton* pass =
      gk.Toggle("DEQALLPASSBtn" + num, address(1), "EQ pass", QRect(196, 12, 70, 18));
  pass->setProperty("role", "eqpass");
  QLabel* point = gk.Caption(num, QRect(224, 34, 18, 14), Qt::AlignCenter);
  point->setObjectName("DEQPointLabel" + num);
  point->setProperty("kind", "point");
  point->setProperty("address", page);
  gk.Bar("DEQGainBar" + num, address(4), 180, QRect(246, 34, 20, 88), Qt::Vertical);

  QLabel* filter = gk.Caption("Filter\nType", QRect(6, 16, 42, 40));
  filter->setWordWrap(true);
  const TypePicture band[3] = {TypePicture::Peq, TypePicture::Lsq, TypePicture::Hsq};
  const char* bandNames[3] = {"DEQPEQBtn", "DEQLEQBtn", "DEQHEQBtn"};
  const TypePicture work[3] = {TypePicture::DeqOff, TypePicture::Below, TypePicture::Above};
  const char* workNames[3] = {"DEQTYpeOffBtn", "DEQTYpeBelowBtn", "DEQTYpeAboveBtn"};
  for (int j = 0; j < 3; ++j) {
    gk.Image(bandNames[j] + num, address(2), j, band[j], QPoint(50, 16 + j * 14));
    gk.Image(workNames[j] + num, address(7), j, work[j], QPoint(140, 16 + j * 14));
  }
  gk.Combo("DEQModeBox" + num, address(2), "1", BandTypeItems(), QRect(50, 16, 40, 18))->hide();
  gk.Combo("DEQTypeBox" + num, address(7), "1", DeqTypeItems(), QRect(140, 16, 40, 18))->hide();
  QLabel* mode = gk.Caption("DEQ\nwork\nmode", QRect(96, 12, 42, 48));
  mode->setWordWrap(true);

  struct EditRow {
    const char* caption;
    const char* edit;
    const char* spin;
    int offset;
    int scale;
  };
  const EditRow edits[3] = {{"Fre(Hz)", "DEQFreEdit", "DEQFreUpDownBtn", 3, 2},
                            {"Gain(dB)", "DEQGainEdit", "DEQGainUpDownBtn", 4, 3},
                            {"Q", "DEQQEdit", "DEQQUpDownBtn", 6, 4}};
  for (int i = 0; i < 3; ++i) {
    const int y = 62 + i * 20;
    gk.Caption(edits[i].caption, QRect(6, y, 56, kRowHeight));
    gk.Edit(edits[i].edit + num, address(edits[i].offset), edits[i].scale,
            QRect(64, y, 62, kRowHeight));
    gk.Spin(edits[i].spin + num, address(edits[i].offset), QPoint(128, y));
  }

  const RowColumns c{.phase = 0,
                     .caption = 6,
                     .captionWidth = 84,
                     .bar = 90,
                     .barWidth = 92,
                     .pane = 184,
                     .paneWidth = 50,
                     .after = 236};
  const QByteArray attack = ("DEQRmsAttackBar" + num).toUtf8();
  const QByteArray release = ("DEQRmsReleaseBar" + num).toUtf8();
  const QByteArray level = ("DEQRmsLevelBar" + num).toUtf8();
  const QByteArray ratio = ("DEQRmsRatioBar" + num).toUtf8();
  const std::vector<SliderRow> rows = {
      {"Attack Time", attack.constData(), b + 8, 15, 17, "ms"},
      {"Release Time", release.constData(), b + 9, 7, 16, "", nullptr, nullptr, -1, false, "Atk x"},
      {"Attack level", level.constData(), b + 10, 50, 20, "dBu"},
      {"Dynamic Ratio", ratio.constData(), b + 11, 40, 15},
  };
  AddSliderRows(gk, page, rows, 124, 18, c);
  const QByteArray fast = ("DEQModeFastBtn" + num).toUtf8();
  const QByteArray mid = ("DEQModeMidBtn" + num).toUtf8();
  const QByteArray slow = ("DEQModeSlowBtn" + num).toUtf8();
  AddOptionRow(
      gk, address(12), "Dynamic Mode", QRect(6, 196, 84, kRowHeight), 90, 198, 58,
      {{fast.constData(), 0, "Fast"}, {mid.constData(), 1, "Mid"}, {slow.constData(), 2, "Slow"}},
      36);
  QLabel* sensitivity = gk.Caption("Power amplifier input sensitivity", QRect(6, 214, 106, 24));
  sensitivity->setWordWrap(true);
  sensitivity->setStyleSheet("font-size: 9px;");
  const char* levels[3] = {"0.775V", "1V", "1.4V"};
  for (int s = 0; s < 3; ++s) {
    gk.Button(QString("AmpLBtn%1_%2").arg(g - 1).arg(s), levels[s],
              QRect(114 + s * 52, 217, 48, kRowHeight));
  }
}

void BuildDeqSheet(QWidget* sheet) {
  PageKit kit(sheet);
  for (int g = 1; g <= 3; ++g) BuildDeqChannel(kit, g, QRect(4 + (g - 1) * 278, 0, 274, 243));
  QGroupBox* explain = kit.Group("DEQExplainGrop", "Explain", QRect(840, 0, 289, 243));
  PageKit ek(explain);
  QLabel* title = ek.Caption("DEQ Operation instruction", QRect(8, 16, 270, 16));
  title->setStyleSheet("font-weight: bold; color: #9fd8ff;");
  QLabel* text = ek.Caption(
      "Off: the channel works as a general EQ band.\n"
      "Below: dynamic lift of a low band while the level is below the level start, easing off "
      "above it.\n"
      "Above: dynamic cut of mid and high frequencies while the level is above the level start, "
      "easing off below it.",
      QRect(8, 34, 272, 140), Qt::AlignLeft | Qt::AlignTop);
  text->setObjectName("DEQExplainText");
  text->setWordWrap(true);
  ek.Caption("Reference mode Settings(Frequency)", QRect(8, 180, 272, 16));
  ek.Button("DEQReferenceBtn", "Reference settings", QRect(8, 200, 150, 24));
}

void BuildSystemSheet(QWidget* sheet) {
  PageKit kit(sheet);
  const int page = kSystemPage;

  QGroupBox* volume = kit.Group("SysVolGrop", "Volume Management", QRect(4, 4, 370, 156));
  const RowColumns vc{.phase = 0,
                      .caption = 10,
                      .captionWidth = 86,
                      .bar = 98,
                      .barWidth = 196,
                      .pane = 300,
                      .paneWidth = 56,
                      .after = 358};
  const std::vector<SliderRow> volumeRows = {
      {"Music Start", "SysMusStartVolBar", 6, 82, 0, "", nullptr, nullptr, -1, false, "", "1"},
      {"Music Limit", "SysMusMaxVolBar", 7, 82, 0, "", nullptr, nullptr, -1, false, "", "2"},
      {"MIC Start", "SysMicStartVolBar", 8, 82, 0, "", nullptr, nullptr, -1, false, "", "1"},
      {"MIC Limit", "SysMicMaxVolBar", 9, 82, 0, "", nullptr, nullptr, -1, false, "", "2"},
      {"Effect Start", "SysEffStartVolBar", 10, 70, 0, "", nullptr, nullptr, -1, false, "", "1"},
      {"Effect Limit", "SysEffMaxVolBar", 11, 70, 0, "", nullptr, nullptr, -1, false, "", "2"},
  };
  PageKit vk(volume);
  int y = 22;
  for (const SliderRow& row : volumeRows) {
    AddSliderRow(vk, page, row, y, vc, "0");
    y += 21;
  }

  QGroupBox* lock = kit.Group("SysKeyLockGrop", "Auto Key Lock", QRect(4, 166, 370, 150));
  PageKit lk(lock);
  AddOptionRow(lk, MakeAddress(page, 13), nullptr, {}, 16, 24, 110,
               {{"SysPanelBtn2", 1, "Enable"}, {"SysPanelBtn1", 0, "Disable"}});
  QGroupBox* lockPass =
      lk.Group("SysKeyLockPassGrop", "Modify Auto Key Lock Passowrd", QRect(8, 46, 354, 96));
  PageKit lpk(lockPass);
  const char* passCaptions[3] = {"Old Password", "New Password", "New Password Again"};
  const char* lockFields[3] = {"PassPanelLabel1", "NewPassLabel1", "NewPassLabel2"};
  for (int i = 0; i < 3; ++i) {
    lpk.Caption(passCaptions[i], QRect(10, 20 + i * 24, 130, 20));
    QLineEdit* field = lpk.Field(lockFields[i], QRect(146, 20 + i * 24, 120, 20), 4, true);
    field->setEnabled(i == 0);
  }

  QGroupBox* remote =
      kit.Group("SysRemoteGrop", "infrared remote control management", QRect(4, 322, 370, 50));
  AddOptionRow(PageKit(remote), MakeAddress(page, 17), nullptr, {}, 16, 24, 110,
               {{"SysRemoteBtn2", 1, "ON"}, {"SysRemoteBtn1", 0, "OFF"}});

  QGroupBox* code = kit.Group("SysCodeGrop", "Equipment  Management Code", QRect(4, 378, 370, 52));
  QLineEdit* codePane = PageKit(code).Field("SysDeviceCodeEdit", QRect(16, 22, 200, 22));
  codePane->setReadOnly(true);
  codePane->setProperty("kind", "pane");

  QGroupBox* ip = kit.Group("SysIPGrop", "IP Address/Port", QRect(4, 436, 370, 52));
  PageKit ik(ip);
  ik.Field("IPAddressEdit", QRect(16, 22, 200, 22))->setText("127.0.0.1");
  ik.Caption(":", QRect(220, 22, 8, 22), Qt::AlignCenter);
  ik.Field("IPPortEdit", QRect(232, 22, 80, 22), 5)->setText("8889");

  QGroupBox* backup =
      kit.Group("SysBackupGrop", "Computer Data Backup Mnagement", QRect(380, 4, 372, 484));
  PageKit bk(backup);
  auto* grid = new QTableWidget(0, 2, backup);
  grid->setObjectName("ValueListEditor1");
  grid->setHorizontalHeaderLabels({QString::fromUtf8("      Number"),
                                   QString::fromUtf8("                   （Computer）Date Name")});
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid->setColumnWidth(0, 90);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setGeometry(10, 22, 352, 368);
  bk.Caption("File Name:", QRect(10, 400, 70, 22));
  bk.Field("FileEdit", QRect(82, 400, 280, 22));
  bk.Button("RzBmpButton120", "Save date in PC", QRect(10, 436, 170, 28));
  bk.Button("RzBmpButton119", "Upload date to Equipment", QRect(190, 436, 172, 28));

  QGroupBox* modes = kit.Group("SysModeGrop", "Equipment Mode Management", QRect(758, 4, 371, 170));
  PageKit mk(modes);
  QLabel* current = mk.Caption(QString::fromUtf8("（Current Mode：1 ）"), QRect(12, 20, 300, 20));
  current->setObjectName("CurrentModeLabel");
  mk.Caption("Equipment Mode", QRect(12, 48, 100, 22));
  mk.Combo("SysModeBox", MakeAddress(page, 2), {}, {}, QRect(116, 48, 240, 22));
  mk.Caption("Mode Name", QRect(12, 80, 100, 22));
  mk.Field("PresetModeEdit", QRect(116, 80, 240, 22), 20);
  mk.Button("CallModeBtn", "Call Management Mode", QRect(12, 120, 168, 28));
  mk.Button("SaveModeBtn", "Save Management Mode", QRect(188, 120, 168, 28));

  QGroupBox* user = kit.Group("SysUserGrop", QString::fromUtf8("Choose：User/Administrators"),
                              QRect(758, 180, 371, 232));
  PageKit uk(user);
  QGroupBox* choice = uk.Group("SysUserMangerGrop", {}, QRect(8, 18, 354, 34));
  AddOptionRow(PageKit(choice), MakeAddress(page, 12), nullptr, {}, 12, 12, 110,
               {{"SysUserBtn", 0, "User"}, {"SysManagerBtn", 1, "Administrators"}}, 100);
  uk.Caption("System Password", QRect(12, 64, 110, 22));
  uk.Field("SysPassEdit", QRect(124, 64, 140, 22), 6, true);
  uk.Button("SysPassEnterBtn", "Enter", QRect(272, 64, 80, 22));
  QGroupBox* sysPass = uk.Group("SysPassGrop", "Modify System Password", QRect(8, 98, 354, 124));
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
      case kMusicSheet:
        BuildMusicSheet(widget);
        break;
      case kMicSheet:
        BuildMicSheet(widget);
        break;
      case kEffectSheet:
        BuildEffectSheet(widget);
        break;
      case kMainOutputSheet:
        BuildMainOutputSheet(widget);
        break;
      case kAuxOutputSheet:
        BuildAuxOutputSheet(widget);
        break;
      case kSystemSheet:
        BuildSystemSheet(widget);
        break;
      case kDeqSheet:
        BuildDeqSheet(widget);
        break;
      default:
        break;  // sheets 4 and 6 stay empty
    }
  }
}

}  // namespace velantro
