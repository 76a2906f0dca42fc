// velantroctl check against the example preset and a damaged copy of it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/ShellCommand.h"

namespace velantro {
namespace {

namespace fs = std::filesystem;

// velantroctl with its stdout and stderr together.
test::ShellResult RunCtl(const std::string& args) {
  return test::RunShell(test::ShellQuoted(VELANTRO_CTL) + " " + args + " 2>&1");
}

TEST(CtlCheck, AcceptsTheExampleAndRefusesADamagedCopy) {
  const fs::path example = fs::path(VELANTRO_EXAMPLES) / "Demo.Nddt";
  const test::ShellResult good = RunCtl("check " + test::ShellQuoted(example.string()));
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
  const test::ShellResult bad = RunCtl("check " + test::ShellQuoted(copy.string()));
  fs::remove(copy);
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.output, "Data file is corrupted!\n");

  EXPECT_EQ(RunCtl("check").exitCode, 2);
}

}  // namespace
}  // namespace velantro
