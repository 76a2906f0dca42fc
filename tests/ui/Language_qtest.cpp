// The console in Chinese and in English: every visible text of every sheet is in the language
// chosen, fits its widget, and a switch on the System page changes them all at once.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>

#include "eq/EqGraphPanel.h"
#include "eq/GraphRenderer.h"
#include "model/ParamAddress.h"
#include "presets/LanguageChoice.h"
#include "presets/PresetLibrary.h"
#include "support/Recorders.h"
#include "ui/Console.h"
#include "ui/DocumentController.h"
#include "ui/EditHistory.h"
#include "ui/Language.h"
#include "ui/MainFrm.h"
#include "ui/PresetLibraryPanel.h"
#include "ui/Unit2.h"
#include "ui/WindowControls.h"
#include "widgets/WidgetNames.h"

namespace velantro::test {
namespace {

// Words a Chinese sound engineer reads in Latin letters: the product, units, the type codes and
// the names printed on the unit's panel.
const QSet<QString> kLatinWords = {
    "Velantro", "MIC", "A",   "B",  "AUX", "AUX1", "AUX2", "DEQ", "EQ",    "PEQ", "LSQ", "HSQ",
    "Q",        "dB",  "dBu", "Hz", "KHz", "ms",   "V",    "IP",  "ASCII", "HP",  "LP",  "English"};

constexpr int kTabs = 8;

struct ShownText {
  QString where;  // objectName or class of the widget
  QString text;
  QWidget* widget;
};

bool Shown(const QWidget* widget) { return widget->isVisible() && widget->width() > 0; }

// The unit's own data (mode names, typed fields) is not a caption.
bool HoldsUnitData(const QWidget* widget) {
  return widget->property("address").toInt() == sysaddr::CurrentMode &&
         widget->property("address").isValid();
}

// Every text the operator can see on the sheet on view (and the window around it).
std::vector<ShownText> VisibleTexts(QWidget* root) {
  std::vector<ShownText> texts;
  auto add = [&](QWidget* w, const QString& text) {
    if (!text.trimmed().isEmpty()) {
      texts.push_back(
          {w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName(), text, w});
    }
  };
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (!Shown(w) || HoldsUnitData(w)) continue;
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (label->pixmap().isNull()) add(w, label->text());
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      add(w, button->text());
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
      add(w, group->title());
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < box->count(); ++i) add(w, box->itemText(i));
    } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
      for (int c = 0; c < table->columnCount(); ++c) {
        if (table->horizontalHeaderItem(c)) add(w, table->horizontalHeaderItem(c)->text());
      }
    }
  }
  return texts;
}

// The Latin words of a text that a reader of Chinese only would not read.
QStringList ForeignWords(const QString& text) {
  QStringList words;
  static const QRegularExpression latin("[A-Za-z]+");
  for (auto it = latin.globalMatch(text); it.hasNext();) {
    const QString word = it.next().captured();
    if (!kLatinWords.contains(word)) words << word;
  }
  return words;
}

class LanguageWindow : public ::testing::Test {
 protected:
  void Open(Language language) {
    LinkSettings settings;
    settings.autoConnect = false;
    console = std::make_unique<Console>(messages, settings);
    console->programFolder = presetRoot.path().toStdString();
    console->SetLanguage(language);
    console->CreateWindows();
    form = console->form1();
    form->show();
    ASSERT_TRUE(form->firstShowDone());
  }
  void TearDown() override {
    console.reset();
    InstallLanguage(Language::English);
  }

  // Shows each tab in turn and hands its visible texts to `check`.
  template <typename Check>
  void ForEveryTab(Check check) {
    for (int tab = 1; tab <= kTabs; ++tab) {
      QTest::mouseClick(form->tabButton(tab), Qt::LeftButton);
      SCOPED_TRACE("tab " + std::to_string(tab));
      check(VisibleTexts(form));
    }
  }

  QStringList AllVisibleTexts() {
    QStringList all;
    ForEveryTab([&](const std::vector<ShownText>& texts) {
      for (const ShownText& t : texts) all << t.where + "=" + t.text;
    });
    return all;
  }

  void ExpectNoEnglishLeft() {
    ForEveryTab([](const std::vector<ShownText>& texts) {
      for (const ShownText& t : texts) {
        EXPECT_TRUE(ForeignWords(t.text).isEmpty())
            << t.where.toStdString() << ": \"" << t.text.toStdString() << "\"";
      }
    });
  }

  QTemporaryDir presetRoot;
  RecordingMessages messages;
  std::unique_ptr<Console> console;
  TForm1* form = nullptr;
};

TEST_F(LanguageWindow, TheChineseConsoleShowsNoEnglishCaption) {
  Open(Language::Chinese);
  ASSERT_EQ(InstalledLanguage(), Language::Chinese);
  EXPECT_EQ(form->tabButton(1)->text(), QString::fromUtf8("音乐"));
  EXPECT_EQ(console->form2()->windowTitle(), QString::fromUtf8("设备状态"));
  ExpectNoEnglishLeft();

  // The graph's label of a high-pass filter that is off.
  console->store.SetDevice(1, ParamStore::DeviceIndex(1, 0, 0), 0);
  QTest::mouseClick(form->tabButton(2), Qt::LeftButton);
  QWidget* highPass = form->graph()->handleWidget(kHighPassHandle);
  QTest::mousePress(highPass, Qt::LeftButton);
  QTest::mouseRelease(highPass, Qt::LeftButton);
  EXPECT_EQ(form->graph()->pointLabel()->text(), QString::fromUtf8("关"));
}

// What a caption needs beside its text inside its widget: a button's frame and padding, a group
// title's indent, a combo's arrow.
int Margin(const QWidget* w) {
  if (qobject_cast<const QComboBox*>(w)) return 22;
  if (qobject_cast<const QAbstractButton*>(w)) return 4;
  if (qobject_cast<const QGroupBox*>(w)) return 14;
  return 0;
}

bool Fits(const ShownText& t) {
  const QWidget* w = t.widget;
  const QFontMetrics metrics(w->font());
  if (auto* label = qobject_cast<const QLabel*>(w); label != nullptr && label->wordWrap()) {
    const QRect needed =
        metrics.boundingRect(label->contentsRect(), Qt::TextWordWrap | label->alignment(), t.text);
    return needed.height() <= label->contentsRect().height();
  }
  if (qobject_cast<const QTableWidget*>(w)) return true;  // headers resize with their column
  // The graph's labels are sized from their text by the graph itself.
  if (w->inherits("velantro::GraphLabel")) return true;
  const QStringList lines = t.text.split('\n');
  int widest = 0;
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  const int room = (qobject_cast<const QLabel*>(w) ? w->contentsRect().width() : w->width());
  const bool tallEnough =
      !qobject_cast<const QLabel*>(w) ||
      static_cast<int>(lines.size()) * metrics.height() <= w->height() + metrics.descent();
  return widest + Margin(w) <= room && tallEnough;
}

class TextRoom : public LanguageWindow, public ::testing::WithParamInterface<Language> {};

TEST_P(TextRoom, NoTextIsCutAtAnyWindowSize) {
  Open(GetParam());
  for (const QSize size :
       {QSize(1024, 600), QSize(kDesignWidth, kDesignHeight), QSize(1920, 1080)}) {
    SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
    form->resize(size);
    ForEveryTab([](const std::vector<ShownText>& texts) {
      for (const ShownText& t : texts) {
        EXPECT_TRUE(Fits(t)) << t.where.toStdString() << ": \"" << t.text.toStdString() << "\" in "
                             << t.widget->width() << "x" << t.widget->height();
      }
    });
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, TextRoom,
                         ::testing::Values(Language::English, Language::Chinese),
                         [](const auto& info) {
                           return info.param == Language::Chinese ? "Chinese" : "English";
                         });

TEST_F(LanguageWindow, TheSystemPageSwitchesEveryTextAtOnceAndRemembersTheChoice) {
  Open(Language::English);
  // The link said "Online" in English, the Chinese in the hint.
  console->linkView().SetStatus("Online", "设备已连接");
  // An edit to undo, named in the language of the moment.
  QTest::mouseClick(form->tabButton(1), Qt::LeftButton);
  auto* gain = form->findChild<QLineEdit*>("MusGainEdit2");
  ASSERT_NE(gain, nullptr);
  gain->selectAll();
  QTest::keyClicks(gain, "-5");
  QTest::keyClick(gain, Qt::Key_Return);
  QAction* undo = console->history()->undoAction();
  ASSERT_EQ(undo->text(), "Undo Music EQ 2 gain");
  const QStringList english = AllVisibleTexts();

  auto* box = form->findChild<QComboBox*>(names::kLanguageBox);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->currentIndex(), 0);
  box->setCurrentIndex(1);

  EXPECT_EQ(console->LanguageSetting, Language::Chinese);
  EXPECT_EQ(console->linkConfig.LanguageSetting, Language::Chinese);
  QLabel* status = form->findChild<QLabel*>(names::kStatusLabel);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->text(), QString::fromUtf8("设备已连接"));
  EXPECT_EQ(status->property("hint").toString(), "Online");
  ExpectNoEnglishLeft();
  auto* revert = form->findChild<QAction*>("RevertPageAction");
  ASSERT_NE(revert, nullptr);
  EXPECT_EQ(revert->text(), QString::fromUtf8("还原本页"));
  EXPECT_EQ(undo->text(), QString::fromUtf8("撤销：音乐 均衡 2 增益"));
  EXPECT_EQ(console->history()->redoAction()->text(), QString::fromUtf8("重做"));
  const std::filesystem::path base = console->form1()->presets()->library().BaseFolder();
  EXPECT_EQ(ReadLanguageFile(base), Language::Chinese);

  box->setCurrentIndex(0);
  EXPECT_EQ(status->text(), "Online");
  EXPECT_EQ(AllVisibleTexts(), english);
  EXPECT_EQ(undo->text(), "Undo Music EQ 2 gain");
  EXPECT_EQ(ReadLanguageFile(base), Language::English);
}

TEST_F(LanguageWindow, ABoxOfTheWindowSpeaksTheConsolesLanguage) {
  for (Language language : {Language::English, Language::Chinese}) {
    SCOPED_TRACE(static_cast<int>(language));
    Open(language);
    messages.boxes.clear();
    // A wrong system password is refused with a box.
    QTest::mouseClick(form->tabButton(8), Qt::LeftButton);
    auto* typed = form->findChild<QLineEdit*>("SysPassEdit");
    ASSERT_NE(typed, nullptr);
    console->store.SystemPassword = "123456";
    typed->setText("654321");
    QTest::mouseClick(form->findChild<QPushButton*>("SysPassEnterBtn"), Qt::LeftButton);
    ASSERT_EQ(messages.boxes.size(), 1u);
    const bool chinese = language == Language::Chinese;
    EXPECT_EQ(messages.boxes.back().text, chinese ? "密码错误" : "Password error");
    EXPECT_EQ(messages.boxes.back().caption, chinese ? "提示" : "prompt");
    console.reset();
  }
}

// The boxes of the preset panel and of the document speak the console's language, the reason
// included: a name the list refuses, a preset that cannot be saved, a damaged preset opened.
TEST_F(LanguageWindow, APresetBoxSaysTheReasonInTheConsolesLanguage) {
  const std::filesystem::path folder =
      std::filesystem::path(presetRoot.path().toStdString()) / "Mode" / "T4K-Mode";
  const std::string taken = (folder / "Live.Nddt").string();
  const std::string broken = (folder / "Broken.Nddt").string();
  const std::string elsewhere = presetRoot.filePath("Show.Nddt").toStdString();
  struct Case {
    const char* what;
    std::function<void()> act;
    std::string chinese;
    std::string english;
  };
  const auto press = [this](const char* name, const char* button) {
    form->findChild<QLineEdit*>("FileEdit")->setText(QString::fromUtf8(name));
    QTest::mouseClick(form->findChild<QAbstractButton*>(button), Qt::LeftButton);
  };
  const Case cases[] = {
      {"a name the list refuses", [&] { press("a/b", "RzBmpButton120"); },
       "文件名不能包含字符 /（不允许使用 \\ / : * ? \" < > |）。",
       "The file name must not contain the character /  (\\ / : * ? \" < > | are not allowed)."},
      {"a preset saved over a folder", [&] { press("Live", "RzBmpButton120"); },
       "无法保存预设文件“" + taken + "”：这是一个文件夹，不是文件。",
       "Cannot save the preset file \"" + taken + "\": it is a folder, not a file."},
      {"a document saved over a folder",
       [&] {
         messages.files.push_back(elsewhere);
         console->document()->SaveAs();
       },
       "无法保存预设文件“" + elsewhere + "”：这是一个文件夹，不是文件。",
       "Cannot save the preset file \"" + elsewhere + "\": it is a folder, not a file."},
      {"a damaged preset loaded off line", [&] { press("Broken", "RzBmpButton119"); },
       "数据文件损坏!\n" + broken + "\n第 1 行不是预设文件的编码文本",
       "Data file is corrupted!\n" + broken + "\nline 1 is not encoded preset text"},
  };
  for (const Language language : {Language::Chinese, Language::English}) {
    Open(language);
    std::filesystem::create_directory(folder / "Live.Nddt");
    std::filesystem::create_directory(elsewhere);
    std::ofstream(broken, std::ios::binary) << "not a preset\r\n";
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (language == Language::Chinese ? " in Chinese" : ""));
      messages.boxes.clear();
      c.act();
      ASSERT_FALSE(messages.boxes.empty());
      EXPECT_EQ(messages.boxes.back().text, language == Language::Chinese ? c.chinese : c.english);
    }
    console.reset();
  }
}

}  // namespace
}  // namespace velantro::test
