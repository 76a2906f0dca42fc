// Edit dispatch, driven as the operator drives it: clicks, keys, wheel, spin buttons, bars.

#include <QToolButton>
#include <QWheelEvent>

#include "BindingFixture.h"

namespace velantro::test {
namespace {

using EditDispatchTest = BindingFixture;

TEST_F(EditDispatchTest, TypedBandValueIsShownStoredAndSentAsOneBandFrame) {
  struct Case {
    const char* edit;
    const char* typed;
    const char* shown;
    int field;
    int raw;
  };
  const Case cases[] = {
      {"MusFreEdit1", "1005", "1000.0", 1, 204},
      {"MusFreEdit1", "1010", "1000.0", 1, 204},  // halfway goes down
      {"MusGainEdit1", "-5", "-5.0", 2, 95},
      {"MusGainEdit2", "20", "12.0", 2, 180},  // limited, and the limited value is sent
      {"MusQEdit1", "200", "128.00", 3, 100},  // PEQ band: field 3, limit 100
  };
  ShowActive();
  for (const Case& c : cases) {
    // Leaving the previous edit commits it (and sends its band again); start after that.
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    sink.sent.clear();
    auto* edit = W<QLineEdit>(c.edit);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_TRUE(sink.sent.empty()) << c.edit << ": a click sends nothing";
    TypeInto(c.edit, c.typed);
    EXPECT_EQ(edit->text(), c.shown) << c.typed;
    ASSERT_EQ(sink.sent.size(), 1u) << c.typed;
    ASSERT_TRUE(sink.sent[0].band);
    EXPECT_EQ(sink.sent[0].Field(c.field), c.raw) << c.typed;
    const int address = AddressOf(edit);
    const int band = LocateBand(address, 0).band;
    EXPECT_EQ(sink.sent[0].Band(), band);
    EXPECT_EQ(sink.sent[0].FrameAddress(), 0x0002);
    EXPECT_EQ(store.ViewValues[0][4 + 5 * band + c.field], c.raw);
    EXPECT_EQ(binding->input().LastGoodText(), c.shown);
  }
}

TEST_F(EditDispatchTest, RejectedTextRestoresTheLastGoodTextAndSendsNothing) {
  struct Case {
    const char* typed;  // typed after clearing the edit
    const char* set;    // or put into the edit directly (nullptr: typed)
  };
  const Case cases[] = {{"abc", nullptr}, {"-", nullptr}, {"", "1.2.3"}, {"", "--5"}};
  ShowActive();
  auto* edit = W<QLineEdit>("MusFreEdit1");
  for (const Case& c : cases) {
    sink.sent.clear();
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, c.typed);
    if (c.set != nullptr) {
      edit->setText(c.set);
      edit->setModified(true);  // as the operator's own input (a drop) leaves it
    }
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "31.9") << c.typed << c.set;
    EXPECT_TRUE(sink.sent.empty()) << c.typed << c.set;
  }
  EXPECT_TRUE(messages.Texts().empty());
}

// A typed value is read in its edit's scale, which the control table gives every edit: an edit
// without one would answer "error" and take nothing.
TEST_F(EditDispatchTest, EveryEditOfTheControlTableHasAScale) {
  for (const ControlSpec& row : ControlRows()) {
    if (row.sort != ControlSort::Edit) continue;
    EXPECT_NE(row.valueScale(), Scale::None) << row.name;
    if (QWidget* w = binding->tables().Find(NameOf(row))) {
      EXPECT_EQ(binding->tables().ScaleOf(w), row.valueScale()) << row.name;
    }
  }
}

TEST_F(EditDispatchTest, TypeChangeShowsTheShelfQWithoutSendingItAndShelfQStopsAt24) {
  ShowActive();
  auto* type = W<QComboBox>("MusModeBox1");
  QTest::keyClick(type, Qt::Key_End);  // PEQ -> HSEQ in one choice
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].Field(0), 2);
  auto* q = W<QLineEdit>("MusQEdit1");
  EXPECT_EQ(q->text(), "0.71");  // the shelf Q default, field 4
  EXPECT_EQ(binding->CurrentEdit(), q);
  EXPECT_EQ(binding->LastChange(), (GraphChange{0x0004, 2}));
  EXPECT_TRUE(W("MusHSQBtn1")->property("on").toBool());

  TypeInto("MusQEdit1", "1.5");
  EXPECT_EQ(q->text(), "1.50");
  // The second step finds the shelf Q at its limit: it changes nothing and sends nothing.
  const size_t framesAfterUp[] = {1, 0};
  for (const size_t frames : framesAfterUp) {
    sink.sent.clear();
    QTest::keyClick(q, Qt::Key_Up);
    EXPECT_EQ(q->text(), "1.60");
    ASSERT_EQ(sink.sent.size(), frames);
    if (frames == 0) continue;
    EXPECT_EQ(sink.sent[0].Field(4), 24);
    EXPECT_EQ(sink.sent[0].Field(3), 16);  // the PEQ Q is left alone
  }
}

TEST_F(EditDispatchTest, KeyFilterLetsOnlyNumberCharactersThrough) {
  ShowActive();
  auto* edit = W<QLineEdit>("MusFreEdit1");
  QTest::mouseClick(edit, Qt::LeftButton);
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, "1a2 b-3.,x4");
  EXPECT_EQ(edit->text(), "12-3.,4");  // "," is a decimal point as well
  QTest::keyClick(edit, Qt::Key_Home);
  QTest::keyClick(edit, Qt::Key_Delete);  // the edit's own keys still work
  EXPECT_EQ(edit->text(), "2-3.,4");
  EXPECT_TRUE(sink.sent.empty());
}

// The unit changed band 1's gain itself (its front panel, a remote) and the store has it, but the
// edit still shows the old text. Going through the edit without typing in it must not put the old
// value back; leaving it after typing sends what was typed, once.
TEST_F(EditDispatchTest, LeavingABandEditWithoutTypingSendsNothing) {
  ShowActive();
  auto* gain = W<QLineEdit>("MusGainEdit1");
  const ParamAddress address = AddressOf(gain);
  constexpr int kUnitsGain = 60;  // -12.0 dB
  ParamEditor(store).StoreBoth(address, kUnitsGain, EditOrigin::System);
  ASSERT_EQ(gain->text(), "0.0");

  QTest::mouseClick(gain, Qt::LeftButton);
  QTest::keyClick(gain, Qt::Key_Tab);
  QTest::mouseClick(gain, Qt::LeftButton);
  QTest::keyClick(gain, Qt::Key_Return);
  gain->clearFocus();
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(store.View(address), kUnitsGain);

  QTest::mouseClick(gain, Qt::LeftButton);
  gain->selectAll();
  QTest::keyClicks(gain, "3");
  QTest::keyClick(gain, Qt::Key_Tab);
  EXPECT_EQ(gain->text(), "3.0");
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].Field(2), 135);
}

// At a limit a key, wheel or spin step changes nothing: nothing goes to the unit.
TEST_F(EditDispatchTest, StepsThatChangeNoValueSendNothing) {
  struct Case {
    const char* edit;
    const char* spin;
    const char* typed;  // puts the value at its limit
    bool up;            // the step that goes past it
  };
  const Case cases[] = {
      {"MusGainEdit1", "MusGainUpDownBtn1", "12", true},
      {"MusGainEdit2", "MusGainUpDownBtn2", "-24", false},
      {"MusFreEdit1", "MusFreUpDownBtn1", "30000", true},
      {"MusQEdit2", "MusQUpDownBtn2", "200", true},  // PEQ: "128.00" is the last Q
  };
  ShowActive();
  auto wheel = [&](QWidget* over, int delta) {
    QWheelEvent event(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &event);
  };
  for (const Case& c : cases) {
    auto* edit = W<QLineEdit>(c.edit);
    TypeInto(c.edit, c.typed);
    const QString atLimit = edit->text();
    sink.sent.clear();
    QTest::keyClick(edit, c.up ? Qt::Key_Up : Qt::Key_Down);
    wheel(edit, c.up ? 120 : -120);
    auto* spin = W<SpinButtons>(c.spin);
    QTest::mouseClick(c.up ? spin->upButton() : spin->downButton(), Qt::LeftButton);
    EXPECT_EQ(edit->text(), atLimit) << c.edit;
    EXPECT_TRUE(sink.sent.empty()) << c.edit;
    QTest::keyClick(edit, c.up ? Qt::Key_Down : Qt::Key_Up);  // a step that changes the value
    EXPECT_EQ(sink.sent.size(), 1u) << c.edit;
  }
}

// "0,5" is 0.5 wherever the keyboard puts a decimal comma: it reads as "0.5" does, and the edit
// shows the value with a point.
TEST_F(EditDispatchTest, ACommaIsTheDecimalPoint) {
  struct Case {
    const char* edit;
    const char* comma;
    const char* point;
    int field;
  };
  const Case cases[] = {
      {"MusGainEdit1", "0,5", "0.5", 2},      {"MusGainEdit1", "1,0", "1.0", 2},
      {"MusGainEdit2", "-3,5", "-3.5", 2},    {"MusQEdit1", "0,5", "0.5", 3},
      {"MusFreEdit1", "1000,5", "1000.5", 1},
  };
  ShowActive();
  for (const Case& c : cases) {
    auto* edit = W<QLineEdit>(c.edit);
    sink.sent.clear();
    TypeInto(c.edit, c.point);
    const QString shown = edit->text();
    TypeInto(c.edit, c.comma);
    EXPECT_EQ(edit->text(), shown) << c.comma;
    EXPECT_FALSE(edit->text().contains(',')) << c.comma;
    ASSERT_EQ(sink.sent.size(), 2u) << c.comma;
    EXPECT_EQ(sink.sent[1].Field(c.field), sink.sent[0].Field(c.field)) << c.comma;
  }
}

TEST_F(EditDispatchTest, WheelAndSpinButtonsStepTheCurrentEdit) {
  ShowActive();
  auto* fre = W<QLineEdit>("MusFreEdit1");
  // Before any click the wheel is not armed.
  auto wheel = [&](QWidget* over, int delta) {
    QWheelEvent event(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    return QApplication::sendEvent(over, &event);
  };
  wheel(W("MusEQAllpassBtn"), 120);
  EXPECT_TRUE(sink.sent.empty());

  QTest::mouseClick(fre, Qt::LeftButton);
  wheel(W("MusEQAllpassBtn"), 120);
  EXPECT_EQ(fre->text(), "32.5");
  wheel(W("SysModeBox"), -120);
  wheel(W("SysModeBox"), -120);
  EXPECT_EQ(fre->text(), "31.3");
  ASSERT_EQ(sink.sent.size(), 3u);
  EXPECT_EQ(sink.sent[2].Field(1), 24);

  fre->clearFocus();  // its exit commits it once more
  sink.sent.clear();
  wheel(W("SysModeBox"), 120);  // no band edit has the focus: the wheel is the box's own
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(fre->text(), "31.3");
  auto* gainSpin = W<SpinButtons>("MusGainUpDownBtn1");
  QTest::mouseClick(gainSpin->downButton(), Qt::LeftButton);
  EXPECT_EQ(W<QLineEdit>("MusGainEdit1")->text(), "-0.2");
  EXPECT_EQ(binding->CurrentEdit(), W("MusGainEdit1"));
  EXPECT_EQ(W<QSlider>("MusEQGainBar1")->value(), 119);
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].Field(2), 119);

  sink.sent.clear();
  auto* hpSpin = W<SpinButtons>("MicHPFreUpDownBtn");
  QTest::mouseClick(hpSpin->upButton(), Qt::LeftButton);
  EXPECT_EQ(W<QSlider>("MicHPFreBar")->value(), 1);
  EXPECT_EQ(W<QLabel>("MicHPFrePane")->text(), "19.7Hz");
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_FALSE(sink.sent[0].band);
  EXPECT_EQ(sink.sent[0].address, 0x0100);
  EXPECT_EQ(sink.sent[0].value, 1);
  EXPECT_EQ(binding->CurrentEdit(), binding->tables().Placeholder());  // a bar ends band stepping
}

TEST_F(EditDispatchTest, GainBarAppliesToTheBandsGainEdit) {
  W<QSlider>("MusEQGainBar2")->setValue(150);
  EXPECT_EQ(W<QLineEdit>("MusGainEdit2")->text(), "6.0");
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].Band(), 1);
  EXPECT_EQ(sink.sent[0].Field(2), 150);
  EXPECT_EQ(binding->CurrentEdit(), W("MusGainEdit2"));
}

TEST_F(EditDispatchTest, TrackBarsShowTheirPaneAndSendTheLimitedValue) {
  struct Case {
    const char* bar;
    int moveTo;
    int mainOutputPage;
    int position;  // where the bar ends
    const char* pane;
    const char* paneText;
    ParamAddress sentAddress;
  };
  const Case cases[] = {
      {"MicFBEBar", 30, 6, 7, "MicFBEPane", "8Hz", 0x0102},
      {"MicFBEBar", 0, 6, 0, "MicFBEPane", "Off", 0x0102},
      {"MainMusLevelBar", 40, 6, 40, "MainMusLevelPane", "80", 0x0600},
      {"MainMusLevelBar", 41, 9, 41, "MainMusLevelPane", "82", 0x0900},
  };
  for (const Case& c : cases) {
    sink.sent.clear();
    store.MainOutputPage = c.mainOutputPage;
    auto* bar = W<QSlider>(c.bar);
    bar->setValue(c.moveTo);
    EXPECT_EQ(bar->value(), c.position) << c.bar;
    EXPECT_EQ(W<QLabel>(c.pane)->text(), c.paneText) << c.bar;
    ASSERT_EQ(sink.sent.size(), 1u) << c.bar;
    EXPECT_EQ(sink.sent[0].address, c.sentAddress);
    EXPECT_EQ(sink.sent[0].value, c.position);
  }
}

TEST_F(EditDispatchTest, NormalVolumeRisesOneStepPerMoveAndLimitPullsOthersDown) {
  store.DeviceImage[10][6] = 30;   // music start
  store.DeviceImage[10][7] = 60;   // music limit
  store.DeviceImage[10][32] = 10;  // music normal
  binding->RefreshAllControls(10);
  sink.sent.clear();
  auto* start = W<QSlider>("SysMusStartVolBar");
  auto* limit = W<QSlider>("SysMusMaxVolBar");
  auto* normal = W<QSlider>("SysMusNormalVolBar");
  ASSERT_EQ(W<QLabel>("SysMusNormalVolPane")->text(), "10");

  normal->setValue(50);
  EXPECT_EQ(normal->value(), 11);
  EXPECT_EQ(W<QLabel>("SysMusNormalVolPane")->text(), "11");
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].address, 0x0A20);
  EXPECT_EQ(sink.sent[0].value, 11);

  sink.sent.clear();
  normal->setValue(3);  // lowering is not limited
  EXPECT_EQ(normal->value(), 3);

  sink.sent.clear();
  limit->setValue(20);
  EXPECT_EQ(start->value(), 20);
  EXPECT_EQ(normal->value(), 3);
  EXPECT_EQ(W<QLabel>("SysMusStartVolPane")->text(), "20");
  EXPECT_EQ(W<QLabel>("SysMusMaxVolPane")->text(), "20");
  ASSERT_EQ(sink.sent.size(), 2u);
  EXPECT_EQ(sink.sent[0].address, 0x0A06);
  EXPECT_EQ(sink.sent[0].value, 20);
  EXPECT_EQ(sink.sent[1].address, 0x0A07);
  EXPECT_EQ(sink.sent[1].value, 20);

  sink.sent.clear();
  start->setValue(40);  // a start above the limit falls back to it
  EXPECT_EQ(start->value(), 20);
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].value, 20);
}

TEST_F(EditDispatchTest, OptionButtonWritesItsPositionAndShowsTheGroup) {
  store.ViewValues[10][12] = 1;  // administrator: the music input level group is enabled
  W("SignRzGroup")->setEnabled(true);
  W<QPushButton>("SysMusInputLevel3")->click();
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].address, 0x0A03);
  EXPECT_EQ(sink.sent[0].value, 2);
  EXPECT_EQ(W("SysMusInputLevel3")->property("look").toString(), "selected");
  EXPECT_EQ(W("SysMusInputLevel")->property("look").toString(), "normal");
  EXPECT_TRUE(W("SignRzGroup")->isEnabled());
}

TEST_F(EditDispatchTest, PhaseAndToggleButtonsSendTheirNewState) {
  auto* phase = W<QPushButton>("MainMusPhaseBtn");
  store.MainOutputPage = 9;
  phase->click();
  phase->click();
  ASSERT_EQ(sink.sent.size(), 2u);
  EXPECT_EQ(sink.sent[0].address, 0x0902);
  EXPECT_EQ(sink.sent[0].value, 1);  // the refresh showed the stored 0: inverted, no caption
  EXPECT_EQ(sink.sent[1].value, 0);
  EXPECT_EQ(phase->text(), "");
}

}  // namespace
}  // namespace velantro::test
