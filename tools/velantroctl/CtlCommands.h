#pragma once

#include <string>
#include <vector>

namespace velantro::ctl {

// Exit codes shared by every command.
constexpr int kExitOk = 0;
constexpr int kExitBadInput = 1;  // bad file or refused value
constexpr int kExitUsage = 2;
constexpr int kExitNoUnit = 3;  // unit not found or lost

// Each takes the words after the command name.
int RunCheck(const std::vector<std::string>& args);
int RunCurve(const std::vector<std::string>& args);
int RunBackup(const std::vector<std::string>& args);
int RunRestore(const std::vector<std::string>& args);
int RunGet(const std::vector<std::string>& args);
int RunSet(const std::vector<std::string>& args);

void PrintUsage();

}  // namespace velantro::ctl
