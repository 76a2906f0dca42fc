// The console without the mouse: Tab reaches every control an operator works on every sheet, and
// F6 takes the keyboard to the graph, whose keys choose a band and change it. What counts is what
// the stand-in unit receives and holds; the link runs in simulated time.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QStackedWidget>
#include <QStringList>
#include <QTest>
#include <memory>
#include <vector>

#include "binding/BindingTables.h"
#include "binding/ControlBinding.h"
#include "eq/EqGraphPanel.h"
#include "link/Frames.h"
#include "model/BandLayout.h"
#include "model/Sections.h"
#include "support/LinkHarness.h"
#include "support/WindowFixture.h"
#include "ui/EditHistory.h"
#include "widgets/FocusRing.h"
#include "widgets/Looks.h"

namespace velantro::test {
namespace {

constexpr int kMusicTab = 1;
constexpr int kMicTab = 2;
constexpr int kSystemTab = 8;
constexpr int kSettleMs = 300;  // long enough for the unit to take and acknowledge one write

class Keyboard : public WindowFixture {
 protected:
  void SetUp() override {
    CreateWindow();
    form->show();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    ASSERT_TRUE(form->firstShowDone());
  }
  void TearDown() override {
    harness.reset();
    WindowFixture::TearDown();
  }

  // The stand-in unit online, its image in the console; each later edit its own undo step.
  void GoOnline() {
    harness = std::make_unique<LinkHarness>(SimOptions{}, &console->linkView(), &messages,
                                            &console->store);
    ASSERT_TRUE(harness->ConnectOverNetwork());
    // The Music sheet's bands take edits in Manual only.
    if (console->store.View(0, 0) == 0) {
      QTest::mouseClick(Find<QPushButton>("ManulModeBtn"), Qt::LeftButton);
    }
    console->history()->SetClock([this] { return clockMs += 10000; });
  }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* widget = form->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // One key as the operator presses it: to whatever has the focus; the link then runs until
  // the unit has taken what it sent.
  void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused != nullptr ? focused : form, key, mods);
    if (harness) harness->Advance(kSettleMs);
  }

  // Band frames of `page` sent since `from` (an index into what the console sent).
  std::vector<Bytes> BandFramesSince(size_t from, int page) const {
    const int address = kPages[page].bandFrameAddress;
    std::vector<Bytes> bands;
    for (const Bytes& frame : harness->SentWithoutKeepAlives(from)) {
      if (frame.size() > 5 && frame[3] == kCmdWrite && frame[4] == (address >> 8) &&
          frame[5] == (address & 0xFF)) {
        bands.push_back(frame);
      }
    }
    return bands;
  }

  int UnitValue(int page, int index) const {
    return harness->unit.Value(page,
                               ParamStore::DeviceIndex(page, index, console->store.LayoutFlag));
  }

  std::unique_ptr<LinkHarness> harness;
  int64_t clockMs = 0;
};

// The widgets an operator works on the sheet on view: every bound control the sheet shows, but
// the value panes (they only show), the spin buttons beside a bar or an edit (its keys do the
// spin's work) and MIC A's columns past MIC B's nine bands (they stand for no band of B).
QList<QWidget*> OperableControls(QWidget* sheet, ControlBinding& binding) {
  const BindingTables& tables = binding.tables();
  QList<QWidget*> controls;
  for (QWidget* w : sheet->findChildren<QWidget*>()) {
    if (tables.BindingOf(w) == nullptr || !w->isVisible() || !w->isEnabled()) continue;
    if (binding.input().IsUnshownBandControl(w)) continue;
    const ControlKind kind = KindOf(w);
    if (kind == ControlKind::None || kind == ControlKind::Pane) continue;
    if (kind == ControlKind::Spin) {
      QWidget* main = tables.MainControlAt(AddressOf(w));
      if (main != nullptr && main != w && main->isVisible()) continue;
    }
    controls.append(w);
  }
  return controls;
}

// Tab from the window's first stop round to it again; every stop reached.
QSet<QWidget*> TabRound(QWidget* first) {
  QSet<QWidget*> reached;
  first->setFocus(Qt::TabFocusReason);
  for (int i = 0; i < 2000; ++i) {
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr || (i > 0 && focused == first)) break;
    reached.insert(focused);
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  return reached;
}

TEST_F(Keyboard, TabReachesEveryControlOfEverySheet) {
  constexpr int kMicBRound = kSystemTab + 1;  // the MIC sheet again, showing MIC B's columns
  // Tabs 1 .. 8 show every sheet; MIC B shows the MIC sheet with other columns.
  for (int round = 1; round <= kMicBRound; ++round) {
    const int tab = round == kMicBRound ? kMicTab : round;
    form->TabSwitchTo(tab);
    if (round == kMicBRound) QTest::mouseClick(Find<QPushButton>("MicBBtn"), Qt::LeftButton);
    QWidget* sheet = form->pages()->currentWidget();
    const QList<QWidget*> controls = OperableControls(sheet, *console->binding());
    ASSERT_GT(controls.size(), 5) << "round " << round;
    const QSet<QWidget*> reached = TabRound(Find("RzBmpButton2"));
    QStringList missed;
    for (QWidget* w : controls) {
      if (!reached.contains(w)) missed << w->objectName();
    }
    EXPECT_TRUE(missed.isEmpty()) << "round " << round << ": " << missed.join(" ").toStdString();
    EXPECT_EQ(reached.contains(console->graph()), tab != kSystemTab) << "round " << round;
  }
}

// What the operator presses with the graph focused, and what the unit is sent and holds.
struct GraphKeyCase {
  const char* what;
  int tab;
  std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;  // after F6
  int band;                                                     // 0-based band of the page on view
  std::vector<BandValues> expected;  // each field's change from the band as it was, per frame
};

TEST_F(Keyboard, GraphKeysChangeTheChosenBandOnTheUnit) {
  GoOnline();
  const auto gain = [](int d) { return BandValues{0, 0, d, 0, 0}; };
  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const GraphKeyCase cases[] = {
      {"MIC band 3 +3 dB in five keys",
       kMicTab,
       {{Qt::Key_3, none}, {Qt::Key_Up, none}, {Qt::Key_Up, none}, {Qt::Key_Up, none}},
       2,
       {gain(5), gain(10), gain(15)}},
      {"Alt: one 0.2 dB step; Shift: a frequency step; Ctrl: a Q step; Delete: 0 dB",
       kMusicTab,
       {{Qt::Key_5, none},
        {Qt::Key_Up, Qt::AltModifier},
        {Qt::Key_Down, Qt::ShiftModifier},
        {Qt::Key_Up, Qt::ControlModifier},
        {Qt::Key_Down, none},
        {Qt::Key_Delete, none}},
       4,
       {gain(1), {0, -1, 1, 0, 0}, {0, -1, 1, 1, 0}, {0, -1, -4, 1, 0}, {0, -1, 0, 1, 0}}},
      {"0 is band 10; Right past the last band stays; Left goes back one",
       kMusicTab,
       {{Qt::Key_0, none}, {Qt::Key_Right, none}, {Qt::Key_Left, none}, {Qt::Key_Down, none}},
       8,
       {gain(-5)}},
  };
  for (const GraphKeyCase& c : cases) {
    SCOPED_TRACE(c.what);
    form->TabSwitchTo(c.tab);
    const int page = SectionPage(console->CurrentSection);
    const int first = kFirstBandIndex[page] + kBandValueCount * c.band;
    BandValues before{};
    for (int f = 0; f < kBandValueCount; ++f) before[f] = console->store.View(page, first + f);
    const size_t from = harness->SentCount();
    Press(Qt::Key_F6);
    ASSERT_EQ(QApplication::focusWidget(), console->graph());
    for (const auto& [key, mods] : c.keys) Press(key, mods);

    std::vector<Bytes> expected;
    for (const BandValues& change : c.expected) {
      BandValues values = before;
      for (int f = 0; f < kBandValueCount; ++f) values[f] += change[f];
      // Delete sets 0 dB whatever the gain was.
      if (&change == &c.expected.back() && c.keys.back().first == Qt::Key_Delete) {
        values[kBandFieldGain] = kGainRawZeroDb;
      }
      expected.push_back(BuildBandFrame(kPages[page].bandFrameAddress, c.band, values));
    }
    const std::vector<Bytes> sent = BandFramesSince(from, page);
    ASSERT_EQ(sent.size(), expected.size());
    for (size_t i = 0; i < sent.size(); ++i) EXPECT_EQ(Hex(sent[i]), Hex(expected[i])) << i;
    const Bytes& last = expected.back();
    EXPECT_EQ(UnitValue(page, first + kBandFieldGain),
              console->store.View(page, first + kBandFieldGain));
    EXPECT_EQ(Hex(last),
              Hex(BuildBandFrame(console->store, kPages[page].bandFrameAddress, c.band)));
    // The band chosen is the page's selected band: its label and its column show it.
    EXPECT_EQ(console->binding()->SelectedBand(GraphIndex(console->CurrentSection)), c.band);
    EXPECT_EQ(QApplication::focusWidget(), console->graph());
  }
}

TEST_F(Keyboard, EachGraphKeyIsAStepCtrlZTakesBack) {
  GoOnline();
  form->TabSwitchTo(kMicTab);
  const int gainIndex = kFirstBandIndex[1] + kBandValueCount * 2 + kBandFieldGain;
  const int start = UnitValue(1, gainIndex);
  for (Qt::Key key : {Qt::Key_F6, Qt::Key_3, Qt::Key_Up, Qt::Key_Up}) Press(key);
  ASSERT_EQ(UnitValue(1, gainIndex), start + 10);
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(UnitValue(1, gainIndex), start + 5);
  EXPECT_EQ(console->store.View(1, gainIndex), start + 5);
}

// On the DEQ sheet a number key chooses a channel; Up raises its gain by 1 dB on the unit.
TEST_F(Keyboard, GraphKeysStepADeqChannel) {
  GoOnline();
  QTest::mouseClick(Find<QPushButton>("DEQReferenceBtn"), Qt::LeftButton);
  harness->Advance(kSettleMs * 10);
  ASSERT_EQ(form->pages()->currentIndex(), sheet::kDeq);
  const int gainIndex = kDeqChannelSize * 1 + kDeqFirstBandIndex + kBandFieldGain;
  const int start = console->store.View(kDeqPage, gainIndex);
  ASSERT_EQ(UnitValue(kDeqPage, gainIndex), start);
  for (Qt::Key key : {Qt::Key_F6, Qt::Key_2, Qt::Key_Up}) Press(key);
  EXPECT_EQ(console->store.View(kDeqPage, gainIndex), start + 5);
  EXPECT_EQ(UnitValue(kDeqPage, gainIndex), start + 5);
  EXPECT_EQ(console->binding()->SelectedBand(GraphIndex(console->CurrentSection)), 1);
}

// Where the graph cannot change a band, its keys change nothing and send nothing: the System
// sheet shows no graph (F6 leaves the focus), EQ pass on, Auto on the Music sheet.
TEST_F(Keyboard, GraphKeysRefuseWhereTheGraphEditsNothing) {
  GoOnline();
  form->TabSwitchTo(kSystemTab);
  QWidget* before = QApplication::focusWidget();
  Press(Qt::Key_F6);
  EXPECT_EQ(QApplication::focusWidget(), before);

  form->TabSwitchTo(kMicTab);
  QTest::mouseClick(Find<QPushButton>("MusEQAllpassBtn"), Qt::LeftButton);
  ASSERT_TRUE(console->graph()->eqPassNoticeShown());
  form->TabSwitchTo(kMusicTab);
  QTest::mouseClick(Find<QPushButton>("AutoModeBtn"), Qt::LeftButton);
  for (int tab : {kMicTab, kMusicTab}) {
    SCOPED_TRACE(tab);
    form->TabSwitchTo(tab);
    const size_t from = harness->SentCount();
    for (Qt::Key key : {Qt::Key_F6, Qt::Key_2, Qt::Key_Up, Qt::Key_Delete}) Press(key);
    EXPECT_TRUE(BandFramesSince(from, SectionPage(console->CurrentSection)).empty());
  }
}

// The ring shows round the control Tab or F6 reached: its colour outside, the dark gap inside,
// on the looks where a border alone was lost (the chosen tab, Unlink, a chosen option) and on
// the graph, which fills the window's width.
TEST_F(Keyboard, FocusRingShowsRoundTheFocusedControl) {
  GoOnline();  // Connect gives way to Unlink
  form->TabSwitchTo(kMusicTab);
  QWidget* option = nullptr;
  for (auto* b : form->pages()->currentWidget()->findChildren<QPushButton*>()) {
    if (b->property("role") == "option" && b->property("look") == "selected" && b->isVisible()) {
      option = b;
    }
  }
  ASSERT_NE(option, nullptr);
  auto* ring = form->findChild<FocusRing*>();
  ASSERT_NE(ring, nullptr);
  QWidget* graph = console->graph();
  // Online the link button reads Unlink on its chosen (Down) look.
  ASSERT_EQ(GetButtonLook(Find<QPushButton>("LinkBtn")), ButtonLook::Down);
  for (QWidget* w : {Find("FormTabBtn1"), Find("LinkBtn"), option, graph}) {
    SCOPED_TRACE(w->objectName().toStdString());
    w->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(ring->target(), w);
    ASSERT_TRUE(ring->isVisible());
    const QRect r = ring->geometry();
    const QRect control(w->mapTo(form, QPoint(0, 0)), w->size());
    if (w != graph) {
      EXPECT_TRUE(r.contains(control));
    }
    const QImage shot = form->grab().toImage();
    const QPoint edge(r.left(), r.center().y());
    EXPECT_EQ(shot.pixelColor(edge), kFocusRingColour);
    EXPECT_EQ(shot.pixelColor(edge + QPoint(kFocusRingWidth, 0)), kFocusGapColour);
  }
  form->TabSwitchTo(kSystemTab);  // the graph hides: the ring goes with the focus
  EXPECT_NE(ring->target(), console->graph());
  EXPECT_EQ(ring->isVisible(), ring->target() != nullptr && ring->target()->isVisible());
}

}  // namespace
}  // namespace velantro::test
