// velantroctl against the real stand-in unit, over TCP on 127.0.0.1 and over a pty: backup, set,
// get and restore, the exit codes of the failures, where options may stand, and --timeout and
// --paced, and units whose answers only look right.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "link/Frames.h"
#include "support/ChildProcess.h"
#include "support/ShellCommand.h"

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

  r = Ctl(With(pty, "set", {"0x000A", "150"}));  // music band 2 frequency: a band frame
  ASSERT_EQ(r.exitCode, 0) << r.output;
  r = Ctl(With(pty, "get", {"10"}));
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output, "150 (354.0 Hz)\n");

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

// A stand-in unit with one fault switched on, over TCP: lost writes are repeated, damaged answers
// are asked for again, and a backup that could not read a page intact writes nothing.
TEST(FaultyUnit, TransfersSucceedThroughFaultsOrFailWithoutAFile) {
  struct Case {
    std::vector<std::string> fault;
    std::string command;
    int exitCode;
    std::string says;  // on the output
  };
  const std::vector<Case> cases{
      {{"--lose-writes", "1"}, "set", 0, "set: 0x0105 = 300"},
      {{"--corrupt-answers", "3"}, "backup", 0, "backup: "},
      {{"--ack-remote-request"}, "backup", 0, "backup: "},
      {{"--corrupt-answers", "4"}, "backup", 3, "Could not read page 0 from the unit"},
  };
  const fs::path dir =
      fs::temp_directory_path() / ("velantro-faulty-e2e-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault.front() + " " + c.command);
    std::vector<std::string> simArgs{VELANTRO_SIM, "--port", "0"};
    simArgs.insert(simArgs.end(), c.fault.begin(), c.fault.end());
    ChildProcess sim(simArgs);
    ASSERT_TRUE(sim.WaitFor("tcp: 127.0.0.1:")) << sim.output();  // the whole line
    const std::string unit = "127.0.0.1:" + After(sim.output(), "tcp: 127.0.0.1:");
    const fs::path file = dir / "backup.Nddt";
    {
      std::ofstream old(file);
      old << "the old file";
    }
    std::vector<std::string> args{c.command, "--unit", unit};
    if (c.command == "set") {
      args.insert(args.end(), {"0x0105", "300"});
    } else {
      args.push_back(file.string());
    }
    const CtlResult r = Ctl(args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
    if (c.command == "set") {
      const CtlResult get = Ctl({"get", "--unit", unit, "0x0105"});
      EXPECT_EQ(get.output, "300\n");
    } else if (c.exitCode != 0) {
      EXPECT_EQ(ReadFile(file), "the old file");
    }
  }
  fs::remove_all(dir);
}

// A unit that limits what it takes: a relay on 127.0.0.1 in front of the stand-in unit that
// rewrites chosen frames on their way in. The unit then acknowledges the write and holds the
// changed value, as a unit does that clamps or refuses part of a write.
class LimitingRelay {
 public:
  using Rewrite = std::function<void(Bytes& frame)>;

  LimitingRelay(int unitPort, Rewrite rewrite) : unitPort_(unitPort), rewrite_(std::move(rewrite)) {
    listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (::bind(listen_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listen_, 4) != 0 ||
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
  }
  ~LimitingRelay() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    ::close(listen_);
  }
  int port() const { return port_; }

 private:
  struct Pair {
    int console;
    int unit;
    Bytes pending;  // from the console, not yet a whole frame
  };

  static sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
  }
  static void SendAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
      const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
      if (sent <= 0) return;
      data += sent;
      size -= static_cast<size_t>(sent);
    }
  }
  static void NoDelay(int fd) {
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  }

  void Accept(std::vector<Pair>& pairs) {
    const int console = ::accept(listen_, nullptr, nullptr);
    if (console < 0) return;
    const int unit = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(unitPort_);
    if (::connect(unit, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      ::close(unit);
      ::close(console);
      return;
    }
    NoDelay(console);
    NoDelay(unit);
    pairs.push_back({console, unit, {}});
  }

  // Whole frames go on one by one, rewritten where the rewrite wants; stray bytes go as they are.
  // A frame the rewrite empties cuts the connection there, as a unit that is switched off does.
  bool Forward(Pair& pair) {
    Bytes& in = pair.pending;
    while (!in.empty()) {
      if (in[0] != kFrameStart) {
        const auto next = std::find(in.begin() + 1, in.end(), kFrameStart);
        SendAll(pair.unit, in.data(), static_cast<size_t>(next - in.begin()));
        in.erase(in.begin(), next);
        continue;
      }
      if (in.size() < 3 || in.size() < static_cast<size_t>(in[2]) + 3) return true;
      Bytes frame(in.begin(), in.begin() + in[2] + 3);
      in.erase(in.begin(), in.begin() + in[2] + 3);
      const Bytes sent = frame;
      rewrite_(frame);
      if (frame.empty()) return false;
      if (frame != sent) frame.back() = FrameChecksum(std::span(frame).first(frame.size() - 1));
      SendAll(pair.unit, frame.data(), frame.size());
    }
    return true;
  }

  void Run() {
    std::vector<Pair> pairs;
    while (!stop_) {
      std::vector<pollfd> fds{{listen_, POLLIN, 0}};
      for (const Pair& p : pairs) {
        fds.push_back({p.console, POLLIN, 0});
        fds.push_back({p.unit, POLLIN, 0});
      }
      if (::poll(fds.data(), fds.size(), 20) <= 0) continue;
      std::vector<Pair> open;
      for (size_t k = 0; k < pairs.size(); ++k) {
        Pair& p = pairs[k];
        bool alive = true;
        uint8_t chunk[4096];
        if (fds[1 + 2 * k].revents != 0) {
          const ssize_t got = ::recv(p.console, chunk, sizeof chunk, 0);
          alive = got > 0;
          if (alive) {
            p.pending.insert(p.pending.end(), chunk, chunk + got);
            alive = Forward(p);
          }
        }
        if (alive && fds[2 + 2 * k].revents != 0) {
          const ssize_t got = ::recv(p.unit, chunk, sizeof chunk, 0);
          alive = got > 0;
          if (alive) SendAll(p.console, chunk, static_cast<size_t>(got));
        }
        if (alive) {
          open.push_back(std::move(p));
        } else {
          ::close(p.console);
          ::close(p.unit);
        }
      }
      pairs = std::move(open);
      if ((fds[0].revents & POLLIN) != 0) Accept(pairs);
    }
    for (const Pair& p : pairs) {
      ::close(p.console);
      ::close(p.unit);
    }
  }

  int listen_ = -1;
  int port_ = 0;
  int unitPort_;
  Rewrite rewrite_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

bool IsWriteTo(const Bytes& frame, ParamAddress address) {
  return frame.size() > 7 && frame[3] == kCmdWrite && frame[4] == PageOf(address) &&
         frame[5] == IndexOf(address);
}

// Limits the 16-bit values of a frame from payload byte `from` on to at most `limit`.
void LimitValues(Bytes& frame, size_t from, int limit) {
  for (size_t k = 6 + from; k + 2 < frame.size(); k += 2) {
    if (frame[k] + 256 * frame[k + 1] > limit) {
      frame[k] = static_cast<uint8_t>(limit & 0xFF);
      frame[k + 1] = static_cast<uint8_t>(limit >> 8);
    }
  }
}

TEST_F(StandInUnit, SetSaysRefusedWhenTheUnitHoldsAnotherValue) {
  constexpr int kLimit = 200;
  constexpr ParamAddress kAddress = 0x0105;
  const int unitPort = std::stoi(tcp[1].substr(tcp[1].rfind(':') + 1));
  LimitingRelay relay(unitPort, [](Bytes& frame) {
    if (IsWriteTo(frame, kAddress)) LimitValues(frame, 0, kLimit);
  });
  ASSERT_NE(relay.port(), 0);
  const std::vector<std::string> limited{"--unit", "127.0.0.1:" + std::to_string(relay.port())};
  struct Case {
    std::string value;
    int exitCode;
    std::string says;
  };
  const std::vector<Case> cases{
      {"150", 0, "set: 0x0105 = 150"},
      {"300", 1, "refused value: the unit acknowledged 0x0105 = 300 but holds 200"},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl(With(limited, "set", {"0x0105", c.value}));
    EXPECT_EQ(r.exitCode, c.exitCode) << c.value << "\n" << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
  }
}

// A band's Q takes what the band's type allows: the unit's image says which type it is.
TEST_F(StandInUnit, SetRefusesAQBeyondWhatTheBandsTypeTakes) {
  const std::vector<std::string> unit{"--unit", tcp[1]};
  struct Case {
    std::string address;
    std::string value;
    int exitCode;
    std::string says;
  };
  const std::vector<Case> cases{
      {"0x0004", "0", 0, "set: 0x0004 = 0 (band frame)"},  // music band 1 is a PEQ
      {"0x0007", "50", 0, "set: 0x0007 = 50 (band frame)"},
      {"0x0004", "1", 0, "set: 0x0004 = 1 (band frame)"},  // now a low shelf
      {"0x0007", "50", 1, "refused value 50: 0x0007 Music EQ 1 Q: 0..24 while the band is LSEQ"},
      {"0x0007", "24", 0, "set: 0x0007 = 24 (band frame)"},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl(With(unit, "set", {c.address, c.value}));
    EXPECT_EQ(r.exitCode, c.exitCode) << c.address << " " << c.value << "\n" << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
  }
  const CtlResult q = Ctl(With(unit, "get", {"0x0007"}));
  EXPECT_EQ(q.output.substr(0, 3), "24 ") << q.output;  // the refused 50 never reached the unit
}

TEST_F(StandInUnit, RestoreListsWhatTheUnitDoesNotHold) {
  constexpr int kLimit = 10;
  constexpr int kPage = 3;
  const int unitPort = std::stoi(tcp[1].substr(tcp[1].rfind(':') + 1));
  LimitingRelay relay(unitPort, [](Bytes& frame) {
    // A page upload: page number, then the page's values.
    if (IsWriteTo(frame, sysaddr::PageUpload) && frame[6] == kPage) LimitValues(frame, 2, kLimit);
  });
  ASSERT_NE(relay.port(), 0);
  const std::vector<std::string> limited{"--unit", "127.0.0.1:" + std::to_string(relay.port())};

  const CtlResult r = Ctl(With(limited, "restore", {VELANTRO_EXAMPLES "/MusicBoost.Nddt"}));
  EXPECT_EQ(r.exitCode, 3) << r.output;
  EXPECT_NE(r.output.find("does not hold what was uploaded"), std::string::npos) << r.output;
  // The first differences, each a cell of the limited page that went above the limit.
  const std::regex line(R"(page (\d+) index \d+: sent (\d+), unit holds (\d+))");
  int listed = 0;
  for (auto it = std::sregex_iterator(r.output.begin(), r.output.end(), line);
       it != std::sregex_iterator(); ++it, ++listed) {
    EXPECT_EQ(std::stoi((*it)[1]), kPage) << it->str();
    EXPECT_GT(std::stoi((*it)[2]), kLimit) << it->str();
    EXPECT_EQ(std::stoi((*it)[3]), kLimit) << it->str();
  }
  EXPECT_EQ(listed, 10) << r.output;
  EXPECT_NE(r.output.find("... and "), std::string::npos) << r.output;
}

// A listening socket on 127.0.0.1 that no one should ever connect to.
class Listener {
 public:
  explicit Listener(int port = 0) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
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
      // Cells no control shows and no download answers carry, within the pages or past them.
      {{"set", "--unit", link, "0x0B00", "1"}, 2, "velantroctl: 0x0B00 is not a parameter address"},
      {{"set", "--unit", link, "0x0181", "1"}, 2, "velantroctl: 0x0181 is not a parameter address"},
      {{"set", "--unit", link, "0x0040", "12345"}, 2, "0x0040 is not a parameter address"},
      {{"set", "--unit", link, "0x0460", "99"}, 2, "0x0460 is not a parameter address"},
      {{"get", "--unit", link, "0x0040"}, 2, "0x0040 is not a parameter address"},
      {{"set", "--unit", link, "0x0105", "65536"}, 1, "outside 0 to 65535"},
      {{"set", "--unit", link, "0x0105", "-1"}, 1, "outside 0 to 65535"},
      {{"set", "--unit", link, "0x0A30", "1"}, 1, "cannot confirm"},  // link control
      // The catalog's range, in raw and display units, and cells that are not values.
      {{"set", "--unit", link, "0x0005", "5000"},
       1,
       "refused value 5000: 0x0005 Music EQ 1 frequency: 0..361 (19.7 Hz..20600.0 Hz)"},
      {{"set", "--unit", link, "0x0009", "3"}, 1, "0x0009 Music EQ 2 type: 0..2 (PEQ..HSEQ)"},
      {{"restore", "--unit", link, bad},
       1,
       "velantroctl: " + bad + " is not a valid preset: line 1 is not encoded preset text"},
      {{"restore", "--unit", link, (dir / "missing.Nddt").string()},
       1,
       "velantroctl: cannot read " + (dir / "missing.Nddt").string() + ": there is no such file"},
      {{"restore", "--unit", link, dir.string()},
       1,
       "velantroctl: cannot read " + dir.string() + ": it is a folder, not a preset file"},
      {{"set", "--unit", link, "0x0105"}, 2, "usage"},
      // A word that is no number is a parameter's name; a value that is none is refused.
      {{"get", "--unit", link, "five"}, 2, "no parameter is named \"five\""},
      {{"set", "--unit", link, "0x0105", "five"}, 2, "five is no value"},
      {{"get", "0x0105"}, 2, "--unit"},
      {{"backup", "--unit", "127.0.0.1:notaport", "x.Nddt"}, 2, "port"},
      {{"--timeout", "0", "get", "--unit", link, "0x0105"}, 2, "--timeout needs"},
      {{"get", "--unit", link, "0x0105", "--timeout", "-1"}, 2, "--timeout needs"},
      {{"get", "--unit", link, "0x0105", "--timeout", "soon"}, 2, "--timeout needs"},
      {{"get", "--unit", link, "0x0105", "--timeout"}, 2, "--timeout needs"},
      {{"--unit", link, "0x0105"}, 2, "unknown command 0x0105"},
      {{"--unit", link, "--paced"}, 2, "no command given"},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << " " << c.args.back() << "\n" << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
  }
  EXPECT_FALSE(unit.Connected());
  fs::remove_all(dir);
}

TEST_F(StandInUnit, OptionsStandBeforeOrAfterTheCommandWord) {
  const std::string unit = tcp[1];
  const std::string preset = VELANTRO_EXAMPLES "/MusicBoost.Nddt";
  const CtlResult curve = Ctl({"curve", preset, "--page", "0"});
  ASSERT_EQ(curve.exitCode, 0) << curve.output;
  struct Case {
    std::vector<std::string> args;
    std::string output;
  };
  const std::vector<Case> cases{
      {{"set", "0x0105", "300", "--unit", unit}, "set: 0x0105 = 300\n"},
      {{"--unit", unit, "get", "0x0105"}, "300\n"},
      {{"get", "0x0105", "--unit", unit}, "300\n"},
      {{"get", "--unit", unit, "--timeout", "60", "0x0105"}, "300\n"},
      {{"--timeout", "60", "get", "0x0105", "--unit", unit}, "300\n"},
      {{"--serial", pty[1], "get", "0x0105", "--timeout", "60"}, "300\n"},
      {{"--page", "0", "--timeout", "1", "curve", preset}, curve.output},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl(c.args);
    EXPECT_EQ(r.exitCode, 0) << c.args[0] << " " << c.args[1] << "\n" << r.output;
    EXPECT_EQ(r.output, c.output) << c.args[0] << " " << c.args[1];
  }
}

// --paced: the search waits for its first timer tick, a second after the start, so a paced get
// cannot be done within half a second; the same get without it can.
TEST_F(StandInUnit, PacedRequestsWaitForTheTimerTicks) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string says;
  };
  const std::vector<Case> cases{
      {{"get", "--unit", tcp[1], "0x0105", "--paced", "--timeout", "0.5"},
       3,
       "timed out after 0.5 s (--timeout) while searching for the unit at " + tcp[1]},
      {{"--paced", "--timeout", "0.5", "get", "--serial", pty[1], "0x0105"},
       3,
       "timed out after 0.5 s (--timeout) while searching for the unit at " + pty[1]},
      {{"get", "--unit", tcp[1], "0x0105", "--timeout", "60"}, 0, "0\n"},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
  }
}

#ifdef VELANTRO_CONSOLE
// The console's --paced: after the search's first status nothing happens until its timer tick,
// a second later; then the search goes on and reaches the unit.
TEST_F(StandInUnit, PacedConsoleSearchWaitsForTheTimerTick) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ChildProcess console({VELANTRO_CONSOLE, "--paced", "--print-status", "--unit", tcp[1]});
  ASSERT_TRUE(console.WaitFor("status: Equipment search...")) << console.output();
  EXPECT_FALSE(console.WaitFor("status: Linking...", 500)) << console.output();
  EXPECT_TRUE(console.WaitFor("status: Linking...")) << console.output();
}
#endif

// --timeout bounds the whole command: a unit that hears nothing, a port that takes the connection
// and never answers, and a unit too slow to finish the download in time all end with exit code 3
// and say what the command was waiting for. A backup that ran out writes no file.
TEST(SilentUnit, TimeoutEndsTheCommandWithExitCode3) {
  ChildProcess silent({VELANTRO_SIM, "--port", "0", "--pty"});
  ASSERT_TRUE(silent.WaitFor("pty: ")) << silent.output();
  const std::string silentTcp = "127.0.0.1:" + After(silent.output(), "tcp: 127.0.0.1:");
  const std::string silentPty = After(silent.output(), "pty: ");
  silent.Signal(SIGUSR1);
  ASSERT_TRUE(silent.WaitFor("silent: ")) << silent.output();
  ChildProcess slow({VELANTRO_SIM, "--port", "0", "--delay-ms", "300"});
  ASSERT_TRUE(slow.WaitFor("tcp: 127.0.0.1:")) << slow.output();
  const std::string slowTcp = "127.0.0.1:" + After(slow.output(), "tcp: 127.0.0.1:");
  Listener mute;
  ASSERT_NE(mute.port(), 0);
  const std::string muteTcp = "127.0.0.1:" + std::to_string(mute.port());
  const fs::path file =
      fs::temp_directory_path() / ("velantro-timeout-" + std::to_string(::getpid()) + ".Nddt");

  struct Case {
    std::vector<std::string> args;
    std::string says;
  };
  const std::vector<Case> cases{
      {{"get", "--unit", silentTcp, "0x0105", "--timeout", "0.3"},
       "timed out after 0.3 s (--timeout) while searching for the unit at " + silentTcp},
      {{"--timeout", "0.3", "backup", "--serial", silentPty, file.string()},
       "timed out after 0.3 s (--timeout) while searching for the unit at " + silentPty},
      {{"set", "--timeout", "0.3", "--unit", muteTcp, "0x0105", "1"},
       "timed out after 0.3 s (--timeout) while searching for the unit at " + muteTcp},
      // The link answer comes after 0.3 s; the whole image would take many seconds.
      {{"backup", "--unit", slowTcp, file.string(), "--timeout", "2"},
       "timed out after 2 s (--timeout) while downloading from the unit at " + slowTcp},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl(c.args);
    EXPECT_EQ(r.exitCode, 3) << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
  }
  EXPECT_FALSE(fs::exists(file));
}

// Every line velantroctl writes on stderr is its own: Qt's warnings (sockets, XDG_RUNTIME_DIR)
// never reach the terminal.
TEST(CtlMessages, EveryLineIsVelantroctls) {
  ::unsetenv("XDG_RUNTIME_DIR");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"get", "--unit", "127.0.0.1:1", "0x0105"},
           {"get", "--unit", std::string(70, 'a') + ".invalid", "0x0105"},
           {"set", "--unit", "127.0.0.1:1", "0x0040", "1"},
           {"check", "/nonexistent/x.Nddt"},
       }) {
    const CtlResult r = Ctl(args);
    EXPECT_NE(r.exitCode, 0) << r.output;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_EQ(line.rfind("velantroctl: ", 0), 0u) << args[0] << ": " << line;
    }
  }
  const CtlResult host = Ctl({"get", "--unit", std::string(70, 'a') + ".invalid", "0x0105"});
  EXPECT_EQ(host.exitCode, 3);
  EXPECT_NE(host.output.find("does not resolve"), std::string::npos) << host.output;
}

// The default network unit's address: what a --serial run must never reach.
constexpr int kDefaultUnitPort = 8889;

// --serial tries that device and nothing else: a device that cannot be opened is named, a silent
// one ends the search; the network unit at the default address never hears from velantroctl.
TEST(CtlSerial, OnlyTheGivenDeviceIsTried) {
  Listener network(kDefaultUnitPort);
  ChildProcess silent({VELANTRO_SIM, "--port", "0", "--pty"});
  ASSERT_TRUE(silent.WaitFor("pty: ")) << silent.output();
  const std::string silentPty = After(silent.output(), "pty: ");
  silent.Signal(SIGUSR1);
  ASSERT_TRUE(silent.WaitFor("silent: ")) << silent.output();
  struct Case {
    std::string device;
    std::string says;
  };
  const std::vector<Case> cases{
      {"/dev/nonexistent",
       "velantroctl: cannot open the serial device /dev/nonexistent: No such file or directory"},
      {silentPty, "velantroctl: no unit answers at " + silentPty},
  };
  for (const Case& c : cases) {
    const CtlResult r = Ctl({"get", "--serial", c.device, "0x0105"});
    EXPECT_EQ(r.exitCode, 3) << r.output;
    EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
  }
  if (network.port() == 0) GTEST_SKIP() << "port 8889 is taken: the network side is not checked";
  EXPECT_FALSE(network.Connected());
}

TEST_F(StandInUnit, BackupRefusesADeviceAndWritesDashToStandardOutput) {
  const fs::path device = dir / "out.Nddt";
  fs::create_symlink("/dev/null", device);
  CtlResult r = Ctl(With(tcp, "backup", {device.string()}));
  EXPECT_EQ(r.exitCode, 1) << r.output;
  EXPECT_NE(r.output.find("velantroctl: Cannot save the preset file \"" + device.string() +
                          "\": it is a device, not a file."),
            std::string::npos)
      << r.output;
  EXPECT_EQ(fs::read_symlink(device), "/dev/null");

  const fs::path file = dir / "file.Nddt";
  ASSERT_EQ(Ctl(With(tcp, "backup", {file.string()})).exitCode, 0);
  const ShellResult dash =
      RunShell(ShellQuoted(VELANTRO_CTL) + " backup --unit " + tcp[1] + " - 2>/dev/null");
  EXPECT_EQ(dash.exitCode, 0);
  EXPECT_EQ(dash.output, ReadFile(file));
}

TEST_F(StandInUnit, RestoreSaysWhatItDidNotRestore) {
  // The stand-in unit's music input gain differs from the example's.
  const std::string preset = VELANTRO_EXAMPLES "/MusicBoost.Nddt";
  const CtlResult r = Ctl(With(tcp, "restore", {preset}));
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("(821 parameters: pages 0 to 9 and the volume limits; System settings "
                          "are not restored)"),
            std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find("  0x0A03 Music input gain (file 0dB, unit 3dB)"), std::string::npos)
      << r.output;
}

TEST_F(StandInUnit, RestoreCutOffAfterPage3SaysTheUnitHoldsPartOfTheFile) {
  constexpr int kCutAtPage = 3;
  const int unitPort = std::stoi(tcp[1].substr(tcp[1].rfind(':') + 1));
  LimitingRelay relay(unitPort, [](Bytes& frame) {
    if (IsWriteTo(frame, sysaddr::PageUpload) && frame[6] == kCutAtPage) frame.clear();
  });
  ASSERT_NE(relay.port(), 0);
  const std::string preset = VELANTRO_EXAMPLES "/MusicBoost.Nddt";
  const CtlResult r =
      Ctl({"restore", "--unit", "127.0.0.1:" + std::to_string(relay.port()), preset});
  EXPECT_EQ(r.exitCode, 3) << r.output;
  EXPECT_NE(r.output.find("velantroctl: restore: the unit now holds part of " + preset +
                          ": the volume limits and pages 0 to 2 were written"),
            std::string::npos)
      << r.output;
}

TEST(NoUnit, NothingListeningEndsWithExitCode3) {
  // A port that nothing listens on: the network search sends its link requests and gives up.
  const CtlResult r = Ctl({"get", "--unit", "127.0.0.1:1", "0x0105"});
  EXPECT_EQ(r.exitCode, 3) << r.output;
  EXPECT_NE(r.output.find("no unit answers at 127.0.0.1:1"), std::string::npos) << r.output;
}

// Stand-in units whose answers only look right: strays before the answer, a cut page, every
// answer twice, answers in slow pieces, a unit that pauses mid-download. Each run must leave the
// unit and the backup exactly as a clean unit would.
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
    const CtlResult set = Ctl(Args("set", link, {"0x0624", "90"}));
    EXPECT_EQ(set.exitCode, 0) << set.output;
    const fs::path file = dir / name;
    const CtlResult backup = Ctl(Args("backup", link, {file.string()}));
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
