#include "presets/LanguageChoice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace velantro {
namespace {

constexpr auto kEn = Language::English;
constexpr auto kZh = Language::Chinese;

TEST(LanguageChoice, CommandLineThenFileThenLocale) {
  struct Case {
    std::optional<Language> commandLine;
    std::optional<Language> file;
    const char* locale;
    Language expected;
  };
  const Case cases[] = {
      {kEn, kZh, "zh_CN.UTF-8", kEn},  // --lang wins over everything
      {kZh, kEn, "en_US.UTF-8", kZh},
      {std::nullopt, kZh, "en_US.UTF-8", kZh},  // then mod.dat
      {std::nullopt, kEn, "zh_CN.UTF-8", kEn},
      {std::nullopt, std::nullopt, "zh_CN.UTF-8", kZh},  // then the locale
      {std::nullopt, std::nullopt, "zh_TW", kZh},
      {std::nullopt, std::nullopt, "zh-Hant-HK", kZh},
      {std::nullopt, std::nullopt, "en_GB.UTF-8", kEn},
      {std::nullopt, std::nullopt, "C", kEn},  // else English
      {std::nullopt, std::nullopt, "", kEn},
      {std::nullopt, std::nullopt, "zu_ZA", kEn},  // "zu" is not "zh"
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseLanguage({c.commandLine, c.file, c.locale}), c.expected) << c.locale;
  }
}

TEST(LanguageChoice, NamesAndFileLines) {
  EXPECT_EQ(ParseLanguageName("zh"), kZh);
  EXPECT_EQ(ParseLanguageName("ZH_cn"), kZh);
  EXPECT_EQ(ParseLanguageName("en"), kEn);
  EXPECT_EQ(ParseLanguageName("English"), kEn);
  for (const char* wrong : {"", "de", "z", "eng"})
    EXPECT_EQ(ParseLanguageName(wrong), std::nullopt) << wrong;

  EXPECT_EQ(ParseLanguageFile("C\r\n"), kZh);
  EXPECT_EQ(ParseLanguageFile("e"), kEn);
  EXPECT_EQ(ParseLanguageFile("\xEF\xBB\xBF"
                              "C\nE\n"),
            kZh);  // first line only, BOM skipped
  EXPECT_EQ(ParseLanguageFile("  E  \n"), kEn);
  for (const char* wrong : {"", "\n", "CE", "X\nC"})
    EXPECT_EQ(ParseLanguageFile(wrong), std::nullopt) << wrong;
}

TEST(LanguageChoice, FileRoundTripAndMissingFolder) {
  const auto base =
      std::filesystem::temp_directory_path() /
      ("velantro-lang-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::remove_all(base);
  EXPECT_EQ(ReadLanguageFile(base), std::nullopt);  // no folder, no file

  ASSERT_TRUE(WriteLanguageFile(base / "Mode", kZh));  // the folder is made
  EXPECT_EQ(ReadLanguageFile(base / "Mode"), kZh);
  ASSERT_TRUE(WriteLanguageFile(base / "Mode", kEn));
  EXPECT_EQ(ReadLanguageFile(base / "Mode"), kEn);
  std::ifstream in(base / "Mode" / kLanguageFileName, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text, "E\r\n");
  EXPECT_FALSE(std::filesystem::exists(base / "Mode" / "mod.dat.new"));

  // A folder that cannot hold the file (a plain file in its place) is reported, not thrown.
  std::ofstream(base / "blocker") << "x";
  EXPECT_FALSE(WriteLanguageFile(base / "blocker", kZh));
  std::filesystem::remove_all(base);
}

}  // namespace
}  // namespace velantro
