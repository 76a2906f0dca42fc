#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "model/ParamStore.h"

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

// Reads and checks a preset file for a command; the file's cells replace image's only when it is
// a valid preset. Otherwise says on stderr what is wrong with which file and returns false.
// text receives the file's text; parameterCount, when given, its number of parameters.
bool LoadPreset(const std::string& path, std::string& text, DeviceTable& image,
                int* parameterCount = nullptr);

// The full usage: on stdout for --help, on stderr after wrong usage.
void PrintUsage(std::FILE* out);

}  // namespace velantro::ctl
