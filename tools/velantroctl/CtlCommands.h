#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "binding/ParameterCatalog.h"
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
int RunList(const std::vector<std::string>& args);
int RunDiff(const std::vector<std::string>& args, const RunOptions& options);

// ADDRESS as typed for get and set: a number (decimal or 0x-hex) or a parameter's name from
// `velantroctl list` (case ignored, or the beginning of exactly one name). Nothing when it names
// no parameter; what is wrong (unknown, or the names it could mean) is then on stderr.
std::optional<ParamAddress> ParameterOf(const std::string& word, const ParameterCatalog& catalog);

// The text as a JSON string, quotes included.
std::string JsonQuoted(const std::string& text);

// Reads and checks a preset file for a command; the file's cells replace image's only when it is
// a valid preset. Otherwise says on stderr what is wrong with which file and returns false.
// text receives the file's text; parameterCount, when given, its number of parameters.
bool LoadPreset(const std::string& path, std::string& text, DeviceTable& image,
                int* parameterCount = nullptr);

// The full usage: on stdout for --help, on stderr after wrong usage.
void PrintUsage(std::FILE* out);

}  // namespace velantro::ctl
