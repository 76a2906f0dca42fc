// The window finds a lost unit again by itself: the real window and its real link against
// velantro-unit-sim on 127.0.0.1, which is stopped and started again on the same port with its
// image kept in a state file. The window must come back online without a hand on it, and the
// unit must end up holding every edit it missed: the one it never answered before it went, and
// the one made while it was away.

#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "link/ChangeQueue.h"
#include "support/ChildProcess.h"
#include "ui/Console.h"
#include "ui/MainFrm.h"
#include "ui/NoticeStrip.h"
#include "ui/QtMessages.h"

namespace velantro::test {
namespace {

// Guards against a hang; every step normally takes well under a few seconds.
constexpr int kStepLimitMs = 30000;
// A little more than one try where the unit was, so the unit comes back after a refused try.
constexpr int kOneRetryMs = 2500;
// Long enough to read the notice after the unit is back, short enough to see it go.
constexpr int kBriefNoticeMs = 3000;

class Reconnect : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    statePath = folder.filePath("unit.state").toStdString();
    ASSERT_NO_FATAL_FAILURE(StartUnit("0"));
    const std::string& out = unit->output();
    const size_t at = out.find("tcp: 127.0.0.1:");
    ASSERT_NE(at, std::string::npos) << out;
    port = std::stoi(out.substr(at + 15));

    LinkSettings settings;
    settings.port = port;
    settings.networkAtOnce = true;  // as --unit 127.0.0.1:PORT
    console = std::make_unique<Console>(boxes, settings);
    console->programFolder = folder.path().toStdString();
    console->CreateWindows();
    form = console->form1();
    boxes.SetOwner(form);

    // A modal box would stop this thread for good: record it and send it away, so the test
    // fails instead of hanging.
    QObject::connect(&modalGuard, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      auto* box = qobject_cast<QMessageBox*>(dialog);
      modalBoxes.push_back(box != nullptr ? box->text().toStdString() : "a modal dialog");
      dialog->reject();
    });
    modalGuard.start(100);

    form->show();
  }

  void StartUnit(const std::string& portText) {
    unit.reset();
    unit = std::make_unique<ChildProcess>(
        std::vector<std::string>{VELANTRO_SIM, "--port", portText, "--state", statePath});
    ASSERT_TRUE(unit->WaitFor("tcp: 127.0.0.1:")) << unit->output();
  }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* widget = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  QString Status() const { return form->statusLabel()->text(); }

  bool WaitForStatus(const QString& text) {
    return QTest::qWaitFor([&] { return Status() == text; }, kStepLimitMs);
  }

  // Every edit has been acknowledged by the unit.
  bool WaitUntilSettled() {
    return QTest::qWaitFor([&] { return console->changeQueue()->Settled(); }, kStepLimitMs);
  }

  // The operator brings the window to the front, clicks an edit, replaces its text and presses
  // Enter.
  void TypeInto(const char* name, const QString& text) {
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    auto* edit = Find<QLineEdit>(name);
    ASSERT_NE(edit, nullptr);
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  // What the unit holds at an address, as velantroctl reads it; -1 when it cannot.
  int UnitHolds(const std::string& address) const {
    ChildProcess ctl({VELANTRO_CTL, "get", "--unit", "127.0.0.1:" + std::to_string(port), address});
    const int code = ctl.Wait();
    EXPECT_EQ(code, 0) << ctl.output();
    if (code != 0) return -1;
    std::string out = ctl.output();
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return std::stoi(out.substr(out.find_last_of('\n') + 1));
  }

  QTemporaryDir folder;
  std::string statePath;
  std::unique_ptr<ChildProcess> unit;
  int port = 0;
  QtMessages boxes;  // outlives the console, which holds it
  std::unique_ptr<Console> console;
  TForm1* form = nullptr;
  QTimer modalGuard;
  std::vector<std::string> modalBoxes;
};

TEST_F(Reconnect, WindowComesBackByItselfAndTheUnitGetsEveryEditItMissed) {
  ASSERT_TRUE(WaitForStatus("Online")) << Status().toStdString();

  // An edit the unit takes before it goes: it stays with the unit and is not sent again.
  TypeInto("MusGainEdit2", "-5");
  form->setFocus();  // leaving the edit commits it once more; let that reach the unit too
  ASSERT_TRUE(WaitUntilSettled());

  // The unit falls silent and then goes away while the next edit is on its way: that edit is
  // never acknowledged.
  unit->Signal(SIGUSR1);
  ASSERT_TRUE(unit->WaitFor("silent")) << unit->output();
  TypeInto("MusFreEdit1", "1005");
  unit->Signal(SIGTERM);
  EXPECT_EQ(unit->Wait(), 0) << unit->output();

  ASSERT_TRUE(WaitForStatus("Off Line")) << Status().toStdString();
  // The loss is said in the notice strip, which covers nothing, and holds while the unit is away.
  NoticeStrip* strip = form->noticeStrip();
  ASSERT_NE(strip, nullptr);
  strip->SetBriefDuration(kBriefNoticeMs);
  EXPECT_EQ(strip->text().toStdString(), "Off Line!");
  EXPECT_EQ(boxes.notice(), nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  // The window goes on working while the unit is away.
  QApplication::setActiveWindow(form);
  QTest::mouseClick(Find<QPushButton>("SysMusInputLevel3"), Qt::LeftButton);
  QTest::qWait(kOneRetryMs);
  EXPECT_EQ(Status().toStdString(), "Off Line");

  // The unit comes back where it was, with the image it had.
  ASSERT_NO_FATAL_FAILURE(StartUnit(std::to_string(port)));
  ASSERT_TRUE(WaitForStatus("Online")) << Status().toStdString();
  // The loss notice has given way to the one that says what was sent again ...
  EXPECT_EQ(strip->text().toStdString(),
            "The unit is back: 2 edits it had not received were sent again.");
  ASSERT_GE(strip->history().size(), 2u);
  EXPECT_EQ(strip->history()[1].text.toStdString(), "Off Line!");
  ASSERT_TRUE(WaitUntilSettled());

  // The window shows the edits over the image it read again ...
  EXPECT_EQ(Find<QLineEdit>("MusGainEdit2")->text().toStdString(), "-5.0");
  EXPECT_EQ(Find<QLineEdit>("MusFreEdit1")->text().toStdString(), "1000.0");
  // ... and the unit holds them: band 2 gain -5 dB, band 1 at 1000 Hz, music gain 6 dB.
  EXPECT_EQ(UnitHolds("0x000B"), 95);
  EXPECT_EQ(UnitHolds("0x0005"), 204);
  EXPECT_EQ(UnitHolds("0x0A03"), 2);

  // ... which goes by itself, with no OK to press.
  EXPECT_TRUE(QTest::qWaitFor([&] { return strip->text().isEmpty(); }, kStepLimitMs));
  EXPECT_TRUE(modalBoxes.empty()) << modalBoxes.front();
}

}  // namespace
}  // namespace velantro::test
