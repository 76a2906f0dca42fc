// Editing bands by dragging the graph's handles with the mouse, the redraw an edit's notice
// brings, and the buttons around the graph, on the panel with a bare store and a recording
// change sink.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

#include "eq/EqGraphPanel.h"
#include "eq/GraphTestHost.h"
#include "model/ParamStore.h"
#include "model/Scales.h"

namespace velantro::test {
namespace {

constexpr int kMusic = 0x0000;
constexpr int kMic = 0x0101;
constexpr int kEffect = 0x0402;
constexpr int kMain = 0x0603;
constexpr int kDeq = 0x0208;

class GraphDrag : public ::testing::Test {
 protected:
  GraphDrag() : host(store), panel((WriteDefaultBands(store), store)) {
    store.SetView(0, 0, 1);  // music mode Manual
    store.SetChangeSink(&sink);
    panel.SetHost(&host);
    host.editor.AddListener(&panel);
    panel.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel));
    panel.Start();
    ShowSection(kMusic);
  }

  void ShowSection(int section) {
    host.section = section;
    panel.RedrawSection();
  }
  QWidget* Handle(int i) { return panel.handleWidget(i); }
  QPoint Centre(int i) { return Handle(i)->geometry().center() + QPoint(1, 1); }
  void Press(int i, Qt::MouseButton button = Qt::LeftButton) {
    const int half = Handle(i)->width() / 2;
    QTest::mousePress(Handle(i), button, {}, QPoint(half, half));
  }
  // Moves the mouse so that the grab point (the handle's centre at the press) is at `point`, in
  // the drawing area's coordinates.
  void MoveTo(int i, QPoint point) { QTest::mouseMove(Handle(i), point - Handle(i)->pos()); }
  void Release(int i, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(Handle(i), button, {},
                        QPoint(Handle(i)->width() / 2, Handle(i)->width() / 2));
  }
  void Drag(int i, QPoint point) {
    Press(i);
    MoveTo(i, point);
    Release(i);
  }
  double XOf(double hz) { return panel.renderer().scale().FrequencyToX(hz); }

  ParamStore store;
  RecordingSink sink;
  GraphTestHost host;
  EqGraphPanel panel;
};

TEST_F(GraphDrag, BandHandleLimits) {
  struct Case {
    QPoint to;           // where the mouse goes, drawing-area coordinates
    int frequencyIndex;  // -1: not checked
    int gainRaw;         // -1: not checked
    int centreX;         // -1: not checked
    int centreY;
  };
  const int leftStop = ToPixel(XOf(19.5));
  for (const Case& c : {
           Case{{Centre(0).x(), -80}, -1, 180, -1, 0},  // above the area: +12.0 dB
           Case{{Centre(0).x(), 900}, -1, 0, -1, 309},  // below: -24.0 dB
           Case{{-300, 100}, 1, -1, leftStop, -1},      // far left: 20 Hz, index 1 (20.1)
           Case{{3000, 100}, 361, -1, -1, -1},          // far right: 20 600 Hz
       }) {
    Drag(0, c.to);
    const QPoint centre = Handle(0)->pos() + QPoint(7, 7);
    if (c.frequencyIndex >= 0) {
      EXPECT_EQ(store.View(0, 5), c.frequencyIndex) << c.to.x();
    }
    if (c.gainRaw >= 0) {
      EXPECT_EQ(store.View(0, 6), c.gainRaw) << c.to.y();
    }
    if (c.centreX >= 0) {
      EXPECT_EQ(centre.x(), c.centreX);
    }
    if (c.centreY >= 0) {
      EXPECT_EQ(centre.y(), c.centreY);
    }
  }
}

TEST_F(GraphDrag, DiagonalStepSendsOneBandFrameCarryingBoth) {
  Press(2);
  sink.Clear();
  MoveTo(2, Centre(2) + QPoint(40, 30));
  EXPECT_EQ(sink.Bands().size(), 1u);
  EXPECT_TRUE(sink.Values().empty());
  EXPECT_NE(store.View(0, 15), 95);   // band 3's frequency moved
  EXPECT_LT(store.View(0, 16), 120);  // and its gain went down
  // The frequency was shown and stored without sending; the gain went out.
  ASSERT_GE(host.applied.size(), 2u);
  const auto& frequency = host.applied[host.applied.size() - 2];
  const auto& gain = host.applied.back();
  EXPECT_EQ(frequency.control.address, 0x000F);
  EXPECT_TRUE(frequency.fromStore);
  EXPECT_EQ(gain.control.address, 0x0010);
  EXPECT_FALSE(gain.fromStore);
  // A move that changes neither the index nor the gain step sends nothing.
  sink.Clear();
  MoveTo(2, Centre(2));
  EXPECT_TRUE(sink.Bands().empty());
  Release(2);
}

TEST_F(GraphDrag, NothingMovesOnMusicInAutoOrWithEqPass) {
  const auto tryDrag = [&] {
    const QPoint before = Handle(3)->pos();
    const int gain = store.View(0, 21);
    sink.Clear();
    Drag(3, Centre(3) + QPoint(60, -50));
    EXPECT_EQ(Handle(3)->pos(), before);
    EXPECT_EQ(store.View(0, 21), gain);
    EXPECT_TRUE(sink.Bands().empty());
    EXPECT_TRUE(sink.Values().empty());
  };
  store.SetView(0, 0, 0);  // Auto
  tryDrag();
  EXPECT_TRUE(host.selects.empty());  // nor does a press or release select an edit
  store.SetView(0, 0, 1);             // Manual, but the page's EQ pass is on
  panel.ShowEqPassNotice(true);
  tryDrag();
}

TEST_F(GraphDrag, RightDragStepsQAndReleaseSelectsTheGainEdit) {
  Press(0, Qt::RightButton);
  EXPECT_EQ(host.selects.back(), 0x0007);  // band 1's Q edit
  EXPECT_TRUE(panel.drag().qStepMode);
  const QPoint press = Centre(0);
  MoveTo(0, press + QPoint(1, 0));
  EXPECT_EQ(store.View(0, 7), 17);  // "1.00" -> "1.06"
  MoveTo(0, press + QPoint(2, 5));
  EXPECT_EQ(store.View(0, 7), 18);
  MoveTo(0, press + QPoint(0, 5));
  EXPECT_EQ(store.View(0, 7), 17);
  EXPECT_EQ(host.commits, (std::vector<int>{1, 1, 11}));
  EXPECT_EQ(Handle(0)->pos(), press - QPoint(7, 7));  // the handle stays put
  Release(0, Qt::RightButton);
  EXPECT_FALSE(panel.drag().qStepMode);

  Drag(1, Centre(1) + QPoint(10, 10));
  EXPECT_EQ(host.selects.back(), 0x000B);  // band 2's gain edit is CurrentEdit
  EXPECT_EQ(host.currentEdit, 0x000B);
}

// Music band 1 as the unit holds it after a download: both tables hold the same values.
void HoldBandOneAtTheUnit(ParamStore& store, int q) {
  ParamEditor editor(store);
  for (int index = 4; index <= 8; ++index)
    editor.StoreBoth(MakeAddress(0, index), store.View(0, index), EditOrigin::System);
  editor.StoreBoth(0x0007, q, EditOrigin::System);
}

// A Q step that lands on the Q the band holds, a vertical right or Ctrl drag (no step at all),
// sends nothing.
TEST_F(GraphDrag, QStepsThatChangeNoValueSendNothing) {
  struct Case {
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    int q;       // the band's Q before
    QPoint way;  // each mouse move from the last
  };
  const Case cases[] = {
      {Qt::RightButton, Qt::NoModifier, 16, QPoint(0, 5)},
      {Qt::LeftButton, Qt::ControlModifier, 16, QPoint(0, -5)},
      {Qt::RightButton, Qt::NoModifier, 100, QPoint(1, 0)},  // the PEQ Q's last step
  };
  for (const Case& c : cases) {
    HoldBandOneAtTheUnit(store, c.q);
    panel.RedrawSection();
    const int half = Handle(0)->width() / 2;
    QTest::mousePress(Handle(0), c.button, c.modifiers, QPoint(half, half));
    ASSERT_TRUE(panel.drag().qStepMode);
    sink.Clear();
    QPoint at(half, half);
    for (int move = 0; move < 6; ++move) {
      at += c.way;
      QTest::mouseMove(Handle(0), at);
    }
    panel.ImageMove(c.button, panel.drag().pressPosition + 3 * c.way);
    QTest::mouseRelease(Handle(0), c.button, c.modifiers, at);
    EXPECT_EQ(store.View(0, 7), c.q);
    EXPECT_TRUE(sink.Bands().empty()) << sink.Bands().size() << " band frames, Q " << c.q;
  }
}

// The drag compares its targets with what it applied last, not with the band: a sideways drag
// of a band whose gain was typed back to where the handle now is must still send the frequency.
TEST_F(GraphDrag, SidewaysDragOnTheHeldGainSendsTheFrequency) {
  Drag(2, Centre(2) + QPoint(20, -30));
  ASSERT_NE(store.View(0, 16), 120);
  host.ApplyControlValue(GraphControl{0x0010, ControlTable::Main}, 0, false, 120);  // 0 dB typed
  panel.RedrawSection();
  sink.Clear();
  const int before = store.View(0, 15);
  Drag(2, Centre(2) + QPoint(40, 0));
  EXPECT_EQ(store.View(0, 16), 120);
  ASSERT_GT(store.View(0, 15), before);
  // The band frame is built from the store as it leaves: it carries the new frequency.
  EXPECT_EQ(sink.Bands().size(), 1u);
}

TEST_F(GraphDrag, ShiftDragMovesTheHandleAQuarterOfTheMouseWay) {
  struct Case {
    Qt::KeyboardModifiers modifiers;
    int handleMoved;  // pixels the handle goes down for the mouse's 40
  };
  const Case cases[] = {{Qt::NoModifier, 40}, {Qt::ShiftModifier, 40 / panel.kFineDragPixels}};
  int gainSteps[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    const Case& c = cases[i];
    store.SetView(0, 16, 120);  // band 3 at 0 dB, its handle on the 0 dB line
    panel.RedrawSection();
    const QPoint start = Handle(2)->pos();
    const int half = Handle(2)->width() / 2;
    sink.Clear();
    QTest::mousePress(Handle(2), Qt::LeftButton, c.modifiers, QPoint(half, half));
    for (int y = 4; y <= 40; y += 4) {
      const QPoint to = start + QPoint(half, half + y);
      QTest::mouseEvent(QTest::MouseMove, Handle(2), Qt::NoButton, c.modifiers,
                        to - Handle(2)->pos());
    }
    EXPECT_EQ(Handle(2)->pos(), start + QPoint(0, c.handleMoved));
    Release(2);
    EXPECT_FALSE(sink.Bands().empty());
    gainSteps[i] = 120 - store.View(0, 16);
  }
  EXPECT_GT(gainSteps[1], 0);
  EXPECT_GT(gainSteps[0], 2 * gainSteps[1]);
}

TEST_F(GraphDrag, CtrlDragStepsQAsTheRightButtonDoes) {
  const QPoint press = Centre(0);
  const int half = Handle(0)->width() / 2;
  QTest::mousePress(Handle(0), Qt::LeftButton, Qt::ControlModifier, QPoint(half, half));
  EXPECT_EQ(host.selects.back(), 0x0007);  // band 1's Q edit
  EXPECT_TRUE(panel.drag().qStepMode);
  sink.Clear();
  MoveTo(0, press + QPoint(1, 0));
  MoveTo(0, press + QPoint(2, 6));
  EXPECT_EQ(store.View(0, 7), 18);   // two Q steps up from "1.00"
  EXPECT_EQ(store.View(0, 6), 120);  // the gain and the frequency stay
  EXPECT_EQ(store.View(0, 5), 25);
  EXPECT_EQ(Handle(0)->pos(), press - QPoint(half, half));
  EXPECT_EQ(sink.Bands().size(), 2u);
  panel.ImageMove(Qt::LeftButton, panel.drag().pressPosition + QPoint(3, 0));
  EXPECT_EQ(store.View(0, 7), 19);  // over the drawing area as well
  Release(0);
  EXPECT_FALSE(panel.drag().qStepMode);
}

TEST_F(GraphDrag, DoubleClickPutsTheBandBackToZeroDb) {
  struct Case {
    int musicMode;
    int gain;  // band 3's gain after the double click
  };
  const Case cases[] = {{1, 120}, {0, 60}};  // Manual: 0 dB; Auto: nothing changes
  const QPoint zeroDb = Handle(2)->pos();
  for (const Case& c : cases) {
    store.SetView(0, 0, 1);
    Drag(2, Centre(2) + QPoint(0, 200));
    store.SetView(0, 16, 60);
    store.SetView(0, 0, c.musicMode);
    panel.RedrawSection();
    sink.Clear();
    const QPoint at(Handle(2)->width() / 2, Handle(2)->width() / 2);
    QTest::mouseClick(Handle(2), Qt::LeftButton, {}, at);
    QTest::mouseDClick(Handle(2), Qt::LeftButton, {}, at);
    QTest::mouseRelease(Handle(2), Qt::LeftButton, {}, at);
    EXPECT_EQ(store.View(0, 16), c.gain) << c.musicMode;
    EXPECT_EQ(sink.Bands().size(), c.gain == 120 ? 1u : 0u) << c.musicMode;
    if (c.gain == 120) {
      EXPECT_EQ(Handle(2)->pos().y(), zeroDb.y());
    }
  }
}

TEST_F(GraphDrag, QStepsOverTheDrawingAreaEveryThreePixels) {
  Press(0, Qt::RightButton);
  const QPoint start = panel.drag().pressPosition;
  panel.ImageMove(Qt::RightButton, start + QPoint(2, 0));
  EXPECT_TRUE(host.commits.empty());
  panel.ImageMove(Qt::RightButton, start + QPoint(3, 0));
  panel.ImageMove(Qt::RightButton, start + QPoint(6, 0));
  panel.ImageMove(Qt::RightButton, start + QPoint(3, 0));
  EXPECT_EQ(host.commits, (std::vector<int>{1, 1, 11}));
  EXPECT_EQ(store.View(0, 7), 17);
  panel.ImageRelease(Qt::RightButton);
  EXPECT_FALSE(panel.drag().qStepMode);
  EXPECT_EQ(host.selects.back(), 0x0005);  // band 1's frequency edit
}

TEST_F(GraphDrag, MicHighPassStopsAt309HzAndOnlyMovesSideways) {
  ShowSection(kMic);
  const int y = Handle(kHighPassHandle)->y();
  Drag(kHighPassHandle, {900, 20});
  EXPECT_NEAR(Handle(kHighPassHandle)->x() + 12, XOf(309), 1.0);
  EXPECT_EQ(Handle(kHighPassHandle)->y(), y);
  EXPECT_EQ(store.View(1, 0), 143);  // shown 303.0Hz by the pane's one-step offset
  Drag(kHighPassHandle, {-300, 20});
  EXPECT_EQ(store.View(1, 0), 0);  // index 1 or below: off
}

TEST_F(GraphDrag, EffectCrossoverStops) {
  ShowSection(kEffect);
  Drag(kHighPassHandle, {1000, 300});
  EXPECT_NEAR(Handle(kHighPassHandle)->x() + 12, XOf(1015), 1.0);
  EXPECT_EQ(store.View(4, 4), 205);  // 1000.0Hz, the top of the effect high-pass scale
  Drag(kLowPassHandle, {-100, 0});
  EXPECT_NEAR(Handle(kLowPassHandle)->x() + 12, XOf(5990), 1.0);
  EXPECT_EQ(store.View(4, 5), 0);  // 5990.0Hz
  Drag(kLowPassHandle, {5000, 0});
  EXPECT_EQ(store.View(4, 5), 64);  // the right end turns the low-pass off
}

TEST_F(GraphDrag, OutputLowPassAtTheRightEndIsOff) {
  store.SetView(6, 20, 300);
  ShowSection(kMain);
  Drag(kLowPassHandle, {ToPixel(XOf(5040)), 0});
  EXPECT_NEAR(store.View(6, 20), 288, 1);  // 5040.0 Hz
  Drag(kLowPassHandle, {5000, 0});
  EXPECT_EQ(store.View(6, 20), 362);
}

TEST_F(GraphDrag, DeqChannelWithEqPassKeepsItsHandle) {
  store.SetView(2, 13, 1);  // channel 2's EQ pass
  ShowSection(kDeq);
  const QPoint before = Handle(1)->pos();
  Drag(1, Centre(1) + QPoint(50, 50));
  EXPECT_EQ(Handle(1)->pos(), before);
  EXPECT_TRUE(sink.Bands().empty());
  // Channel 1 moves; its release selects the channel's frequency edit.
  Drag(0, Centre(0) + QPoint(50, 50));
  EXPECT_LT(store.View(2, 4), 120);
  EXPECT_EQ(host.selects.back(), 2 * 256 + 3);
}

TEST_F(GraphDrag, AGraphChangeNoticeRedrawsItsBand) {
  store.SetView(0, 11, 150);  // band 2 at +6 dB, changed by its gain edit
  const int y = ToPixel(GainToY(6, 309) - 7);
  EXPECT_NE(Handle(1)->y(), y);
  host.editor.NoteGraphChange({0x000B, 150});
  QCoreApplication::processEvents();  // drawn once the events being handled are done
  EXPECT_EQ(Handle(1)->y(), y);
  EXPECT_EQ(panel.pointLabel()->text(), QStringLiteral("6.0 dB\rQ:1.00\r62.5 Hz"));
  // Only the changed entry was recomputed, and the same notice again redraws nothing: a stale
  // value elsewhere is not picked up.
  store.SetView(0, 6, 60);
  host.editor.NoteGraphChange({0x000B, 150});
  QCoreApplication::processEvents();
  EXPECT_EQ(Handle(0)->y(), ToPixel(GainToY(0, 309) - 7));
}

TEST_F(GraphDrag, EqPassButtonTogglesTheNotice) {
  QPushButton button(QStringLiteral("EQ pass"));
  button.setProperty("address", 0x0003);
  store.SetView(0, 0, 0);  // ignored in Auto
  panel.OnEqPassButton(&button);
  EXPECT_FALSE(panel.eqPassNoticeShown());
  store.SetView(0, 0, 1);
  panel.OnEqPassButton(&button);
  EXPECT_TRUE(panel.eqPassNoticeShown());
  EXPECT_TRUE(panel.eqPassLabel()->isVisible());
  EXPECT_EQ(store.View(0, 3), 1);
  EXPECT_EQ(host.eqPass[0], 1);
  ASSERT_EQ(sink.Values().size(), 1u);
  EXPECT_EQ(sink.Values()[0].second, 1);
  panel.OnEqPassButton(&button);
  EXPECT_FALSE(panel.eqPassNoticeShown());
  EXPECT_EQ(host.enables.size(), 2u);
}

TEST_F(GraphDrag, EqResetAndTypeImages) {
  store.MicGroup = 1;
  ShowSection(kMic);
  panel.OnEqResetButton();
  EXPECT_EQ(host.resets, std::vector<int>{3});
  store.EffectEqPage = 5;
  ShowSection(kEffect);
  panel.OnEqResetButton();
  EXPECT_EQ(host.resets.back(), 5);

  QWidget image;
  panel.OnBandTypeImage(&image);
  ASSERT_EQ(host.bandTypes.size(), 1u);
  EXPECT_EQ(host.bandTypes[0], &image);
}

TEST_F(GraphDrag, DeqPassButtonDrawsTheChannelFlat) {
  store.SetView(2, 4, 180);
  ShowSection(kDeq);
  EXPECT_EQ(Handle(0)->y(), -7);
  QPushButton button(QStringLiteral("EQ pass"));
  button.setProperty("address", 0x0201);
  panel.OnDeqPassButton(&button);
  EXPECT_EQ(store.View(2, 1), 1);
  EXPECT_EQ(Handle(0)->y(), ToPixel(GainToY(0, 309) - 7));
}

}  // namespace
}  // namespace velantro::test
