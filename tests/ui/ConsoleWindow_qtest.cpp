// The main window as the operator meets it: start-up, tabs, sheets and their controls, and the
// section handlers of the sheets. Real widgets under the offscreen platform; no link traffic.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "binding/ControlBinding.h"
#include "eq/EqGraphPanel.h"
#include "eq/GraphRenderer.h"
#include "support/LinkHarness.h"
#include "support/WindowFixture.h"
#include "ui/Console.h"
#include "ui/MainFrm.h"
#include "ui/Pages.h"
#include "ui/Unit2.h"
#include "widgets/Looks.h"
#include "widgets/Widgets.h"

namespace velantro::test {
namespace {

class ConsoleWindow : public WindowFixture {
 protected:
  void SetUp() override {
    CreateWindow();
    form->show();
    ASSERT_TRUE(form->firstShowDone());
  }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* widget = form->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  void Click(const char* name) { QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton); }

  int DeviceValue(int page, int index) const {
    const ParamStore& s = console->store;
    return s.Device(page, ParamStore::DeviceIndex(page, index, s.LayoutFlag));
  }
};

TEST_F(ConsoleWindow, ComesUpBorderlessWithTitleBannerAndDesignSize) {
  // The window's title names the document it edits; the window starts on its start values.
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Velantro — factory settings"));
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(Find<QLabel>("TitleCaption")->text(), "Velantro 3.1.0 En");
  ASSERT_NE(console->form3(), nullptr);
  ASSERT_NE(console->form2(), nullptr);
  EXPECT_EQ(console->form2()->windowTitle(), "Device Status");
  // The first show selected the Music section.
  EXPECT_EQ(form->pages()->currentIndex(), sheet::kMusic);
  EXPECT_EQ(console->CurrentSection, 0);
  EXPECT_EQ(GetButtonLook(Find<QPushButton>("FormTabBtn1")), ButtonLook::Selected);
  EXPECT_TRUE(Find<QWidget>("FirstCheckGrop")->isHidden());
  EXPECT_TRUE(Find<QWidget>("FormTabBtn9")->isHidden());
  EXPECT_TRUE(messages.boxes.empty());
}

struct TabCase {
  int tab;
  int sheet;
  int section;
  int mainOutputPage;
  int auxOutputPage;
  int eqPassLeft;  // -1: the groups are hidden
  bool singleDisco;
};

TEST_F(ConsoleWindow, EveryTabShowsItsSheetAndPlacesTheGroups) {
  const TabCase cases[] = {
      {1, 0, 0x0000, 6, 7, 272, true},  {2, 1, 0x0101, 6, 7, 352, false},
      {3, 2, 0x0402, 6, 7, 736, false}, {4, 3, 0x0603, 6, 7, 680, true},
      {5, 5, 0x0705, 6, 7, 712, true},  {6, 5, 0x0705, 6, 8, 712, true},
      {7, 3, 0x0603, 9, 8, 680, true},  {8, 7, 0x0A07, 9, 8, -1, false},
      {1, 0, 0x0000, 9, 8, 272, true},
  };
  for (const TabCase& c : cases) {
    SCOPED_TRACE(c.tab);
    QTest::mouseClick(form->tabButton(c.tab), Qt::LeftButton);
    EXPECT_EQ(form->pages()->currentIndex(), c.sheet);
    EXPECT_EQ(console->CurrentSection, c.section);
    EXPECT_EQ(console->store.MainOutputPage, c.mainOutputPage);
    EXPECT_EQ(console->store.AuxOutputPage, c.auxOutputPage);
    QWidget* eqPass = Find<QWidget>("EQPassGrop");
    QWidget* singleDisco = Find<QWidget>("SingleDiscoGrop");
    EXPECT_EQ(form->graph()->isVisible(), c.eqPassLeft >= 0);
    EXPECT_EQ(eqPass->isVisible(), c.eqPassLeft >= 0);
    EXPECT_EQ(singleDisco->isVisible(), c.singleDisco);
    if (c.eqPassLeft >= 0) {
      EXPECT_EQ(eqPass->x(), c.eqPassLeft);
      EXPECT_EQ(singleDisco->x(), c.eqPassLeft + 185);
    }
    for (int other = 1; other <= 8; ++other) {
      EXPECT_EQ(GetButtonLook(form->tabButton(other)),
                other == c.tab ? ButtonLook::Selected : ButtonLook::Normal);
    }
  }
}

struct Inventory {
  const char* name;
  int address;
  const char* binding;  // the binding's position, or else its scale number; nullptr: not checked
  int max;              // track bars and combo item counts; -1: not checked
};

TEST_F(ConsoleWindow, SheetsCarryTheirControlsWithAddressBindingAndRange) {
  const Inventory cases[] = {
      // Music and its strip.
      {"SysInput2", 0x0A0E, "1", -1},
      {"SysMusInputLevel3", 0x0A03, "2", -1},
      {"MusFreEdit1", 0x0005, "2", -1},
      {"MusQEdit1", 0x0008, "4", -1},
      {"MusEQGainBar1", 0x0006, nullptr, 180},
      {"MusModeBox10", 0x0031, "1", 3},
      {"MusHSQBtn1", 0x0004, "2", -1},
      // MIC.
      {"MicHPFreBar", 0x0100, nullptr, 143},
      {"MicFBEPane", 0x0102, "21", -1},
      {"MicNoiseUpDownBtn", 0x0103, nullptr, -1},
      {"MicFreEdit15", 0x014D, "2", -1},
      {"MIcQUpDownBtn15", 0x0150, nullptr, -1},
      {"MicPanScrollBar", -1, nullptr, 5},
      // Effect.
      {"EchoTimeBar", 0x0407, nullptr, 250},
      {"EchoTimePane", 0x0407, "11", -1},
      {"EchoRPreDelayBar", 0x040A, nullptr, 50},
      {"EchoDirectPhaseBtn", 0x0402, nullptr, -1},
      {"RvbTimeBar", 0x0504, nullptr, 80},
      {"RvbMusicPhaseBtn", 0x0508, nullptr, -1},
      {"RvbMusTreDecayPane", 0x050C, "22", -1},
      {"EchoGainEdit5", 0x0426, "3", -1},
      // Main output.
      {"MainMusLevelBar", 0x0600, nullptr, 100},
      {"MainMusHPFreBar", 0x0611, nullptr, 362},
      {"MainMusLPQBar", 0x0615, nullptr, 23},
      {"MainLPTypeBox", 0x0613, nullptr, 5},
      {"MAINToneBox", 0x061F, nullptr, 2},
      {"MainRmsReleaseBar", 0x0617, nullptr, 7},
      {"MainRmsLevelPane", 0x0618, "20", -1},
      {"MainModeSlowBtn1", 0x061A, "2", -1},
      {"MainLdelayBar", 0x061B, nullptr, 500},
      {"MainPanScrollBar", -1, nullptr, 2},
      // AUX output.
      {"SubdelayBar", 0x071B, nullptr, 500},
      {"SubmuteBtn", 0x071C, nullptr, -1},
      {"SubModeBox1", 0x071F, "1", 3},
      {"SubQEdit7", 0x0741, "4", -1},
      {"SubMusHPuserQUpDownBtn", 0x0712, nullptr, -1},
      // DEQ.
      {"DEQALLPASSBtn2", 0x020D, nullptr, -1},
      {"DEQQEdit1", 0x0206, "4", -1},
      {"DEQTYpeAboveBtn3", 0x021F, "2", -1},
      {"DEQRmsRatioBar3", 0x0223, nullptr, 40},
      {"DEQModeSlowBtn2", 0x0218, "2", -1},
      // System and the section strip.
      {"SysMusMaxVolBar", 0x0A07, nullptr, 82},
      {"SysEffStartVolBar", 0x0A0A, nullptr, 70},
      {"SysMusNormalVolBar", 0x0A20, nullptr, 82},
      {"SysEffNormalVolBar", 0x0A22, nullptr, 70},
      {"SysModeBox", 0x0A02, nullptr, -1},
      {"SysRemoteBtn2", 0x0A11, "1", -1},
      {"SysPanelBtn1", 0x0A0D, "0", -1},
      {"SysManagerBtn", 0x0A0C, "1", -1},
  };
  for (const Inventory& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget* w = Find<QWidget>(c.name);
    if (w == nullptr) continue;
    if (c.address >= 0) {
      EXPECT_EQ(w->property("address").toInt(), c.address);
    }
    if (c.binding != nullptr) {
      const BindingTables& tables = console->binding()->tables();
      const int position = tables.PositionOf(w);
      EXPECT_EQ(QString::number(position >= 0 ? position : ScaleNumber(tables.ScaleOf(w))),
                c.binding);
    }
    if (c.max >= 0) {
      if (auto* bar = qobject_cast<QSlider*>(w)) {
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), c.max);
      } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        EXPECT_EQ(combo->count(), c.max);
      } else {
        ADD_FAILURE() << "no range on this kind";
      }
    }
  }
  // Control kinds as the binding knows them.
  EXPECT_NE(qobject_cast<SpinButtons*>(Find("MusGainUpDownBtn3")), nullptr);
  EXPECT_NE(qobject_cast<ClickLabel*>(Find("DEQTYpeOffBtn1")), nullptr);
  EXPECT_EQ(Find("EchoEffPhaseBtn")->width(), 15);
  EXPECT_EQ(Find("SysInput")->width(), 14);
  EXPECT_EQ(Find<QComboBox>("MainHPTypeBox")->itemText(2), "Linkwitz-Riley 24dB");
  EXPECT_EQ(Find<QLineEdit>("IPPortEdit")->text(), "8889");
  EXPECT_EQ(Find<QLineEdit>("IPAddressEdit")->text(), "127.0.0.1");
}

TEST_F(ConsoleWindow, OutputSelectorsSendTheSharedSheetsEditsToAux2AndSur) {
  // AUX2 shows page 8's values in the AUX controls.
  console->store.SetDevice(8, ParamStore::DeviceIndex(8, 27, 0), 77);
  QTest::mouseClick(form->tabButton(5), Qt::LeftButton);
  QTest::mouseClick(form->tabButton(6), Qt::LeftButton);
  EXPECT_EQ(Find<QSlider>("SubdelayBar")->value(), 77);
  Find<QSlider>("SubdelayBar")->setValue(123);
  EXPECT_EQ(DeviceValue(8, 27), 123);
  EXPECT_EQ(DeviceValue(7, 27), 0);

  QTest::mouseClick(form->tabButton(7), Qt::LeftButton);
  Find<QSlider>("MainLdelayBar")->setValue(321);
  EXPECT_EQ(DeviceValue(9, 27), 321);
  EXPECT_EQ(DeviceValue(6, 27), 0);
}

// Captions the operator reads, spelled right; the music strip has ten bands.
TEST_F(ConsoleWindow, CaptionsAreSpelledAsAnOperatorExpects) {
  QStringList shown;
  for (const QGroupBox* group : form->findChildren<QGroupBox*>()) shown << group->title();
  for (const QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
    shown << button->text();
  }
  for (const QLabel* label : form->findChildren<QLabel*>()) shown << label->text();
  for (const char* text : {"Modify Auto Key Lock Password", "Computer Data Backup Management",
                           "Save data to PC", "Upload data to Equipment", "10 band EQ"}) {
    EXPECT_TRUE(shown.contains(QString::fromLatin1(text))) << text;
  }
  for (const char* misspelt : {"Passowrd", "Mnagement", "Save date", "Upload date"}) {
    EXPECT_TRUE(shown.filter(QString::fromLatin1(misspelt)).isEmpty()) << misspelt;
  }
}

TEST_F(ConsoleWindow, MicGroupBShowsNineBandsAndEditsPage3) {
  QTest::mouseClick(form->tabButton(2), Qt::LeftButton);
  EXPECT_EQ(GetButtonLook(Find<QPushButton>("MicABtn")), ButtonLook::Down);  // group A at start
  Find<QSlider>("MicPanScrollBar")->setValue(3);
  Click("MicBBtn");
  EXPECT_EQ(console->store.MicGroup, 1);
  EXPECT_EQ(Find<QLabel>("MicEqCaption")->text(), "9 band EQ");
  EXPECT_TRUE(Find<QWidget>("MicPanScrollBar")->isHidden());
  EXPECT_EQ(Find<QSlider>("MicPanScrollBar")->value(), 0);
  EXPECT_EQ(Find<QScrollArea>("MicScrollBox")->horizontalScrollBar()->value(), 0);
  EXPECT_TRUE(Find<QWidget>("MicFreEdit10")->isHidden());
  EXPECT_TRUE(Find<QWidget>("MicEQGainBar10")->isHidden());
  EXPECT_FALSE(Find<QWidget>("MicFreEdit9")->isHidden());

  // Band 1's gain (view 0x0108) lands on the MIC B page.
  Find<QSlider>("MicEQGainBar1")->setValue(150);
  EXPECT_EQ(DeviceValue(3, 8), 150);
  EXPECT_NE(DeviceValue(1, 8), 150);

  Click("MicABtn");
  EXPECT_EQ(console->store.MicGroup, 0);
  EXPECT_EQ(Find<QLabel>("MicEqCaption")->text(), "15 band EQ");
  EXPECT_FALSE(Find<QWidget>("MicPanScrollBar")->isHidden());
  EXPECT_FALSE(Find<QWidget>("MicFreEdit10")->isHidden());
}

TEST_F(ConsoleWindow, AutoDisablesTheControlsManualGoverns) {
  const char* governed[] = {"MusFreEdit1",    "MusFreUpDownBtn1", "MusQEdit5",   "MainMusLevelBar",
                            "SubMicPhaseBtn", "SingModeBtn",      "DiscoModeBtn"};
  Click("ManulModeBtn");
  EXPECT_EQ(console->store.View(0, 0), 1);
  for (const char* name : governed) EXPECT_TRUE(Find(name)->isEnabled()) << name;
  Click("AutoModeBtn");
  EXPECT_EQ(console->store.View(0, 0), 0);
  for (const char* name : governed) EXPECT_FALSE(Find(name)->isEnabled()) << name;
  EXPECT_EQ(GetButtonLook(Find<QPushButton>("AutoModeBtn")), ButtonLook::Down);
  EXPECT_EQ(GetButtonLook(Find<QPushButton>("ManulModeBtn")), ButtonLook::Normal);
}

TEST_F(ConsoleWindow, DiscoAndSingSetTheMusicSettingAndLayout) {
  Click("ManulModeBtn");  // Sing/Disco answer in Manual mode only
  Click("DiscoModeBtn");
  EXPECT_EQ(console->store.View(0, 1), 1);
  EXPECT_EQ(console->store.LayoutFlag, 1);
  Click("SingModeBtn");
  EXPECT_EQ(console->store.View(0, 1), 0);
  EXPECT_EQ(console->store.LayoutFlag, 0);
}

TEST_F(ConsoleWindow, StripScrollSlidersMoveTheirStripByColumns) {
  QTest::mouseClick(form->tabButton(4), Qt::LeftButton);
  Find<QSlider>("MainPanScrollBar")->setValue(2);
  EXPECT_EQ(Find<QScrollArea>("MainPanScrollBox")->horizontalScrollBar()->value(), 2 * 71);
  QTest::mouseClick(form->tabButton(5), Qt::LeftButton);
  Find<QSlider>("SubPanScrollBar")->setValue(1);
  EXPECT_EQ(Find<QScrollArea>("SubScrollPaneBox")->horizontalScrollBar()->value(), 71);
}

TEST_F(ConsoleWindow, DeqReferenceSettingsWriteTheChannelsAndShowTheDeqSheet) {
  Click("DEQReferenceBtn");
  EXPECT_EQ(form->pages()->currentIndex(), sheet::kDeq);
  EXPECT_EQ(console->CurrentSection, 0x0208);
  const int expected[3][5] = {{0, 37, 138, 0, 0}, {0, 77, 127, 16, 0}, {2, 221, 83, 16, 16}};
  for (int g = 0; g < 3; ++g) {
    for (int f = 0; f < 5; ++f) {
      EXPECT_EQ(console->store.View(2, 12 * g + 2 + f), expected[g][f]) << g << "," << f;
    }
  }
  EXPECT_EQ(console->store.View(2, 7), 1);   // channel 1 "Below"
  EXPECT_EQ(console->store.View(2, 31), 2);  // channel 3 "Above"
  EXPECT_EQ(Find<QLineEdit>("DEQFreEdit3")->text(), "1390.0");
  EXPECT_EQ(Find<QLineEdit>("DEQGainEdit3")->text(), "-7.4");
  EXPECT_FALSE(Find("EQPassGrop")->isVisible());
}

TEST_F(ConsoleWindow, TabSwitchPointsEqPassAtThePageAndShowsTheNotice) {
  ParamStore& store = console->store;
  store.SetDevice(6, ParamStore::DeviceIndex(6, 33, 0), 1);  // main output EQ pass on
  QTest::mouseClick(form->tabButton(4), Qt::LeftButton);
  auto* pass = Find<QPushButton>("MusEQAllpassBtn");
  EXPECT_EQ(pass->property("address").toInt(), 0x0621);
  EXPECT_EQ(GetButtonLook(pass), ButtonLook::Down);
  EXPECT_EQ(form->binding()->refresh().EqPassState()[6], 1);
  EXPECT_TRUE(form->graph()->eqPassNoticeShown());
  EXPECT_FALSE(Find("MainFreEdit1")->isEnabled());

  QTest::mouseClick(form->tabButton(2), Qt::LeftButton);
  EXPECT_EQ(pass->property("address").toInt(), 0x0105);
  EXPECT_EQ(GetButtonLook(pass), ButtonLook::Normal);
  EXPECT_FALSE(form->graph()->eqPassNoticeShown());
  EXPECT_TRUE(Find("MicFreEdit1")->isEnabled());
}

TEST_F(ConsoleWindow, MaximiseThenRestoreReturnsToTheEarlierGeometry) {
  form->setGeometry(40, 30, kDesignWidth, kDesignHeight);
  const QRect before = form->geometry();
  Click("RzBmpButton1");
  EXPECT_TRUE(form->maximised());
  // The work area, or the window's minimum size where the work area is smaller (the offscreen
  // screen is 800x600).
  const QRect work = form->screen()->availableGeometry();
  EXPECT_EQ(form->geometry(), QRect(work.topLeft(), work.size().expandedTo(form->minimumSize())));
  // The anchored parts follow the new size.
  EXPECT_EQ(form->pages()->width(), std::max(form->width(), kDesignWidth));
  EXPECT_EQ(form->graph()->geometry().bottom(), form->height());
  Click("RzBmpButton1");
  EXPECT_FALSE(form->maximised());
  EXPECT_EQ(form->geometry(), before);
}

TEST_F(ConsoleWindow, DraggingTheBackgroundMovesTheWindowAndControlsDoNot) {
  form->move(100, 100);
  const QPoint start = form->pos();
  QWidget* sheet = form->pages()->currentWidget();
  // An empty spot of the Music sheet, under the strip.
  const QPoint spot(1050, 150);
  ASSERT_EQ(sheet->childAt(spot), nullptr);
  QTest::mousePress(sheet, Qt::LeftButton, {}, spot);
  QTest::mouseMove(sheet, spot + QPoint(30, 20));
  QTest::mouseRelease(sheet, Qt::LeftButton, {}, spot + QPoint(30, 20));
  EXPECT_EQ(form->pos(), start + QPoint(30, 20));

  QPushButton* tab = form->tabButton(2);
  const QPoint moved = form->pos();
  QTest::mousePress(tab, Qt::LeftButton);
  QTest::mouseMove(tab, QPoint(40, 30));
  QTest::mouseRelease(tab, Qt::LeftButton, {}, QPoint(40, 30));
  EXPECT_EQ(form->pos(), moved);
}

TEST_F(ConsoleWindow, PressingAControlGreyedInAutoModeDoesNotMoveTheWindow) {
  struct Case {
    int tab;
    const char* control;
  };
  // A disabled control passes its press on to the window, which must not take it for a press
  // on its background; nor a type image, which acts on its press and passes it on.
  const Case cases[] = {{4, "MainMusLevelBar"}, {1, "MusFreEdit1"},    {1, "MusFreUpDownBtn1"},
                        {1, "SingModeBtn"},     {5, "SubMicPhaseBtn"}, {1, "MusLSQBtn2"}};
  Click("AutoModeBtn");
  form->move(100, 100);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    QTest::mouseClick(form->tabButton(c.tab), Qt::LeftButton);
    QWidget* control = Find(c.control);
    ASSERT_TRUE(control->isVisible());
    if (qobject_cast<ClickLabel*>(control) == nullptr) {
      EXPECT_FALSE(control->isEnabled());
    }
    const QPoint start = form->pos();
    const QPoint spot = control->rect().center();
    QTest::mousePress(control, Qt::LeftButton, {}, spot);
    QTest::mouseMove(control, spot + QPoint(30, 20));
    QTest::mouseRelease(control, Qt::LeftButton, {}, spot + QPoint(30, 20));
    EXPECT_EQ(form->pos(), start);
  }
}

TEST_F(ConsoleWindow, PointLabelFollowsTheMicGroupShown) {
  ParamStore& store = console->store;
  store.SetDevice(1, ParamStore::DeviceIndex(1, 0, 0), 140);  // group A high-pass
  store.SetDevice(3, ParamStore::DeviceIndex(3, 0, 0), 50);   // group B high-pass
  QTest::mouseClick(form->tabButton(2), Qt::LeftButton);
  QWidget* highPass = form->graph()->handleWidget(kHighPassHandle);
  QTest::mousePress(highPass, Qt::LeftButton);
  QTest::mouseRelease(highPass, Qt::LeftButton);
  QLabel* label = form->graph()->pointLabel();
  const QString groupA = label->text();
  ASSERT_TRUE(groupA.endsWith("Hz"));

  Click("MicBBtn");
  // The label shows the selected band of group B, as a fresh drawing of group B shows it.
  GraphRenderer groupB(store, form->graph()->image()->size());
  groupB.DrawPageCurves(kFullRedrawPoint, 1);
  groupB.DrawPageCurves(form->binding()->SelectedBand(1), 1);
  EXPECT_NE(label->text(), groupA);
  EXPECT_EQ(label->text(), groupB.pointLabel().text);
  EXPECT_EQ(label->geometry(), groupB.pointLabel().rect);
  EXPECT_TRUE(label->isVisible());
}

// Where a widget shows in the window: its rectangle clipped by every parent's.
QRect ShownRect(const QWidget* w, const QWidget* window) {
  QRect shown(w->mapTo(window, QPoint(0, 0)), w->size());
  for (const QWidget* p = w->parentWidget(); p != nullptr && p != window; p = p->parentWidget()) {
    shown &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
  }
  return shown;
}

TEST_F(ConsoleWindow, ButtonsAboveTheGraphCoverNothingOfAnySheet) {
  for (int tab = 1; tab <= 7; ++tab) {
    QTest::mouseClick(form->tabButton(tab), Qt::LeftButton);
    QWidget* sheet = form->pages()->currentWidget();
    for (const char* group : {"EQPassGrop", "SingleDiscoGrop"}) {
      if (!Find(group)->isVisible()) continue;
      for (QPushButton* button : Find(group)->findChildren<QPushButton*>()) {
        const QRect over = ShownRect(button, form);
        for (QWidget* w : sheet->findChildren<QWidget*>()) {
          // Group frames and the controls and captions in them; containers are transparent.
          const bool drawn = qobject_cast<QGroupBox*>(w) != nullptr ||
                             w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
          if (!drawn || !w->isVisibleTo(form)) continue;
          EXPECT_FALSE(over.intersects(ShownRect(w, form)))
              << "tab " << tab << ": " << button->objectName().toStdString() << " over "
              << w->objectName().toStdString() << " " << w->metaObject()->className();
        }
      }
    }
  }
}

// The colour that fills most of a button's inside, and the strongest contrast any inside pixel
// makes with it (its caption or mark).
struct Rendered {
  QColor fill;
  double strongest = 1;
};

Rendered Measure(QWidget* button) {
  const QImage image = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QHash<QRgb, int> counts;
  const QRect inside = image.rect().adjusted(2, 2, -2, -2);
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) ++counts[image.pixel(x, y)];
  }
  Rendered r;
  int most = 0;
  for (auto it = counts.begin(); it != counts.end(); ++it) {
    if (it.value() > most) {
      most = it.value();
      r.fill = QColor(it.key());
    }
  }
  for (auto it = counts.begin(); it != counts.end(); ++it) {
    r.strongest = std::max(r.strongest, ContrastRatio(QColor(it.key()), r.fill));
  }
  return r;
}

TEST_F(ConsoleWindow, InvertedPhaseShowsADistinctMarkWithoutACaption) {
  form->setStyleSheet(ConsoleStyleSheet());
  for (int index : {2, 6}) console->store.SetDevice(6, ParamStore::DeviceIndex(6, index, 0), 1);
  Click("ManulModeBtn");  // phase buttons answer in Manual mode
  QTest::mouseClick(form->tabButton(4), Qt::LeftButton);
  auto* normal = Find<QPushButton>("MainMicPhaseBtn");
  auto* inverted = Find<QPushButton>("MainMusPhaseBtn");
  QTest::mouseClick(inverted, Qt::LeftButton);
  EXPECT_EQ(DeviceValue(6, 2), 0);
  EXPECT_EQ(GetButtonLook(inverted), ButtonLook::Inverted);
  EXPECT_EQ(inverted->text(), "");
  EXPECT_EQ(normal->text(), "+");

  const Rendered up = Measure(normal);
  const Rendered down = Measure(inverted);
  EXPECT_GE(up.strongest, kMinimumTextContrast);    // the "+"
  EXPECT_GE(down.strongest, kMinimumTextContrast);  // the drawn mark: no blank box
  EXPECT_GE(ContrastRatio(up.fill, down.fill), 3.0);
}

TEST_F(ConsoleWindow, LinkViewShowsStatusButtonAndDeviceStatus) {
  LinkView& view = console->linkView();
  view.SetStatus("Online", "设备已连接");
  EXPECT_EQ(form->statusLabel()->text(), "Online");
  EXPECT_EQ(form->statusLabel()->property("hint").toString(), QString::fromUtf8("设备已连接"));
  view.SetStatusColour(kStatusRed);
  EXPECT_EQ(form->statusLabel()->property("colour").value<QColor>(),
            QColor(kStatusRed.red, kStatusRed.green, kStatusRed.blue));
  view.SetLinkButton(LinkButtonLook::Unlink);
  EXPECT_EQ(form->linkButton()->text(), "Unlink");
  EXPECT_EQ(GetButtonLook(form->linkButton()), ButtonLook::Down);
  view.SetLinkButton(LinkButtonLook::Connect);
  EXPECT_EQ(form->linkButton()->text(), "Connect");
  EXPECT_EQ(GetButtonLook(form->linkButton()), ButtonLook::Normal);

  view.SetPortLabel("Network");
  view.UpdateDeviceStatus("Linking...", 45);
  view.ShowDeviceStatus();
  TForm2* status = console->form2();
  EXPECT_TRUE(status->isVisible());
  EXPECT_EQ(status->portText(), "Network");
  EXPECT_EQ(status->statusText(), "Linking...");
  EXPECT_EQ(status->progress(), 45);
  // A port this user may not open says so under its name, until the next port is tried.
  view.SetPortLabel("/dev/ttyUSB0");
  view.SetPortProblem("permission denied");
  EXPECT_EQ(status->portText(), "/dev/ttyUSB0\npermission denied");
  view.SetPortLabel("Network");
  EXPECT_EQ(status->portText(), "Network");
  view.HideDeviceStatus();
  EXPECT_FALSE(status->isVisible());

  console->store.ModeNames[0] = "Pop";
  console->store.ModeNames[8] = "Live";
  view.RebuildModeList();
  auto* modes = Find<QComboBox>("SysModeBox");
  ASSERT_EQ(modes->count(), 9);
  EXPECT_EQ(modes->itemText(0), "1-Pop");
  EXPECT_EQ(modes->itemText(8), "9-Live");
}

TEST_F(ConsoleWindow, NetworkFieldsFeedTheLinkSettings) {
  QLineEdit* host = Find<QLineEdit>("IPAddressEdit");
  QLineEdit* port = Find<QLineEdit>("IPPortEdit");
  host->setText("127.0.0.2");
  port->setText("9000");
  EXPECT_EQ(console->linkConfig.host, "127.0.0.2");
  EXPECT_EQ(console->linkConfig.portText, "9000");
}

// Tab goes round the Effect sheet once in reading order (rows top to bottom, each left to
// right), reaching every bar, list, button and type image the sheet shows.
TEST_F(ConsoleWindow, TabVisitsASheetsControlsInReadingOrder) {
  constexpr int kRowTolerance = 6;  // tops this close read as one row
  QApplication::setActiveWindow(form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  Click("FormTabBtn3");
  QWidget* sheet = form->pages()->currentWidget();
  QList<QWidget*> expected;
  for (QWidget* w : sheet->findChildren<QWidget*>()) {
    const bool operable = qobject_cast<QAbstractSlider*>(w) || qobject_cast<QComboBox*>(w) ||
                          qobject_cast<QPushButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                          qobject_cast<ClickLabel*>(w);
    if (operable && w->isVisible() && w->isEnabled()) expected.append(w);
  }
  ASSERT_GT(expected.size(), 10);
  expected.first()->setFocus(Qt::TabFocusReason);
  QList<QWidget*> visited;
  for (int i = 0; i < 600; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    if (!sheet->isAncestorOf(focused)) continue;
    if (visited.contains(focused)) break;
    visited.append(focused);
  }
  for (QWidget* w : expected) {
    EXPECT_TRUE(visited.contains(w)) << w->objectName().toStdString();
  }
  // One round in reading order: exactly one step goes back up, where the round closes.
  const auto before = [&](QWidget* a, QWidget* b) {
    const QPoint pa = a->mapTo(sheet, QPoint(0, 0));
    const QPoint pb = b->mapTo(sheet, QPoint(0, 0));
    if (std::abs(pa.y() - pb.y()) <= kRowTolerance) return pa.x() < pb.x();
    return pa.y() < pb.y();
  };
  // The rows are read over the full-height controls; the type images, stacked three high beside a
  // band, come just before the band's first field (checked below).
  QList<QWidget*> rows;
  for (QWidget* w : visited) {
    if (qobject_cast<ClickLabel*>(w) == nullptr) rows.append(w);
  }
  int backSteps = 0;
  for (qsizetype i = 0; i < rows.size(); ++i) {
    QWidget* a = rows[i];
    QWidget* b = rows[(i + 1) % rows.size()];
    if (!before(a, b)) ++backSteps;
  }
  EXPECT_EQ(backSteps, 1);
  const qsizetype peq = visited.indexOf(Find("EchoPEQBtn1"));
  ASSERT_GE(peq, 0);
  ASSERT_LT(peq + 3, visited.size());
  EXPECT_EQ(visited.mid(peq, 3),
            QList<QWidget*>({Find("EchoPEQBtn1"), Find("EchoLSQBtn1"), Find("EchoHSQBtn1")}));
  // then the band's first field below them
  const QString next = visited[peq + 3]->objectName();
  EXPECT_TRUE(next.startsWith("Echo") && next.endsWith("Edit1")) << next.toStdString();
}

// Tab reads the whole window in the operator's order: the window buttons, the section tabs, the
// section strip's volumes and Connect, the sheet on view, the buttons above the graph, the graph,
// and round again; a scroll box is never a stop. Space on a tab and Ctrl+Page Down/Up switch
// sections.
TEST_F(ConsoleWindow, TabReadsTheWholeWindowAndKeysSwitchSections) {
  QApplication::setActiveWindow(form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  Click("FormTabBtn3");
  QWidget* sheet = form->pages()->currentWidget();
  enum Part { WindowButtons, Tabs, Strip, Sheet, Groups, Graph };
  const auto partOf = [&](QWidget* w) {
    const QString name = w->objectName();
    if (name.startsWith("RzBmpButton")) return WindowButtons;
    if (name.startsWith("FormTabBtn")) return Tabs;
    if (form->findChild<QWidget*>("TopTileGrop")->isAncestorOf(w)) return Strip;
    if (sheet->isAncestorOf(w)) return Sheet;
    if (w == console->graph()) return Graph;
    EXPECT_TRUE(form->findChild<QWidget*>("EQPassGrop")->isAncestorOf(w) ||
                form->findChild<QWidget*>("SingleDiscoGrop")->isAncestorOf(w))
        << name.toStdString();
    return Groups;
  };
  Find("RzBmpButton2")->setFocus(Qt::TabFocusReason);
  std::vector<Part> parts;
  QStringList names;
  for (int i = 0; i < 400; ++i) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    if (!names.isEmpty() && focused->objectName() == names.first()) break;
    EXPECT_EQ(qobject_cast<QAbstractScrollArea*>(focused), nullptr)
        << focused->objectName().toStdString();
    parts.push_back(partOf(focused));
    names.append(focused->objectName());
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  EXPECT_TRUE(std::is_sorted(parts.begin(), parts.end())) << names.join(" ").toStdString();
  EXPECT_EQ(names.mid(0, 3), QStringList({"RzBmpButton2", "RzBmpButton1", "RzBmpButton3"}));
  EXPECT_EQ(names.mid(3, 8),
            QStringList({"FormTabBtn1", "FormTabBtn2", "FormTabBtn3", "FormTabBtn4", "FormTabBtn5",
                         "FormTabBtn6", "FormTabBtn7", "FormTabBtn8"}));
  for (Part part : {Strip, Sheet, Groups, Graph}) {
    EXPECT_NE(std::find(parts.begin(), parts.end(), part), parts.end()) << part;
  }

  // Space on a focused tab shows its section.
  form->tabButton(5)->setFocus(Qt::TabFocusReason);
  QTest::keyClick(form->tabButton(5), Qt::Key_Space);
  EXPECT_EQ(form->pages()->currentIndex(), sheet::kAuxOutput);
  // Ctrl+Page Down from a control of the sheet: the next section, the focus on its tab.
  QWidget* control = form->pages()->currentWidget()->findChild<QSlider*>();
  control->setFocus(Qt::TabFocusReason);
  QTest::keyClick(control, Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), form->tabButton(6));
  EXPECT_EQ(form->pages()->currentIndex(), sheet::kAuxOutput);  // AUX 2 shares the AUX sheet
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), form->tabButton(8));
  EXPECT_EQ(form->pages()->currentIndex(), sheet::kSystem);
  // Round the strip both ways.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), form->tabButton(1));
  EXPECT_EQ(form->pages()->currentIndex(), sheet::kMusic);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(form->pages()->currentIndex(), sheet::kSystem);
}

TEST_F(ConsoleWindow, ClosingEndsTheWindowAndHidesTheStatusDialog) {
  console->linkView().ShowDeviceStatus();
  bool closed = false;
  QObject::connect(form, &TForm1::windowClosed, [&closed] { closed = true; });
  Click("RzBmpButton3");
  EXPECT_TRUE(closed);
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(console->form2()->isVisible());
  EXPECT_FALSE(console->link()->LinkOnline());
}

}  // namespace
}  // namespace velantro::test
