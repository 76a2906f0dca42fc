#include <QClipboard>
#include <QGuiApplication>

#include "link/Frames.h"
#include "ui/SystemPageFixture.h"

namespace velantro::test {
namespace {

using DeviceCommandsTest = SystemPageTest;

// The unit's factory passwords.
const QString kSystemPassword = "123456";
const QString kKeyLockPassword = "1234";

constexpr std::array<const char*, 8> kPasswordFields{
    "SysPassEdit",     "SysPanelLabel1", "NewSysPassLabel1", "NewSysPassLabel2",
    "PassPanelLabel1", "NewPassLabel1",  "NewPassLabel2",    "PanelPassWordEdit"};

void ExpectTextFrame(const Bytes& frame, ParamAddress address, const std::vector<uint8_t>& digits) {
  ASSERT_EQ(frame.size(), digits.size() + 7);
  EXPECT_EQ(frame[2], digits.size() + 4);  // length byte
  EXPECT_EQ(frame[3], kCmdWrite);
  EXPECT_EQ(frame[4], PageOf(address));
  EXPECT_EQ(frame[5], IndexOf(address));
  EXPECT_EQ(Bytes(frame.begin() + 6, frame.end() - 1), digits);
  EXPECT_EQ(frame.back(), FrameChecksum(std::span(frame.data(), frame.size() - 1)));
}

TEST_F(DeviceCommandsTest, PasswordFieldsTakeOnlyDigitsBackspaceAndEnter) {
  QGuiApplication::clipboard()->setText("12x4");
  for (const char* name : kPasswordFields) {
    auto* field = Find<QLineEdit>(name);
    ASSERT_NE(field, nullptr);
    field->setEnabled(true);
    QTest::keyClicks(field, "1a2-3 b,4");
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);  // paste
    EXPECT_EQ(field->text(), "1234") << name;
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "123") << name;
    // A paste from the context menu bypasses the keys; the field still refuses the letter.
    field->clear();
    field->paste();
    EXPECT_EQ(field->text(), "") << name;
  }
}

TEST_F(DeviceCommandsTest, SystemPasswordSendsItsDigitsAndOpensTheUserChoice) {
  Connect();
  auto* choice = Find<QWidget>("SysUserMangerGrop");
  choice->setEnabled(false);

  // Five of the six digits: refused.
  size_t from = harness.SentCount();
  Type("SysPassEdit", kSystemPassword.left(5));
  Click("SysPassEnterBtn");
  EXPECT_EQ(Find<QLineEdit>("SysPassEdit")->text(), "");
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, "Password error");
  EXPECT_EQ(messages.boxes[0].caption, "prompt");
  EXPECT_TRUE(Sent(from).empty());
  EXPECT_FALSE(choice->isEnabled());

  Type("SysPassEdit", kSystemPassword);
  Click("SysPassEnterBtn");
  EXPECT_EQ(Find<QLineEdit>("SysPassEdit")->text(), "");
  EXPECT_EQ(messages.boxes.size(), 1u);
  const auto sent = Sent(from);
  ASSERT_EQ(sent.size(), 1u);
  ExpectTextFrame(sent[0], sysaddr::SystemPassword, {1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(choice->isEnabled());
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_EQ(messages.notices[0].text, "Password accepted: the user level can be chosen.");
}

TEST_F(DeviceCommandsTest, CorrectSystemPasswordWhileOfflineOnlyClearsTheField) {
  console.store.SystemPassword = kSystemPassword.toStdString();
  auto* choice = Find<QWidget>("SysUserMangerGrop");
  choice->setEnabled(false);
  Type("SysPassEdit", kSystemPassword);
  Click("SysPassEnterBtn");
  EXPECT_EQ(Find<QLineEdit>("SysPassEdit")->text(), "");
  EXPECT_TRUE(messages.boxes.empty());
  EXPECT_EQ(harness.SentCount(), 0u);
  EXPECT_FALSE(choice->isEnabled());
  // ... and says why nothing opened.
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_EQ(messages.notices[0].text,
            "Password right, but the unit is off line: connect, then enter it again.");
}

struct PasswordGroupNames {
  const char* old;
  const char* new1;
  const char* new2;
};
const PasswordGroupNames kSystemGroup{"SysPanelLabel1", "NewSysPassLabel1", "NewSysPassLabel2"};
const PasswordGroupNames kKeyLockGroup{"PassPanelLabel1", "NewPassLabel1", "NewPassLabel2"};

class PasswordChangeTest : public SystemPageTest {
 protected:
  // The operator's way: each field's digits, then Enter, which makes the last digit count.
  void ChangeFlow(const PasswordGroupNames& group, const QString& old, const QString& new1,
                  const QString& new2) {
    Type(group.old, old);
    Enter(group.old);
    EXPECT_TRUE(Find<QLineEdit>(group.new1)->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(group.new2)->isEnabled());
    Type(group.new1, new1);
    Enter(group.new1);
    EXPECT_TRUE(Find<QLineEdit>(group.new2)->isEnabled());
    Type(group.new2, new2);
    Enter(group.new2);
  }
  void ExpectGroupReset(const PasswordGroupNames& group) {
    for (const char* name : {group.old, group.new1, group.new2}) {
      EXPECT_EQ(Find<QLineEdit>(name)->text(), "") << name;
    }
    EXPECT_FALSE(Find<QLineEdit>(group.new1)->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(group.new2)->isEnabled());
  }
};

TEST_F(PasswordChangeTest, KeyLockPasswordChangeSendsFourDigitsAndClearsTheFields) {
  Connect();
  const size_t from = harness.SentCount();
  ChangeFlow(kKeyLockGroup, kKeyLockPassword, "5678", "5678");

  const auto sent = Sent(from);
  ASSERT_EQ(sent.size(), 1u);
  ExpectTextFrame(sent[0], sysaddr::KeyLockPassword, {5, 6, 7, 8});
  EXPECT_EQ(console.store.KeyLockPassword, "5678");
  ExpectGroupReset(kKeyLockGroup);
  EXPECT_TRUE(messages.boxes.empty());
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_EQ(messages.notices[0].text, "Key lock password changed on the unit.");
  harness.Advance(100);
  EXPECT_EQ(harness.unit.KeyLockPassword(), "5678");
}

TEST_F(PasswordChangeTest, DifferentNewEntriesAreRefusedInTheGroupsOwnWords) {
  struct Case {
    PasswordGroupNames group;
    QString old, new1, new2;
    std::string text, caption;
  };
  // Both groups answer in the console's language.
  ASSERT_EQ(console.LanguageSetting, Language::English);
  const std::vector<Case> cases{
      {kSystemGroup, kSystemPassword, "654321", "654320", "Password different!", "prompt"},
      {kKeyLockGroup, kKeyLockPassword, "5678", "5679", "Password different!", "prompt"},
  };
  Connect();
  for (const Case& c : cases) {
    messages.boxes.clear();
    const size_t from = harness.SentCount();
    ChangeFlow(c.group, c.old, c.new1, c.new2);
    ASSERT_EQ(messages.boxes.size(), 1u) << c.text;
    EXPECT_EQ(messages.boxes[0].text, c.text);
    EXPECT_EQ(messages.boxes[0].caption, c.caption);
    EXPECT_TRUE(Sent(from).empty());
    ExpectGroupReset(c.group);
  }
  EXPECT_EQ(console.store.SystemPassword, kSystemPassword.toStdString());
  EXPECT_EQ(console.store.KeyLockPassword, kKeyLockPassword.toStdString());
}

// A full old password that is not the unit's is refused and cleared away, so the right one can
// be typed next and opens the new fields as a right first try does.
TEST_F(PasswordChangeTest, AWrongOldPasswordIsRefusedAndTheRightOneThenWorks) {
  struct Case {
    PasswordGroupNames group;
    QString wrong, right, fresh;
    ParamAddress address;
    std::vector<uint8_t> digits;
  };
  const std::vector<Case> cases{
      {kSystemGroup,
       "654321",
       kSystemPassword,
       "112233",
       sysaddr::SystemPassword,
       {1, 1, 2, 2, 3, 3}},
      {kKeyLockGroup, "4321", kKeyLockPassword, "5678", sysaddr::KeyLockPassword, {5, 6, 7, 8}},
  };
  Connect();
  for (const Case& c : cases) {
    messages.boxes.clear();
    Type(c.group.old, c.wrong);
    Enter(c.group.old);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Password error"});
    EXPECT_EQ(Find<QLineEdit>(c.group.old)->text(), "");
    EXPECT_FALSE(Find<QLineEdit>(c.group.new1)->isEnabled());

    const size_t from = harness.SentCount();
    ChangeFlow(c.group, c.right, c.fresh, c.fresh);
    const auto sent = Sent(from);
    ASSERT_EQ(sent.size(), 1u);
    ExpectTextFrame(sent[0], c.address, c.digits);
    ExpectGroupReset(c.group);
    EXPECT_EQ(messages.boxes.size(), 1u);  // only the refusal
  }
  harness.Advance(100);
  EXPECT_EQ(harness.unit.SystemPassword(), "112233");
  EXPECT_EQ(harness.unit.KeyLockPassword(), "5678");
}

TEST_F(PasswordChangeTest, WrongOldPasswordOrOfflineKeepsTheNewFieldsShut) {
  Type(kKeyLockGroup.old, kKeyLockPassword);  // offline: nothing stored, nothing opens
  Enter(kKeyLockGroup.old);
  EXPECT_FALSE(Find<QLineEdit>(kKeyLockGroup.new1)->isEnabled());
  Connect();
  Find<QLineEdit>(kKeyLockGroup.old)->clear();
  Type(kKeyLockGroup.old, "4321");
  Enter(kKeyLockGroup.old);
  EXPECT_FALSE(Find<QLineEdit>(kKeyLockGroup.new1)->isEnabled());
}

TEST_F(DeviceCommandsTest, SavingModeThreeAsPartySendsTheNameAndWaitsForTheUnit) {
  Connect();
  console.store.ViewValues[kSystemPage][IndexOf(sysaddr::UserOrAdmin)] = 1;  // administrator
  auto* box = Find<QComboBox>("SysModeBox");
  box->setCurrentIndex(2);
  Find<QLineEdit>("PresetModeEdit")->clear();
  Type("PresetModeEdit", "Party");
  const size_t from = harness.SentCount();
  Click("SaveModeBtn");

  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, "Save Mode to 3-Party?");
  EXPECT_EQ(messages.boxes[0].caption, "prompt");
  const auto sent = Sent(from);
  ASSERT_EQ(sent.size(), 1u);
  ASSERT_EQ(sent[0].size(), 29u);
  Bytes payload(sent[0].begin() + 6, sent[0].end() - 1);
  Bytes expected{0x02, 0x00, 0x30, 0x41, 0x52, 0x54, 0x59};
  expected.resize(22, 0);
  EXPECT_EQ(payload, expected);
  EXPECT_EQ(view.caption, "Saving...");
  EXPECT_FALSE(harness.link.LinkOnline());
  EXPECT_EQ(harness.link.queue().PendingEvent, LinkEvent::ModeSaved);
  EXPECT_EQ(harness.link.queue().silentSeconds(), 0);

  ASSERT_TRUE(harness.RunUntil([&] { return harness.link.LinkOnline(); }, 2000));
  ASSERT_FALSE(messages.notices.empty());
  EXPECT_EQ(messages.notices.back().text, "Save Success!");
  EXPECT_EQ(box->itemText(2), "3-Party");
  EXPECT_EQ(box->currentIndex(), 2);
  EXPECT_EQ(harness.unit.ModeName(2), "Party");
}

TEST_F(DeviceCommandsTest, ModeSaveIsRefusedToUsersAndDroppedOnNo) {
  Connect();
  const size_t from = harness.SentCount();
  console.store.ViewValues[kSystemPage][IndexOf(sysaddr::UserOrAdmin)] = 0;
  Click("SaveModeBtn");
  ASSERT_EQ(messages.boxes.size(), 1u);  // no question asked
  EXPECT_EQ(messages.boxes[0].text, "User mode can not save operation!");
  EXPECT_EQ(messages.boxes[0].caption, "prompt");

  console.store.ViewValues[kSystemPage][IndexOf(sysaddr::UserOrAdmin)] = 1;
  messages.answers = {false};
  Click("SaveModeBtn");
  EXPECT_EQ(messages.boxes.size(), 2u);
  EXPECT_TRUE(Sent(from).empty());
  EXPECT_TRUE(harness.link.LinkOnline());
}

TEST_F(DeviceCommandsTest, RecallSendsTheModeAndTheReloadFollows) {
  Connect();
  ASSERT_TRUE(harness.RunUntil([&] { return harness.link.queue().ReadyToSend == 1; }, 5000));
  auto* box = Find<QComboBox>("SysModeBox");
  box->setCurrentIndex(4);

  messages.answers = {false};
  size_t from = harness.SentCount();
  Click("CallModeBtn");
  EXPECT_EQ(messages.boxes.back().text, "Load mode " + box->itemText(4).toStdString() + "?");
  EXPECT_EQ(messages.boxes.back().caption, "prompt");
  EXPECT_TRUE(Sent(from).empty());

  Click("CallModeBtn");
  auto sent = Sent(from);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0], BuildValue(kCmdWrite, sysaddr::CurrentMode, 4));
  EXPECT_EQ(view.caption, "Loading...");
  EXPECT_FALSE(harness.link.LinkOnline());

  harness.events.clear();
  ASSERT_TRUE(harness.RunUntil([&] { return harness.link.LinkOnline(); }, 10000));
  EXPECT_EQ(harness.events,
            (std::vector<LinkEvent>{LinkEvent::Reload, LinkEvent::DownloadComplete}));
  sent = Sent(from);
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[1], BuildPageRequest(0));
  EXPECT_EQ(harness.unit.CurrentMode(), 4);
  EXPECT_EQ(console.store.DeviceImage[kSystemPage][IndexOf(sysaddr::CurrentMode)], 4);
}

TEST_F(DeviceCommandsTest, ModeNameDropsTheEntryNumber) {
  auto* box = Find<QComboBox>("SysModeBox");
  auto* name = Find<QLineEdit>("PresetModeEdit");
  box->clear();
  for (int k = 1; k <= 12; ++k) box->addItem(QString("%1-%2").arg(k).arg(k == 3 ? "Pop" : "Live"));
  box->setCurrentIndex(11);
  EXPECT_EQ(name->text(), "Live");
  box->setCurrentIndex(2);
  EXPECT_EQ(name->text(), "Pop");
}

TEST_F(DeviceCommandsTest, ModeNamesTheUnitCannotKeepAreRefusedBeforeAnythingIsSent) {
  Connect();
  console.store.ViewValues[kSystemPage][IndexOf(sysaddr::UserOrAdmin)] = 1;  // administrator
  auto* box = Find<QComboBox>("SysModeBox");
  auto* name = Find<QLineEdit>("PresetModeEdit");
  box->setCurrentIndex(8);
  const std::string before = box->itemText(8).toStdString();
  for (const char* text : {"Büro", "卡拉OK", "Tab\there", "Del\x7f"}) {
    SCOPED_TRACE(text);
    name->setText(QString::fromUtf8(text));
    messages.boxes.clear();
    const size_t from = harness.SentCount();
    Click("SaveModeBtn");
    EXPECT_EQ(Texts(), std::vector<std::string>{
                           "Mode names use letters, digits, spaces and ASCII punctuation only "
                           "(at most 20)."});
    EXPECT_EQ(messages.boxes[0].caption, "prompt");
    EXPECT_TRUE(Sent(from).empty());
    EXPECT_TRUE(harness.link.LinkOnline());
    EXPECT_EQ(box->itemText(8).toStdString(), before);
  }
  // The whole printable range, 20 characters long, goes out as typed.
  const std::string widest = " ~!\"#$%&'()*+,-./09Z";
  ASSERT_EQ(widest.size(), 20u);
  name->setText(QString::fromStdString(widest));
  messages.boxes.clear();
  Click("SaveModeBtn");
  EXPECT_EQ(Texts(), std::vector<std::string>{"Save Mode to 9-" + widest + "?"});
  ASSERT_TRUE(harness.RunUntil([&] { return harness.link.LinkOnline(); }, 2000));
  EXPECT_EQ(box->itemText(8).toStdString(), "9-" + widest);
}

TEST_F(DeviceCommandsTest, SensitivityPresetsTheChannelsDynamicsThroughTheBars) {
  struct Case {
    int type;         // DEQ work mode of channel 1: 0 off, 1 below, 2 above
    int sensitivity;  // 0 "0.775V", 1 "1V", 2 "1.4V"
    std::array<int, 4> bars;
  };
  const std::vector<Case> cases{{2, 1, {9, 4, 10, 5}}, {1, 0, {9, 4, 9, 5}}, {1, 2, {9, 4, 15, 5}}};
  const std::array<const char*, 4> bars{"DEQRmsAttackBar1", "DEQRmsReleaseBar1", "DEQRmsLevelBar1",
                                        "DEQRmsRatioBar1"};
  Connect();

  // Away from the DEQ page the buttons do nothing.
  std::array<int, 4> before{};
  for (size_t k = 0; k < bars.size(); ++k) before[k] = Find<QSlider>(bars[k])->value();
  commands->PresetSensitivity(0, 2);
  for (size_t k = 0; k < bars.size(); ++k) EXPECT_EQ(Find<QSlider>(bars[k])->value(), before[k]);

  form.TabSwitchTo(9);  // the DEQ sheet
  ASSERT_EQ(PageOf(console.CurrentSection), kDeqPage);
  for (const Case& c : cases) {
    // The work mode chosen with the keyboard, as an operator would.
    auto* workMode = Find<QComboBox>("DEQTypeBox1");
    QTest::keyClick(workMode, Qt::Key_Home);
    for (int k = 0; k < c.type; ++k) QTest::keyClick(workMode, Qt::Key_Down);
    ASSERT_EQ(console.store.ViewValues[kDeqPage][7], c.type);
    auto* button =
        Find<QAbstractButton>(QString("AmpLBtn0_%1").arg(c.sensitivity).toLatin1().constData());
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    for (size_t k = 0; k < bars.size(); ++k) {
      EXPECT_EQ(Find<QSlider>(bars[k])->value(), c.bars[k]) << bars[k];
      EXPECT_EQ(console.store.ViewValues[kDeqPage][8 + static_cast<int>(k)], c.bars[k]);
    }
    // The edits went out through the change queue and reached the unit.
    ASSERT_TRUE(harness.RunUntil([&] { return harness.link.queue().valueCount() == 0; }, 5000));
    harness.Advance(200);
    for (size_t k = 0; k < bars.size(); ++k) {
      EXPECT_EQ(harness.unit.Value(kDeqPage, 8 + static_cast<int>(k)), c.bars[k]) << bars[k];
    }
  }
}

TEST_F(DeviceCommandsTest, DownloadWithAutoKeyLockLocksUntilTheUnlockPassword) {
  harness.unit.SetValue(kSystemPage, IndexOf(sysaddr::AutoKeyLock), 1);
  Connect();
  auto* panel = Find<QWidget>("FirstCheckGrop");
  auto* strip = Find<QWidget>("TopTileGrop");
  auto* pages = Find<QWidget>("FormPageItem");
  EXPECT_FALSE(panel->isHidden());
  EXPECT_FALSE(strip->isEnabled());
  EXPECT_FALSE(pages->isEnabled());
  EXPECT_EQ(PageOf(console.CurrentSection), kSystemPage);
  EXPECT_EQ(harness.link.FirstDownloadFlag, 2);
  EXPECT_TRUE(commands->KeyLockEngaged());

  Type("PanelPassWordEdit", "4321");
  Click("PanelPassEnterBtn");
  EXPECT_EQ(Find<QLineEdit>("PanelPassWordEdit")->text(), "");
  EXPECT_FALSE(panel->isHidden());
  EXPECT_TRUE(messages.boxes.empty());

  Type("PanelPassWordEdit", kKeyLockPassword);
  Click("PanelPassEnterBtn");
  EXPECT_TRUE(panel->isHidden());
  EXPECT_TRUE(strip->isEnabled());
  EXPECT_TRUE(pages->isEnabled());
  // Said in the notice strip: nothing waits for an OK.
  EXPECT_TRUE(messages.boxes.empty());
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_EQ(messages.notices[0].text, "Unlock Success");
  EXPECT_EQ(Find<QLineEdit>("PanelPassWordEdit")->text(), "");
  EXPECT_EQ(harness.link.FirstDownloadFlag, 2);
}

TEST_F(DeviceCommandsTest, DownloadWithoutAutoKeyLockLeavesTheConsoleOpen) {
  harness.unit.SetValue(kSystemPage, IndexOf(sysaddr::AutoKeyLock), 0);
  Connect();
  EXPECT_TRUE(Find<QWidget>("FirstCheckGrop")->isHidden());
  EXPECT_TRUE(Find<QWidget>("FormPageItem")->isEnabled());
  EXPECT_EQ(harness.link.FirstDownloadFlag, 2);  // decided once, at the connection
}

}  // namespace
}  // namespace velantro::test
