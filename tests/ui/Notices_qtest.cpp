// Notices that cover nothing and an answer for every action: the notice strip under the section
// strip, notices that go by themselves, the dimmed graph under EQ pass, readable status colours,
// tooltips that name a control's parameter, and a window that opens on the screen.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "binding/ControlBinding.h"
#include "binding/DisplayUnits.h"
#include "binding/ParameterCatalog.h"
#include "eq/EqGraphPanel.h"
#include "link/LinkInterfaces.h"
#include "support/WindowFixture.h"
#include "ui/NoticeStrip.h"
#include "ui/QtMessages.h"
#include "ui/WindowControls.h"
#include "ui/WindowPlacement.h"
#include "widgets/Looks.h"
#include "widgets/Widgets.h"

namespace velantro::test {
namespace {

constexpr int kSectionTabs = 8;  // FormTabBtn1 … 8; the DEQ tab never shows
constexpr int kWaitLimitMs = 5000;

class Notices : public WindowFixture {
 protected:
  void SetUp() override {
    CreateWindow();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    strip = form->findChild<NoticeStrip*>(kNoticeStripName);
    ASSERT_NE(strip, nullptr);
  }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* w = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  NoticeStrip* strip = nullptr;
};

// What the operator can press, type into or drag.
bool IsControl(const QWidget* w) {
  return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
         qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const ClickLabel*>(w) || qobject_cast<const SpinButtons*>(w) ||
         w->property("address").isValid();
}

// The part of `w` that shows in `top`: its rectangle cut by every parent on the way.
QRect ShownRect(const QWidget* w, const QWidget* top) {
  QRect r(w->mapTo(top, QPoint(0, 0)), w->size());
  for (const QWidget* p = w->parentWidget(); p != nullptr && p != top; p = p->parentWidget()) {
    r &= QRect(p->mapTo(top, QPoint(0, 0)), p->size());
  }
  return r;
}

TEST_F(Notices, TheStripHasARowOfItsOwnAndCoversNoControl) {
  for (const QSize size : {QSize(1024, 600), QSize(1920, 1080)}) {
    form->resize(size);
    for (int tab = 1; tab <= kSectionTabs; ++tab) {
      SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " tab " << tab);
      QTest::mouseClick(form->tabButton(tab), Qt::LeftButton);
      QApplication::processEvents();
      ASSERT_TRUE(strip->isVisible());
      const QRect band = strip->geometry();
      EXPECT_EQ(band, QRect(0, kNoticeStripTop, form->width(), kNoticeStripHeight));
      int controls = 0;
      for (QWidget* w : form->findChildren<QWidget*>()) {
        if (!IsControl(w) || !w->isVisibleTo(form) || strip->isAncestorOf(w)) continue;
        const QRect shown = ShownRect(w, form);
        if (shown.isEmpty()) continue;
        ++controls;
        EXPECT_FALSE(shown.intersects(band))
            << w->objectName().toStdString() << " at " << shown.y() << ".." << shown.bottom();
      }
      EXPECT_GT(controls, 20);
    }
  }
}

TEST_F(Notices, ALastingNoticeHoldsABriefOneGoesAndTheStripKeepsTheLastFew) {
  QtMessages boxes(form);
  strip->SetBriefDuration(1);
  boxes.ShowNotice("Off Line!", "Confirm", NoticeKind::Lasting);
  EXPECT_EQ(strip->text(), "Off Line!");
  EXPECT_EQ(boxes.notice(), nullptr);  // no box over the window
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  QTest::qWait(50);  // far longer than a brief notice stays here
  EXPECT_EQ(strip->text(), "Off Line!");

  // The unit is back: the program closes the loss notice and says what it sent again.
  boxes.CloseNotice();
  EXPECT_TRUE(strip->text().isEmpty());
  strip->SetBriefDuration(200);
  boxes.ShowNotice("The unit is back: 2 edits it had not received were sent again.\nSecond line",
                   "Confirm", NoticeKind::Brief);
  EXPECT_EQ(strip->text(),
            "The unit is back: 2 edits it had not received were sent again. — Second line");
  EXPECT_TRUE(QTest::qWaitFor([&] { return strip->text().isEmpty(); }, kWaitLimitMs));

  // A click on the strip lists what it said, newest first, with the time.
  for (int i = 0; i < NoticeStrip::kHistorySize; ++i) {
    boxes.ShowNotice("notice " + std::to_string(i), "", NoticeKind::Brief);
  }
  QTest::mouseClick(strip, Qt::LeftButton);
  auto* popup = qobject_cast<QWidget*>([] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == kNoticeHistoryName && w->isVisible()) return w;
    }
    return static_cast<QWidget*>(nullptr);
  }());
  ASSERT_NE(popup, nullptr);
  auto* list = popup->findChild<QListWidget*>();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), NoticeStrip::kHistorySize);  // the oldest went
  EXPECT_TRUE(list->item(0)->text().endsWith("  notice 9"));
  EXPECT_TRUE(list->item(NoticeStrip::kHistorySize - 1)->text().endsWith("  notice 0"));
  EXPECT_TRUE(QTime::fromString(list->item(0)->text().left(8), "HH:mm:ss").isValid());
  popup->close();
}

TEST_F(Notices, UnderEqPassTheBandHandlesShowDimmedAndAPressSaysWhy) {
  EqGraphPanel* graph = form->graph();
  QWidget* handle = graph->handleWidget(0);
  ASSERT_TRUE(handle->isVisible());
  // The handle's own orange is there while it can be dragged, and gone while it cannot.
  const auto orangePixels = [&] {
    const QImage image = handle->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 200 && c.green() > 90 && c.green() < 150 && c.blue() < 60) ++count;
      }
    }
    return count;
  };
  EXPECT_GT(orangePixels(), 0);
  QTest::mouseClick(Find<QPushButton>("MusEQAllpassBtn"), Qt::LeftButton);
  ASSERT_TRUE(graph->eqPassNoticeShown());
  EXPECT_EQ(orangePixels(), 0);

  const int gain = console->store.View(0, 6);
  const QPoint centre = handle->rect().center();
  QTest::mousePress(handle, Qt::LeftButton, {}, centre);
  QTest::mouseMove(handle, centre + QPoint(30, -30));
  QTest::mouseRelease(handle, Qt::LeftButton, {}, centre + QPoint(30, -30));
  EXPECT_EQ(console->store.View(0, 6), gain);
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_EQ(messages.notices[0].text, EqGraphPanel::kEqPassRefusal);
  EXPECT_EQ(messages.notices[0].kind, NoticeKind::Brief);

  QTest::mouseClick(Find<QPushButton>("MusEQAllpassBtn"), Qt::LeftButton);
  EXPECT_GT(orangePixels(), 0);
}

// WCAG relative luminance and contrast.
double Luminance(const QColor& c) {
  const auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(Notices, EveryStatusColourReadsOnTheTitleStrip) {
  QLabel* label = form->statusLabel();
  // The strip behind the label, its lightest pixel (the accent line under it is no background).
  const QImage strip = TitleStripPicture(form->width(), kTitleStripHeight).toImage();
  QColor lightest(0, 0, 0);
  for (int y = 0; y < kTitleStripHeight - 1; ++y) {
    for (int x = label->x(); x <= label->geometry().right(); ++x) {
      const QColor c = strip.pixelColor(x, y);
      if (Luminance(c) > Luminance(lightest)) lightest = c;
    }
  }
  struct State {
    const char* name;
    QColor colour;
  };
  label->ensurePolished();
  std::vector<State> states{
      {"before any link state", label->palette().color(QPalette::WindowText)}};
  for (const auto& [name, rgb] :
       {std::pair{"linking (silver)", kStatusSilver}, std::pair{"off line (red)", kStatusRed},
        std::pair{"mode saved (blue)", kStatusSavedBlue}}) {
    console->linkView().SetStatusColour(rgb);
    states.push_back({name, label->property("colour").value<QColor>()});
  }
  for (const State& s : states) {
    EXPECT_GE(Contrast(s.colour, lightest), 4.5) << s.name << " " << s.colour.name().toStdString();
  }
}

TEST_F(Notices, EveryBoundControlNamesItsParameterAndRangeInItsTooltip) {
  const ParameterCatalog catalog;
  int phases = 0;
  int checked = 0;
  for (QWidget* w : form->findChildren<QWidget*>()) {
    const QVariant address = w->property("address");
    if (!address.isValid()) continue;
    const ParamInfo* info = catalog.Find(static_cast<ParamAddress>(address.toInt()));
    if (info == nullptr || info->label.empty()) continue;
    ++checked;
    const std::string tip = w->toolTip().toStdString();
    EXPECT_EQ(tip.rfind(info->label + ": ", 0), 0u) << w->objectName().toStdString() << ": " << tip;
    const std::string range = info->options.size() == 2
                                  ? info->options[0] + " or " + info->options[1]
                                  : RangeText(catalog, *info);
    EXPECT_NE(tip.find(range), std::string::npos) << w->objectName().toStdString() << ": " << tip;
    if (qobject_cast<PhaseButton*>(w) != nullptr) ++phases;
  }
  // Every page's controls, the "+"/"Ø" phase buttons among them.
  EXPECT_GT(checked, 300);
  EXPECT_GT(phases, 5);
}

TEST(WindowPlacement, OpensInsideTheAvailableAreaBetweenItsMinimumAndItsDesignSize) {
  const QSize design(kDesignWidth, kDesignHeight);
  const QSize minimum(kMinimumWidth, kMinimumHeight);
  struct Case {
    QRect available;
    QRect expected;
  };
  const Case cases[] = {
      // A 1024×600 screen: the whole area, never off its edges.
      {{0, 0, 1024, 600}, {0, 0, 1024, 600}},
      // Room for the design size: centred.
      {{0, 0, 1366, 768}, {116, 65, 1133, 637}},
      {{0, 0, 1920, 1080}, {393, 221, 1133, 637}},
      // A taskbar at the top and one at the left: the area's own origin counts.
      {{0, 30, 1366, 738}, {116, 80, 1133, 637}},
      {{60, 0, 1306, 768}, {146, 65, 1133, 637}},
      // Wide enough, too low: as high as the area allows, down to the minimum.
      {{0, 0, 1600, 620}, {233, 0, 1133, 620}},
      // Smaller than the minimum: the minimum at the area's top-left.
      {{0, 0, 800, 480}, {0, 0, 1024, 600}},
      {{10, 20, 900, 560}, {10, 20, 1024, 600}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.available.x() << "," << c.available.y() << " "
                                    << c.available.width() << "x" << c.available.height());
    EXPECT_EQ(OpeningGeometry(c.available, design, minimum), c.expected);
  }
}

TEST(WindowPlacementWindow, TheWindowOpensWhereThePlacementSays) {
  RecordingMessages messages;
  LinkSettings settings;
  settings.autoConnect = false;
  Console console(messages, settings);
  QTemporaryDir root;
  console.programFolder = root.path().toStdString();
  console.CreateWindows();
  TForm1* form = console.form1();
  const QRect area = form->screen()->availableGeometry();
  EXPECT_EQ(form->geometry(), OpeningGeometry(area, QSize(kDesignWidth, kDesignHeight),
                                              QSize(kMinimumWidth, kMinimumHeight)));
}

TEST_F(Notices, ThePointLabelShowsTheFrequencyAsItsFieldDoesWithItsUnit) {
  auto* field = Find<QLineEdit>("MusFreEdit1");
  QApplication::setActiveWindow(form);
  QTest::mouseClick(field, Qt::LeftButton);
  field->selectAll();
  QTest::keyClicks(field, "31.9");
  QTest::keyClick(field, Qt::Key_Return);
  QApplication::processEvents();
  ASSERT_EQ(field->text(), "31.9");
  const QStringList lines = form->graph()->pointLabel()->text().split('\r');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[2], field->text() + " Hz");
}

}  // namespace
}  // namespace velantro::test
