// velantroctl check against the example preset and a damaged copy of it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "presets/PresetFile.h"
#include "support/ShellCommand.h"

namespace velantro::test {
namespace {

namespace fs = std::filesystem;

// velantroctl with its stdout and stderr together.
ShellResult RunCtl(const std::string& args) {
  return RunShell(ShellQuoted(VELANTRO_CTL) + " " + args + " 2>&1");
}

TEST(CtlCheck, AcceptsTheExampleAndRefusesADamagedCopy) {
  const fs::path example = fs::path(VELANTRO_EXAMPLES) / "Demo.Nddt";
  const ShellResult good = RunCtl("check " + ShellQuoted(example.string()));
  EXPECT_EQ(good.exitCode, 0) << good.output;
  EXPECT_EQ(good.output, "ok: 821 parameters\n");

  std::ifstream in(example, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string damaged = text.str();
  // Drop the fifth line, a payload line: the line count no longer matches.
  std::size_t start = 0;
  for (int line = 0; line < 4; ++line) start = damaged.find("\r\n", start) + 2;
  const std::size_t end = damaged.find("\r\n", start);
  ASSERT_NE(end, std::string::npos);
  damaged.erase(start, end + 2 - start);
  const fs::path copy =
      fs::temp_directory_path() / ("velantro-check-" + std::to_string(::getpid()) + ".Nddt");
  std::ofstream(copy, std::ios::binary) << damaged;
  const ShellResult bad = RunCtl("check " + ShellQuoted(copy.string()));
  fs::remove(copy);
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.output, "velantroctl: " + copy.string() +
                            " is not a valid preset: the line count says 823 lines before it, "
                            "the file has 822\n");

  EXPECT_EQ(RunCtl("check").exitCode, 2);
}

TEST(CtlCheck, CheckAndRestoreReadPresetsAsTheConsoleDoes) {
  std::ifstream in(fs::path(VELANTRO_EXAMPLES) / "Demo.Nddt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  const std::string example = text.str();
  // Past the size of any preset, yet valid: the second header line only needs its number.
  const std::size_t first = example.find("\r\n") + 2;
  const std::size_t second = example.find("\r\n", first);
  const std::string padded = example.substr(0, first) +
                             EncodeLine(DecodeLine(example.substr(first, second - first)).value() +
                                        " " + std::string(kPresetMaxFileBytes / 2, 'x')) +
                             example.substr(second);

  const std::string stem =
      (fs::temp_directory_path() / ("velantro-read-" + std::to_string(::getpid()))).string();
  const std::string large = stem + "-large.Nddt";
  const std::string marked = stem + "-bom.Nddt";
  std::ofstream(large, std::ios::binary) << padded;
  std::ofstream(marked, std::ios::binary) << "\xEF\xBB\xBF" + example;
  struct Case {
    std::string args;
    int exitCode;
    std::string output;
  };
  // restore refuses the file before it connects: nothing needs to listen on 127.0.0.1:9.
  const Case cases[] = {
      {"check " + ShellQuoted(large), 1,
       "velantroctl: cannot read " + large +
           ": it is larger than any preset (more than 1048576 bytes)\n"},
      {"restore --unit 127.0.0.1:9 " + ShellQuoted(large), 1,
       "velantroctl: cannot read " + large +
           ": it is larger than any preset (more than 1048576 bytes)\n"},
      {"check " + ShellQuoted(marked), 0, "ok: 821 parameters\n"},
  };
  for (const Case& c : cases) {
    const ShellResult result = RunCtl(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.args << "\n" << result.output;
    EXPECT_EQ(result.output, c.output) << c.args;
  }
  fs::remove(large);
  fs::remove(marked);
}

}  // namespace
}  // namespace velantro::test
