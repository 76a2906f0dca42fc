// velantroctl against the real stand-in unit, over TCP on 127.0.0.1 and over a pty, at the
// link's real pacing: backup, set, get and restore, and the exit codes of the failures.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
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

struct CtlResult {
  int exitCode;
  std::string output;
};

CtlResult Ctl(std::vector<std::string> args) {
  args.insert(args.begin(), VELANTRO_CTL);
  ChildProcess ctl(args);
  const int code = ctl.Wait();
  return {code, ctl.output()};
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class StandInUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("velantro-link-e2e-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    sim = std::make_unique<ChildProcess>(
        std::vector<std::string>{VELANTRO_SIM, "--port", "0", "--pty"});
    ASSERT_TRUE(sim->WaitFor("pty: ")) << sim->output();  // the whole line
    const std::string port = After(sim->output(), "tcp: 127.0.0.1:");
    ASSERT_FALSE(port.empty()) << sim->output();
    tcp = {"--unit", "127.0.0.1:" + port};
    pty = {"--serial", After(sim->output(), "pty: ")};
  }
  void TearDown() override {
    sim.reset();
    fs::remove_all(dir);
  }

  std::vector<std::string> With(const std::vector<std::string>& link, const std::string& command,
                                std::vector<std::string> rest) {
    std::vector<std::string> args{command};
    args.insert(args.end(), link.begin(), link.end());
    args.insert(args.end(), rest.begin(), rest.end());
    return args;
  }

  fs::path dir;
  std::unique_ptr<ChildProcess> sim;
  std::vector<std::string> tcp;
  std::vector<std::string> pty;
};

TEST_F(StandInUnit, BackupSetGetRestoreRoundTripOverThePty) {
  const std::string before = (dir / "before.Nddt").string();
  const std::string after = (dir / "after.Nddt").string();
  CtlResult r = Ctl(With(pty, "backup", {before}));
  ASSERT_EQ(r.exitCode, 0) << r.output;

  r = Ctl(With(pty, "set", {"0x0009", "150"}));  // music band 1 frequency: a band frame
  ASSERT_EQ(r.exitCode, 0) << r.output;
  r = Ctl(With(pty, "get", {"9"}));
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output, "150\n");

  r = Ctl(With(pty, "restore", {before}));
  ASSERT_EQ(r.exitCode, 0) << r.output;
  r = Ctl(With(pty, "backup", {after}));
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(ReadFile(after), ReadFile(before));
}

TEST_F(StandInUnit, SetOverTcpIsWhatTheUnitHolds) {
  CtlResult r = Ctl(With(tcp, "set", {"0x0105", "300"}));
  ASSERT_EQ(r.exitCode, 0) << r.output;
  // Read back over the other transport of the same unit (the pty's pace is the quicker one).
  r = Ctl(With(pty, "get", {"0x0105"}));
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output, "300\n");
}

// A listening socket on 127.0.0.1 that no one should ever connect to.
class Listener {
 public:
  Listener() {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd_, 4) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      return;
    }
    port_ = ntohs(address.sin_port);
  }
  ~Listener() { ::close(fd_); }
  int port() const { return port_; }
  bool Connected() const {
    const int client = ::accept(fd_, nullptr, nullptr);
    if (client < 0) return false;
    ::close(client);
    return true;
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

TEST(CtlRefusals, BadValuesFilesAndUsageExitBeforeConnecting) {
  Listener unit;
  ASSERT_NE(unit.port(), 0);
  const std::string link = "127.0.0.1:" + std::to_string(unit.port());
  const fs::path dir =
      fs::temp_directory_path() / ("velantro-link-refusal-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string bad = (dir / "bad.Nddt").string();
  std::ofstream(bad) << "not a preset\r\n";
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string says;
  };
  const std::vector<Case> cases{
      {{"set", "--unit", link, "0x0B00", "1"}, 1, "outside the parameter pages"},
      {{"set", "--unit", link, "0x0181", "1"}, 1, "outside the parameter pages"},
      {{"set", "--unit", link, "0x0105", "65536"}, 1, "outside 0 to 65535"},
      {{"set", "--unit", link, "0x0105", "-1"}, 1, "outside 0 to 65535"},
      {{"restore", "--unit", link, bad}, 1, "velantroctl: "},  // the reader's own message
      {{"restore", "--unit", link, (dir / "missing.Nddt").string()}, 1, "File not find!"},
      {{"set", "--unit", link, "0x0105"}, 2, "usage"},
      {{"get", "--unit", link, "five"}, 2, "usage"},
      {{"get", "0x0105"}, 2, "--unit"},
      {{"backup", "--unit", "127.0.0.1:notaport", "x.Nddt"}, 2, "port"},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << " " << c.args.back() << "\n" << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
  }
  EXPECT_FALSE(unit.Connected());
  fs::remove_all(dir);
}

TEST(NoUnit, NothingListeningEndsWithExitCode3) {
  // A port that nothing listens on: the network search sends its link requests and gives up.
  const CtlResult r = Ctl({"get", "--unit", "127.0.0.1:1", "0x0105"});
  EXPECT_EQ(r.exitCode, 3) << r.output;
  EXPECT_NE(r.output.find("no unit answers at 127.0.0.1:1"), std::string::npos) << r.output;
}

}  // namespace
}  // namespace velantro::test
