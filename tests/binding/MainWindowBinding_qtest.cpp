// The binding on the real main window: every slot of the layout finds its controls, and the
// operator's edits reach the store and the send half as on the small fixture.

#include <QSet>

#include "BindingFixture.h"
#include "ui/Console.h"
#include "ui/MainFrm.h"

namespace velantro::test {
namespace {

class MainWindowBindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LinkSettings settings;
    settings.autoConnect = false;
    console = std::make_unique<Console>(messages, settings);
    console->CreateWindows();
    console->form1()->FirstShow();
    binding = console->binding();
    ASSERT_NE(binding, nullptr);
  }
  void TearDown() override { console.reset(); }

  // The window shown and active, with what its edits would send recorded by `sink`.
  void ShowRecordingInto(RecordingSink& sink) {
    console->store.SetChangeSink(&sink);
    QWidget* window = console->form1();
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }

  template <typename T = QWidget>
  T* W(const char* name) const {
    T* w = console->form1()->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  RecordingMessages messages;
  std::unique_ptr<Console> console;
  ControlBinding* binding = nullptr;
};

// Slots of the layout that carry a control of their own (everything else is the placeholder
// or empty): the highest bound slot per page.
TEST_F(MainWindowBindingTest, EveryBoundSlotFindsItsControls) {
  struct PageSlots {
    int page;
    int last;  // slots 0 .. last are bound
  };
  const PageSlots pages[] = {{0, 53}, {1, 80}, {2, 36}, {4, 40}, {5, 13}, {6, 73}, {7, 70}};
  const BindingTables& tables = binding->tables();
  std::vector<std::string> missing;
  for (const PageSlots& p : pages) {
    for (int s = 0; s <= p.last; ++s) {
      if (tables.MainControls()[p.page][s] == nullptr) {
        missing.push_back(std::to_string(p.page) + ":" + std::to_string(s));
      }
    }
  }
  for (int s : {2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 32, 33, 34}) {
    if (tables.MainControls()[10][s] == nullptr) missing.push_back("10:" + std::to_string(s));
  }
  // Every track bar has its value pane, every band field its spin buttons.
  for (int p = 0; p < kPageCount; ++p) {
    for (int s = 0; s < kBindingSlots; ++s) {
      QWidget* c = tables.MainControls()[p][s];
      if (KindOf(c) == ControlKind::TrackBar && tables.ValuePanes()[p][s] == nullptr) {
        missing.push_back("pane " + c->objectName().toStdString());
      }
      if (c != tables.Placeholder() && KindOf(c) == ControlKind::Edit &&
          tables.SpinControls()[p][s] == nullptr) {
        missing.push_back("spin " + c->objectName().toStdString());
      }
    }
  }
  EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
  for (int g = 1; g <= 3; ++g) {
    EXPECT_NE(tables.SideControl(2, 12 * (g - 1) + 7, 2), nullptr) << g;
  }
  for (int i = 0; i < 9; ++i) EXPECT_NE(tables.TabButtons()[i], nullptr) << i;
}

TEST_F(MainWindowBindingTest, TypingIntoTheMusicBandSendsOneBandFrame) {
  RecordingSink own(console->store);
  ShowRecordingInto(own);
  if (HasFatalFailure()) return;
  own.sent.clear();
  auto* edit = W<QLineEdit>("MusFreEdit1");
  QTest::mouseClick(edit, Qt::LeftButton);
  EXPECT_TRUE(own.sent.empty());
  edit->selectAll();
  QTest::keyClicks(edit, "1005");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(edit->text(), "1000.0");
  ASSERT_EQ(own.sent.size(), 1u);
  EXPECT_EQ(own.sent[0].FrameAddress(), 0x0002);
  EXPECT_EQ(own.sent[0].Field(1), 204);
  console->store.SetChangeSink(nullptr);
}

// Tab walks the operator through the whole Music strip; passing a field is no edit of it.
TEST_F(MainWindowBindingTest, TabbingAcrossTheMusicStripSendsNothing) {
  RecordingSink own(console->store);
  ShowRecordingInto(own);
  if (HasFatalFailure()) return;
  QTest::mouseClick(W<QLineEdit>("MusFreEdit1"), Qt::LeftButton);
  own.sent.clear();
  QSet<QWidget*> bandEditsPassed;
  for (int i = 0; i < 120; ++i) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    if (binding->tables().IsBandEdit(focused)) bandEditsPassed.insert(focused);
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  EXPECT_GE(bandEditsPassed.size(), 30);  // every frequency, gain and Q of the ten bands
  EXPECT_TRUE(own.sent.empty()) << own.sent.size() << " changes sent";
  console->store.SetChangeSink(nullptr);
}

TEST_F(MainWindowBindingTest, FeedbackBarSnapsToItsScale) {
  RecordingSink own(console->store);
  console->store.SetChangeSink(&own);
  auto* bar = W<QSlider>("MicFBEBar");
  bar->setValue(30);
  EXPECT_EQ(bar->value(), 7);
  EXPECT_EQ(W<QLabel>("MicFBEPane")->text(), "8Hz");
  ASSERT_FALSE(own.sent.empty());
  EXPECT_EQ(own.sent.back().address, 0x0102);
  EXPECT_EQ(own.sent.back().value, 7);
  console->store.SetChangeSink(nullptr);
}

}  // namespace
}  // namespace velantro::test
