#include <cstdio>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "CtlMessages.h"
#include "model/Messages.h"
#include "model/ParamStore.h"
#include "presets/PresetFile.h"

namespace velantro::ctl {

// velantroctl check FILE: reads the preset as the console would and reports the result.
int RunCheck(const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty()) {
    std::fputs("usage: velantroctl check FILE\n", stderr);
    return kExitUsage;
  }
  StderrMessages messages;
  ParamStore store;
  int parameters = 0;
  if (!ReadPresetFile(args[0], store, messages, Language::English, &parameters)) {
    return kExitBadInput;
  }
  std::printf("ok: %d parameters\n", parameters);
  return kExitOk;
}

}  // namespace velantro::ctl
