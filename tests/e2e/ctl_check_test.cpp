// velantroctl check against the example preset and a damaged copy of it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace velantro {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

RunResult RunCtl(const std::string& args) {
  RunResult result;
  const std::string command = Quoted(VELANTRO_CTL) + " " + args + " 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[512];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
  const int status = ::pclose(pipe);
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  return result;
}

TEST(CtlCheck, AcceptsTheExampleAndRefusesADamagedCopy) {
  const fs::path example = fs::path(VELANTRO_EXAMPLES) / "Demo.Nddt";
  const RunResult good = RunCtl("check " + Quoted(example.string()));
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
  const RunResult bad = RunCtl("check " + Quoted(copy.string()));
  fs::remove(copy);
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.output, "Data file is corrupted!\n");

  EXPECT_EQ(RunCtl("check").exitCode, 2);
}

}  // namespace
}  // namespace velantro
