// The EQ graph inside the real main window: dragging its handles with the mouse goes through the
// window's own edit path (the band edits, the store, the send half), the graph timer follows the
// band edits, and the sections show their handles.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "binding/ControlBinding.h"
#include "eq/EqGraphPanel.h"
#include "eq/GraphTestHost.h"
#include "support/LinkHarness.h"
#include "support/WindowFixture.h"
#include "ui/Console.h"
#include "ui/MainFrm.h"
#include "ui/WindowControls.h"

namespace velantro::test {
namespace {

// The drawing area at the design window size: the notice strip's row comes off the graph.
constexpr int kImageHeight = 309 - kNoticeStripHeight;

class GraphWindow : public WindowFixture {
 protected:
  void SetUp() override {
    CreateWindow();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    ASSERT_TRUE(form->firstShowDone());
    graph = console->graph();
    ASSERT_NE(graph, nullptr);
    console->store.SetChangeSink(&sink);
  }
  void TearDown() override {
    if (console) console->store.SetChangeSink(nullptr);
    WindowFixture::TearDown();
  }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* widget = form->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QWidget* Handle(int i) { return graph->handleWidget(i); }
  QPoint Centre(int i) { return Handle(i)->pos() + QPoint(7, 7); }
  void Drag(int i, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    const int half = Handle(i)->width() / 2;
    QTest::mousePress(Handle(i), button, {}, QPoint(half, half));
    QTest::mouseMove(Handle(i), to - Handle(i)->pos());
    QTest::mouseRelease(Handle(i), button, {}, QPoint(half, half));
  }

  RecordingSink sink;
  EqGraphPanel* graph = nullptr;
};

TEST_F(GraphWindow, SitsInTheWindowAtItsDesignPlace) {
  EXPECT_EQ(graph->objectName(), QStringLiteral("AdvPanel1"));
  EXPECT_EQ(graph->parentWidget(), form);
  EXPECT_EQ(graph->pos(), QPoint(0, kGraphTop));
  EXPECT_EQ(Find<QWidget>("Image1")->size(), QSize(1080, kImageHeight));
  EXPECT_EQ(Find<QWidget>("AdvPanel2")->pos(), QPoint(40, 13));
  // Music at start: ten band handles on the 0 dB line.
  for (int i = 0; i < kHandleCount; ++i) {
    EXPECT_EQ(Handle(i)->isVisible(), i < 10) << i;
  }
  EXPECT_EQ(Centre(0).y(), ToPixel(GainToY(0, kImageHeight)));
}

TEST_F(GraphWindow, DiagonalDragEditsTheBandThroughItsControls) {
  ASSERT_EQ(console->store.View(0, 0), 1);  // Manual after start
  Drag(2, Centre(2) + QPoint(60, -40));
  EXPECT_EQ(sink.Bands().size(), 1u);  // one band frame carries frequency and gain
  EXPECT_TRUE(sink.Values().empty());
  const int gain = console->store.View(0, 16);
  const int frequency = console->store.View(0, 15);
  EXPECT_GT(gain, 120);
  EXPECT_GT(frequency, 95);
  EXPECT_EQ(Find<QLineEdit>("MusGainEdit3")->text(), QString::number(gain / 5.0 - 24, 'f', 1));
  EXPECT_EQ(Find<QLineEdit>("MusFreEdit3")->text(),
            QString::fromLatin1(FrequencyText(frequency).data(),
                                static_cast<int>(FrequencyText(frequency).size())));
  // The release made the band's gain edit the one the wheel and arrow keys step.
  EXPECT_EQ(console->binding()->CurrentEdit(), Find<QLineEdit>("MusGainEdit3"));
  // The graph followed: the handle sits where the values put it, to the pixel the drag left it
  // at (a 0.2 dB gain step is more than a pixel high).
  EXPECT_NEAR(Centre(2).y(), ToPixel(GainToY(gain / 5.0 - 24, kImageHeight)), 1);
}

TEST_F(GraphWindow, AutoModeKeepsTheGraphFromChangingAnything) {
  QTest::mouseClick(Find<QPushButton>("AutoModeBtn"), Qt::LeftButton);
  ASSERT_EQ(console->store.View(0, 0), 0);
  sink.Clear();
  const QPoint before = Handle(4)->pos();
  Drag(4, Centre(4) + QPoint(30, -30));
  Drag(4, Centre(4) + QPoint(30, 0), Qt::RightButton);
  EXPECT_EQ(Handle(4)->pos(), before);
  EXPECT_TRUE(sink.Bands().empty());
  EXPECT_TRUE(sink.Values().empty());
}

TEST_F(GraphWindow, RightDragStepsTheBandsQ) {
  auto* q = Find<QLineEdit>("MusQEdit1");
  ASSERT_EQ(q->text(), QStringLiteral("1.00"));
  const QPoint press(7, 7);
  QTest::mousePress(Handle(0), Qt::RightButton, {}, press);
  QTest::mouseMove(Handle(0), press + QPoint(1, 0));
  EXPECT_EQ(q->text(), QStringLiteral("1.06"));
  QTest::mouseMove(Handle(0), press + QPoint(2, 0));
  EXPECT_EQ(q->text(), QStringLiteral("1.12"));
  QTest::mouseRelease(Handle(0), Qt::RightButton, {}, press + QPoint(2, 0));
  EXPECT_EQ(console->store.View(0, 7), 18);
  EXPECT_GE(sink.Bands().size(), 2u);  // each step went out
}

// However band 1's Q changes, the point label shows the Q its edit shows, once the graph timer
// has ticked; before every way the graph has just redrawn band 1's gain edit.
TEST_F(GraphWindow, PointLabelFollowsEveryQEdit) {
  auto* q = Find<QLineEdit>("MusQEdit1");
  auto* gain = Find<QLineEdit>("MusGainEdit1");
  const QPoint press(7, 7);
  auto qDrag = [&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(Handle(0), button, modifiers, press);
    QTest::mouseMove(Handle(0), press + QPoint(1, 0));
    QTest::mouseMove(Handle(0), press + QPoint(2, 0));
    QTest::mouseRelease(Handle(0), button, modifiers, press + QPoint(2, 0));
  };
  struct Way {
    const char* name;
    std::function<void()> edit;
  };
  const Way ways[] = {
      {"right drag", [&] { qDrag(Qt::RightButton, {}); }},
      {"Ctrl drag", [&] { qDrag(Qt::LeftButton, Qt::ControlModifier); }},
      {"typed",
       [&] {
         QTest::mouseClick(q, Qt::LeftButton);
         q->selectAll();
         QTest::keyClicks(q, "2");
         QTest::keyClick(q, Qt::Key_Return);
       }},
      {"key",
       [&] {
         QTest::mouseClick(q, Qt::LeftButton);
         QTest::keyClick(q, Qt::Key_Down);
       }},
  };
  for (const Way& way : ways) {
    QTest::mouseClick(gain, Qt::LeftButton);
    QCoreApplication::processEvents();  // the graph redraws once the events are handled
    const QString before = q->text();
    way.edit();
    QCoreApplication::processEvents();
    ASSERT_NE(q->text(), before) << way.name;
    EXPECT_TRUE(graph->pointLabel()->text().contains("Q:" + q->text()))
        << way.name << ": " << graph->pointLabel()->text().toStdString() << " for "
        << q->text().toStdString();
  }
}

TEST_F(GraphWindow, ABandEditedInItsBoxIsRedrawnOnTheGraph) {
  auto* gain = Find<QLineEdit>("MusGainEdit2");
  QTest::mouseClick(gain, Qt::LeftButton);
  gain->selectAll();
  QTest::keyClicks(gain, "-6");
  QTest::keyClick(gain, Qt::Key_Return);
  ASSERT_EQ(console->store.View(0, 11), 90);
  QCoreApplication::processEvents();  // the graph redraws once the events are handled
  EXPECT_EQ(Centre(1).y(), ToPixel(GainToY(-6, kImageHeight)));
  EXPECT_EQ(graph->pointLabel()->text(), QStringLiteral("-6.0 dB\rQ:1.00\r62.5 Hz"));
  EXPECT_LT(graph->pointLabel()->geometry().bottom(), Handle(1)->y());
}

TEST_F(GraphWindow, SectionsShowTheirHandles) {
  QTest::mouseClick(Find<QPushButton>("FormTabBtn2"), Qt::LeftButton);  // MIC
  EXPECT_TRUE(Handle(14)->isVisible());
  EXPECT_TRUE(Handle(kHighPassHandle)->isVisible());
  EXPECT_FALSE(Handle(kLowPassHandle)->isVisible());
  QTest::mouseClick(Find<QPushButton>("FormTabBtn3"), Qt::LeftButton);  // Effect
  EXPECT_TRUE(Handle(4)->isVisible());
  EXPECT_FALSE(Handle(5)->isVisible());
  EXPECT_TRUE(Handle(kHighPassHandle)->isVisible());
  EXPECT_TRUE(Handle(kLowPassHandle)->isVisible());
  // The effect high-pass handle only moves sideways and stops near 1015 Hz.
  const int y = Handle(kHighPassHandle)->y();
  Drag(kHighPassHandle, {1000, 250});
  EXPECT_EQ(Handle(kHighPassHandle)->y(), y);
  EXPECT_NEAR(Handle(kHighPassHandle)->x() + 12, graph->renderer().scale().FrequencyToX(1015), 1);
  EXPECT_EQ(Find<QLabel>("EchoHPFrePane")->text(), QStringLiteral("1000.0Hz"));
}

}  // namespace
}  // namespace velantro::test
