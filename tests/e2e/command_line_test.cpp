// The three programs' command lines: --help and --version answer without a display, wrong usage
// is refused with exit 2, and velantroctl names the fix for a serial device it may not open.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "support/ShellCommand.h"

namespace velantro::test {
namespace {

namespace fs = std::filesystem;

// Runs a program with no display at all; keeps stdout, or stderr when `stderrOnly`.
ShellResult RunWithoutDisplay(const std::string& program, const std::string& args,
                              bool stderrOnly) {
  const std::string redirect = stderrOnly ? " 2>&1 >/dev/null" : " 2>/dev/null";
  return RunShell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + ShellQuoted(program) +
                  " " + args + redirect);
}

struct Program {
  const char* path;
  const char* name;
};

const Program kPrograms[] = {
#ifdef VELANTRO_CONSOLE
    {VELANTRO_CONSOLE, "velantro"},
#endif
    {VELANTRO_CTL, "velantroctl"},
    {VELANTRO_SIM, "velantro-unit-sim"},
};

TEST(CommandLine, HelpAndVersionAnswerWithoutADisplay) {
  for (const Program& program : kPrograms) {
    for (const char* help : {"--help", "-h"}) {
      const ShellResult result = RunWithoutDisplay(program.path, help, false);
      EXPECT_EQ(result.exitCode, 0) << program.name << " " << help;
      EXPECT_NE(result.output.find(std::string("usage: ") + program.name), std::string::npos)
          << program.name << " " << help << ":\n"
          << result.output;
    }
    const ShellResult version = RunWithoutDisplay(program.path, "--version", false);
    EXPECT_EQ(version.exitCode, 0) << program.name;
    EXPECT_TRUE(std::regex_match(
        version.output, std::regex(std::string(program.name) + " [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version.output;
  }
}

#ifdef VELANTRO_CONSOLE
TEST(CommandLine, ConsoleHelpSaysWherePresetsAreKept) {
  const ShellResult help = RunShell("env -u DISPLAY XDG_DATA_HOME=/tmp/velantro-data " +
                                    ShellQuoted(VELANTRO_CONSOLE) + " --help");
  EXPECT_NE(help.output.find("/tmp/velantro-data/Velantro/Mode/T4K-Mode"), std::string::npos)
      << help.output;
  EXPECT_NE(help.output.find("/usr"), std::string::npos) << help.output;
}
#endif

TEST(CommandLine, WrongUsageIsRefusedWithAUsageLineAndExitTwo) {
  struct Case {
    const char* program;
    const char* name;
    std::string args;
  };
  const std::string example = ShellQuoted(std::string(VELANTRO_EXAMPLES) + "/Demo.Nddt");
  const Case cases[] = {
#ifdef VELANTRO_CONSOLE
      {VELANTRO_CONSOLE, "velantro", "--bogus"},
      {VELANTRO_CONSOLE, "velantro", "--unit 127.0.0.1:9 stray"},
      {VELANTRO_CONSOLE, "velantro", "-x"},
#endif
      {VELANTRO_CTL, "velantroctl", "--bogus"},
      {VELANTRO_CTL, "velantroctl", "check --bogus " + example},
      {VELANTRO_CTL, "velantroctl", "-x check " + example},
      {VELANTRO_SIM, "velantro-unit-sim", "--bogus"},
      {VELANTRO_SIM, "velantro-unit-sim", "--port 0 --bogus 1"},
      {VELANTRO_SIM, "velantro-unit-sim", "stray"},
  };
  for (const Case& c : cases) {
    const ShellResult refused = RunWithoutDisplay(c.program, c.args, true);
    EXPECT_EQ(refused.exitCode, 2) << c.name << " " << c.args;
    EXPECT_NE(refused.output.find(std::string("usage: ") + c.name), std::string::npos)
        << c.name << " " << c.args << ":\n"
        << refused.output;
    EXPECT_EQ(RunWithoutDisplay(c.program, c.args, false).output, "") << c.name << " " << c.args;
  }
}

TEST(CommandLine, SerialDeviceWithoutPermissionNamesTheFix) {
  // A device only its owner and group may use; root is made an ordinary user to try it.
  const fs::path device =
      fs::temp_directory_path() / ("velantro-tty-" + std::to_string(::getpid()));
  std::ofstream(device).put('\0');
  const bool root = ::geteuid() == 0;
  ASSERT_EQ(::chmod(device.c_str(), root ? 0660 : 0), 0);
  const std::string asUser =
      root ? "setpriv --reuid=nobody --regid=nogroup --clear-groups -- " : std::string();
  const ShellResult result =
      RunShell(asUser + ShellQuoted(VELANTRO_CTL) + " get 0x0105 --timeout 10 --serial " +
               ShellQuoted(device.string()) + " 2>&1");
  fs::remove(device);
  EXPECT_EQ(result.exitCode, 3) << result.output;
  EXPECT_NE(result.output.find("permission denied"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("group that owns the device"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("usermod -aG"), std::string::npos) << result.output;
}

}  // namespace
}  // namespace velantro::test
