// Only bands the window shows ever reach the unit: the MIC strip shows nine of its fifteen
// columns for group B, the output strips never show their eighth column, and a refresh, a group
// switch or a tab switch never leaves the wheel, the arrow keys or a focus change acting on one
// of those hidden edits. The real main window, its store driven by the link harness: the frames
// checked are the ones the stand-in unit receives.

#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QWheelEvent>
#include <string>
#include <vector>

#include "binding/ControlBinding.h"
#include "model/Scales.h"
#include "support/LinkHarness.h"
#include "ui/Console.h"
#include "ui/MainFrm.h"

namespace velantro::test {
namespace {

constexpr int kBandFrameLength = 0x10;
constexpr int kMicBPage = 3;
constexpr int kMicBBands = 9;
constexpr int kColumnPitch = 71;  // a band column of the strips

// The link's full refresh is the window's: every control shows the downloaded image.
class RefreshingLinkView : public RecordingLinkView {
 public:
  RefreshingLinkView(ParamStore& store, TForm1& form) : RecordingLinkView(store), form_(form) {}
  void RefreshAll() override {
    RecordingLinkView::RefreshAll();
    if (form_.binding() != nullptr) form_.binding()->RefreshAllControls(kAllPages);
  }

 private:
  TForm1& form_;
};

LinkSettings Quiet() {
  LinkSettings settings;
  settings.autoConnect = false;
  return settings;
}

struct BandFrame {
  int page;
  int band;
};

class ShownBandsTest : public ::testing::Test {
 protected:
  ShownBandsTest()
      : console(messages, Quiet()),
        form(console.windowContext()),
        view(console.store, form),
        harness(SimOptions{}, &view, &messages, &console.store) {}

  void SetUp() override {
    form.FirstShow();
    ASSERT_TRUE(harness.ConnectOverNetwork());
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    from = harness.SentCount();
  }

  template <typename T = QWidget>
  T* W(const char* name) {
    T* widget = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void Click(const char* name) { QTest::mouseClick(W<QPushButton>(name), Qt::LeftButton); }
  void Tab(int number) { QTest::mouseClick(form.tabButton(number), Qt::LeftButton); }
  void TypeInto(const char* name, const QString& text) {
    auto* edit = W<QLineEdit>(name);
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  // One wheel notch over the band strip on view.
  void WheelNotch(QWidget* over, int delta) {
    QWheelEvent event(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &event);
  }

  // The band frames the unit received since `from`, after the queue has drained.
  std::vector<BandFrame> BandFramesSent() {
    harness.Advance(3000);
    std::vector<BandFrame> frames;
    for (const Bytes& f : harness.SentWithoutKeepAlives(from)) {
      if (f.size() < 8 || f[2] != kBandFrameLength || f[3] != 0xA7) continue;
      const int address = f[4] * 256 + f[5];
      for (int p = 0; p < kEqPageCount; ++p) {
        if (kPages[p].bandFrameAddress == address) frames.push_back({p, f[6] | (f[7] << 8)});
      }
    }
    return frames;
  }
  static std::string Describe(const std::vector<BandFrame>& frames) {
    std::string out;
    for (const BandFrame& f : frames) {
      out += "page " + std::to_string(f.page) + " band " + std::to_string(f.band) + "; ";
    }
    return out;
  }
  // Every band frame is for a band its page has.
  void ExpectOnlyExistingBands(const std::vector<BandFrame>& frames) {
    for (const BandFrame& f : frames) {
      EXPECT_LT(f.band, kBandCount[f.page]) << Describe(frames);
    }
  }
  // MIC B's values past its nine bands, in the unit's image.
  std::vector<int> MicBBeyondItsBands() const {
    std::vector<int> values;
    for (int i = 6 + kBandValueCount * kMicBBands; i < 81; ++i) {
      values.push_back(console.store.Device(kMicBPage, i));
    }
    return values;
  }

  RecordingMessages messages;
  Console console;
  TForm1 form;
  RefreshingLinkView view;
  LinkHarness harness;
  size_t from = 0;
};

TEST_F(ShownBandsTest, EqPassAfterEqResetOnMicBSendsNoBandBeyondItsNine) {
  Tab(2);
  Click("MicBBtn");
  const std::vector<int> beyond = MicBBeyondItsBands();
  TypeInto("MicGainEdit1", "3");
  Click("EQResetBtn");
  Click("MusEQAllpassBtn");
  const std::vector<BandFrame> frames = BandFramesSent();
  ASSERT_FALSE(frames.empty());
  for (const BandFrame& f : frames) {
    EXPECT_EQ(f.page, kMicBPage) << Describe(frames);
    EXPECT_LT(f.band, kMicBBands) << Describe(frames);
  }
  EXPECT_EQ(MicBBeyondItsBands(), beyond);
  EXPECT_EQ(console.store.Device(kMicBPage, 5), 1);  // the EQ pass itself went to MIC B
}

// MIC A's band 15 is selected with the strip scrolled to its end; then MIC B comes on view, by
// its group button alone or with a round trip through another tab. The wheel, an arrow key and
// the focus leaving the strip must not touch the hidden column.
TEST_F(ShownBandsTest, MicBNeverStepsOrCommitsTheHiddenMicAColumn) {
  struct Case {
    const char* name;
    bool tabRoundTrip;
  };
  const Case cases[] = {{"group button", false}, {"group button, then Music and MIC", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tab(2);
    Click("MicABtn");
    auto* scroll = W<QAbstractSlider>("MicPanScrollBar");
    QTest::keyClick(scroll, Qt::Key_End);
    ASSERT_EQ(scroll->value(), scroll->maximum());
    QTest::mouseClick(W<QLineEdit>("MicGainEdit15"), Qt::LeftButton);
    ASSERT_EQ(form.binding()->CurrentEdit(), W<QLineEdit>("MicGainEdit15"));
    Click("MicBBtn");
    if (c.tabRoundTrip) {
      Tab(1);
      Tab(2);
    }
    harness.Advance(3000);
    from = harness.SentCount();
    const std::vector<int> beyond = MicBBeyondItsBands();

    WheelNotch(W("MicScrollBox"), 120);
    if (auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
      QTest::keyClick(focused, Qt::Key_Up);
      focused->clearFocus();
    }
    const std::vector<BandFrame> frames = BandFramesSent();
    EXPECT_TRUE(frames.empty()) << Describe(frames);
    EXPECT_EQ(MicBBeyondItsBands(), beyond);
    EXPECT_NE(form.binding()->CurrentEdit(), W<QLineEdit>("MicGainEdit15"));
  }
}

// Tab and Shift+Tab through the MIC sheet of group B, with MIC A's band 15 the edit in use
// before the switch: the focus never rests on a control of the columns MIC B does not show, and
// an arrow at every stop sends only bands MIC B has.
TEST_F(ShownBandsTest, TabOverMicBPassesTheHiddenColumnsAndSendsNoBandOfThem) {
  Tab(2);
  Click("MicABtn");
  QTest::keyClick(W<QAbstractSlider>("MicPanScrollBar"), Qt::Key_End);
  QTest::mouseClick(W<QLineEdit>("MicGainEdit15"), Qt::LeftButton);
  Click("MicBBtn");
  harness.Advance(3000);
  from = harness.SentCount();
  const std::vector<int> beyond = MicBBeyondItsBands();
  auto* sheet = W("TabSheet2");
  auto* strip = W<QScrollArea>("MicScrollBox");
  W("MicGainEdit1")->setFocus(Qt::TabFocusReason);
  int micStops = 0;
  for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
    for (int i = 0; i < 160; ++i) {
      QTest::keyClick(QApplication::focusWidget(), key);
      QWidget* focused = QApplication::focusWidget();
      ASSERT_NE(focused, nullptr);
      if (!sheet->isAncestorOf(focused)) continue;
      ++micStops;
      if (strip->isAncestorOf(focused)) {
        EXPECT_LT(focused->mapTo(strip->widget(), QPoint(0, 0)).x(), kMicBBands * kColumnPitch)
            << focused->objectName().toStdString();
      }
      QTest::keyClick(focused, Qt::Key_Up);
    }
  }
  EXPECT_GT(micStops, 2 * kMicBBands);
  const std::vector<BandFrame> frames = BandFramesSent();
  ExpectOnlyExistingBands(frames);
  EXPECT_EQ(MicBBeyondItsBands(), beyond);
}

// A full refresh (here the Sing/Disco switch) shows every page, the output strips' hidden eighth
// columns last; the band edit the operator works in stays the one the arrow keys step.
TEST_F(ShownBandsTest, ArrowAfterAFullRefreshStepsTheEditInUse) {
  auto* gain = W<QLineEdit>("MusGainEdit1");
  QTest::mouseClick(gain, Qt::LeftButton);
  Click("DiscoModeBtn");
  harness.Advance(3000);
  from = harness.SentCount();
  const int before = console.store.View(0, 6);
  QTest::keyClick(gain, Qt::Key_Up);
  const std::vector<BandFrame> frames = BandFramesSent();
  ExpectOnlyExistingBands(frames);
  ASSERT_EQ(frames.size(), 1u) << Describe(frames);
  EXPECT_EQ(frames[0].page, 0);
  EXPECT_EQ(frames[0].band, 0);
  EXPECT_EQ(console.store.View(0, 6), before + 1);
}

}  // namespace
}  // namespace velantro::test
