#include "presets/PresetFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/Recorders.h"

namespace velantro::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string Decoded(const std::string& encoded) {
  const std::optional<std::string> plain = DecodeLine(encoded);
  EXPECT_TRUE(plain.has_value()) << encoded;
  return plain.value_or("");
}

// A file from plain lines, each encoded and ended with CR LF.
std::string EncodeFile(const std::vector<std::string>& plain) {
  std::string out;
  for (const std::string& line : plain) out += EncodeLine(line) + "\r\n";
  return out;
}

std::vector<std::string> DecodeFile(const std::string& text) {
  std::vector<std::string> plain;
  for (const std::string& line : SplitCrLf(text)) plain.push_back(Decoded(line));
  return plain;
}

void FillRandom(ParamStore& store, std::mt19937& rng) {
  std::uniform_int_distribution<int32_t> wide(std::numeric_limits<int32_t>::min(),
                                              std::numeric_limits<int32_t>::max());
  std::uniform_int_distribution<int32_t> small(0, 400);
  for (auto& row : store.DeviceImage) {
    for (int32_t& v : row) v = (rng() % 8 == 0) ? wide(rng) : small(rng);
  }
}

struct PresetFileTest : ::testing::Test {
  fs::path dir;
  RecordingMessages messages;

  void SetUp() override {
    messages.questionsExpected = false;  // the preset code never asks
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() /
          ("velantro-preset-" + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  fs::path Write(const std::string& name, const std::string& text) {
    const fs::path path = dir / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
};

TEST(PresetChecksum, FollowsTheSumRule) {
  const std::pair<int32_t, int32_t> cases[] = {
      {0, 0},
      {1, 255},
      {256, 0},
      {300, 212},
      {255, 1},
      {-1, -255},
      {-256, 0},
      {65536, 0},
      {std::numeric_limits<int32_t>::max(), 1},
      {std::numeric_limits<int32_t>::min(), 0},
  };
  for (const auto& [sum, expected] : cases) EXPECT_EQ(PresetChecksum(sum), expected) << sum;
}

TEST(PresetLineCodec, EncodesWithTheKeyAndDecodesEitherCase) {
  EXPECT_EQ(EncodeLine(""), "");
  EXPECT_EQ(EncodeLine("\x5E\xA3"), "0000");
  EXPECT_EQ(EncodeLine(std::string(9, '\0')), "5EA317C82BF0649D5E");
  const std::string plain = "Z7 226 and a line longer than the key";
  EXPECT_EQ(DecodeLine(EncodeLine(plain)), plain);
  EXPECT_EQ(DecodeLine("ab"), DecodeLine("AB"));
  EXPECT_EQ(DecodeLine("abC"), DecodeLine("AB"));  // an odd last character is dropped
  EXPECT_EQ(DecodeLine(""), std::string());
  EXPECT_FALSE(DecodeLine("0G").has_value());
  EXPECT_FALSE(DecodeLine("12 4").has_value());
}

TEST(PresetFormat, AllZeroStoreGivesTheKnownLines) {
  ParamStore store;
  store.DeviceImage[1][3] = 10;
  const std::vector<std::string> lines = DecodeFile(FormatPresetFile(store));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kPresetFileLines));
  EXPECT_EQ(lines[0], "Z7 226");
  EXPECT_EQ(lines[1], "Corlo 89");
  EXPECT_EQ(lines[2], "2 2");
  EXPECT_EQ(lines[118], std::to_string(116 ^ 118) + " 118");  // last line of page 0
  EXPECT_EQ(lines[122], "377 112");
  EXPECT_EQ(lines[823], "Intoal: 823");
  EXPECT_EQ(lines[824], "CCCCK: " + std::to_string(PresetChecksum(10)));
}

TEST(PresetFormat, WriterCarriesTheVolumeLimitsWithoutChangingTheStore) {
  ParamStore store;
  for (int k = 0; k < 6; ++k) store.DeviceImage[10][6 + k] = 40 + k;
  const std::vector<std::string> lines = DecodeFile(FormatPresetFile(store));
  for (int k = 0; k < 6; ++k) {
    const int j = 2 + 110 + k;
    EXPECT_EQ(lines[j], std::to_string((110 + k) ^ j) + " " + std::to_string((40 + k) ^ j));
    EXPECT_EQ(store.DeviceImage[0][110 + k], 0);
  }
}

TEST_F(PresetFileTest, WrittenPresetReadsBackEqual) {
  std::mt19937 rng(7);
  ParamStore source;
  FillRandom(source, rng);
  source.DeviceImage[0][40] = -5;
  // Normal volumes equal to the start volumes, as every loaded preset has them.
  for (int k = 0; k < 3; ++k) source.DeviceImage[10][32 + k] = source.DeviceImage[10][6 + 2 * k];
  const fs::path path = dir / "Round.Nddt";
  ASSERT_TRUE(WritePresetFile(path, source, messages));

  ParamStore target;
  FillRandom(target, rng);
  const ParamStore before = target;
  int count = -1;
  ASSERT_TRUE(ReadPresetFile(path, target, messages, Language::English, &count));
  EXPECT_TRUE(messages.Texts().empty());
  EXPECT_EQ(count, kPresetPayloadLines);

  for (int page = 0; page < kPageCount; ++page) {
    for (int index = 0; index < kDeviceRowSize; ++index) {
      int32_t expected = index <= kPresetLastIndex[page] ? source.DeviceImage[page][index]
                                                         : before.DeviceImage[page][index];
      if (page == 0 && index >= 110 && index <= 115) {
        expected = source.DeviceImage[10][6 + index - 110];
      }
      if (page == 10 && index >= 32 && index <= 34) {
        expected = source.DeviceImage[10][6 + 2 * (index - 32)];
      }
      ASSERT_EQ(target.DeviceImage[page][index], expected) << page << ":" << index;
    }
  }
  EXPECT_EQ(target.ViewValues, before.ViewValues);

  // Saving the loaded image again gives the same file, byte for byte.
  const fs::path again = dir / "Again.Nddt";
  ASSERT_TRUE(WritePresetFile(again, target, messages));
  std::ifstream a(path, std::ios::binary), b(again, std::ios::binary);
  std::stringstream sa, sb;
  sa << a.rdbuf();
  sb << b.rdbuf();
  EXPECT_EQ(sa.str(), sb.str());
}

TEST_F(PresetFileTest, WriteReplacesAFileAndLeavesNoTemporary) {
  ParamStore store;
  store.DeviceImage[4][4] = 9;
  const fs::path path = Write("Live.Nddt", "old contents");
  ASSERT_TRUE(WritePresetFile(path, store, messages));
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(dir)) entries.push_back(entry.path());
  EXPECT_EQ(entries, std::vector<fs::path>{path});
  ParamStore loaded;
  ASSERT_TRUE(ReadPresetFile(path, loaded, messages));
  EXPECT_EQ(loaded.DeviceImage[4][4], 9);
}

TEST_F(PresetFileTest, WriteFailuresAreReportedWithFileAndReason) {
  const fs::path blocker = Write("plain-file", "x");
  struct Case {
    fs::path path;
    const char* reason;
  };
  const Case cases[] = {
      {dir / "missing" / "A.Nddt", "No such file or directory"},
      {blocker / "A.Nddt", "Not a directory"},
  };
  ParamStore store;
  for (const Case& c : cases) {
    messages.boxes.clear();
    EXPECT_FALSE(WritePresetFile(c.path, store, messages));
    ASSERT_EQ(messages.Texts().size(), 1u) << c.path;
    const std::string& text = messages.boxes[0].text;
    EXPECT_NE(text.find(c.path.string()), std::string::npos) << text;
    EXPECT_NE(text.find(c.reason), std::string::npos) << text;
  }
  // A folder where the file should go: the rename fails and nothing is left behind.
  fs::create_directory(dir / "Taken.Nddt");
  messages.boxes.clear();
  EXPECT_FALSE(WritePresetFile(dir / "Taken.Nddt", store, messages));
  EXPECT_EQ(messages.Texts().size(), 1u);
  EXPECT_FALSE(fs::exists(dir / ".~Taken.tmp"));
}

TEST_F(PresetFileTest, WriteFailuresAreSaidInTheConsolesLanguage) {
  fs::create_directory(dir / "Taken.Nddt");
  struct Case {
    fs::path path;
    std::string chinese;  // the reason, as each language says it
    std::string english;
  };
  const Case cases[] = {
      {dir / "Taken.Nddt", "这是一个文件夹，不是文件", "it is a folder, not a file"},
      {dir / "", "该名称不是文件名", "the name is not a file name"},
      // The system's own words stay as it gives them.
      {dir / "missing" / "A.Nddt", "No such file or directory", "No such file or directory"},
  };
  ParamStore store;
  for (const Case& c : cases) {
    const std::string file = c.path.string();
    for (const Language language : {Language::Chinese, Language::English}) {
      SCOPED_TRACE(file + (language == Language::Chinese ? " in Chinese" : ""));
      messages.boxes.clear();
      EXPECT_FALSE(WritePresetFile(c.path, store, messages, language));
      EXPECT_EQ(messages.Texts(),
                std::vector<std::string>{language == Language::Chinese
                                             ? "无法保存预设文件“" + file + "”：" + c.chinese + "。"
                                             : "Cannot save the preset file \"" + file +
                                                   "\": " + c.english + "."});
      EXPECT_EQ(messages.Captions(), std::vector<std::string>{"Velantro"});
    }
  }
}

// What is wrong with a file that is no preset, as the console shows it under the message.
TEST_F(PresetFileTest, WhatKeepsAFileFromBeingReadIsSaidInBothLanguages) {
  struct Case {
    std::string text;
    const char* english;
    const char* chinese;
  };
  const std::string payload = std::to_string(0x0005 ^ 2) + " " + std::to_string(7 ^ 2);
  const Case cases[] = {
      {"", "the file has 0 lines, too few for a preset", "文件只有 0 行，不足以构成预设"},
      {EncodeLine("Z7 226") + "\r\nZZ\r\n", "line 2 is not encoded preset text",
       "第 2 行不是预设文件的编码文本"},
      {EncodeFile({"Z7", "Corlo 89"}), "line 1 is not a preset header", "第 1 行不是预设文件头"},
      {EncodeFile({"Z7 227", "Corlo 89", "Intoal: 2", "CCCCK: 0"}),
       "line 1 names file type 187, not a preset (186)",
       "第 1 行的文件类型为 187，不是预设（186）"},
      {EncodeFile({"Z7 226", "Corlo 89", "Intoal", "CCCCK: 0"}), "line 3 is not the line count",
       "第 3 行不是行数"},
      {EncodeFile({"Z7 226", "Corlo 89", "Intoal: 2", "CCCCK"}), "line 4 is not the checksum",
       "第 4 行不是校验和"},
      {EncodeFile({"Z7 226", "Corlo 89", "Intoal: 5", "CCCCK: 0"}),
       "the line count says 5 lines before it, the file has 2",
       "行数记录为 5 行，而其前实际有 2 行"},
      {EncodeFile({"Z7 226", "Corlo 89", "1234", "Intoal: 3", "CCCCK: 0"}),
       "line 3 is not an address and a value", "第 3 行不是地址和数值"},
      {EncodeFile(
           {"Z7 226", "Corlo 89", std::to_string(0x0B00 ^ 2) + " 2", "Intoal: 3", "CCCCK: 0"}),
       "line 3 names an address outside the parameter pages", "第 3 行的地址不在参数页范围内"},
      {EncodeFile({"Z7 226", "Corlo 89", payload, "Intoal: 3", "CCCCK: 0"}),
       "the checksum is 0 but the values give 249", "校验和为 0，但按数值算出的是 249"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.english);
    DeviceTable image{};
    const PresetParseResult result = ParsePresetText(c.text, image);
    EXPECT_NE(result.error, PresetError::None);
    EXPECT_EQ(result.detail, c.english);
    EXPECT_EQ(result.detailChinese, c.chinese);
  }

  struct FileCase {
    fs::path path;
    const char* english;
    const char* chinese;
  };
  std::vector<FileCase> files{
      {dir / "None.Nddt", "there is no such file", "没有这个文件"},
      {dir, "it is a folder, not a preset file", "这是一个文件夹，不是预设文件"},
  };
  if (fs::exists("/dev/zero")) {
    files.push_back({"/dev/zero", "it is larger than any preset (more than 1048576 bytes)",
                     "文件过大，不是预设（超过 1048576 字节）"});
  }
  for (const FileCase& c : files) {
    SCOPED_TRACE(c.english);
    std::string text;
    LocalizedText both;
    std::string english;
    EXPECT_NE(ReadPresetText(c.path, text, &both), PresetError::None);
    EXPECT_NE(ReadPresetText(c.path, text, &english), PresetError::None);
    EXPECT_EQ(both.english, c.english);
    EXPECT_EQ(both.chinese, c.chinese);
    EXPECT_EQ(english, c.english);
  }
}

// A valid file for a store, as plain lines, so cases can edit it.
std::vector<std::string> ValidPlainLines(const ParamStore& store) {
  return DecodeFile(FormatPresetFile(store));
}

struct FailureCase {
  const char* name;
  std::string text;
  std::string message;
};

TEST_F(PresetFileTest, EachFailureLeavesTheStoreAndShowsOneMessage) {
  std::mt19937 rng(3);
  ParamStore written;
  FillRandom(written, rng);
  const std::vector<std::string> valid = ValidPlainLines(written);
  const std::string validText = EncodeFile(valid);
  const std::string corrupted = "Data file is corrupted!";

  std::vector<FailureCase> cases;
  {
    auto lines = valid;
    lines[0] = "Z7 227";
    cases.push_back({"wrong file type", EncodeFile(lines), "File format error!"});
  }
  {
    auto lines = valid;
    lines.erase(lines.begin() + 300);
    cases.push_back({"payload line deleted", EncodeFile(lines), corrupted});
  }
  {
    auto lines = valid;
    const int j = 200;
    const int32_t value = written.DeviceImage[1][j - 119] ^ 1;  // page 1 starts at line 119
    lines[j] = std::to_string(MakeAddress(1, j - 119) ^ j) + " " + std::to_string(value ^ j);
    cases.push_back({"value changed", EncodeFile(lines), corrupted});
  }
  cases.push_back({"blank last line", validText + "\r\n", corrupted});
  {
    std::string text = validText;
    text[EncodeLine(valid[0]).size() + 2 + 4] = 'x';  // a pair of line 1
    cases.push_back({"not hexadecimal", text, corrupted});
  }
  {
    // A cell past the store, with the count and checksum made to match.
    cases.push_back({"address past the store",
                     EncodeFile({"Z7 226", "Corlo 89", std::to_string(0x0B00 ^ 2) + " 2",
                                 "Intoal: 3", "CCCCK: 0"}),
                     corrupted});
    cases.push_back({"index past the row",
                     EncodeFile({"Z7 226", "Corlo 89", std::to_string(0x0091 ^ 2) + " 2",
                                 "Intoal: 3", "CCCCK: 0"}),
                     corrupted});
    cases.push_back(
        {"negative address",
         EncodeFile({"Z7 226", "Corlo 89", std::to_string(-5 ^ 2) + " 2", "Intoal: 3", "CCCCK: 0"}),
         corrupted});
  }
  {
    auto lines = valid;
    lines[500] = "12 x3";
    cases.push_back({"piece not a number", EncodeFile(lines), corrupted});
  }
  {
    auto lines = valid;
    lines[500] = "1234";
    cases.push_back({"piece missing", EncodeFile(lines), corrupted});
  }
  {
    auto lines = valid;
    lines[1] = "Corlo";
    cases.push_back({"second header without number", EncodeFile(lines), corrupted});
  }
  cases.push_back({"empty file", "", corrupted});

  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    ParamStore store;
    FillRandom(store, rng);
    const ParamStore before = store;
    messages.boxes.clear();
    EXPECT_FALSE(ReadPresetFile(Write("case.Nddt", c.text), store, messages));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(messages.Captions(), std::vector<std::string>{"Velantro"});
    EXPECT_EQ(store.DeviceImage, before.DeviceImage);
    EXPECT_EQ(store.ViewValues, before.ViewValues);
  }

  // Missing file and a folder in its place.
  for (const fs::path& path : {dir / "None.Nddt", dir}) {
    ParamStore store;
    messages.boxes.clear();
    EXPECT_FALSE(ReadPresetFile(path, store, messages));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"File not find!"});
  }
}

TEST_F(PresetFileTest, MessagesFollowTheLanguage) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "文件不存在"},
      {EncodeFile({"Z7 227", "Corlo 89", "Intoal: 2", "CCCCK: 0"}), "文件格式错误!"},
      {EncodeFile({"Z7 226", "Corlo 89", "Intoal: 3", "CCCCK: 0"}), "数据文件损坏!"},
  };
  for (const auto& [text, expected] : cases) {
    const fs::path path = text.empty() ? dir / "none.Nddt" : Write("zh.Nddt", text);
    ParamStore store;
    messages.boxes.clear();
    EXPECT_FALSE(ReadPresetFile(path, store, messages, Language::Chinese));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{expected});
  }
}

TEST_F(PresetFileTest, ShortFileChangesOnlyItsParametersAndTheVolumes) {
  std::vector<std::string> lines{"Z7 226", "Corlo 89"};
  int32_t sum = 0;
  // Ten parameters in no particular order, two of them volume limits carried in page 0.
  const std::pair<int, int32_t> cells[] = {
      {0x0A02, 3},  {0x0005, 200}, {0x0070, 77}, {0x0072, 66}, {0x0305, -4},
      {0x0990, 12}, {0x0200, 1},   {0x0650, 9},  {0x0000, 1},  {0x0A0E, 2},
  };
  int j = 2;
  for (const auto& [address, value] : cells) {
    lines.push_back(std::to_string(address ^ j) + " " + std::to_string(value ^ j));
    sum += value;
    ++j;
  }
  lines.push_back("Intoal: 12");
  lines.push_back("CCCCK: " + std::to_string(PresetChecksum(sum)));

  std::mt19937 rng(11);
  ParamStore store;
  FillRandom(store, rng);
  ParamStore expected = store;
  for (const auto& [address, value] : cells) {
    expected.DeviceImage[PageOf(address)][IndexOf(address)] = value;
  }
  for (int k = 0; k < 6; ++k) expected.DeviceImage[10][6 + k] = expected.DeviceImage[0][110 + k];
  for (int k = 0; k < 3; ++k)
    expected.DeviceImage[10][32 + k] = expected.DeviceImage[10][6 + 2 * k];

  int count = 0;
  ASSERT_TRUE(ReadPresetFile(Write("short.Nddt", EncodeFile(lines)), store, messages,
                             Language::English, &count));
  EXPECT_EQ(count, 10);
  EXPECT_TRUE(messages.Texts().empty());
  EXPECT_EQ(store.DeviceImage, expected.DeviceImage);
}

TEST_F(PresetFileTest, FilesFarLargerThanAPresetAreRefusedWithoutBeingReadWhole) {
  ParamStore written;
  written.DeviceImage[4][7] = 77;
  // The second header line's number is all the reader takes from it, so a long tail after it
  // makes a valid preset of any size.
  const std::vector<std::string> lines = ValidPlainLines(written);
  const std::size_t base = EncodeFile(lines).size();
  auto sized = [&](std::size_t bytes) {
    std::vector<std::string> padded = lines;
    padded[1] += " " + std::string((bytes - base) / 2 - 1, 'x');
    const std::string text = EncodeFile(padded);
    EXPECT_EQ(text.size(), bytes);
    return text;
  };
  struct Case {
    const char* name;
    fs::path path;
    const char* message;  // nullptr: loads
  };
  std::vector<Case> cases{
      {"valid at the limit", Write("limit.Nddt", sized(kPresetMaxFileBytes)), nullptr},
      {"valid just past the limit", Write("past.Nddt", sized(kPresetMaxFileBytes + 2)),
       "Data file is corrupted!"},
  };
  // A file without an end: only a bounded reader ever returns.
  if (fs::exists("/dev/zero")) cases.push_back({"endless", "/dev/zero", "Data file is corrupted!"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ParamStore store;
    messages.boxes.clear();
    EXPECT_EQ(ReadPresetFile(c.path, store, messages), c.message == nullptr);
    EXPECT_EQ(messages.Texts(),
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(store.DeviceImage[4][7], c.message ? 0 : 77);
  }
}

TEST_F(PresetFileTest, ByteOrderMarkOfWindowsEditorsIsSkipped) {
  ParamStore written;
  written.DeviceImage[4][7] = 77;
  ParamStore store;
  ASSERT_TRUE(ReadPresetFile(Write("bom.Nddt", "\xEF\xBB\xBF" + FormatPresetFile(written)), store,
                             messages));
  EXPECT_TRUE(messages.Texts().empty());
  EXPECT_EQ(store.DeviceImage[4][7], 77);
}

TEST_F(PresetFileTest, LoadForUploadTakesOnlyWhatTheUploadSends) {
  std::mt19937 rng(5);
  ParamStore file;
  FillRandom(file, rng);
  const fs::path path = dir / "Upload.Nddt";
  ASSERT_TRUE(WritePresetFile(path, file, messages));

  ParamStore store;
  FillRandom(store, rng);
  const ParamStore before = store;
  ParamStore fromFile = store;  // the whole file read over the same store
  ASSERT_TRUE(ReadPresetFile(path, fromFile, messages));
  ASSERT_TRUE(ReadPresetUploadImage(path, store.DeviceImage, messages));
  EXPECT_TRUE(messages.Texts().empty());
  for (int page = 0; page < kSystemPage; ++page) {
    EXPECT_EQ(store.DeviceImage[page], fromFile.DeviceImage[page]) << page;
  }
  for (int index = 0; index < kDeviceRowSize; ++index) {
    const bool limit =
        index >= kSystemVolumeIndex && index < kSystemVolumeIndex + kVolumeLimitCount;
    EXPECT_EQ(store.DeviceImage[kSystemPage][index],
              (limit ? fromFile : before).DeviceImage[kSystemPage][index])
        << index;
  }
  EXPECT_EQ(store.ViewValues, before.ViewValues);
}

TEST_F(PresetFileTest, RandomCorruptionNeverCrashesAndFailsCleanly) {
  std::mt19937 rng(2024);
  ParamStore written;
  FillRandom(written, rng);
  const std::string valid = FormatPresetFile(written);
  const std::string alphabet = "0123456789ABCDEFabcdef \r\n-xZ";

  for (int round = 0; round < 400; ++round) {
    std::string text = valid;
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits && !text.empty(); ++e) {
      const std::size_t at = rng() % text.size();
      switch (rng() % 6) {
        case 0:  // flip a byte
          text[at] = static_cast<char>(rng());
          break;
        case 1:  // replace by a plausible character
          text[at] = alphabet[rng() % alphabet.size()];
          break;
        case 2:  // cut the file short
          text.resize(at);
          break;
        case 3: {  // delete a line
          const std::size_t start = text.rfind('\n', at);
          const std::size_t end = text.find('\n', at);
          text.erase(start == std::string::npos ? 0 : start,
                     (end == std::string::npos ? text.size() : end) -
                         (start == std::string::npos ? 0 : start));
          break;
        }
        case 4:  // duplicate a stretch
          text.insert(at, text.substr(at, rng() % 64));
          break;
        default:  // insert raw bytes
          for (int k = 0; k < 3; ++k) text.insert(text.begin() + at, static_cast<char>(rng()));
          break;
      }
    }
    ParamStore store;
    FillRandom(store, rng);
    const ParamStore before = store;
    messages.boxes.clear();
    const bool ok = ReadPresetFile(Write("fuzz.Nddt", text), store, messages);
    if (ok) {
      EXPECT_TRUE(messages.Texts().empty());
    } else {
      ASSERT_EQ(messages.Texts().size(), 1u) << "round " << round;
      ASSERT_EQ(store.DeviceImage, before.DeviceImage) << "round " << round;
    }
    EXPECT_EQ(store.ViewValues, before.ViewValues);
  }
}

}  // namespace
}  // namespace velantro::test
