// The real console against the real stand-in unit on 127.0.0.1: it finds the unit on the network,
// downloads its image and goes online; SIGTERM then closes the window like its close button,
// which sends the unit the disconnect code.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace velantro {
namespace {

using test::ChildProcess;

std::string PortFrom(const std::string& transcript) {
  const std::string key = "tcp: 127.0.0.1:";
  const size_t at = transcript.find(key);
  if (at == std::string::npos) return {};
  size_t end = at + key.size();
  while (end < transcript.size() && std::isdigit(static_cast<unsigned char>(transcript[end])))
    ++end;
  return transcript.substr(at + key.size(), end - at - key.size());
}

TEST(ConsoleEndToEnd, GoesOnlineAgainstTheStandInUnitAndClosesOnSigterm) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::filesystem::path runtime =
      std::filesystem::temp_directory_path() / ("velantro-e2e-" + std::to_string(::getpid()));
  std::filesystem::create_directories(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

  ChildProcess sim({VELANTRO_SIM, "--listen", "127.0.0.1", "--port", "0"});
  ASSERT_TRUE(sim.started());
  ASSERT_TRUE(sim.WaitFor("tcp: 127.0.0.1:")) << sim.output();
  const std::string port = PortFrom(sim.output());
  ASSERT_FALSE(port.empty()) << sim.output();

  ChildProcess console({VELANTRO_CONSOLE, "--unit", "127.0.0.1:" + port, "--print-status"});
  ASSERT_TRUE(console.started());
  ASSERT_TRUE(console.WaitFor("status: Online")) << console.output();
  EXPECT_NE(console.output().find("status: Linking..."), std::string::npos);

  console.Signal(SIGTERM);
  EXPECT_EQ(console.Wait(), 0) << console.output();
  std::filesystem::remove_all(runtime);
}

}  // namespace
}  // namespace velantro
