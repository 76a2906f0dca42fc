// velantroctl diff between presets and against the stand-in unit on 127.0.0.1, parameters
// named on the command line (get, set, list), and all of it in Chinese.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "presets/PresetFile.h"
#include "support/ChildProcess.h"

namespace velantro::test {
namespace {

namespace fs = std::filesystem;

constexpr ParamAddress kMusicEq3Type = 0x000E;
constexpr ParamAddress kMusicEq3Frequency = 0x000F;
constexpr ParamAddress kMusicEq3Gain = 0x0010;
constexpr int kLayoutFlagCell = 1;

struct CtlResult {
  int exitCode;
  std::string output;  // stdout and stderr together
};

CtlResult Ctl(std::vector<std::string> args) {
  args.insert(args.begin(), VELANTRO_CTL);
  ChildProcess ctl(args);
  const int code = ctl.Wait();
  return {code, ctl.output()};
}

// A preset whose music page holds the given parameters where a unit with this sing or disco
// flag keeps them; system cells as given.
struct Preset {
  int flag = 0;
  std::vector<std::pair<ParamAddress, int>> values;
};

void WritePreset(const fs::path& path, const Preset& preset) {
  ParamStore store;
  store.DeviceImage[0][kLayoutFlagCell] = preset.flag;
  for (const auto& [address, value] : preset.values) {
    const int page = PageOf(address);
    store.DeviceImage[page][ParamStore::DeviceIndex(page, IndexOf(address), preset.flag)] = value;
  }
  const std::string text = FormatPresetFile(store);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file), text.size());
  std::fclose(file);
}

class DiffFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("velantro-diff-e2e-" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string File(const std::string& name, const Preset& preset) {
    const fs::path path = dir / name;
    WritePreset(path, preset);
    return path.string();
  }

  fs::path dir;
};

TEST_F(DiffFiles, PrintsOneLinePerDifferenceThenTheCountAndExitsAsDiff) {
  const std::vector<std::pair<ParamAddress, int>> band{{kMusicEq3Gain, 130},
                                                       {kMusicEq3Frequency, 204}};
  const std::string base = File("base.Nddt", {0, band});
  const std::string oneValue =
      File("one.Nddt", {0, {{kMusicEq3Gain, 115}, {kMusicEq3Frequency, 204}}});
  const std::string wholeBand =
      File("band.Nddt", {0, {{kMusicEq3Type, 2}, {kMusicEq3Gain, 150}, {kMusicEq3Frequency, 300}}});
  const std::string flagged = File("flagged.Nddt", {1, band});
  const std::string system = File("system.Nddt", {0,
                                                  {{kMusicEq3Gain, 130},
                                                   {kMusicEq3Frequency, 204},
                                                   {sysaddr::CurrentMode, 3},
                                                   {sysaddr::SystemPassword, 1234}}});
  struct Case {
    const char* what;
    std::vector<std::string> args;
    int exitCode;
    std::string output;
  };
  const std::vector<Case> cases{
      {"identical", {"diff", base, base}, 0, "0 differences\n"},
      {"one value",
       {"diff", base, oneValue},
       1,
       "Music EQ 3 gain: 2.0 dB \u2192 -1.0 dB\n1 difference\n"},
      {"a band",
       {"diff", base, wholeBand},
       1,
       "Music EQ 3 type: PEQ \u2192 HSEQ\nMusic EQ 3 frequency: 1000.0 Hz \u2192 6350.0 Hz\n"
       "Music EQ 3 gain: 2.0 dB \u2192 6.0 dB\n3 differences\n"},
      {"layout flag: the same values under the other flag",
       {"diff", base, flagged},
       1,
       "Music sing or disco mode: 0 \u2192 1 (each image is read in its own layout)\n"
       "1 difference\n"},
      {"layout flag and a value",
       {"diff", flagged, oneValue},
       1,
       "Music sing or disco mode: 1 \u2192 0 (each image is read in its own layout)\n"
       "Music EQ 3 gain: 2.0 dB \u2192 -1.0 dB\n2 differences\n"},
      {"system page: an upload carries none of it", {"diff", base, system}, 0, "0 differences\n"},
      {"system page with --all: the password never shows",
       {"diff", "--all", base, system},
       1,
       "Current mode: 0 \u2192 3\nSystem password: (differs) \u2192 (differs)\n2 differences\n"},
      {"json",
       {"diff", base, oneValue, "--json"},
       1,
       "{\"before\": \"" + base + "\", \"after\": \"" + oneValue +
           "\", \"scope\": \"upload\", \"count\": 1, \"differences\": [\n"
           "  {\"address\": \"0x0010\", \"name\": \"Music EQ 3 gain\", \"kind\": \"value\", "
           "\"before\": \"2.0 dB\", \"after\": \"-1.0 dB\", \"rawBefore\": 130, \"rawAfter\": "
           "115}\n]}\n"},
      {"a file that cannot be read",
       {"diff", base, (dir / "missing.Nddt").string()},
       2,
       "velantroctl: cannot read " + (dir / "missing.Nddt").string() + ": there is no such file\n"},
      {"unit without a link",
       {"diff", base, "unit"},
       2,
       "velantroctl: diff: unit needs --unit HOST[:PORT] or --serial DEVICE\n"},
      {"one file without a link", {"diff", base}, 2, "velantroctl: diff: give two presets"},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.what << "\n" << r.output;
    if (c.exitCode == 2) {
      EXPECT_EQ(r.output.rfind(c.output, 0), 0u) << c.what << "\n" << r.output;
    } else {
      EXPECT_EQ(r.output, c.output) << c.what;
    }
  }
}

class NamesAgainstTheUnit : public DiffFiles {
 protected:
  void SetUp() override {
    DiffFiles::SetUp();
    sim = std::make_unique<ChildProcess>(std::vector<std::string>{VELANTRO_SIM, "--port", "0"});
    ASSERT_TRUE(sim->WaitFor("tcp: 127.0.0.1:")) << sim->output();
    const std::string& out = sim->output();
    const size_t at = out.find("tcp: 127.0.0.1:") + std::string("tcp: ").size();
    link = out.substr(at, out.find('\n', at) - at);
  }
  void TearDown() override {
    sim.reset();
    DiffFiles::TearDown();
  }

  std::unique_ptr<ChildProcess> sim;
  std::string link;
};

TEST_F(NamesAgainstTheUnit, GetAndSetTakeNamesAndValuesWithTheirUnit) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string output;  // the beginning of it
  };
  const std::vector<Case> cases{
      {{"set", "--unit", link, "music eq 3 GAIN", "2.0dB"}, 0, "set: 0x0010 = 130 (band frame)\n"},
      {{"get", "--unit", link, "Music EQ 3 gain"}, 0, "130 (2.0 dB)\n"},
      {{"set", "--unit", link, "Music EQ 3 freq", "1000Hz"}, 0, "set: 0x000F = 204 (band frame)\n"},
      {{"get", "--unit", link, "Music EQ 3 fr"}, 0, "204 (1000.0 Hz)\n"},
      {{"set", "--unit", link, "Echo pre-delay", "-3 dB"},
       2,
       "velantroctl: refused value -3 dB (another unit): Echo pre-delay takes 0 ms to 250 ms in "
       "steps of 2 ms\n"},
      {{"set", "--unit", link, "Music EQ 3 gain", "2.1dB"},
       2,
       "velantroctl: refused value 2.1dB (not on a step): Music EQ 3 gain takes -24.0 dB to "
       "12.0 dB in steps of 0.2 dB\n"},
      {{"set", "--unit", link, "Music EQ 3 gain", "13dB"},
       2,
       "velantroctl: refused value 13dB (outside the range): Music EQ 3 gain takes -24.0 dB to "
       "12.0 dB in steps of 0.2 dB\n"},
      {{"get", "--unit", link, "effect"},
       2,
       "velantroctl: \"effect\" could name 3 parameters:\n"
       "velantroctl:   0x0A0A Effect start volume\nvelantroctl:   0x0A0B Effect volume limit\n"
       "velantroctl:   0x0A22 Effect normal volume\n"},
      {{"get", "--unit", link, "Music EQ 11 gain"},
       2,
       "velantroctl: no parameter is named \"Music EQ 11 gain\" (velantroctl list shows the "
       "names)\n"},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args[3] << "\n" << r.output;
    EXPECT_EQ(r.output, c.output) << c.args[3];
  }
}

TEST_F(NamesAgainstTheUnit, DiffComparesAFileWithWhatTheUnitHolds) {
  const std::string file = (dir / "backup.Nddt").string();
  ASSERT_EQ(Ctl({"set", "--unit", link, "Music EQ 3 gain", "2.0dB"}).exitCode, 0);
  ASSERT_EQ(Ctl({"backup", "--unit", link, file}).exitCode, 0);

  CtlResult r = Ctl({"diff", file, "--unit", link});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output, "0 differences\n");

  ASSERT_EQ(Ctl({"set", "--unit", link, "Music EQ 3 gain", "-1.0 dB"}).exitCode, 0);
  r = Ctl({"diff", file, "--unit", link});
  EXPECT_EQ(r.exitCode, 1) << r.output;
  EXPECT_EQ(r.output, "Music EQ 3 gain: 2.0 dB \u2192 -1.0 dB\n1 difference\n");
  r = Ctl({"diff", "--unit", link, "unit", file});
  EXPECT_EQ(r.exitCode, 1) << r.output;
  EXPECT_EQ(r.output, "Music EQ 3 gain: -1.0 dB \u2192 2.0 dB\n1 difference\n");
}

TEST_F(DiffFiles, AUnitThatDoesNotAnswerIsExitThree) {
  const std::string file = File("any.Nddt", {});
  // Nothing listens on port 1 of 127.0.0.1.
  const CtlResult r = Ctl({"diff", file, "--unit", "127.0.0.1:1", "--timeout", "5"});
  EXPECT_EQ(r.exitCode, 3) << r.output;
  EXPECT_EQ(r.output.rfind("velantroctl: ", 0), 0u) << r.output;
}

TEST(CtlList, PrintsAddressNameRangeAndStep) {
  const CtlResult text = Ctl({"list", "--page", "0"});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_NE(
      text.output.find("\n0x0010  Music EQ 3 gain           -24.0 dB to 12.0 dB, step 0.2 dB\n"),
      std::string::npos)
      << text.output;
  EXPECT_EQ(text.output.find("0x0100"), std::string::npos);  // page 0 only

  const CtlResult json = Ctl({"list", "--json"});
  EXPECT_EQ(json.exitCode, 0);
  EXPECT_NE(json.output.find("{\"address\": \"0x0A06\", \"page\": 10, \"index\": 6, \"name\": "
                             "\"Music start volume\", \"kind\": \"value\", \"min\": \"0\", "
                             "\"max\": \"82\", \"step\": \"1\", \"rawMin\": 0, \"rawMax\": 82}"),
            std::string::npos);
  EXPECT_EQ(Ctl({"list", "--page", "11"}).exitCode, 2);
}

TEST_F(DiffFiles, InChineseTheWordsChangeAndTheJsonAndExitCodesDoNot) {
  const std::string a = File("a.Nddt", {0, {{kMusicEq3Gain, 120}}});
  const std::string b = File("b.Nddt", {0, {{kMusicEq3Gain, 130}}});
  const CtlResult chinese = Ctl({"diff", a, b, "--lang", "zh"});
  EXPECT_EQ(chinese.exitCode, 1);
  EXPECT_EQ(chinese.output, "音乐 均衡 3 增益: 0.0 dB \u2192 2.0 dB\n1 处不同\n");
  EXPECT_EQ(Ctl({"diff", a, b, "--json", "--lang", "zh"}).output,
            Ctl({"diff", a, b, "--json"}).output);
  EXPECT_EQ(Ctl({"diff", a, a, "--lang", "zh"}).exitCode, 0);

  const CtlResult list = Ctl({"list", "--page", "3", "--lang", "zh"});
  EXPECT_EQ(list.exitCode, 0);
  // MIC B's names are MIC A's with the group named again.
  EXPECT_NE(list.output.find("0x0312  MIC B 均衡 3 增益"), std::string::npos) << list.output;
  EXPECT_NE(list.output.find("-24.0 dB 至 12.0 dB, 步进 0.2 dB"), std::string::npos);
  EXPECT_EQ(Ctl({"list", "--json", "--lang", "zh"}).output, Ctl({"list", "--json"}).output);
  EXPECT_EQ(Ctl({"list", "--lang", "fr"}).exitCode, 2);
}

// The Latin words a Chinese reader meets in velantroctl's Chinese output: the program and its
// command and option words, the placeholders of the help, units, the names printed on the unit,
// and the words of the temporary folder's paths.
const std::set<std::string> kLatinWords = {
    "velantroctl", "backup",   "restore", "get",     "set",  "list",    "diff",   "check",
    "curve",       "unit",     "json",    "all",     "page", "png",     "size",   "timeout",
    "paced",       "lang",     "zh",      "en",      "help", "version", "serial", "LINK",
    "FILE",        "ADDRESS",  "VALUE",   "OUT",     "WxH",  "HOST",    "PORT",   "DEVICE",
    "FIFO",        "dB",       "Hz",      "ms",      "MIC",  "EQ",      "DEQ",    "AUX",
    "tmp",         "velantro", "Nddt",    "dialout", "dBu",  "PEQ",     "LSEQ",   "HSEQ"};

// The Latin words of a text that are none of those. The help's example of an English name
// ("Music EQ 3 gain") stands beside its Chinese one on purpose.
std::vector<std::string> ForeignWords(std::string text) {
  static const std::regex example("\"Music EQ 3 gain\"");
  text = std::regex_replace(text, example, "");
  static const std::regex word("[A-Za-z]{2,}");
  std::vector<std::string> words;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), word); it != std::sregex_iterator();
       ++it) {
    if (!kLatinWords.contains(it->str())) words.push_back(it->str());
  }
  return words;
}

TEST_F(NamesAgainstTheUnit, InChineseEveryMessageIsChineseAndExitCodesAndValuesStay) {
  const std::string file = (dir / "backup.Nddt").string();
  ASSERT_EQ(Ctl({"backup", "--unit", link, file}).exitCode, 0);
  const std::string missing = (dir / "缺.Nddt").string();
  const std::string damaged = (dir / "坏.Nddt").string();
  std::FILE* bad = std::fopen(damaged.c_str(), "wb");
  ASSERT_NE(bad, nullptr);
  std::fputs("1\n", bad);
  std::fclose(bad);
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string chinese;  // where given, the whole Chinese output
  };
  const std::vector<Case> cases{
      {{"--help"}, 0, {}},
      {{"备份"}, 2, {}},  // an unknown command: the message and the whole help on stderr
      {{"set", "--unit", link, "音乐 均衡 3 增益", "2.0dB"}, 0, "set：0x0010 = 130（频段帧）\n"},
      {{"get", "--unit", link, "音乐 均衡 3 增"}, 0, "130 (2.0 dB)\n"},
      {{"get", "--unit", link, "Music EQ 3 gain"}, 0, "130 (2.0 dB)\n"},
      {{"set", "--unit", link, "音乐 均衡 3 增益", "2.1dB"},
       2,
       "velantroctl: 值被拒绝 2.1dB（不在步进上）：音乐 均衡 3 增益 的取值为 -24.0 dB 到 12.0 dB，"
       "步进 0.2 dB\n"},
      {{"set", "--unit", link, "0x0010", "5000"}, 1, {}},
      {{"get", "--unit", link, "音乐 均衡 3"}, 2, {}},
      {{"get", "--unit", link, "没有这个参数"}, 2, {}},
      {{"get", "--unit", link, "0x7777"}, 2, "velantroctl: 0x7777 不是参数地址\n"},
      {{"restore", "--unit", link, file}, 0, {}},
      {{"get", "--unit", "127.0.0.1:1", "0x0010", "--timeout", "5"},
       3,
       "velantroctl: 127.0.0.1:1 没有设备应答\n"},
      {{"list"}, 0, {}},  // every parameter's name, range and step
      {{"list", "--page", "77"}, 2, {}},
      {{"curve", file}, 2, {}},
      {{"diff", file}, 2, {}},
      {{"check", file}, 0, {}},
      {{"check", missing}, 1, "velantroctl: 无法读取 " + missing + "：没有这个文件\n"},
      {{"check", damaged}, 1, {}},
      {{"backup", "--unit", link, dir.string()}, 1, {}},  // a folder is no preset file
  };
  for (const Case& c : cases) {
    std::vector<std::string> chineseArgs = c.args;
    chineseArgs.insert(chineseArgs.end(), {"--lang", "zh"});
    const CtlResult chinese = Ctl(chineseArgs);
    const std::string what = c.args.front() + " " + c.args.back();
    EXPECT_EQ(chinese.exitCode, c.exitCode) << what << "\n" << chinese.output;
    // A Chinese name is a name only in Chinese.
    const bool ascii = std::ranges::all_of(c.args, [](const std::string& arg) {
      return std::ranges::all_of(arg,
                                 [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
    });
    if (ascii) {
      EXPECT_EQ(Ctl(c.args).exitCode, c.exitCode) << what;
    }
    EXPECT_EQ(ForeignWords(chinese.output), std::vector<std::string>{}) << chinese.output;
    if (!c.chinese.empty()) {
      EXPECT_EQ(chinese.output, c.chinese) << what;
    }
  }
}

}  // namespace
}  // namespace velantro::test
