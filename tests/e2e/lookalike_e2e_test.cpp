// velantroctl against stand-in units whose answers only look right: strays before the answer, a
// cut page, every answer twice, answers in slow pieces, a unit that pauses mid-download. Each
// run must leave the unit and the backup exactly as a clean unit would.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/ChildProcess.h"

namespace velantro::test {
namespace {

namespace fs = std::filesystem;

std::string After(const std::string& text, const std::string& key) {
  const size_t at = text.find(key);
  if (at == std::string::npos) return {};
  const size_t end = text.find('\n', at);
  return text.substr(at + key.size(), end - at - key.size());
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct CtlRun {
  int exitCode;
  std::string output;
};

CtlRun Ctl(std::vector<std::string> args) {
  args.insert(args.begin(), VELANTRO_CTL);
  ChildProcess ctl(args);
  const int code = ctl.Wait();
  return {code, ctl.output()};
}

class Unit {
 public:
  explicit Unit(const std::vector<std::string>& faults) {
    std::vector<std::string> args{VELANTRO_SIM, "--port", "0", "--pty"};
    args.insert(args.end(), faults.begin(), faults.end());
    sim_ = std::make_unique<ChildProcess>(args);
    started_ = sim_->WaitFor("pty: ");
    tcp = {"--unit", "127.0.0.1:" + After(sim_->output(), "tcp: 127.0.0.1:")};
    pty = {"--serial", After(sim_->output(), "pty: ")};
  }
  bool started() const { return started_; }
  ChildProcess& process() { return *sim_; }
  std::vector<std::string> tcp;
  std::vector<std::string> pty;

 private:
  std::unique_ptr<ChildProcess> sim_;
  bool started_ = false;
};

std::vector<std::string> Args(const std::string& command, const std::vector<std::string>& link,
                              const std::vector<std::string>& rest) {
  std::vector<std::string> args{command};
  args.insert(args.end(), link.begin(), link.end());
  args.insert(args.end(), rest.begin(), rest.end());
  return args;
}

class Lookalikes : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("velantro-lookalike-" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  // A band gain set and then the whole image backed up: the file a clean unit gives.
  std::string SetThenBackup(const std::vector<std::string>& link, const std::string& name) {
    const CtlRun set = Ctl(Args("set", link, {"0x0624", "90"}));
    EXPECT_EQ(set.exitCode, 0) << set.output;
    const fs::path file = dir / name;
    const CtlRun backup = Ctl(Args("backup", link, {file.string()}));
    EXPECT_EQ(backup.exitCode, 0) << backup.output;
    return ReadFile(file);
  }

  fs::path dir;
};

TEST_F(Lookalikes, SetAndBackupGiveWhatACleanUnitGives) {
  Unit clean({});
  ASSERT_TRUE(clean.started());
  const std::string truth = SetThenBackup(clean.tcp, "clean.Nddt");
  ASSERT_FALSE(truth.empty());
  struct Case {
    std::vector<std::string> faults;
    bool alsoOnThePty;
  };
  const Case cases[] = {{{"--stray-frames"}, true},
                        {{"--short-answer", "6"}, false},
                        {{"--duplicate-answers"}, true},
                        {{"--trickle-ms", "60"}, false}};
  for (const Case& c : cases) {
    Unit unit(c.faults);
    ASSERT_TRUE(unit.started()) << unit.process().output();
    SCOPED_TRACE(c.faults.front() + " over TCP");
    EXPECT_EQ(SetThenBackup(unit.tcp, "tcp.Nddt"), truth);
    if (!c.alsoOnThePty) continue;
    SCOPED_TRACE(c.faults.front() + " over the pty");
    Unit again(c.faults);
    ASSERT_TRUE(again.started());
    EXPECT_EQ(SetThenBackup(again.pty, "pty.Nddt"), truth);
  }
}

TEST_F(Lookalikes, BackupWaitsOutAUnitThatPausesSixSeconds) {
  Unit clean({});
  ASSERT_TRUE(clean.started());
  const fs::path reference = dir / "reference.Nddt";
  ASSERT_EQ(Ctl(Args("backup", clean.tcp, {reference.string()})).exitCode, 0);
  // Answers 150 ms late: the download takes about six seconds, so a pause two seconds after the
  // start falls inside it even when the program is slow to start (sanitizer builds).
  Unit pausing({"--delay-ms", "150"});
  ASSERT_TRUE(pausing.started());
  const fs::path file = dir / "paused.Nddt";
  std::vector<std::string> args = Args("backup", pausing.tcp, {file.string()});
  args.insert(args.begin(), VELANTRO_CTL);
  ChildProcess backup(args);
  std::this_thread::sleep_for(std::chrono::milliseconds(2000));
  pausing.process().Signal(SIGUSR1);  // falls silent, the connection stays open
  std::this_thread::sleep_for(std::chrono::milliseconds(6000));
  pausing.process().Signal(SIGUSR1);  // answers again
  EXPECT_EQ(backup.Wait(), 0) << backup.output();
  EXPECT_EQ(ReadFile(file), ReadFile(reference));
}

}  // namespace
}  // namespace velantro::test
