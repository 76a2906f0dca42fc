// Model to view refresh, the auto mode and EQ pass locks, and the EQ band defaults.

#include <QSignalSpy>

#include "BindingFixture.h"

namespace velantro::test {
namespace {

using RefreshTest = BindingFixture;

TEST_F(RefreshTest, FullRefreshShowsTheStoreAndSendsNothing) {
  for (int p = 0; p < kPageCount; ++p) {
    for (int i = 0; i < kDeviceRowSize; ++i) store.DeviceImage[p][i] = (p * 7 + i * 3) % 11;
  }
  store.DeviceImage[0][1] = 1;  // Disco: the second music set
  store.LayoutFlag = 1;         // latched by the download before its refresh
  store.DeviceImage[0][5 + 52] = 204;
  binding->RefreshAllControls(kAllPages);
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(store.SuppressSend, 0);
  EXPECT_FALSE(binding->RefreshInProgress());
  EXPECT_EQ(store.LayoutFlag, 1);
  EXPECT_EQ(W<QLineEdit>("MusFreEdit1")->text(), "1000.0");
  EXPECT_EQ(W("DiscoModeBtn")->property("look").toString(), "down");
  EXPECT_EQ(W("SingModeBtn")->property("look").toString(), "normal");
}

// A refresh writes what the widgets show and runs none of their change handlers: no bar emits
// a change, the band the operator works in and the graph's last change stay, nothing is sent.
// What a control cannot show is kept in the store as the control shows it.
TEST_F(RefreshTest, RefreshOnlyShowsAndKeepsWhatAControlCannotShow) {
  const char* bars[] = {"MicFBEBar", "MainMusLevelBar", "SysMusNormalVolBar", "SysMusMaxVolBar",
                        "MusEQGainBar1"};
  std::vector<std::unique_ptr<QSignalSpy>> spies;
  for (const char* name : bars) {
    spies.push_back(std::make_unique<QSignalSpy>(W<QSlider>(name), &QSlider::valueChanged));
  }
  TypeInto("MusGainEdit2", "3");
  const GraphChange last = binding->LastChange();
  QLineEdit* working = binding->CurrentEdit();
  sink.sent.clear();

  store.DeviceImage[1][2] = 40;           // feedback shift beyond its bar's 7
  store.DeviceImage[6][0] = 70;           // main music level
  store.DeviceImage[10][0x20] = 60;       // music normal volume, above its limit
  store.DeviceImage[10][7] = 50;          // music volume limit
  store.DeviceImage[4][0] = 5;            // echo phase: anything but 0 is in step
  store.DeviceImage[0][6] = kGainRawMax;  // music band 1 gain, +12.0 dB
  binding->RefreshAllControls(kAllPages);

  for (size_t i = 0; i < spies.size(); ++i) EXPECT_EQ(spies[i]->count(), 0) << bars[i];
  EXPECT_EQ(W<QSlider>("MicFBEBar")->value(), 7);
  EXPECT_EQ(W<QSlider>("MainMusLevelBar")->value(), 70);
  EXPECT_EQ(W<QLabel>("MainMusLevelPane")->text(), "140");
  EXPECT_EQ(W<QSlider>("SysMusNormalVolBar")->value(), 60);  // shown as stored, not lowered
  EXPECT_EQ(W<QLabel>("SysMusNormalVolPane")->text(), "60");
  EXPECT_EQ(W<QSlider>("MusEQGainBar1")->value(), kGainRawMax);
  EXPECT_EQ(W<QLineEdit>("MusGainEdit1")->text(), "12.0");
  EXPECT_EQ(W<QPushButton>("EchoEffPhaseBtn")->text(), "+");
  EXPECT_EQ(store.DeviceImage[1][2], 7);
  EXPECT_EQ(store.DeviceImage[4][0], 1);
  EXPECT_EQ(store.DeviceImage[10][0x20], 60);
  EXPECT_EQ(binding->LastChange(), last);
  EXPECT_EQ(binding->CurrentEdit(), working);
  EXPECT_TRUE(sink.sent.empty());
}

TEST_F(RefreshTest, PhaseButtonShowsTheStoredState) {
  struct Case {
    int stored;
    const char* caption;
    const char* look;
  };
  const Case cases[] = {{0, "", "inverted"}, {1, "+", "normal"}, {0, "", "inverted"}};
  auto* phase = W<QPushButton>("EchoEffPhaseBtn");
  for (const Case& c : cases) {
    store.DeviceImage[4][0] = c.stored;
    binding->RefreshAllControls(4);
    EXPECT_EQ(store.View(0x0400), c.stored);
    EXPECT_EQ(phase->text(), c.caption) << c.stored;
    EXPECT_EQ(phase->property("look").toString(), c.look) << c.stored;
  }
  EXPECT_TRUE(sink.sent.empty());
}

TEST_F(RefreshTest, OutputControlsShowThePageTheSelectorChose) {
  store.DeviceImage[6][0] = 10;
  store.DeviceImage[9][0] = 25;
  store.MainOutputPage = 9;
  binding->RefreshAllControls(6);
  EXPECT_EQ(W<QSlider>("MainMusLevelBar")->value(), 25);
  EXPECT_EQ(W<QLabel>("MainMusLevelPane")->text(), "50");
  EXPECT_TRUE(sink.sent.empty());
}

TEST_F(RefreshTest, StoredQAboveTheTableIsShownAsItsLastEntryAndCorrected) {
  store.DeviceImage[0][7] = 120;  // music band 1, PEQ Q
  binding->RefreshAllControls(0);
  EXPECT_EQ(W<QLineEdit>("MusQEdit1")->text(), "128.00");
  EXPECT_EQ(store.ViewValues[0][7], 100);
  EXPECT_EQ(store.DeviceImage[0][7], 100);
  EXPECT_TRUE(sink.sent.empty());
}

TEST_F(RefreshTest, ModeListAndCurrentModeLabelFollowTheUnit) {
  store.ModeNames = {"Pop", "Rock", "Live", "", "", "", "", "", "Party"};
  store.DeviceImage[10][2] = 2;
  int handlerRuns = 0;
  binding->modeBoxHandler = [&] { ++handlerRuns; };
  binding->RefreshAllControls(10);
  auto* box = W<QComboBox>("SysModeBox");
  ASSERT_EQ(box->count(), 9);
  EXPECT_EQ(box->itemText(0), "1-Pop");
  EXPECT_EQ(box->itemText(8), "9-Party");
  EXPECT_EQ(box->currentIndex(), 2);
  EXPECT_EQ(handlerRuns, 1);
  EXPECT_EQ(W<QLabel>("CurrentModeLabel")->text(), QStringLiteral("（Current Mode：3 ）"));
}

TEST_F(RefreshTest, AutoModeLocksTheMusicBandsAndTheOutputSources) {
  struct Case {
    int flag;       // 0 auto, 1 manual
    int musicPass;  // ViewValues[0][3]
    bool musicEnabled;
    bool outputEnabled;
  };
  const Case cases[] = {{0, 0, false, false}, {1, 0, true, true}, {0, 1, true, false}};
  for (const Case& c : cases) {
    binding->EnableBoundControls(1, kAutoModeLock);  // start from manual
    store.ViewValues[0][3] = c.musicPass;
    binding->EnableBoundControls(c.flag, kAutoModeLock);
    for (const char* name : {"MusFreEdit1", "MusFreUpDownBtn1", "MusQEdit2", "MusScrollBox"}) {
      EXPECT_EQ(W(name)->isEnabled(), c.musicEnabled) << name << " flag " << c.flag;
    }
    for (const char* name : {"MainMusLevelBar", "MainMusPhaseBtn", "SingModeBtn"}) {
      EXPECT_EQ(W(name)->isEnabled(), c.outputEnabled) << name << " flag " << c.flag;
    }
  }
}

TEST_F(RefreshTest, RefreshRunsTheAutoManualHandlerForTheStoredMode) {
  std::vector<QString> pressed;
  binding->autoManualHandler = [&](QPushButton* b) { pressed.push_back(b->objectName()); };
  for (int mode : {0, 1}) {
    store.DeviceImage[0][0] = mode;
    binding->RefreshAllControls(0);
  }
  EXPECT_EQ(pressed, (std::vector<QString>{"AutoModeBtn", "ManulModeBtn"}));
}

TEST_F(RefreshTest, EqPassFollowsTheSectionOnView) {
  struct Case {
    int section;
    int stored;  // value at the page's EQ bypass address
    int address;
    bool notice;
  };
  const Case cases[] = {
      {0x0000, 1, 0x0003, true}, {0x0000, 0, 0x0003, false}, {0x0603, 1, 0x0621, true},
      {0x0208, 1, -1, false},  // DEQ: no page EQ pass, the notice stays hidden
      {0x0A07, 1, -1, false},  // System
  };
  for (const Case& c : cases) {
    section = c.section;
    const int page = PageOf(c.section);
    binding->refresh().EqPassState() = {};
    W("EQPassLabel")->show();
    auto* pass = W<QPushButton>("MusEQAllpassBtn");
    pass->setProperty("address", 0x0003);
    if (c.address >= 0) store.DeviceImage[page][IndexOf(c.address)] = c.stored;
    binding->RefreshAllControls(page);
    EXPECT_EQ(!W("EQPassLabel")->isHidden(), c.notice) << std::hex << c.section;
    EXPECT_EQ(binding->refresh().EqPassState()[page], c.address >= 0 ? c.stored : 0);
    if (c.address >= 0) {
      EXPECT_EQ(AddressOf(pass), c.address);
      EXPECT_EQ(pass->property("look").toString(), c.stored ? "down" : "normal");
    } else {
      EXPECT_EQ(AddressOf(pass), 0x0003);  // not re-addressed
    }
  }
}

TEST_F(RefreshTest, EqPassLockDisablesThePagesBandControls) {
  // The lock follows the EQ pass the store holds for the page the button points at.
  for (const int pass : {1, 0}) {
    store.SetView(0, 3, pass);
    binding->EnableBoundControls(1, 0);
    const bool enabled = pass == 0;
    EXPECT_EQ(W("MusScrollBox")->isEnabled(), enabled);
    EXPECT_EQ(W("MusGainEdit2")->isEnabled(), enabled);
  }
  // In auto mode the music page's EQ pass lock leaves everything to the auto mode lock.
  store.SetView(0, 3, 1);
  binding->EnableBoundControls(0, 0);
  EXPECT_TRUE(W("MusScrollBox")->isEnabled());
}

TEST_F(RefreshTest, OptionGroupShowsTheStoredMemberAndKeepsPositions) {
  store.DeviceImage[10][3] = 1;
  binding->RefreshAllControls(10);
  EXPECT_EQ(W("SysMusInputLevel2")->property("look").toString(), "selected");
  EXPECT_EQ(W("SysMusInputLevel")->property("look").toString(), "normal");
  EXPECT_EQ(binding->tables().PositionOf(W("SysMusInputLevel")), 0);
  // Pressing the first button afterwards still chooses 0 dB.
  W("SignRzGroup")->setEnabled(true);
  W<QPushButton>("SysMusInputLevel")->click();
  ASSERT_EQ(sink.sent.size(), 1u);
  EXPECT_EQ(sink.sent[0].value, 0);
}

TEST_F(RefreshTest, ResetOfAllPagesStoresBothMusicSetsAndSendsNothing) {
  store.DeviceImage[0][5] = 0;
  store.DeviceImage[0][5 + 52] = 0;
  binding->ResetEqBands(kAllPages);
  EXPECT_TRUE(sink.sent.empty());
  EXPECT_EQ(store.DeviceImage[0][5], 25);
  EXPECT_EQ(store.DeviceImage[0][5 + 52], 25);
  EXPECT_EQ(store.DeviceImage[2][12 * 2 + 3], 332);  // DEQ channel 3 frequency
  EXPECT_EQ(store.DeviceImage[1][6 + 5 * 14 + 1], 333);
  EXPECT_EQ(W<QLineEdit>("MusFreEdit2")->text(), "62.5");
}

TEST_F(RefreshTest, ResetOfTheMainOutputWhileSurIsShownSendsSevenSurBands) {
  store.MainOutputPage = 9;
  store.DeviceImage[6][35] = 77;
  binding->ResetEqBands(6);
  const int frequencies[] = {60, 95, 130, 170, 205, 245, 290};
  ASSERT_EQ(sink.sent.size(), 7u);
  for (int b = 0; b < 7; ++b) {
    const Sent& s = sink.sent[static_cast<size_t>(b)];
    ASSERT_TRUE(s.band);
    EXPECT_EQ(s.FrameAddress(), 0x0920);
    EXPECT_EQ(s.Band(), b);
    EXPECT_EQ(s.Field(0), 0);
    EXPECT_EQ(s.Field(1), frequencies[b]);
    EXPECT_EQ(s.Field(2), 120);
    EXPECT_EQ(s.Field(3), 16);
    EXPECT_EQ(s.Field(4), 10);
    EXPECT_EQ(store.DeviceImage[9][34 + 5 * b + 1], frequencies[b]);
  }
  EXPECT_EQ(store.DeviceImage[6][35], 77);  // the main output's own bands are left alone
}

}  // namespace
}  // namespace velantro::test
