// Undo and redo, the modified markers and revert, on the real window. Against velantro-unit-sim
// on 127.0.0.1 the unit must end up holding what each undo, redo and revert wrote back; offline
// the steps still change the store. The merge window runs on a clock the test sets.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "binding/ControlBinding.h"
#include "eq/EqGraphPanel.h"
#include "link/ChangeQueue.h"
#include "link/DeviceLink.h"
#include "support/ChildProcess.h"
#include "support/WindowFixture.h"
#include "ui/EditHistory.h"
#include "ui/ModifiedMarkers.h"
#include "ui/QtMessages.h"
#include "widgets/WidgetNames.h"

namespace velantro::test {
namespace {

constexpr int kStepLimitMs = 30000;  // guards against a hang only

// What the operator does with the window, shared by both fixtures.
struct Hands {
  TForm1*& form;

  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* widget = form->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void TypeInto(const char* name, const char* text) const {
    auto* edit = Find<QLineEdit>(name);
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void DragSlider(const char* name, int dy) const {
    auto* bar = Find<QSlider>(name);
    const QPoint handle = SliderHandle(bar);
    QTest::mousePress(bar, Qt::LeftButton, {}, handle);
    for (int step = 1; step <= 4; ++step) {
      QTest::mouseMove(bar, handle + QPoint(0, dy * step / 4));
    }
    QTest::mouseRelease(bar, Qt::LeftButton, {}, handle + QPoint(0, dy));
  }
  static QPoint SliderHandle(QSlider* bar) {
    const double share = double(bar->value() - bar->minimum()) / (bar->maximum() - bar->minimum());
    return {bar->width() / 2, int(bar->height() * (1.0 - share))};
  }
  void DragHandle(EqGraphPanel* graph, int handle, int dy) const {
    QWidget* h = graph->handleWidget(handle);
    const QPoint grab(h->width() / 2, h->height() / 2);
    QTest::mousePress(h, Qt::LeftButton, {}, grab);
    for (int step = 1; step <= 4; ++step) QTest::mouseMove(h, grab + QPoint(0, dy * step / 4));
    QTest::mouseRelease(h, Qt::LeftButton, {}, grab + QPoint(0, dy));
  }
  // The keys go where the operator's focus is: an edit box keeps it after typing.
  QWidget* Focus() const {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : form;
  }
  void Undo() const { QTest::keyClick(Focus(), Qt::Key_Z, Qt::ControlModifier); }
  void Redo() const {
    QTest::keyClick(Focus(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  }
};

// ---- offline: the window alone ---------------------------------------------------------------

class HistoryOffline : public WindowFixture {
 protected:
  void SetUp() override {
    CreateWindow();
    form->show();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    console->history()->SetClock([this] { return now; });
  }
  QUndoStack& stack() { return console->history()->stack(); }

  int64_t now = 0;
  Hands hands{form};
};

TEST_F(HistoryOffline, KeyStepsWithinASecondAreOneStepAndUndoStillChangesTheStore) {
  const ParamAddress gain = 0x000B;  // MusGainEdit2
  const int start = console->store.View(gain);
  auto* edit = hands.Find<QLineEdit>("MusGainEdit2");
  QTest::mouseClick(edit, Qt::LeftButton);
  for (const int64_t at : {0, 600, 1500}) {  // each within a second of the one before
    now = at;
    QTest::keyClick(edit, Qt::Key_Up);
  }
  now = 2600;  // more than a second after the last: a step of its own
  QTest::keyClick(edit, Qt::Key_Up);
  ASSERT_EQ(stack().count(), 2);
  EXPECT_EQ(stack().undoText().toStdString(), "Music EQ 2 gain");

  hands.Undo();
  EXPECT_EQ(console->store.View(gain), start + 3);
  EXPECT_EQ(edit->text().toStdString(), "0.6");  // 0 dB and three steps of 0.2 dB
  hands.Undo();
  EXPECT_EQ(console->store.View(gain), start);
  hands.Redo();
  hands.Redo();
  EXPECT_EQ(console->store.View(gain), start + 4);
}

TEST_F(HistoryOffline, ADragIsOneStepAndCtrlYRedoesIt) {
  const ParamAddress gain = 0x0015;  // MusEQGainBar4
  const int start = console->store.View(gain);
  hands.DragSlider("MusEQGainBar4", -40);
  ASSERT_NE(console->store.View(gain), start);
  const int dragged = console->store.View(gain);
  ASSERT_EQ(stack().count(), 1);
  hands.Undo();
  EXPECT_EQ(console->store.View(gain), start);
  EXPECT_EQ(hands.Find<QSlider>("MusEQGainBar4")->value(), start);
  QTest::keyClick(hands.Focus(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(console->store.View(gain), dragged);
}

// The markers follow the view selectors: a MIC B edit is marked while group B is on view, not on
// group A's same control, and the MIC tab keeps its dot either way. Revert all is one step.
TEST_F(HistoryOffline, MarkersFollowTheMicGroupAndRevertAllIsOneStep) {
  console->markers()->TakeReference();  // as a download's end does
  const DeviceTable reference = console->store.DeviceImage;
  QTest::mouseClick(form->tabButton(2), Qt::LeftButton);
  auto* groupB = hands.Find<QPushButton>(names::kMicGroupB);
  auto* groupA = hands.Find<QPushButton>(names::kMicGroupA);
  QTest::mouseClick(groupB, Qt::LeftButton);
  hands.TypeInto("MicGainEdit1", "-6");
  hands.TypeInto("MusGainEdit2", "-5");  // a hidden sheet's edit box takes typing all the same
  auto* gain = hands.Find<QLineEdit>("MicGainEdit1");
  ModifiedMarkers& markers = *console->markers();
  EXPECT_NE(markers.MarkerOf(gain), nullptr);

  QTest::mouseClick(groupA, Qt::LeftButton);
  EXPECT_EQ(markers.MarkerOf(gain), nullptr);
  EXPECT_NE(markers.MarkerOf(form->tabButton(2)), nullptr);
  EXPECT_NE(markers.MarkerOf(form->tabButton(1)), nullptr);

  const int steps = stack().count();
  form->findChild<QAction*>("RevertAllAction")->trigger();
  EXPECT_EQ(stack().count(), steps + 1);
  EXPECT_EQ(stack().undoText().toStdString(), "Revert all");
  EXPECT_TRUE(console->store.DeviceImage == reference);
  EXPECT_EQ(markers.MarkerOf(form->tabButton(1)), nullptr);
  EXPECT_EQ(markers.MarkerOf(form->tabButton(2)), nullptr);
  QTest::mouseClick(groupB, Qt::LeftButton);
  EXPECT_EQ(markers.MarkerOf(gain), nullptr);
}

// ---- online: against the stand-in unit -------------------------------------------------------

class HistoryOnline : public ::testing::Test {
 protected:
  void SetUp() override {
    unit = std::make_unique<ChildProcess>(std::vector<std::string>{VELANTRO_SIM, "--port", "0"});
    ASSERT_TRUE(unit->WaitFor("tcp: 127.0.0.1:")) << unit->output();
    const std::string& out = unit->output();
    port = std::stoi(out.substr(out.find("tcp: 127.0.0.1:") + 15));
    LinkSettings settings;
    settings.port = port;
    settings.networkAtOnce = true;
    console = std::make_unique<Console>(messages, settings);
    console->programFolder = folder.path().toStdString();
    console->CreateWindows();
    form = console->form1();
    form->show();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    ASSERT_TRUE(WaitOnline());
  }
  void TearDown() override { console.reset(); }

  bool WaitOnline() {
    return QTest::qWaitFor([&] { return form->statusLabel()->text() == "Online"; }, kStepLimitMs);
  }
  bool Settled() {
    return QTest::qWaitFor([&] { return console->changeQueue()->Settled(); }, kStepLimitMs);
  }
  int UnitHolds(ParamAddress address) const {
    ChildProcess ctl({VELANTRO_CTL, "get", "--unit", "127.0.0.1:" + std::to_string(port),
                      std::to_string(address)});
    EXPECT_EQ(ctl.Wait(), 0) << ctl.output();
    std::string text = ctl.output();
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return std::stoi(text.substr(text.find_last_of('\n') + 1));
  }
  QUndoStack& stack() { return console->history()->stack(); }
  ModifiedMarkers& markers() { return *console->markers(); }

  QTemporaryDir folder;
  std::unique_ptr<ChildProcess> unit;
  int port = 0;
  RecordingMessages messages;
  std::unique_ptr<Console> console;
  TForm1* form = nullptr;
  Hands hands{form};
};

// Each kind of step, undone and redone: the unit holds the value from before, then after.
TEST_F(HistoryOnline, EachKindOfStepIsUndoneAndRedoneAtTheUnit) {
  struct Case {
    const char* name;
    std::function<void()> edit;
    ParamAddress address;  // a value the step changes
    const char* text;      // the undo action's text
  };
  const std::vector<Case> cases{
      {"typed band gain", [&] { hands.TypeInto("MusGainEdit2", "-5"); }, 0x000B,
       "Undo Music EQ 2 gain"},
      {"slider drag", [&] { hands.DragSlider("MusEQGainBar4", -40); }, 0x0015,
       "Undo Music EQ 4 gain"},
      {"graph drag", [&] { hands.DragHandle(console->graph(), 2, -40); }, 0x0010,
       "Undo Music EQ 3 gain"},
      {"EQ reset",
       [&] { QTest::mouseClick(hands.Find<QPushButton>(names::kEqResetButton), Qt::LeftButton); },
       0x000B, "Undo EQ Reset"},
  };
  for (const Case& c : cases) {
    const int before = console->store.View(c.address);
    const int count = stack().count();
    c.edit();
    ASSERT_TRUE(Settled()) << c.name;
    const int after = console->store.View(c.address);
    ASSERT_NE(after, before) << c.name;
    ASSERT_EQ(stack().count(), count + 1) << c.name;
    EXPECT_EQ(console->history()->undoAction()->text().toStdString(), c.text) << c.name;
    hands.Undo();
    ASSERT_TRUE(Settled()) << c.name;
    EXPECT_EQ(UnitHolds(c.address), before) << c.name;
    hands.Redo();
    ASSERT_TRUE(Settled()) << c.name;
    EXPECT_EQ(UnitHolds(c.address), after) << c.name;
  }
}

TEST_F(HistoryOnline, MarkersShowEditsAndRevertPageSendsTheUnitsValuesBack) {
  auto* edit = hands.Find<QLineEdit>("MusGainEdit2");
  QPushButton* musicTab = form->tabButton(1);
  const int unitValue = console->store.View(0x000B);
  EXPECT_EQ(markers().MarkerOf(edit), nullptr);
  EXPECT_EQ(markers().MarkerOf(musicTab), nullptr);
  const QSize size = edit->size();

  hands.TypeInto("MusGainEdit2", "-5");
  ASSERT_TRUE(Settled());
  EXPECT_NE(markers().MarkerOf(edit), nullptr);
  EXPECT_NE(markers().MarkerOf(musicTab), nullptr);
  EXPECT_EQ(markers().MarkerOf(form->tabButton(2)), nullptr);  // MIC untouched
  EXPECT_EQ(edit->size(), size);
  EXPECT_EQ(edit->objectName(), "MusGainEdit2");

  form->findChild<QAction*>("RevertPageAction")->trigger();
  ASSERT_TRUE(Settled());
  EXPECT_EQ(UnitHolds(0x000B), unitValue);
  EXPECT_EQ(console->store.View(0x000B), unitValue);
  EXPECT_EQ(markers().MarkerOf(edit), nullptr);
  EXPECT_EQ(markers().MarkerOf(musicTab), nullptr);
  EXPECT_EQ(stack().undoText().toStdString(), "Revert page");

  hands.Undo();  // the revert is a step too
  ASSERT_TRUE(Settled());
  EXPECT_EQ(UnitHolds(0x000B), 95);
  EXPECT_NE(markers().MarkerOf(edit), nullptr);
}

TEST_F(HistoryOnline, AReconnectKeepsTheHistoryAndConnectClearsIt) {
  hands.TypeInto("MusGainEdit2", "-5");
  ASSERT_TRUE(Settled());
  ASSERT_EQ(stack().count(), 1);

  console->link()->OnTransportLost();  // the unit is found again by itself
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->statusLabel()->text() != "Online"; }, 5000));
  ASSERT_TRUE(WaitOnline());
  EXPECT_EQ(stack().count(), 1);

  console->link()->Disconnect();
  console->link()->ConnectOnNetwork();
  ASSERT_TRUE(WaitOnline());
  EXPECT_EQ(stack().count(), 0);
}

TEST_F(HistoryOnline, AModeRecallClearsTheHistory) {
  hands.TypeInto("MusGainEdit2", "-5");
  ASSERT_TRUE(Settled());
  ASSERT_EQ(stack().count(), 1);
  QTest::mouseClick(form->tabButton(8), Qt::LeftButton);  // System
  hands.Find<QComboBox>("SysModeBox")->setCurrentIndex(3);
  messages.answers = {true};
  QTest::mouseClick(hands.Find<QPushButton>("CallModeBtn"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->statusLabel()->text() != "Online"; }, 5000));
  ASSERT_TRUE(WaitOnline());
  EXPECT_EQ(stack().count(), 0);
  EXPECT_FALSE(console->history()->undoAction()->isEnabled());
}

// A preset load uploads the whole image: one step, undone by uploading the image before it.
TEST_F(HistoryOnline, APresetUploadIsOneStepUndoneByAnUploadOfTheImageBefore) {
  auto* gain = hands.Find<QLineEdit>("MusGainEdit2");
  const int unitValue = console->store.View(0x000B);
  const QString unitText = gain->text();
  hands.TypeInto("MusGainEdit2", "-5");
  ASSERT_TRUE(Settled());
  auto* file = hands.Find<QLineEdit>("FileEdit");
  file->setText("loud");
  hands.Find<QPushButton>("RzBmpButton120")->click();  // save
  hands.Undo();
  ASSERT_TRUE(Settled());
  ASSERT_EQ(UnitHolds(0x000B), unitValue);

  file->setText("loud");
  messages.answers = {true};
  hands.Find<QPushButton>("RzBmpButton119")->click();  // load
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->statusLabel()->text() != "Online"; }, 5000));
  ASSERT_TRUE(WaitOnline());
  ASSERT_EQ(UnitHolds(0x000B), 95);
  EXPECT_EQ(console->history()->undoAction()->text().toStdString(), "Undo preset upload");

  hands.Undo();  // the upload starts at once: the status leaves Online until it ends
  ASSERT_TRUE(WaitOnline());
  EXPECT_EQ(UnitHolds(0x000B), unitValue);
  EXPECT_EQ(console->store.View(0x000B), unitValue);
  EXPECT_EQ(gain->text(), unitText);
}

}  // namespace
}  // namespace velantro::test
