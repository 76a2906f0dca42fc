// The keyboard and a fine drag on the bound controls: Tab reaches the bars, the arrows and Page
// Up/Down step them through the same handlers as a drag, Tab into a band edit makes the arrows
// step that edit, and Shift while dragging a bar moves it in fine steps. What counts is what the
// store sends.

#include <QStyle>
#include <QStyleOptionSlider>

#include "BindingFixture.h"
#include "model/BandLayout.h"

namespace velantro::test {
namespace {

// The slider's own style option, through the member pointer a subclass may name.
struct SliderOptionPeek : QSlider {
  static constexpr auto kInit = &SliderOptionPeek::initStyleOption;
};

class KeyboardInputTest : public BindingFixture {
 protected:
  // The operator presses Tab until `target` has the focus, as from the keyboard alone.
  bool TabTo(QWidget* target) {
    for (int i = 0; i < 200 && QApplication::focusWidget() != target; ++i) {
      QWidget* focused = QApplication::focusWidget();
      QTest::keyClick(focused != nullptr ? focused : root(), Qt::Key_Tab);
    }
    return QApplication::focusWidget() == target;
  }
  QWidget* root() const { return W("MusScrollBox")->window(); }

  // Where the bar draws its handle, in the bar's coordinates.
  static QPoint HandleCentre(QSlider* bar) {
    QStyleOptionSlider option;
    (bar->*SliderOptionPeek::kInit)(&option);
    return bar->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, bar)
        .center();
  }
};

TEST_F(KeyboardInputTest, KeysOnTabbedControlsAreStoredAndSent) {
  struct Case {
    const char* control;
    Qt::Key key;
    bool band;                   // sent as a band frame or as a value
    int before;                  // the control's raw value at the start
    int sent;                    // the value the store sends
    int field = kBandFieldGain;  // of a band frame
  };
  const Case cases[] = {
      {"MainMusLevelBar", Qt::Key_Right, false, 0, 1},    // one raw step
      {"MainMusLevelBar", Qt::Key_PageUp, false, 1, 11},  // the bar's page step
      {"MusEQGainBar1", Qt::Key_Up, true, 120, 121},      // a band gain bar sends its band
      {"MusEQGainBar1", Qt::Key_PageDown, true, 121, 103},
      // A row without its bar: its spin buttons are the stop, the arrows press them.
      {"MicFBEUpDownBtn", Qt::Key_Up, false, 0, 1},
      {"MusGainEdit2", Qt::Key_Up, true, 120, 121},  // Tab into a band edit: arrows step it
      // Page Up/Down in a band field: a tenth of its range (gain 18 of 180, frequency 36 of 361)
      {"MusGainEdit2", Qt::Key_PageUp, true, 121, 139},
      {"MusGainEdit2", Qt::Key_PageDown, true, 139, 121},
      {"MusFreEdit2", Qt::Key_PageDown, true, 60, 24, kBandFieldFrequency},
  };
  ShowActive();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    QWidget* control = W(c.control);
    ShowSheetOf(control);
    ASSERT_TRUE(TabTo(control));
    sink.sent.clear();
    QTest::keyClick(QApplication::focusWidget(), c.key);
    ASSERT_FALSE(sink.sent.empty());
    const Sent& last = sink.sent.back();
    ASSERT_EQ(last.band, c.band);
    if (c.band) {
      EXPECT_EQ(last.Field(c.field), c.sent);
    } else {
      EXPECT_EQ(last.value, c.sent);
    }
    if (auto* bar = qobject_cast<QSlider*>(control)) {
      EXPECT_EQ(bar->value(), c.sent);
    }
    EXPECT_NE(c.before, c.sent);
  }
  EXPECT_EQ(W<QLineEdit>("MusGainEdit1")->text(), "-3.4");  // the bar's edit shows its value
  EXPECT_EQ(W<QLabel>("MicFBEPane")->text(), "2Hz");
}

TEST_F(KeyboardInputTest, ShiftDragOnABarMovesInFineSteps) {
  struct Case {
    Qt::KeyboardModifiers modifiers;
    int pixelsUp;
  };
  constexpr int kPixels = 24;
  const Case cases[] = {{Qt::NoModifier, kPixels}, {Qt::ShiftModifier, kPixels}};
  ShowActive();
  auto* bar = W<QSlider>("MusEQGainBar1");
  int moved[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    const Case& c = cases[i];
    bar->setValue(120);
    sink.sent.clear();
    const QPoint from = HandleCentre(bar);
    QTest::mousePress(bar, Qt::LeftButton, c.modifiers, from);
    ASSERT_TRUE(bar->isSliderDown());
    for (int y = 2; y <= c.pixelsUp; y += 2) {
      QTest::mouseEvent(QTest::MouseMove, bar, Qt::NoButton, c.modifiers, from - QPoint(0, y));
    }
    QTest::mouseRelease(bar, Qt::LeftButton, c.modifiers, from - QPoint(0, c.pixelsUp));
    ASSERT_FALSE(sink.sent.empty());
    moved[i] = sink.sent.back().Field(2) - 120;
    EXPECT_EQ(store.View(0, 6), sink.sent.back().Field(2));
  }
  EXPECT_EQ(moved[1], kPixels / FineSlider::kFinePixelsPerStep);  // one raw step per 4 pixels
  EXPECT_GT(moved[0], 2 * moved[1]);
}

}  // namespace
}  // namespace velantro::test
