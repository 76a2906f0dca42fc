#include <unistd.h>

#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "model/BandLayout.h"
#include "presets/PresetFile.h"
#include "ui/PresetLibraryPanel.h"
#include "ui/SystemPageFixture.h"

namespace velantro::test {
namespace {

namespace fs = std::filesystem;

class PresetLibraryPanelTest : public SystemPageTest {
 protected:
  void SetUp() override {
    SystemPageTest::SetUp();
    root_ = fs::temp_directory_path() /
            ("velantro-panel-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    panel = std::make_unique<PresetLibraryPanel>(form, form.binding()->editor(), harness.link,
                                                 messages, console.LanguageSetting, root_);
    panel->EnsureFolders();
    panel->ListPresets();
    grid = Find<QTableWidget>("ValueListEditor1");
    fileEdit = Find<QLineEdit>("FileEdit");
  }
  void TearDown() override {
    panel.reset();
    fs::remove_all(root_);
    SystemPageTest::TearDown();
  }

  fs::path Folder() const { return root_ / "Mode" / "T4K-Mode"; }
  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  size_t FilesUnderRoot() const {
    size_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      if (entry.is_regular_file()) ++count;
    }
    return count;
  }
  void SaveAs(const QString& name) {
    fileEdit->setText(name);
    Click("RzBmpButton120");
  }
  void Load(const QString& name) {
    fileEdit->setText(name);
    Click("RzBmpButton119");
  }
  static std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }
  // A preset that holds what the store holds, but for the cells `change` sets.
  template <typename Change>
  void WritePreset(const std::string& name, Change change) {
    ParamStore file;
    file.DeviceImage = console.store.DeviceImage;
    change(file.DeviceImage);
    ASSERT_TRUE(WritePresetFile(Folder() / (name + ".Nddt"), file, messages));
  }
  std::vector<std::pair<QString, QString>> GridRows() const {
    std::vector<std::pair<QString, QString>> rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
      rows.emplace_back(grid->item(r, 0)->text(), grid->item(r, 1)->text());
    }
    return rows;
  }

  fs::path root_;
  std::unique_ptr<PresetLibraryPanel> panel;
  QTableWidget* grid = nullptr;
  QLineEdit* fileEdit = nullptr;
};

using RowList = std::vector<std::pair<QString, QString>>;

TEST_F(PresetLibraryPanelTest, EmptyFolderGivesAnEmptyGridAndName) {
  EXPECT_TRUE(fs::is_directory(Folder()));
  EXPECT_EQ(grid->rowCount(), 0);
  EXPECT_EQ(fileEdit->text(), "");
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Number");
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Name");
}

TEST_F(PresetLibraryPanelTest, SavedPresetLoadsBackIntoTheStore) {
  auto& image = console.store.DeviceImage;
  image[4][7] = 123;
  image[2][10] = 44;
  image[kSystemPage][6] = 30;  // music start volume
  SaveAs("Hall");
  EXPECT_TRUE(fs::exists(Folder() / "Hall.Nddt"));
  EXPECT_EQ(GridRows(), (RowList{{"1", "Hall"}}));
  EXPECT_EQ(fileEdit->text(), "Hall");
  EXPECT_TRUE(messages.boxes.empty());
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_EQ(messages.notices[0].text, "Preset \"Hall\" saved.");

  image[4][7] = 0;
  image[2][10] = 0;
  image[kSystemPage][6] = 10;
  image[kSystemPage][32] = 70;  // music normal volume
  Load("Hall");
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(FirstLine(messages.boxes[0].text), "Load Mode：Hall ?");
  EXPECT_EQ(messages.boxes[0].caption, "Confirm");
  EXPECT_EQ(image[4][7], 123);
  EXPECT_EQ(image[2][10], 44);
  EXPECT_EQ(image[kSystemPage][6], 30);   // the volume limits travel with the preset
  EXPECT_EQ(image[kSystemPage][32], 70);  // the strip's volume is the unit's own
  // Offline: loaded into the console, nothing sent, no transfer, and the operator is told so.
  EXPECT_EQ(harness.SentCount(), 0u);
  EXPECT_TRUE(harness.events.empty());
  ASSERT_EQ(messages.notices.size(), 2u);
  EXPECT_EQ(messages.notices[1].text,
            "Preset \"Hall\" loaded into the console (the unit is off line: nothing sent).");
  EXPECT_EQ(messages.notices[1].kind, NoticeKind::Brief);

  // Saving without a name says what is missing; nothing is written.
  SaveAs("");
  EXPECT_EQ(messages.notices.back().text, "Type or pick a preset name first.");
  EXPECT_EQ(GridRows(), (RowList{{"1", "Hall"}}));
}

TEST_F(PresetLibraryPanelTest, LoadAnsweredNoLeavesTheStoreAlone) {
  console.store.DeviceImage[4][7] = 5;
  SaveAs("Hall");
  console.store.DeviceImage[4][7] = 6;
  messages.answers = {false};
  Load("Hall");
  EXPECT_EQ(console.store.DeviceImage[4][7], 6);
}

TEST_F(PresetLibraryPanelTest, OverwriteAsksOnceAndCancelKeepsTheOldFile) {
  console.store.DeviceImage[4][7] = 1;
  SaveAs("Hall");
  const std::string first = Contents(Folder() / "Hall.Nddt");

  console.store.DeviceImage[4][7] = 2;
  messages.answers = {false};
  SaveAs("Hall");
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, "File already exists, overwrite it?");
  EXPECT_EQ(messages.boxes[0].caption, "*prompt*");
  EXPECT_EQ(Contents(Folder() / "Hall.Nddt"), first);

  SaveAs("Hall");  // OK this time
  EXPECT_EQ(messages.boxes.size(), 2u);
  EXPECT_NE(Contents(Folder() / "Hall.Nddt"), first);
  EXPECT_EQ(GridRows(), (RowList{{"1", "Hall"}}));

  // Another letter case is another preset here: no question.
  SaveAs("hall");
  EXPECT_EQ(messages.boxes.size(), 2u);
  EXPECT_EQ(grid->rowCount(), 2);
}

TEST_F(PresetLibraryPanelTest, RowsAreNumberedInAlphabeticalOrderAndPickTheName) {
  SaveAs("b");
  SaveAs("c");
  SaveAs("A");  // shifts the rows after it
  std::ofstream(Folder() / "x.NddtOld") << "";
  panel->ListPresets();
  EXPECT_EQ(GridRows(), (RowList{{"1", "A"}, {"2", "b"}, {"3", "c"}, {"4", "x.NddtOld"}}));

  const QRect cell = grid->visualItemRect(grid->item(2, 1));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(fileEdit->text(), "c");
  // Keys on the grid neither edit nor move the row.
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClicks(grid, "zz");
  EXPECT_EQ(grid->currentRow(), 2);
  EXPECT_EQ(grid->item(2, 1)->text(), "c");

  // The listed name is the file name: x.NddtOld.Nddt does not exist.
  Load("x.NddtOld");
  EXPECT_EQ(messages.boxes.back().text, "File not find!");
}

TEST_F(PresetLibraryPanelTest, KeysAfterADoubleClickOnARowGoToTheNameField) {
  SaveAs("a");
  SaveAs("b");
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.TabSwitchTo(8);  // System
  const QPoint cell = grid->visualItemRect(grid->item(1, 1)).center();
  // A double click as it arrives: a click, then a second press that reports the double click.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
  QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cell);
  EXPECT_EQ(QApplication::focusWidget(), fileEdit);
  QTest::keyClicks(static_cast<QWidget*>(nullptr), "2");  // to whatever has the keyboard
  EXPECT_EQ(fileEdit->text(), "b2");
}

TEST_F(PresetLibraryPanelTest, NamesThatCannotBeAFileAreRefusedBeforeAnythingIsWritten) {
  SaveAs("Keep");
  const size_t files = FilesUnderRoot();
  for (const char* name : {"../evil", "a/b", "a\\b", "..", "c:d", "x*", "what?", "\"q\"", "<a>",
                           "p|q", "   ", ".hidden", "CON"}) {
    messages.boxes.clear();
    SaveAs(QString::fromUtf8(name));
    ASSERT_EQ(messages.boxes.size(), 1u) << name;
    EXPECT_EQ(messages.boxes[0].caption, "prompt");
    EXPECT_FALSE(messages.boxes[0].text.empty());
    EXPECT_EQ(FilesUnderRoot(), files) << name;
  }
  EXPECT_FALSE(fs::exists(root_ / "Mode" / "evil.Nddt"));
  EXPECT_EQ(GridRows(), (RowList{{"1", "Keep"}}));

  // An empty name does nothing at all.
  messages.boxes.clear();
  SaveAs("");
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(PresetLibraryPanelTest, LoadNeverLeavesThePresetFolder) {
  console.store.DeviceImage[4][7] = 9;
  SaveAs("Keep");
  fs::copy_file(Folder() / "Keep.Nddt", root_ / "Mode" / "outside.Nddt");
  console.store.DeviceImage[4][7] = 1;
  const std::string outside = (root_ / "Mode" / "outside").string();
  for (const std::string& name : {std::string("../outside"), outside, std::string("   ")}) {
    messages.boxes.clear();
    Load(QString::fromStdString(name));
    // The preset is read before anything is asked: only the reader's message.
    EXPECT_EQ(Texts(), std::vector<std::string>{"File not find!"}) << name;
  }
  // No name at all is no error: the notice strip asks for one.
  messages.boxes.clear();
  Load("");
  EXPECT_TRUE(messages.boxes.empty());
  ASSERT_FALSE(messages.notices.empty());
  EXPECT_EQ(messages.notices.back().text, "Type or pick a preset name first.");
  EXPECT_EQ(console.store.DeviceImage[4][7], 1);
}

TEST_F(PresetLibraryPanelTest, ListedFilesLoadWhateverTheSaveWouldSayOfTheirNames) {
  // Names a backup or a copy brings in, though the save refuses them.
  const std::vector<std::string> names{"AUX", "Mic: Male", "Stage."};
  ParamStore file;
  for (size_t k = 0; k < names.size(); ++k) {
    file.DeviceImage[4][7] = static_cast<int>(k) + 50;
    ASSERT_TRUE(WritePresetFile(Folder() / (names[k] + ".Nddt"), file, messages));
  }
  panel->ListPresets();
  const std::vector<std::string>& listed = panel->library().Names();
  for (size_t k = 0; k < names.size(); ++k) {
    const std::string& name = names[k];
    SCOPED_TRACE(name);
    const auto row = std::find(listed.begin(), listed.end(), name);
    ASSERT_NE(row, listed.end());
    const QRect cell = grid->visualItemRect(grid->item(static_cast<int>(row - listed.begin()), 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(fileEdit->text().toStdString(), name);
    messages.boxes.clear();
    Click("RzBmpButton119");
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(FirstLine(messages.boxes[0].text), "Load Mode：" + name + " ?");
    EXPECT_EQ(console.store.DeviceImage[4][7], static_cast<int>(k) + 50);
  }
}

TEST_F(PresetLibraryPanelTest, UploadKeepsTheUnitsSystemSettingsAndNeverLocks) {
  const int keyLock = IndexOf(sysaddr::AutoKeyLock);
  const int user = IndexOf(sysaddr::UserOrAdmin);
  const int mode = IndexOf(sysaddr::CurrentMode);
  // The preset: mode 3, user level, auto key lock on, start volumes of its own.
  ParamStore file;
  file.DeviceImage[4][7] = 77;
  file.DeviceImage[kSystemPage][mode] = 2;
  file.DeviceImage[kSystemPage][user] = 0;
  file.DeviceImage[kSystemPage][keyLock] = 1;
  for (int k = 0; k < kVolumeLimitCount; ++k) file.DeviceImage[kSystemPage][6 + k] = 20 + k;
  ASSERT_TRUE(WritePresetFile(Folder() / "Party.Nddt", file, messages));

  // The unit's key lock off at connect; on at the unit when loaded, turned on after connect.
  for (const int unitKeyLock : {0, 1}) {
    SCOPED_TRACE(unitKeyLock);
    harness.unit.SetValue(4, 7, 0);  // the preset differs, so every round uploads it
    harness.unit.SetValue(kSystemPage, mode, 5);
    harness.unit.SetValue(kSystemPage, user, 1);
    harness.unit.SetValue(kSystemPage, keyLock, 0);
    harness.unit.SetValue(kSystemPage, IndexOf(sysaddr::MusicNormalVolume), 40);
    Connect();
    if (unitKeyLock == 1) {
      console.store.SetParam(MakeAddress(kSystemPage, keyLock), 1);
      ASSERT_TRUE(
          harness.RunUntil([&] { return harness.unit.Value(kSystemPage, keyLock) == 1; }, 5000));
    }
    Load("Party");
    ASSERT_TRUE(harness.RunUntil([&] { return harness.link.LinkOnline(); }, 20000));

    EXPECT_EQ(harness.unit.Value(4, 7), 77);
    EXPECT_EQ(harness.unit.Value(kSystemPage, 6), 20);  // the limits were sent
    EXPECT_EQ(Find<QLabel>("CurrentModeLabel")->text().toStdString(), "（Current Mode：6 ）");
    EXPECT_EQ(console.store.ViewValues[kSystemPage][user], 1);
    EXPECT_EQ(console.store.ViewValues[kSystemPage][keyLock], unitKeyLock);
    EXPECT_EQ(Find<QSlider>("SysMusNormalVolBar")->value(), 40);
    EXPECT_FALSE(commands->KeyLockEngaged());
    EXPECT_TRUE(Find<QWidget>("FormPageItem")->isEnabled());
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(FirstLine(messages.boxes[0].text), "Load Mode：Party ?");
    messages.boxes.clear();
    harness.link.Disconnect();
  }
}

// Hears the records of the one writer of the store.
struct RecordLog : EditListener {
  void OnEdit(const EditRecord& record) override { records.push_back(record); }
  std::vector<EditRecord> records;
};

TEST_F(PresetLibraryPanelTest, LoadAsksWithTheDifferencesByPageAndNoLeavesStoreAndUnitAlone) {
  Connect();
  const int unitDelay = harness.unit.Value(4, 7);
  WritePreset("Hall", [](DeviceTable& image) {
    image[6][0] = 60;   // Main output music level
    image[0][6] = 100;  // Music EQ 1 gain
    image[4][7] = 77;   // Echo delay time
    image[0][11] = 90;  // Music EQ 2 gain
  });
  const ParamStore before = console.store;
  RecordLog log;
  form.binding()->editor().AddListener(&log);
  const size_t from = harness.SentCount();
  messages.answers = {false};
  Load("Hall");
  // Let the link run: whatever the load had queued would leave now.
  harness.RunUntil([] { return false; }, 3000);
  form.binding()->editor().RemoveListener(&log);

  EXPECT_EQ(Texts(), std::vector<std::string>{"Load Mode：Hall ?\n"
                                              "4 values differ from what the unit holds:\n"
                                              "Music\n"
                                              "    Music EQ 1 gain: 2.0 dB → -4.0 dB\n"
                                              "    Music EQ 2 gain: 1.0 dB → -6.0 dB\n"
                                              "Effect\n"
                                              "    Echo delay time: 200 ms → 154 ms\n"
                                              "Main output\n"
                                              "    Main output music level: 100 % → 120 %"});
  EXPECT_EQ(console.store.DeviceImage, before.DeviceImage);
  EXPECT_EQ(console.store.ViewValues, before.ViewValues);
  EXPECT_TRUE(log.records.empty());
  EXPECT_TRUE(Sent(from).empty());
  EXPECT_TRUE(harness.events.empty() || harness.events.back() != LinkEvent::Upload);
  EXPECT_EQ(harness.unit.Value(4, 7), unitDelay);
  EXPECT_TRUE(harness.link.LinkOnline());
}

// Answers Yes after the unit has reported a value of its own, as the link does while the
// question is open.
class ReportWhileAsked : public RecordingMessages {
 public:
  explicit ReportWhileAsked(std::function<void()> report) : report_(std::move(report)) {}
  bool AskYesNo(const std::string& text, const std::string& caption) override {
    report_();
    return RecordingMessages::AskYesNo(text, caption);
  }

 private:
  std::function<void()> report_;
};

TEST_F(PresetLibraryPanelTest, WhatTheUnitReportsWhileTheQuestionIsOpenIsKept) {
  const int musicVolume = IndexOf(sysaddr::MusicNormalVolume);
  WritePreset("Hall", [](DeviceTable& image) { image[4][7] = 77; });
  ReportWhileAsked asking([&] { console.store.DeviceImage[kSystemPage][musicVolume] = 41; });
  PresetLibraryPanel own(form, form.binding()->editor(), harness.link, asking,
                         console.LanguageSetting, root_);
  fileEdit->setText("Hall");
  own.LoadPreset();
  ASSERT_EQ(asking.boxes.size(), 1u);
  EXPECT_EQ(console.store.DeviceImage[4][7], 77);
  EXPECT_EQ(console.store.DeviceImage[kSystemPage][musicVolume], 41);
}

TEST_F(PresetLibraryPanelTest, APresetTheUnitHoldsAlreadyIsSaidSoAndNothingIsSent) {
  Connect();
  SaveAs("Same");
  const ParamStore before = console.store;
  harness.events.clear();
  const size_t from = harness.SentCount();
  messages.questionsExpected = false;
  Load("Same");
  harness.RunUntil([] { return false; }, 3000);

  EXPECT_EQ(Texts(),
            std::vector<std::string>{"Load Mode：Same\nThe preset holds what the unit holds."});
  EXPECT_EQ(console.store.DeviceImage, before.DeviceImage);
  EXPECT_TRUE(Sent(from).empty());
  EXPECT_TRUE(harness.events.empty());
  EXPECT_TRUE(harness.link.LinkOnline());
}

TEST_F(PresetLibraryPanelTest, ALongPreviewIsCutWithACountAndFitsTheSmallestScreen) {
  // Every band of every EQ page boosted: a few hundred differences.
  WritePreset("Loud", [](DeviceTable& image) {
    for (int page = 0; page < kEqPageCount; ++page) {
      for (int index = 0; index < PageValueCount(page); ++index) {
        const ParamAddress address = MakeAddress(page, index);
        if (IsRealBandField(address, page == 3 ? 1 : 0) &&
            LocateBand(address, page == 3 ? 1 : 0).field == kBandFieldGain) {
          image[page][ParamStore::DeviceIndex(page, index, 0)] = 150;
        }
      }
    }
  });
  messages.answers = {false};
  Load("Loud");
  ASSERT_EQ(messages.boxes.size(), 1u);
  const std::string& text = messages.boxes[0].text;
  std::vector<std::string> lines;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  // The question, the count, the listed pages and values, the rest counted.
  ASSERT_EQ(lines.size(), 2u + PresetLibraryPanel::kPreviewLineLimit + 1u);
  const int total = std::stoi(lines[1]);
  const size_t listed = static_cast<size_t>(
      std::count_if(lines.begin() + 2, lines.end() - 1,
                    [](const std::string& line) { return line.starts_with("    "); }));
  EXPECT_GT(total, static_cast<int>(listed));
  EXPECT_EQ(lines.back(), "… and " + std::to_string(total - static_cast<int>(listed)) + " more");

  // The box the window shows for it, with room for a title bar on a 1024x600 screen.
  QMessageBox box(QMessageBox::Question, "Confirm", QString::fromStdString(text),
                  QMessageBox::Yes | QMessageBox::No);
  box.show();
  constexpr int kTitleBarRoom = 40;
  EXPECT_LE(box.height(), 600 - kTitleBarRoom);
  EXPECT_LE(box.width(), 1024);
}

TEST_F(PresetLibraryPanelTest, LoadWhileOnlineUploadsTheImageAndRefreshes) {
  Connect();
  // The echo delay time travels with the preset and shows in its bar after the transfer.
  console.store.DeviceImage[4][7] = 77;
  SaveAs("Live");
  console.store.DeviceImage[4][7] = 3;
  harness.events.clear();
  RecordLog log;
  form.binding()->editor().AddListener(&log);
  const size_t from = harness.SentCount();
  Load("Live");
  form.binding()->editor().RemoveListener(&log);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Load Mode：Live ?\n"
                                              "1 value differs from what the unit holds:\n"
                                              "Effect\n"
                                              "    Echo delay time: 6 ms → 154 ms"});
  // One edit a later undo can take back.
  ASSERT_EQ(log.records.size(), 1u);
  EXPECT_EQ(log.records[0].origin, EditOrigin::Preset);
  EXPECT_EQ(log.records[0].cells, (std::vector<EditCell>{{0x0407, 3, 77}}));
  ASSERT_FALSE(harness.events.empty());
  EXPECT_EQ(harness.events.front(), LinkEvent::Upload);
  EXPECT_EQ(view.caption, "Download...");
  EXPECT_FALSE(harness.link.LinkOnline());

  ASSERT_TRUE(harness.RunUntil([&] { return harness.link.LinkOnline(); }, 20000));
  EXPECT_EQ(harness.events.back(), LinkEvent::DownloadComplete);
  EXPECT_EQ(harness.unit.Value(4, 7), 77);
  EXPECT_EQ(Find<QSlider>("EchoTimeBar")->value(), 77);
  EXPECT_FALSE(Sent(from).empty());
  // Said at the start of the upload and at its end.
  std::vector<std::string> told;
  for (const auto& notice : messages.notices) told.push_back(notice.text);
  EXPECT_EQ(told, (std::vector<std::string>{"Preset \"Live\" saved.",
                                            "Preset \"Live\" loaded: sending it to the unit…",
                                            "Upload finished: the unit holds the new settings."}));
}

}  // namespace
}  // namespace velantro::test
