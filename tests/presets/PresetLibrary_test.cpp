#include "presets/PresetLibrary.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velantro::test {
namespace {

namespace fs = std::filesystem;

// A fresh program folder per test, removed afterwards.
class PresetLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("velantro-library-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
  }
  static void Touch(const fs::path& path) { std::ofstream(path) << "x"; }

  fs::path root_;
};

TEST_F(PresetLibraryTest, FoldersAreCreatedUnderTheProgramFolderOnce) {
  PresetLibrary library(root_);
  EXPECT_EQ(library.BaseFolder(), root_ / "Mode");
  EXPECT_EQ(library.PresetFolder(), root_ / "Mode" / "T4K-Mode");
  ASSERT_TRUE(library.EnsureFolders());
  Touch(library.PresetFolder() / "Keep.Nddt");
  // A second run leaves what is there alone.
  ASSERT_TRUE(library.EnsureFolders());
  EXPECT_TRUE(fs::exists(library.PresetFolder() / "Keep.Nddt"));
  EXPECT_EQ(library.PathOf("Hall"), root_ / "Mode" / "T4K-Mode" / "Hall.Nddt");
}

TEST_F(PresetLibraryTest, ListingSortsWithoutCaseAndStripsTheExtension) {
  PresetLibrary library(root_);
  ASSERT_TRUE(library.EnsureFolders());
  const fs::path folder = library.PresetFolder();
  for (const char* file : {"live.Nddt", "Hall2.Nddt", "a.b.Nddt", "x.NddtOld", "Zoo.Nddt",
                           "Live.Nddt.bak", "notes.txt", ".hidden.Nddt"}) {
    Touch(folder / file);
  }
  fs::create_directory(folder / "Folder.Nddt");

  const std::vector<std::string> expected{"a.b",           "Hall2",     "live",
                                          "Live.Nddt.bak", "x.NddtOld", "Zoo"};
  EXPECT_EQ(library.ListPresets(), expected);
  EXPECT_TRUE(library.Contains("Hall2"));
  EXPECT_FALSE(library.Contains("hall2"));  // letter case counts

  // The folder is the truth: a removed file is gone at the next listing.
  fs::remove(folder / "Zoo.Nddt");
  EXPECT_EQ(library.ListPresets().size(), expected.size() - 1);
}

TEST_F(PresetLibraryTest, MissingFolderGivesAnEmptyList) {
  PresetLibrary library(root_ / "absent");
  EXPECT_TRUE(library.ListPresets().empty());
}

TEST(PresetLibraryNames, StripExtensionKeepsEveryDotButTheLastFiveCharacters) {
  struct Case {
    const char* file;
    const char* name;
  };
  for (const Case& c : {Case{"Hall2.Nddt", "Hall2"}, Case{"a.b.Nddt", "a.b"},
                        Case{"Live.Nddt.bak", "Live.Nddt.bak"}, Case{"x.NddtOld", "x.NddtOld"},
                        Case{"plain", "plain"}, Case{".Nddt", ""}, Case{"Nddt", "Nddt"}}) {
    EXPECT_EQ(PresetLibrary::StripExtension(c.file), c.name) << c.file;
  }
}

TEST(PresetLibraryNames, RefusesNamesThatCannotBeAFileInThePresetFolder) {
  for (const std::string& name : std::vector<std::string>{"",
                                                          "   ",
                                                          "a/b",
                                                          "a\\b",
                                                          "..",
                                                          "../up",
                                                          "x..y",
                                                          "c:d",
                                                          "star*",
                                                          "what?",
                                                          "say\"hi\"",
                                                          "<tag>",
                                                          "pipe|",
                                                          std::string("tab\tname"),
                                                          std::string("nul\0x", 5),
                                                          ".hidden",
                                                          "trailing ",
                                                          "trailing.",
                                                          "CON",
                                                          "nul",
                                                          "com1",
                                                          "LPT9",
                                                          std::string(201, 'a')}) {
    EXPECT_TRUE(PresetLibrary::RefusalReason(name).has_value()) << '"' << name << '"';
  }
  for (const std::string& name :
       std::vector<std::string>{"Hall", "Party 2", "a.b", "Live-Set_1", "卡拉OK", "CONSOLE",
                                "COM10", " lead", std::string(200, 'a')}) {
    EXPECT_FALSE(PresetLibrary::RefusalReason(name).has_value()) << '"' << name << '"';
  }
}

TEST(PresetLibraryNames, EachRefusalIsSaidInBothLanguages) {
  struct Case {
    std::string name;
    const char* english;
    const char* chinese;
  };
  const Case cases[] = {
      {"  ", "Please enter a file name.", "请输入文件名。"},
      {"tab\tname", "The file name must not contain control characters.",
       "文件名不能包含控制字符。"},
      {"a/b",
       "The file name must not contain the character /  (\\ / : * ? \" < > | are not allowed).",
       "文件名不能包含字符 /（不允许使用 \\ / : * ? \" < > |）。"},
      {"a..b", "The file name must not contain \"..\".", "文件名不能包含“..”。"},
      {".hidden", "The file name must not begin with \".\".", "文件名不能以“.”开头。"},
      {"Stage.", "The file name must not end with a space or \".\".",
       "文件名不能以空格或“.”结尾。"},
      {"AUX", "\"AUX\" is a device name and cannot be a file name.",
       "“AUX”是设备名，不能用作文件名。"},
      {std::string(201, 'a'), "The file name is too long (at most 200 bytes).",
       "文件名太长（最多 200 字节）。"},
  };
  for (const Case& c : cases) {
    const std::optional<LocalizedText> reason = PresetLibrary::RefusalReason(c.name);
    ASSERT_TRUE(reason.has_value()) << c.name;
    EXPECT_EQ(reason->english, c.english);
    EXPECT_EQ(reason->chinese, c.chinese);
  }
}

TEST_F(PresetLibraryTest, ReadOnlyProgramFolderFallsBackToTheNextRoot) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const fs::path program = root_ / "program";
  const fs::path data = root_ / "data";
  fs::create_directories(program);
  fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(PresetLibrary::ChooseWritableRoot({program, data}), data);
  EXPECT_TRUE(fs::is_directory(data / "Mode" / "T4K-Mode"));
  fs::permissions(program, fs::perms::owner_all);
  EXPECT_EQ(PresetLibrary::ChooseWritableRoot({program, data}), program);
}

TEST(PresetLibraryRoots, InstalledProgramFoldersAreSystemFolders) {
  const std::pair<const char*, bool> cases[] = {
      {"/usr/bin", true},           {"/usr", true},
      {"/usr/local/bin", true},     {"/usr/bin/../lib", true},
      {"/usr/../home/op", false},   {"/usrlocal/bin", false},
      {"/opt/velantro/bin", false}, {"/home/op/build", false},
      {"usr/bin", false},           {"", false},
  };
  for (const auto& [folder, system] : cases) {
    EXPECT_EQ(PresetLibrary::IsSystemFolder(folder), system) << folder;
  }
}

TEST_F(PresetLibraryTest, BaseFolderBlockedByAFileIsNotChosen) {
  const fs::path program = root_ / "program";
  const fs::path data = root_ / "data";
  // A plain file where the base folder should be: the folders cannot be made there.
  fs::create_directories(program);
  Touch(program / "Mode");
  EXPECT_EQ(PresetLibrary::ChooseWritableRoot({program, data}), data);
  EXPECT_EQ(PresetLibrary::ChooseWritableRoot({program}), std::nullopt);
}

}  // namespace
}  // namespace velantro::test
