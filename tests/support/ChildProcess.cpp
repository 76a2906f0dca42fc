#include "support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace velantro::test {

ChildProcess::ChildProcess(std::vector<std::string> argv) {
  if (argv.empty()) return;
  int fds[2];
  // Close-on-exec, so a second child does not hold this one's pipe open.
  if (::pipe2(fds, O_CLOEXEC) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(fds[1], STDOUT_FILENO);
    ::dup2(fds[1], STDERR_FILENO);
    std::vector<char*> args;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(fds[1]);
  if (pid_ < 0) {
    ::close(fds[0]);
    return;
  }
  out_ = fds[0];
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !reaped_) {
    ::kill(pid_, SIGTERM);
    // A few seconds to end cleanly, then no more choice.
    int status = 0;
    pid_t done = 0;
    for (int i = 0; i < 100 && (done = ::waitpid(pid_, &status, WNOHANG)) == 0; ++i) {
      ::usleep(50000);
    }
    if (done == 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
    }
  }
  if (out_ >= 0) ::close(out_);
}

bool ChildProcess::WaitFor(const std::string& text, int quietMs) {
  while (true) {
    size_t lineStart = matched_;
    size_t newline;
    while ((newline = output_.find('\n', lineStart)) != std::string::npos) {
      const size_t at = output_.find(text, lineStart);
      lineStart = newline + 1;
      if (at != std::string::npos && at + text.size() <= newline) {
        matched_ = lineStart;
        return true;
      }
    }
    if (!ReadSome(quietMs)) return false;
  }
}

int ChildProcess::Wait(int quietMs) {
  if (pid_ <= 0) return -1;
  while (ReadSome(quietMs)) {
  }
  if (!reaped_) {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    reaped_ = true;
    exitCode_ = WIFEXITED(status)     ? WEXITSTATUS(status)
                : WIFSIGNALED(status) ? 128 + WTERMSIG(status)
                                      : -1;
  }
  return exitCode_;
}

void ChildProcess::Signal(int signal) {
  if (pid_ > 0 && !reaped_) ::kill(pid_, signal);
}

bool ChildProcess::ReadSome(int quietMs) {
  if (out_ < 0) return false;
  pollfd p{out_, POLLIN, 0};
  int ready;
  while ((ready = ::poll(&p, 1, quietMs)) < 0 && errno == EINTR) {
  }
  if (ready <= 0) return false;
  char chunk[512];
  ssize_t got;
  while ((got = ::read(out_, chunk, sizeof chunk)) < 0 && errno == EINTR) {
  }
  if (got <= 0) return false;
  output_.append(chunk, static_cast<size_t>(got));
  return true;
}

}  // namespace velantro::test
