// The real console against the real stand-in unit on 127.0.0.1 and on a pty: it finds the unit,
// downloads its image and goes online; SIGTERM or SIGINT then closes the window like its close
// button, and the unit must hear the disconnect code before the program is gone. Bad link
// arguments end the console before it starts.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace velantro::test {
namespace {

const std::string kDisconnectFrame = "rx: FC BA 06 A7 0A 30 AA 00 3D";
// The sim prints a received frame at once; this only guards against waiting forever.
constexpr int kFrameQuietMs = 2000;

std::string LineAfter(const std::string& transcript, const std::string& key) {
  const size_t at = transcript.find(key);
  if (at == std::string::npos) return {};
  const size_t end = transcript.find('\n', at);
  return transcript.substr(at + key.size(), end - at - key.size());
}

class ConsoleEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    runtime =
        std::filesystem::temp_directory_path() / ("velantro-e2e-" + std::to_string(::getpid()));
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(runtime); }

  std::filesystem::path runtime;
};

TEST_F(ConsoleEndToEnd, ClosingWhileOnlineDeliversTheDisconnectCode) {
  struct Case {
    bool serial;
    int signal;
  };
  for (const Case c :
       {Case{false, SIGTERM}, Case{false, SIGINT}, Case{true, SIGTERM}, Case{true, SIGINT}}) {
    SCOPED_TRACE(std::string(c.serial ? "pty, " : "tcp, ") + ::strsignal(c.signal));
    ChildProcess sim({VELANTRO_SIM, "--port", "0", "--pty", "--log-frames"});
    ASSERT_TRUE(sim.WaitFor("pty: ")) << sim.output();
    const std::string port = LineAfter(sim.output(), "tcp: 127.0.0.1:");
    const std::string pty = LineAfter(sim.output(), "pty: ");
    ASSERT_FALSE(port.empty()) << sim.output();

    std::vector<std::string> args{VELANTRO_CONSOLE, "--print-status"};
    if (c.serial) {
      args.insert(args.end(), {"--serial", pty});
    } else {
      args.insert(args.end(), {"--unit", "127.0.0.1:" + port});
    }
    ChildProcess console(args);
    ASSERT_TRUE(console.WaitFor("status: Online")) << console.output();

    console.Signal(c.signal);
    EXPECT_EQ(console.Wait(), 0) << console.output();
    // The program is gone: whatever the unit is still to hear has left it already.
    EXPECT_TRUE(sim.WaitFor(kDisconnectFrame, kFrameQuietMs)) << sim.output();
  }
}

TEST_F(ConsoleEndToEnd, BadLinkArgumentsEndTheConsoleWithUsage) {
  struct Case {
    std::vector<std::string> args;
    std::string says;
  };
  const std::vector<Case> cases{
      {{"--unit", ":9100"}, "--unit"},            // no host
      {{"--unit", "127.0.0.1:"}, "--unit"},       // no port
      {{"--unit", "127.0.0.1:0"}, "--unit"},      // port below 1
      {{"--unit", "127.0.0.1:65536"}, "--unit"},  // port above 65535
      {{"--unit", "127.0.0.1:http"}, "--unit"},   // not a number
      {{"--unit", "127.0.0.1:+80"}, "--unit"},
      {{"--unit", ""}, "--unit"},
      {{"--serial", ""}, "--serial"},
      {{"--unit"}, "Missing value after '--unit'"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{VELANTRO_CONSOLE};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(c.args.front() + " '" + c.args.back() + "'");
    ChildProcess console(args);
    // A console that took the argument runs on (and is ended when the case is over); the
    // message is the sign that it did not.
    const bool refused = console.WaitFor("velantro: " + c.says, 5000);
    EXPECT_TRUE(refused) << console.output();
    if (refused) {
      EXPECT_EQ(console.Wait(), 2) << console.output();
    }
  }
}

}  // namespace
}  // namespace velantro::test
