// The real console against the real stand-in unit on 127.0.0.1: it finds the unit on the network,
// downloads its image and goes online; SIGTERM then closes the window like its close button,
// which sends the unit the disconnect code.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace velantro {
namespace {

// A child process with its stdout (and stderr) on a pipe.
class Child {
 public:
  explicit Child(const std::vector<std::string>& argv) {
    int fds[2];
    if (::pipe(fds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(fds[1], STDOUT_FILENO);
      ::dup2(fds[1], STDERR_FILENO);
      ::close(fds[0]);
      ::close(fds[1]);
      std::vector<char*> args;
      for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      ::execv(args[0], args.data());
      ::_exit(127);
    }
    ::close(fds[1]);
    out_ = fds[0];
  }
  ~Child() {
    if (pid_ > 0 && !reaped_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) ::close(out_);
  }

  // Reads until a line containing `text` arrives; false when the output ends first or nothing
  // arrives for `quietMs` (a guard against a hang, not a measurement).
  bool WaitFor(const std::string& text, int quietMs = 30000) {
    while (true) {
      size_t newline;
      while ((newline = buffer_.find('\n')) != std::string::npos) {
        const std::string line = buffer_.substr(0, newline);
        buffer_.erase(0, newline + 1);
        lines_.push_back(line);
        if (line.find(text) != std::string::npos) return true;
      }
      pollfd p{out_, POLLIN, 0};
      if (::poll(&p, 1, quietMs) <= 0) return false;
      char chunk[512];
      const ssize_t got = ::read(out_, chunk, sizeof chunk);
      if (got <= 0) return false;
      buffer_.append(chunk, static_cast<size_t>(got));
    }
  }

  // Exit code, or 128 + signal.
  int Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    reaped_ = true;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
  }

  void Signal(int signal) { ::kill(pid_, signal); }
  bool started() const { return pid_ > 0 && out_ >= 0; }
  std::string Transcript() const {
    std::string all;
    for (const std::string& line : lines_) all += line + "\n";
    return all + buffer_;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  bool reaped_ = false;
  std::string buffer_;
  std::vector<std::string> lines_;
};

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

  Child sim({VELANTRO_SIM, "--listen", "127.0.0.1", "--port", "0"});
  ASSERT_TRUE(sim.started());
  ASSERT_TRUE(sim.WaitFor("tcp: 127.0.0.1:")) << sim.Transcript();
  const std::string port = PortFrom(sim.Transcript());
  ASSERT_FALSE(port.empty()) << sim.Transcript();

  Child console({VELANTRO_CONSOLE, "--unit", "127.0.0.1:" + port, "--print-status"});
  ASSERT_TRUE(console.started());
  ASSERT_TRUE(console.WaitFor("status: Online")) << console.Transcript();
  EXPECT_NE(console.Transcript().find("status: Linking..."), std::string::npos);

  console.Signal(SIGTERM);
  EXPECT_EQ(console.Wait(), 0) << console.Transcript();
  std::filesystem::remove_all(runtime);
}

}  // namespace
}  // namespace velantro
