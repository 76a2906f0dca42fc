// Every operator edit in the real window passes the one writer and leaves one record with the
// values it changed and the hand that made it; what the console does by itself leaves none.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "binding/ControlBinding.h"
#include "eq/EqGraphPanel.h"
#include "support/WindowFixture.h"
#include "widgets/WidgetNames.h"

namespace velantro::test {
namespace {

struct Heard : EditListener {
  std::vector<EditRecord> records;
  void OnEdit(const EditRecord& record) override { records.push_back(record); }
};

class EditRecords : public WindowFixture {
 protected:
  void SetUp() override {
    CreateWindow();
    form->show();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    editor().AddListener(&heard);
  }
  void TearDown() override {
    editor().RemoveListener(&heard);
    WindowFixture::TearDown();
  }
  ParamEditor& editor() { return console->binding()->editor(); }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* widget = form->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void TypeInto(const char* name, const char* text) {
    auto* edit = Find<QLineEdit>(name);
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void Drag(int handle, QPoint by) {
    QWidget* h = console->graph()->handleWidget(handle);
    const QPoint grab(h->width() / 2, h->height() / 2);
    QTest::mousePress(h, Qt::LeftButton, {}, grab);
    QTest::mouseMove(h, grab + by);
    QTest::mouseRelease(h, Qt::LeftButton, {}, grab + by);
  }

  Heard heard;
};

// Each way the operator edits, with the origin it must carry and one cell it must hold.
TEST_F(EditRecords, EachOperatorEditIsOneRecordOfItsOrigin) {
  struct Case {
    const char* name;
    std::function<void()> edit;
    EditOrigin origin;
    ParamAddress address;  // a cell the record holds
    int after;             // -1: any value but the one before
  };
  const std::vector<Case> cases{
      {"typed gain", [&] { TypeInto("MusGainEdit2", "-5"); }, EditOrigin::Typed, 0x000B, 95},
      {"arrow key",
       [&] {
         QTest::mouseClick(Find<QLineEdit>("MusGainEdit2"), Qt::LeftButton);
         QTest::keyClick(Find<QLineEdit>("MusGainEdit2"), Qt::Key_Up);
       },
       EditOrigin::Key, 0x000B, 96},
      {"slider", [&] { Find<QSlider>("MusEQGainBar4")->setValue(150); }, EditOrigin::Slider, 0x0015,
       150},
      {"EQ pass button",
       [&] { QTest::mouseClick(Find<QPushButton>("MusEQAllpassBtn"), Qt::LeftButton); },
       EditOrigin::Click, 0x0003, 1},
      {"EQ pass button again",
       [&] { QTest::mouseClick(Find<QPushButton>("MusEQAllpassBtn"), Qt::LeftButton); },
       EditOrigin::Click, 0x0003, 0},
      {"graph drag", [&] { Drag(2, QPoint(0, -40)); }, EditOrigin::GraphDrag, 0x0010, -1},
      {"EQ reset",
       [&] { QTest::mouseClick(Find<QPushButton>(names::kEqResetButton), Qt::LeftButton); },
       EditOrigin::Reset, 0x000B, 120},
  };
  for (const Case& c : cases) {
    heard.records.clear();
    const int before = console->store.View(c.address);
    c.edit();
    ASSERT_EQ(heard.records.size(), 1u) << c.name;
    const EditRecord& r = heard.records[0];
    EXPECT_EQ(r.origin, c.origin) << c.name;
    bool found = false;
    for (const EditCell& cell : r.cells) {
      if (cell.address != c.address) continue;
      found = true;
      EXPECT_EQ(cell.before, before) << c.name;
      if (c.after >= 0) {
        EXPECT_EQ(cell.after, c.after) << c.name;
      }
      EXPECT_NE(cell.after, cell.before) << c.name;
      EXPECT_EQ(console->store.View(c.address), cell.after) << c.name;
    }
    EXPECT_TRUE(found) << c.name;
  }
}

TEST_F(EditRecords, ShowingAndStepsThatChangeNothingLeaveNoRecord) {
  console->binding()->RefreshAllControls(kAllPages);
  QTest::mouseClick(form->tabButton(2), Qt::LeftButton);  // MIC: a view selector and a refresh
  QTest::mouseClick(Find<QPushButton>(names::kMicGroupB), Qt::LeftButton);
  EXPECT_TRUE(heard.records.empty());
  TypeInto("MicGainEdit1", "12");
  ASSERT_EQ(heard.records.size(), 1u);
  // Kept where the unit keeps it: group B's page.
  EXPECT_EQ(PageOf(heard.records[0].cells.at(0).address), 3);
  heard.records.clear();
  QTest::keyClick(Find<QLineEdit>("MicGainEdit1"), Qt::Key_Up);  // already at the top
  EXPECT_TRUE(heard.records.empty());
}

}  // namespace
}  // namespace velantro::test
