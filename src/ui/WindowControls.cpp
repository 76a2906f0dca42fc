#include "ui/WindowControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "binding/BindingTables.h"
#include "binding/ControlTable.h"
#include "model/Scales.h"
#include "ui/PageKit.h"
#include "widgets/Looks.h"
#include "widgets/Translation.h"
#include "widgets/WidgetNames.h"
#include "widgets/Widgets.h"

namespace velantro {

namespace {

// The page scroll box's bars, dark like the rest of the window.
constexpr char kPageScrollBarLook[] = R"(
QScrollBar { background: #101214; border: none; }
QScrollBar:horizontal { height: 12px; }
QScrollBar:vertical { width: 12px; }
QScrollBar::handle { background: #4a525a; border-radius: 4px; margin: 2px; }
QScrollBar::handle:horizontal { min-width: 40px; }
QScrollBar::handle:vertical { min-height: 40px; }
QScrollBar::handle:hover { background: #6a747e; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; border: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)";

constexpr int kEqPassInset = 8;
constexpr int kEqPassButtonWidth = 80;
constexpr int kEqPassGroupWidth = 176;
constexpr int kSingDiscoGroupWidth = 230;
constexpr int kGroupHeight = 22;
constexpr int kDesignGroupsLeft = 272;
constexpr int kLinkButtonWidth = 84;
// A normal volume in the section strip: caption, slider, pane.
constexpr int kVolumeCaptionWidth = 40;
constexpr int kVolumeBarWidth = 66;
constexpr int kVolumeBarNarrowest = 36;
constexpr int kVolumePaneWidth = 28;
constexpr int kVolumeFixedWidth = kVolumeCaptionWidth + 4 + 2 + kVolumePaneWidth + 8;
constexpr int kLoadingNoticeWidth = 240;
constexpr int kLoadingNoticeHeight = 48;
constexpr char kLoadingNoticeLook[] =
    "font-size: 20px; font-weight: bold; color: white; background: rgba(0, 0, 0, 190);"
    " border: 1px solid silver; border-radius: 6px;";

struct TabSpec {
  const char* caption;
  int width;
};

// FormTabBtn1 … FormTabBtn10; the last two never show.
constexpr TabSpec kTabs[kTabCount] = {{VELANTRO_TEXT("Music"), 62},
                                      {"MIC", 50},
                                      {VELANTRO_TEXT("Effect"), 60},
                                      {VELANTRO_TEXT("Main Output"), 92},
                                      {"AUX1", 52},
                                      {"AUX2", 52},
                                      {VELANTRO_TEXT("SUR output"), 92},
                                      {VELANTRO_TEXT("System"), 64},
                                      {"DEQ", 52},
                                      {"", 40}};
constexpr int kFirstHiddenTab = 8;

struct NormalVolume {
  const char* caption;
  ParamAddress address;
};

constexpr NormalVolume kNormalVolumes[3] = {{VELANTRO_TEXT("Music"), sysaddr::MusicNormalVolume},
                                            {"MIC", sysaddr::MicNormalVolume},
                                            {VELANTRO_TEXT("Effect"), sysaddr::EffectNormalVolume}};

constexpr ParamAddress kEqPassAddress = 0x0003;

const char* const kTemplatePictures[][2] = {
    {"PEQ_ONImage", "PEQ_OFFImage"},     {"LSQ_ONImage", "LSQ_OFFImage"},
    {"HSQ_ONImage", "HSQ_OFFImage"},     {"DEQ_ONImage", "DEQ_OFFImage"},
    {"BELOW_ONImage", "BELOW_OFFImage"}, {"Above_ONImage", "Above_OFFImage"}};

// The table's control in `role` at the address.
QString Bound(ParamAddress address, ControlRole role = ControlRole::Main) {
  return ControlName(address, role);
}

VolumeParts BuildVolume(const PageKit& kit, const NormalVolume& volume) {
  const ParamAddress address = volume.address;
  VolumeParts parts;
  parts.caption = kit.Caption(volume.caption, QRect(0, 4, kVolumeCaptionWidth, 18),
                              Qt::AlignRight | Qt::AlignVCenter);
  parts.bar = kit.Bar(Bound(address), address, FindControl(address, ControlRole::Main)->max,
                      QRect(0, 4, kVolumeBarWidth, 18));
  parts.pane =
      kit.Pane(Bound(address, ControlRole::Pane), address, QRect(0, 4, kVolumePaneWidth, 18));
  return parts;
}

}  // namespace

QScrollArea* BuildPageScroll(QWidget* parent) {
  auto* scroll = new QScrollArea(parent);
  scroll->setObjectName("PageScroll");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);  // Tab goes to the sheet's controls, not the box
  scroll->setWidgetResizable(true);
  scroll->horizontalScrollBar()->setStyleSheet(kPageScrollBarLook);
  scroll->verticalScrollBar()->setStyleSheet(kPageScrollBarLook);
  return scroll;
}

int BuildSectionTabs(QWidget* strip) {
  int x = 4;
  for (int i = 0; i < kTabCount; ++i) {
    auto* tab = new QPushButton(strip);
    SetText(tab, kTabs[i].caption);
    tab->setObjectName(QString(names::kTabButton).arg(i + 1));
    tab->setProperty("address", i);
    tab->setProperty("kind", "button");
    tab->setProperty("tab", true);
    tab->setProperty("look", "normal");
    tab->setGeometry(x, 2, kTabs[i].width, kSectionStripHeight - 4);
    if (i >= kFirstHiddenTab) {
      tab->hide();
    } else {
      x += kTabs[i].width + 2;
    }
  }
  return x;
}

SectionStripParts BuildSectionStrip(QWidget* strip) {
  SectionStripParts parts;
  parts.volumesLeft = BuildSectionTabs(strip) + 10;
  PageKit kit(strip);
  for (int i = 0; i < 3; ++i) parts.volumes[i] = BuildVolume(kit, kNormalVolumes[i]);
  parts.linkButton =
      kit.Button(names::kLinkButton, VELANTRO_TEXT("Connect"), QRect(0, 2, kLinkButtonWidth, 22));
  parts.linkButton->setProperty("kind", "button");
  parts.unlinkButton =
      kit.Button(names::kUnlinkButton, VELANTRO_TEXT("Unlink"), QRect(0, 2, kLinkButtonWidth, 22));
  parts.unlinkButton->setProperty("kind", "button");
  parts.unlinkButton->hide();
  return parts;
}

void PlaceSectionStrip(const SectionStripParts& parts, int stripWidth) {
  const int linkLeft = stripWidth - kLinkButtonWidth - 6;
  parts.linkButton->move(linkLeft, 2);
  parts.unlinkButton->move(stripWidth - 2 * kLinkButtonWidth - 10, 2);
  const int room = (linkLeft - 8 - parts.volumesLeft) / 3;
  const int bar = std::clamp(room - kVolumeFixedWidth, kVolumeBarNarrowest, kVolumeBarWidth);
  int x = parts.volumesLeft;
  for (const VolumeParts& v : parts.volumes) {
    v.caption->move(x, 4);
    v.bar->setGeometry(x + kVolumeCaptionWidth + 4, 4, bar, 18);
    v.pane->move(v.bar->geometry().right() + 3, 4);
    x += kVolumeFixedWidth + bar;
  }
}

int EqPassGroupLeft(int page) {
  switch (page) {
    case 0:
      return 272;
    case 1:
    case 3:
      return 352;
    case 4:
    case 5:
      return 736;
    case 6:
    case 9:
      return 680;
    case 7:
    case 8:
      return 712;
    default:
      return -1;
  }
}

QWidget* BuildEqPassGroup(QWidget* parent) {
  auto* group = new QWidget(parent);
  group->setObjectName(names::kEqPassGroup);
  group->setGeometry(kDesignGroupsLeft, kButtonGroupsTop, kEqPassGroupWidth, kGroupHeight);
  PageKit eq(group);
  // The buttons start a little in from the group's edge: on the Main/SUR sheet the edge lies on
  // the Crossover group's frame.
  eq.Button(names::kEqResetButton, VELANTRO_TEXT("EQ Reset"),
            QRect(kEqPassInset, 0, kEqPassButtonWidth, kGroupHeight));
  eq.Toggle(Bound(kEqPassAddress), kEqPassAddress, VELANTRO_TEXT("EQ pass"),
            QRect(kEqPassInset + kEqPassButtonWidth + 4, 0, kEqPassButtonWidth, kGroupHeight));
  return group;
}

QWidget* BuildSingDiscoGroup(QWidget* parent) {
  auto* group = new QWidget(parent);
  group->setObjectName(names::kSingDiscoGroup);
  group->setGeometry(kDesignGroupsLeft + kSingleDiscoOffset, kButtonGroupsTop, kSingDiscoGroupWidth,
                     kGroupHeight);
  PageKit sd(group);
  // Each pair is one cell: Auto and Disco its main control, Manual and Sing its pane.
  struct Pair {
    ControlRole role;
    const char* caption;
    int address;
  };
  const Pair pairs[4] = {{ControlRole::Main, VELANTRO_TEXT("Auto"), 0},
                         {ControlRole::Pane, VELANTRO_TEXT("Manual"), 0},
                         {ControlRole::Pane, VELANTRO_TEXT("Sing"), 1},
                         {ControlRole::Main, VELANTRO_TEXT("Disco"), 1}};
  constexpr int kPitch = 58;
  constexpr int kWidth = 55;
  for (int i = 0; i < 4; ++i) {
    QPushButton* button = sd.Button(Bound(pairs[i].address, pairs[i].role), pairs[i].caption,
                                    QRect(i * kPitch, 0, kWidth, kGroupHeight));
    button->setProperty("address", pairs[i].address);
    button->setProperty("kind", "button");
  }
  return group;
}

QWidget* BuildLockPanel(QWidget* parent) {
  auto* panel = new QGroupBox(parent);
  SetText(panel, VELANTRO_TEXT("Input UnLock Password："));
  panel->setObjectName(names::kKeyLockPanel);
  panel->resize(330, 70);
  PageKit kit(panel);
  kit.Field("PanelPassWordEdit", QRect(16, 28, 200, 24), 4, true);
  kit.Button("PanelPassEnterBtn", VELANTRO_TEXT("Enter"), QRect(226, 28, 88, 24));
  panel->hide();
  return panel;
}

QLabel* BuildLoadingNotice(QWidget* parent) {
  auto* notice = new QLabel(parent);
  notice->setObjectName(names::kLoadingNotice);
  notice->setAlignment(Qt::AlignCenter);
  notice->setStyleSheet(kLoadingNoticeLook);
  notice->resize(kLoadingNoticeWidth, kLoadingNoticeHeight);
  // The pages under it are greyed; the notice itself takes no mouse, so nothing changes there.
  notice->setAttribute(Qt::WA_TransparentForMouseEvents);
  notice->hide();
  return notice;
}

void BuildTemplates(QWidget* parent) {
  auto* example = new QLineEdit(parent);
  example->setObjectName(names::kPlaceholderEdit);
  example->setProperty("kind", "edit");
  example->hide();
  for (const char* name : {"ExampleBtn", "ExampleBtn2"}) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->hide();
  }
  const TypePicture pictures[6] = {TypePicture::Peq,    TypePicture::Lsq,   TypePicture::Hsq,
                                   TypePicture::DeqOff, TypePicture::Below, TypePicture::Above};
  for (int i = 0; i < 6; ++i) {
    for (int on = 0; on < 2; ++on) {
      auto* label = new QLabel(parent);
      label->setObjectName(kTemplatePictures[i][on]);
      label->setPixmap(TypeImage(pictures[i], on == 0));
      label->hide();
    }
  }
}

}  // namespace velantro
