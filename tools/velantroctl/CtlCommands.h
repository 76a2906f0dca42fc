#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace velantro::ctl {

// Exit codes shared by every command.
constexpr int kExitOk = 0;
constexpr int kExitBadInput = 1;  // bad file or refused value
constexpr int kExitUsage = 2;
constexpr int kExitNoUnit = 3;  // unit not found or lost, or --timeout ran out

// Options taken anywhere on the line, before or after the command word.
struct RunOptions {
  bool paced = false;                    // --paced: requests wait for the link's timer ticks
  std::optional<double> timeoutSeconds;  // --timeout: bound of the whole command
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

// Each takes the words after the command name, with the run options taken out.
int RunCheck(const std::vector<std::string>& args);
int RunCurve(const std::vector<std::string>& args);
int RunBackup(const std::vector<std::string>& args, const RunOptions& options);
int RunRestore(const std::vector<std::string>& args, const RunOptions& options);
int RunGet(const std::vector<std::string>& args, const RunOptions& options);
int RunSet(const std::vector<std::string>& args, const RunOptions& options);

// The full usage: on stdout for --help, on stderr after wrong usage.
void PrintUsage(std::FILE* out);

}  // namespace velantro::ctl
