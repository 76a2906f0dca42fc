#include <cstdio>

#include "CtlCommands.h"

namespace velantro::ctl {

// Placeholder until the command is written; replace this file.
int RunSet(const std::vector<std::string>&) {
  std::fputs("velantroctl set: not available yet\n", stderr);
  return kExitUsage;
}

}  // namespace velantro::ctl
