#pragma once

// Runs a command line through the shell for the end-to-end tests of the command-line tools.

#include <string>

namespace velantro::test {

struct ShellResult {
  int exitCode = -1;   // -1 when the command did not exit normally
  std::string output;  // what the command wrote on stdout (redirect stderr in the line to keep it)
};

// The text as one single-quoted shell word.
std::string ShellQuoted(const std::string& text);

// Runs `command` with /bin/sh and collects its stdout.
ShellResult RunShell(const std::string& command);

}  // namespace velantro::test
