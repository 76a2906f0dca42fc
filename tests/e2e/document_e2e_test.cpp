// The real console with a preset file and --on-connect against the real stand-in unit on
// 127.0.0.1: what the unit holds afterwards is what velantroctl diff says of the file.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/ParamStore.h"
#include "presets/PresetFile.h"
#include "support/ChildProcess.h"

namespace velantro::test {
namespace {

const std::string kMusicBoost = std::string(VELANTRO_EXAMPLES) + "/MusicBoost.Nddt";

std::string LineAfter(const std::string& transcript, const std::string& key) {
  const size_t at = transcript.find(key);
  if (at == std::string::npos) return {};
  const size_t end = transcript.find('\n', at);
  return transcript.substr(at + key.size(), end - at - key.size());
}

// MusicBoost with three things changed on three pages (Music, MIC, Main output), as prepared
// without the unit, written where the test keeps its files.
std::string EditedMusicBoost(const std::filesystem::path& folder) {
  std::ifstream in(kMusicBoost, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  ParamStore store;
  EXPECT_EQ(ParsePresetText(text.str(), store.DeviceImage).error, PresetError::None);
  const int layout = store.DeviceImage[0][1];
  store.DeviceImage[0][ParamStore::DeviceIndex(0, 0x0B, layout)] += 10;  // Music EQ 2 gain
  store.DeviceImage[1][ParamStore::DeviceIndex(1, 0x03, layout)] = 5;    // MIC A noise gate
  store.DeviceImage[6][ParamStore::DeviceIndex(6, 0x02, layout)] ^= 1;   // Main music phase
  const std::filesystem::path file = folder / "Show.Nddt";
  std::ofstream(file, std::ios::binary) << FormatPresetFile(store);
  return file.string();
}

class DocumentEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    runtime =
        std::filesystem::temp_directory_path() / ("velantro-doc-e2e-" + std::to_string(::getpid()));
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("XDG_DATA_HOME", runtime.c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(runtime); }

  std::filesystem::path runtime;
};

TEST_F(DocumentEndToEnd, OnConnectSendPutsTheFileOnTheUnitAndTakeLeavesTheUnitAlone) {
  const std::string show = EditedMusicBoost(runtime);
  struct Case {
    const char* word;
    const char* report;
    int diffCode;
  };
  for (const Case c : {Case{"send", "document: sent and read back", 0},
                       Case{"take", "document: took the unit's settings", 1}}) {
    SCOPED_TRACE(c.word);
    ChildProcess sim({VELANTRO_SIM, "--port", "0"});
    ASSERT_TRUE(sim.WaitFor("tcp: 127.0.0.1:")) << sim.output();
    const std::string link = "127.0.0.1:" + LineAfter(sim.output(), "tcp: 127.0.0.1:");

    ChildProcess console(
        {VELANTRO_CONSOLE, show, "--unit", link, "--on-connect", c.word, "--print-status"});
    ASSERT_TRUE(console.WaitFor(c.report)) << console.output();
    console.Signal(SIGTERM);
    EXPECT_EQ(console.Wait(), 0) << console.output();

    ChildProcess diff({VELANTRO_CTL, "diff", show, "--unit", link});
    EXPECT_EQ(diff.Wait(), c.diffCode) << diff.output();
    // After send no value an upload carries differs: no line names one.
    EXPECT_EQ(diff.output().find("→") == std::string::npos, c.diffCode == 0) << diff.output();
  }
}

TEST_F(DocumentEndToEnd, TheFactoryFileIsWhatTheStandInUnitStartsWith) {
  ChildProcess sim({VELANTRO_SIM, "--port", "0"});
  ASSERT_TRUE(sim.WaitFor("tcp: 127.0.0.1:")) << sim.output();
  const std::string link = "127.0.0.1:" + LineAfter(sim.output(), "tcp: 127.0.0.1:");
  // What an upload carries: a preset's normal volumes read as its start volumes, so the System
  // page's normal volumes are no part of it.
  ChildProcess diff({VELANTRO_CTL, "diff", VELANTRO_FACTORY, "--unit", link});
  EXPECT_EQ(diff.Wait(), 0) << diff.output();
}

TEST_F(DocumentEndToEnd, AWrongOnConnectWordIsWrongUsage) {
  ChildProcess console({VELANTRO_CONSOLE, "--on-connect", "maybe"});
  EXPECT_TRUE(console.WaitFor("velantro: --on-connect takes send, take or ask", 5000))
      << console.output();
  EXPECT_EQ(console.Wait(), 2);
}

}  // namespace
}  // namespace velantro::test
