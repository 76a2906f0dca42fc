// Preparing a show without the unit: the real window starts from the factory settings, opens and
// saves preset files, and when it meets velantro-unit-sim on 127.0.0.1 it asks (or is told by
// --on-connect) which side wins. What the unit ends up holding is read with velantroctl, what
// the file holds from the disk.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "binding/ImageDiff.h"
#include "binding/ParamEditor.h"
#include "binding/ParameterCatalog.h"
#include "link/DeviceLink.h"
#include "presets/FactoryPreset.h"
#include "presets/PresetFile.h"
#include "support/ChildProcess.h"
#include "support/Recorders.h"
#include "ui/Console.h"
#include "ui/DocumentController.h"
#include "ui/MainFrm.h"
#include "ui/PresetLibraryPanel.h"

namespace velantro::test {
namespace {

// Guards against a hang; every step normally takes well under a second.
constexpr int kStepLimitMs = 30000;
constexpr int kSendChoice = 0;
constexpr int kTakeChoice = 1;
constexpr int kSaveAsChoice = 0;
constexpr int kDiscardChoice = 1;
constexpr int kCancelChoice = 2;
const std::string kMusicBoost = std::string(VELANTRO_EXAMPLES) + "/MusicBoost.Nddt";

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

DeviceTable ParsedImage(std::string_view text) {
  DeviceTable image{};
  EXPECT_EQ(ParsePresetText(text, image).error, PresetError::None);
  return image;
}

class DocumentWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }
  void TearDown() override {
    console.reset();
    unit.reset();
  }

  void StartUnit() {
    unit = std::make_unique<ChildProcess>(std::vector<std::string>{
        VELANTRO_SIM, "--port", "0", "--state", folder.filePath("unit.state").toStdString()});
    ASSERT_TRUE(unit->WaitFor("tcp: 127.0.0.1:")) << unit->output();
    const std::string& out = unit->output();
    port = std::stoi(out.substr(out.find("tcp: 127.0.0.1:") + 15));
  }
  // A new stand-in unit with its factory settings: the last one and its saved state are gone.
  void StartFreshUnit() {
    unit.reset();
    std::filesystem::remove(folder.filePath("unit.state").toStdString());
    StartUnit();
  }
  std::string Link() const { return "127.0.0.1:" + std::to_string(port); }

  // The window as `velantro [FILE] --on-connect POLICY` opens it, with no unit searched for yet.
  void OpenWindow(OnConnectPolicy policy = OnConnectPolicy::Ask, const std::string& file = {}) {
    console.reset();
    LinkSettings settings;
    settings.autoConnect = false;
    settings.port = port;
    console = std::make_unique<Console>(messages, settings);
    console->documentSettings.file = file;
    console->documentSettings.onConnect = policy;
    console->programFolder = folder.path().toStdString();
    console->CreateWindows();
    form = console->form1();
    form->show();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  }
  DocumentController& document() const { return *console->document(); }
  DeviceLink& link() const { return *console->link(); }
  const DeviceTable& image() const { return console->store.DeviceImage; }

  // "Connect": the console finds the unit, reads it, settles the choice and is done with it.
  bool Connect() {
    link().ConnectOnNetwork();
    return QTest::qWaitFor(
        [&] {
          return link().LinkOnline() && !document().busy() && console->changeQueue()->Settled();
        },
        kStepLimitMs);
  }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    T* widget = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  void TypeInto(const char* name, const QString& text) {
    auto* edit = Find<QLineEdit>(name);
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void StepSlider(const char* name, Qt::Key key) {
    auto* bar = Find<QSlider>(name);
    bar->setFocus();
    QTest::keyClick(bar, key);
  }

  // Three things on three pages: a band gain typed on Music, a bar stepped on MIC, a phase
  // clicked on Main Output.
  void EditThreePages() {
    form->TabSwitchTo(1);
    TypeInto("MusGainEdit2", "4.5");
    form->TabSwitchTo(2);
    StepSlider("MicNoiseBar", Qt::Key_PageUp);
    form->TabSwitchTo(4);
    QTest::mouseClick(Find<QPushButton>("MainMusPhaseBtn"), Qt::LeftButton);
  }

  // What the unit holds against a file, as velantroctl diff says it: exit code and output.
  std::pair<int, std::string> DiffWithUnit(const std::filesystem::path& file) const {
    ChildProcess ctl({VELANTRO_CTL, "diff", file.string(), "--unit", Link()});
    const int code = ctl.Wait();
    return {code, ctl.output()};
  }
  DeviceTable UnitImage() const {
    const std::string backup = folder.filePath("backup.Nddt").toStdString();
    ChildProcess ctl({VELANTRO_CTL, "backup", "--unit", Link(), backup});
    EXPECT_EQ(ctl.Wait(), 0) << ctl.output();
    return ParsedImage(FileBytes(backup));
  }
  std::string Title() const { return document().titleLabel()->text().toStdString(); }

  QTemporaryDir folder;
  std::unique_ptr<ChildProcess> unit;
  int port = 1;  // nothing listens there until StartUnit
  RecordingMessages messages;
  std::unique_ptr<Console> console;
  TForm1* form = nullptr;
};

TEST_F(DocumentWindow, StartsOfflineOnTheFactorySettingsAndSavesWhatItShows) {
  OpenWindow();
  EXPECT_EQ(image(), ParsedImage(FactoryPresetText()));
  EXPECT_EQ(Title(), "Velantro — factory settings   (offline: working on the factory settings)");
  EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — factory settings");
  EXPECT_FALSE(document().pendingLabel()->isVisible());

  // Every kind of control edits offline: a typed band field, a bar, a combo box, a toggle.
  EditThreePages();
  form->TabSwitchTo(1);
  auto* type = Find<QComboBox>("MusModeBox1");
  type->setFocus();
  QTest::keyClick(type, Qt::Key_End);
  EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — factory settings ●");
  const DeviceTable shown = image();
  const QString gainShown = Find<QLineEdit>("MusGainEdit2")->text();

  const std::string path = folder.filePath("Stage.Nddt").toStdString();
  messages.files = {folder.filePath("Stage").toStdString()};  // the dialog adds no extension
  ASSERT_TRUE(document().Save());
  EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — Stage.Nddt");
  ParamStore expected;
  expected.DeviceImage = shown;
  EXPECT_EQ(FileBytes(path), FormatPresetFile(expected));

  // velantro Stage.Nddt: the same values on the pages; saving unchanged writes the same bytes.
  OpenWindow(OnConnectPolicy::Ask, path);
  EXPECT_EQ(Title(), "Velantro — Stage.Nddt   (offline: working on the file)");
  EXPECT_EQ(image(), shown);
  form->TabSwitchTo(1);
  EXPECT_EQ(Find<QLineEdit>("MusGainEdit2")->text(), gainShown);
  const std::string before = FileBytes(path);
  ASSERT_TRUE(document().Save());
  EXPECT_EQ(FileBytes(path), before);
}

TEST_F(DocumentWindow, UnsavedChangesAreAskedAboutBeforeClosingOrOpening) {
  struct Case {
    const char* name;
    std::vector<int> choices;
    bool goesOn;
    bool saved;
  };
  const std::vector<Case> cases{
      {"Save", {kSaveAsChoice}, true, true},
      {"Discard", {kDiscardChoice}, true, false},
      {"Cancel", {kCancelChoice}, false, false},
      {"box closed", {}, false, false},
  };
  const std::string other = folder.filePath("Other.Nddt").toStdString();
  std::filesystem::copy_file(kMusicBoost, other);
  for (const bool closing : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(closing ? "close, " : "open, ") + c.name);
      const std::string path = folder.filePath("Show.Nddt").toStdString();
      std::filesystem::copy_file(kMusicBoost, path,
                                 std::filesystem::copy_options::overwrite_existing);
      OpenWindow(OnConnectPolicy::Ask, path);
      form->TabSwitchTo(1);
      TypeInto("MusGainEdit2", "-7");
      const DeviceTable edited = image();
      messages.boxes.clear();
      messages.choices = {c.choices.begin(), c.choices.end()};
      bool wentOn = false;
      if (closing) {
        wentOn = form->close();
      } else {
        wentOn = document().Open(other);
      }
      EXPECT_EQ(wentOn, c.goesOn);
      ASSERT_FALSE(messages.boxes.empty());
      EXPECT_EQ(messages.boxes.front().text, "Show.Nddt has unsaved changes.");
      if (!closing) {
        // Open goes on with the other file, or leaves the edited one as it was.
        EXPECT_EQ(image(), c.goesOn ? ParsedImage(FileBytes(other)) : edited);
      }
      // "Save" writes the edit back to the file; nothing is written otherwise.
      EXPECT_EQ(ParsedImage(FileBytes(path)) == edited, c.saved);
    }
  }
}

TEST_F(DocumentWindow, SavingAnOpenedFileWritesItBackAndClearsTheMark) {
  const std::string path = folder.filePath("Boost.Nddt").toStdString();
  std::filesystem::copy_file(kMusicBoost, path);
  OpenWindow(OnConnectPolicy::Ask, path);
  form->TabSwitchTo(1);
  TypeInto("MusGainEdit2", "-7");
  EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — Boost.Nddt ●");
  messages.questionsExpected = false;
  ASSERT_TRUE(document().Save());
  EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — Boost.Nddt");
  EXPECT_EQ(ParsedImage(FileBytes(path)), image());
  // Closing now asks nothing.
  EXPECT_TRUE(form->close());
}

TEST_F(DocumentWindow, ADroppedOrChosenPresetFileOpensAsTheDocument) {
  OpenWindow();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(kMusicBoost))});
  QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form, &drop);
  EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — MusicBoost.Nddt");
  EXPECT_EQ(image(), ParsedImage(FileBytes(kMusicBoost)));

  // "Open…" asks the standard file dialog the same.
  messages.files = {kMusicBoost};
  form->findChild<QAction*>("OpenAction")->trigger();
  EXPECT_EQ(messages.boxes.back().text, "Open preset");

  // Anything else is not taken.
  QMimeData text;
  text.setUrls({QUrl::fromLocalFile(folder.filePath("notes.txt"))});
  QDragEnterEvent other(QPoint(200, 200), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form, &other);
  EXPECT_FALSE(other.isAccepted());
}

TEST_F(DocumentWindow, ALibraryLoadWhileOfflineOpensThePresetAsTheDocument) {
  OpenWindow();
  const std::filesystem::path presets =
      std::filesystem::path(folder.path().toStdString()) / "Mode" / "T4K-Mode";
  std::filesystem::copy_file(kMusicBoost, presets / "MusicBoost.Nddt");
  form->presets()->ListPresets("MusicBoost");
  form->TabSwitchTo(8);
  QTest::mouseClick(Find<QPushButton>("RzBmpButton119"), Qt::LeftButton);
  EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — MusicBoost.Nddt");
  EXPECT_EQ(image(), ParsedImage(FileBytes(kMusicBoost)));
  // The pages show it at once, not after some later download.
  form->TabSwitchTo(1);
  const int shownGain = console->store.View(0, 0x0B);
  EXPECT_EQ(Find<QLineEdit>("MusGainEdit2")->text(),
            QString::number((shownGain - 120) * 0.2, 'f', 1));  // 0.2 dB a step
}

// The walk from the office to the venue: the file edited offline, saved, and sent to the unit.
TEST_F(DocumentWindow, AFileEditedOfflineAndSentLeavesTheUnitHoldingIt) {
  ASSERT_NO_FATAL_FAILURE(StartUnit());
  const std::string path = folder.filePath("MusicBoost.Nddt").toStdString();
  std::filesystem::copy_file(kMusicBoost, path);
  OpenWindow(OnConnectPolicy::Ask, path);
  EditThreePages();
  messages.questionsExpected = false;
  ASSERT_TRUE(document().Save());
  messages.questionsExpected = true;

  messages.choices = {kSendChoice};
  ASSERT_TRUE(Connect());
  ASSERT_EQ(messages.lastButtons, (std::vector<std::string>{DocumentController::kSendChoice,
                                                            DocumentController::kTakeChoice}));
  const auto [code, out] = DiffWithUnit(path);
  EXPECT_EQ(code, 0) << out;
  EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — MusicBoost.Nddt");
  // Online edits belong to the file: it is marked unsaved again.
  form->TabSwitchTo(1);
  TypeInto("MusGainEdit2", "1");
  EXPECT_TRUE(QTest::qWaitFor([&] { return console->changeQueue()->Settled(); }, kStepLimitMs));
  EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — MusicBoost.Nddt ●");
}

TEST_F(DocumentWindow, OpeningWhileOnlineUploadsOrWorksOffline) {
  constexpr int kUploadChoice = 0;
  constexpr int kUnlinkChoice = 1;
  for (const int choice : {kUploadChoice, kUnlinkChoice}) {
    SCOPED_TRACE(choice == kUploadChoice ? "upload" : "Unlink");
    ASSERT_NO_FATAL_FAILURE(StartFreshUnit());
    ASSERT_NO_FATAL_FAILURE(OpenWindow());
    messages.questionsExpected = false;
    ASSERT_TRUE(Connect());
    const DeviceTable factory = UnitImage();

    messages.questionsExpected = true;
    messages.choices = {choice};
    ASSERT_TRUE(document().Open(kMusicBoost));
    // The question lists what the upload would change.
    EXPECT_NE(messages.boxes.back().text.find("values differ from what the unit holds:"),
              std::string::npos);
    EXPECT_EQ(messages.lastButtons, (std::vector<std::string>{DocumentController::kUploadChoice,
                                                              DocumentController::kUnlinkChoice,
                                                              DocumentController::kCancelChoice}));
    EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — MusicBoost.Nddt");
    EXPECT_EQ(image() == ParsedImage(FileBytes(kMusicBoost)), choice == kUnlinkChoice);
    if (choice == kUploadChoice) {
      ASSERT_TRUE(
          QTest::qWaitFor([&] { return link().LinkOnline() && !document().busy(); }, kStepLimitMs));
      EXPECT_EQ(DiffWithUnit(kMusicBoost).first, 0);
    } else {
      EXPECT_FALSE(link().LinkOnline());
      EXPECT_EQ(UnitImage(), factory);
    }
  }
}

TEST_F(DocumentWindow, EachOnConnectChoiceDecidesWhatTheUnitAndTheWindowHold) {
  struct Case {
    const char* name;
    OnConnectPolicy policy;
    std::vector<int> choices;
    bool unitTakesFile;
    std::string title;
  };
  const std::vector<Case> cases{
      {"--on-connect send", OnConnectPolicy::Send, {}, true, "Velantro — MusicBoost.Nddt"},
      {"--on-connect take", OnConnectPolicy::Take, {}, false, "Velantro — unit"},
      {"ask, Send", OnConnectPolicy::Ask, {kSendChoice}, true, "Velantro — MusicBoost.Nddt"},
      {"ask, Take", OnConnectPolicy::Ask, {kTakeChoice}, false, "Velantro — unit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // A unit fresh from its factory settings for each case.
    ASSERT_NO_FATAL_FAILURE(StartFreshUnit());
    const DeviceTable factory = UnitImage();

    ASSERT_NO_FATAL_FAILURE(OpenWindow(c.policy, kMusicBoost));
    messages.questionsExpected = c.policy == OnConnectPolicy::Ask;
    messages.choices = {c.choices.begin(), c.choices.end()};
    ASSERT_TRUE(Connect());
    EXPECT_EQ(form->windowTitle().toStdString(), c.title);
    const auto [code, out] = DiffWithUnit(kMusicBoost);
    EXPECT_EQ(code, c.unitTakesFile ? 0 : 1) << out;
    // The window shows what the unit holds either way.
    const DeviceTable held = UnitImage();
    EXPECT_TRUE(DiffImages(held, image(), ParameterCatalog(), DiffScope::Upload).empty());
    if (!c.unitTakesFile) {
      EXPECT_EQ(held, factory);
    }
  }
}

TEST_F(DocumentWindow, EditsAfterUnlinkAreCountedAndGoThroughTheChoice) {
  for (const int choice : {kSendChoice, kTakeChoice}) {
    SCOPED_TRACE(choice == kSendChoice ? "Send" : "Take");
    ASSERT_NO_FATAL_FAILURE(StartFreshUnit());
    ASSERT_NO_FATAL_FAILURE(OpenWindow());
    // Untouched factory settings become the unit's image without a question.
    messages.questionsExpected = false;
    ASSERT_TRUE(Connect());
    EXPECT_EQ(form->windowTitle().toStdString(), "Velantro — unit");
    const DeviceTable before = UnitImage();

    link().Disconnect();
    form->TabSwitchTo(1);
    TypeInto("MusGainEdit2", "6");
    form->TabSwitchTo(2);
    StepSlider("MicNoiseBar", Qt::Key_PageUp);
    EXPECT_TRUE(document().pendingLabel()->isVisible());
    EXPECT_EQ(document().pendingLabel()->text().toStdString(), "2 edits not on the unit");
    const DeviceTable edited = image();

    messages.questionsExpected = true;
    messages.choices = {choice, kDiscardChoice};
    ASSERT_TRUE(Connect());
    EXPECT_FALSE(document().pendingLabel()->isVisible());
    const DeviceTable held = UnitImage();
    EXPECT_TRUE(DiffImages(held, image(), ParameterCatalog(), DiffScope::Upload).empty());
    if (choice == kSendChoice) {
      EXPECT_TRUE(DiffImages(held, edited, ParameterCatalog(), DiffScope::Upload).empty());
    } else {
      EXPECT_EQ(held, before);
    }
  }
}

class TitleAtQuestion : public RecordingMessages {
 public:
  int AskChoice(const std::string& text, const std::string& caption,
                const std::vector<std::string>& buttons) override {
    if (console != nullptr) title = console->document()->TitleText();
    return RecordingMessages::AskChoice(text, caption, buttons);
  }
  Console* console = nullptr;
  std::string title;
};

TEST_F(DocumentWindow, WhileTheConnectQuestionIsOpenTheTitleNamesTheDocumentAsItWas) {
  ASSERT_NO_FATAL_FAILURE(StartUnit());
  TitleAtQuestion asked;
  LinkSettings settings;
  settings.autoConnect = false;
  settings.port = port;
  Console window(asked, settings);
  window.documentSettings.file = kMusicBoost;
  window.programFolder = folder.path().toStdString();
  window.CreateWindows();
  window.form1()->show();
  asked.console = &window;
  asked.choices = {kTakeChoice};
  window.link()->ConnectOnNetwork();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.link()->LinkOnline(); }, kStepLimitMs));
  EXPECT_EQ(asked.title, "Velantro — MusicBoost.Nddt");
  EXPECT_EQ(window.form1()->windowTitle().toStdString(), "Velantro — unit");
}

}  // namespace
}  // namespace velantro::test
