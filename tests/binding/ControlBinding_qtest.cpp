// Binding tables and the shared control actions.

#include "BindingFixture.h"

namespace velantro::test {
namespace {

using ControlBindingTest = BindingFixture;

TEST_F(ControlBindingTest, StampsTheAddressOfTheLastBindingOnEveryControl) {
  constexpr int kUnchecked = -2;
  struct Case {
    const char* name;
    int address;
    int position = kUnchecked;  // a type image's or option's position in its binding
    int scale = kUnchecked;     // the scale number of its binding
  };
  const Case cases[] = {
      {"MusQEdit1", 0x0008},  // bound at fields 3 and 4: ends with field 4
      {"MusQUpDownBtn1", 0x0008},
      {"MusFreEdit1", 0x0005, kUnchecked, ScaleNumber(Scale::BandFrequency)},
      {"MusModeBox1", 0x0004},
      {"MusPEQBtn1", 0x0004, 0},
      {"MusLSQBtn1", 0x0004, 1},
      {"MusHSQBtn1", 0x0004, 2},
      {"MusEQGainBar1", 0x0006},
      {"MusFreEdit2", 0x000A},
      {"ManulModeBtn", 0x0000},  // second button of a pair carries the pair's address
      {"SingModeBtn", 0x0001},
      {"MicHPFreUpDownBtn", 0x0100},
      {"MicFBEPane", 0x0102, kUnchecked, 21},
      {"SubModeBox1", 0x071F},
      {"SysMusNormalVolBar", 0x0A20, kUnchecked, 0},
      {"SysMusInputLevel3", 0x0A03, 2},
      {"FormTabBtn6", 5},
  };
  for (const Case& c : cases) {
    QWidget* w = W(c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(AddressOf(w), c.address) << c.name;
    if (c.position != kUnchecked) {
      EXPECT_EQ(binding->tables().PositionOf(w), c.position) << c.name;
    }
    if (c.scale != kUnchecked) {
      EXPECT_EQ(ScaleNumber(binding->tables().ScaleOf(w)), c.scale) << c.name;
    }
  }
  // No bound control carries a hint of its own any more: the binding is the one place.
  for (const QWidget* w : binding->tables().Root()->findChildren<QWidget*>()) {
    EXPECT_FALSE(w->property("hint").isValid()) << w->objectName().toStdString();
  }
  EXPECT_EQ(binding->tables().MainControlAt(0x0007), W("MusQEdit1"));
  EXPECT_EQ(binding->tables().SideControlAt(0x0006, 0), W("MusEQGainBar1"));
  EXPECT_EQ(binding->tables().MainControlAt(0x0002), binding->tables().Placeholder());
  binding->BuildBindingTables();
  EXPECT_EQ(binding->CurrentEdit(), W("MusFreEdit1"));
}

TEST_F(ControlBindingTest, WritesTheStartValuesBeforeAnyDownload) {
  EXPECT_EQ(store.DeviceImage[0][0], 1);
  EXPECT_EQ(store.DeviceImage[1][1], 64);
  for (int p = 6; p <= 9; ++p) EXPECT_EQ(store.DeviceImage[p][20], 362) << p;
  EXPECT_EQ(store.DeviceImage[10][17], 0);
}

TEST_F(ControlBindingTest, BuildingTwiceConnectsEachControlOnce) {
  binding->BuildBindingTables();
  W<QPushButton>("EchoEffPhaseBtn")->click();
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].address, 0x0400);
}

TEST_F(ControlBindingTest, ARoleComesFromTheRolePropertyNeverFromTheSize) {
  struct Case {
    QSize size;
    const char* role;  // nullptr: none
    ButtonRole expected;
  };
  const Case cases[] = {
      {{14, 14}, nullptr, ButtonRole::Toggle},  // the design size of an option button
      {{15, 15}, nullptr, ButtonRole::Toggle},  // ... and of a phase button
      {{40, 20}, "option", ButtonRole::Option}, {{40, 20}, "phase", ButtonRole::Phase},
      {{14, 14}, "phase", ButtonRole::Phase},   {{15, 15}, "eqpass", ButtonRole::EqPass},
  };
  for (const Case& c : cases) {
    QPushButton button;
    button.resize(c.size);
    if (c.role != nullptr) button.setProperty("role", c.role);
    EXPECT_EQ(RoleOf(&button), c.expected) << c.size.width() << " " << c.role;
  }
}

TEST_F(ControlBindingTest, PhaseToggleFlipsTheStoredValueAndTheCaption) {
  auto* phase = W<QPushButton>("EchoEffPhaseBtn");
  store.SetView(4, 0, 1);  // in step, as the unit holds it
  EXPECT_EQ(binding->actions().Toggle(phase), 0);
  EXPECT_EQ(phase->text(), "");
  EXPECT_EQ(store.View(0x0400), 0);
  EXPECT_EQ(phase->property("look").toString(), "inverted");
  EXPECT_EQ(binding->actions().Toggle(phase), 1);
  EXPECT_EQ(phase->text(), "+");
  EXPECT_EQ(store.View(0x0400), 1);
}

TEST_F(ControlBindingTest, TabSelectionSetsTheOutputSelectorsAndReturnsTheSection) {
  struct Case {
    const char* tab;
    int section;
    int mainOutputPage;
    int auxOutputPage;
  };
  const Case cases[] = {
      {"FormTabBtn5", 0x0705, 6, 7},  // AUX1
      {"FormTabBtn6", 0x0705, 6, 8},  // AUX2
      {"FormTabBtn7", 0x0603, 9, 8},  // SUR output
      {"FormTabBtn4", 0x0603, 6, 8},  // Main output
      {"FormTabBtn9", 0x0208, 6, 8},  // DEQ
  };
  for (const Case& c : cases) {
    QWidget* tab = W(c.tab);
    EXPECT_EQ(binding->actions().SelectTab(tab), c.section) << c.tab;
    EXPECT_EQ(store.MainOutputPage, c.mainOutputPage) << c.tab;
    EXPECT_EQ(store.AuxOutputPage, c.auxOutputPage) << c.tab;
    EXPECT_EQ(tab->property("look").toString(), "selected");
    EXPECT_EQ(W("FormTabBtn1")->property("look").toString(), "normal");
  }
}

TEST_F(ControlBindingTest, BandSelectionHighlightsOnlyTheGraphsFirstLabels) {
  // Main output entry 7 (the high-pass) has no highlighted point label on graph 3, but is
  // selected.
  auto* edit = W<QLineEdit>("MusFreEdit2");
  binding->SetCurrentEdit(edit);
  edit->setProperty("address", MakeAddress(6, 17));
  EXPECT_EQ(binding->actions().SelectBand(edit, 3), 7);
  EXPECT_EQ(binding->SelectedBand(3), 7);
  for (int n = 0; n < 8; ++n) {
    EXPECT_FALSE(binding->tables().PointLabel(3, n)->property("highlighted").toBool()) << n;
  }
  // Music band 2 highlights label 2 of graph 0 and frames the current edit.
  edit->setProperty("address", 0x000A);
  EXPECT_EQ(binding->actions().SelectBand(edit, 0), 1);
  binding->SetCurrentEdit(W<QLineEdit>("MusFreEdit1"));
  EXPECT_EQ(binding->actions().SelectBand(W<QLineEdit>("MusFreEdit1"), 0), 0);
  EXPECT_TRUE(binding->tables().PointLabel(0, 0)->property("highlighted").toBool());
  EXPECT_FALSE(binding->tables().PointLabel(0, 1)->property("highlighted").toBool());
  EXPECT_EQ(W("MusFreEdit1")->property("frameColor").value<QColor>(), QColor(68, 134, 255));
  EXPECT_EQ(edit->property("frameColor").value<QColor>(), QColor(128, 128, 128));
}

TEST_F(ControlBindingTest, ActionsOnTheWrongControlDoNothing) {
  QWidget* bar = W("MainMusLevelBar");
  ControlActions& actions = binding->actions();
  QPushButton unbound;
  EXPECT_EQ(actions.Toggle(&unbound), 0);
  EXPECT_EQ(actions.Toggle(nullptr), 0);
  EXPECT_EQ(actions.SelectTab(bar), 0);
  EXPECT_EQ(actions.ChooseAutoManual(bar), 0);
  EXPECT_EQ(actions.ChooseMicGroup(W("MusFreEdit1")), 0);
  EXPECT_EQ(actions.SelectBand(W<QLineEdit>("MusFreEdit1"), 10), 0);
  EXPECT_EQ(actions.SelectBand(nullptr, 0), 0);
  EXPECT_TRUE(sink.sent.empty());
}

TEST_F(ControlBindingTest, TypeImagesShowTheChosenType) {
  auto* type = W<QComboBox>("MusModeBox1");
  type->setCurrentIndex(2);
  binding->actions().ShowBandType(type);
  EXPECT_FALSE(W("MusPEQBtn1")->property("on").toBool());
  EXPECT_FALSE(W("MusLSQBtn1")->property("on").toBool());
  EXPECT_TRUE(W("MusHSQBtn1")->property("on").toBool());
}

}  // namespace
}  // namespace velantro::test
