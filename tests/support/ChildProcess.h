#pragma once

// A program run by a test: its stdout and stderr come back through one pipe, read line by line.
// The process is ended (SIGTERM, then SIGKILL) and reaped when the object goes away.

#include <sys/types.h>

#include <string>
#include <vector>

namespace velantro::test {

class ChildProcess {
 public:
  // argv[0] is the program's path.
  explicit ChildProcess(std::vector<std::string> argv);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0 && out_ >= 0; }

  // Reads until a complete line containing `text` arrives after the line of the previous match;
  // false when the output ends first or nothing arrives for `quietMs` (a guard against a hang,
  // not a measurement).
  bool WaitFor(const std::string& text, int quietMs = 60000);

  // Reads the output to its end, then reaps the process: its exit code, or 128 + the signal that
  // ended it.
  int Wait(int quietMs = 120000);

  void Signal(int signal);

  // Everything read so far.
  const std::string& output() const { return output_; }

 private:
  bool ReadSome(int quietMs);

  pid_t pid_ = -1;
  int out_ = -1;
  bool reaped_ = false;
  int exitCode_ = -1;
  std::string output_;
  size_t matched_ = 0;  // where the search of the next WaitFor starts
};

}  // namespace velantro::test
