#include <cstdio>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "model/ParamStore.h"
#include "presets/PresetFile.h"

namespace velantro::ctl {

bool LoadPreset(const std::string& path, std::string& text, DeviceTable& image,
                int* parameterCount) {
  std::string why;
  if (ReadPresetText(path, text, &why) != PresetError::None) {
    std::fprintf(stderr, "velantroctl: cannot read %s: %s\n", path.c_str(), why.c_str());
    return false;
  }
  const PresetParseResult result = ParsePresetText(text, image);
  if (result.error != PresetError::None) {
    std::fprintf(stderr, "velantroctl: %s is not a valid preset: %s\n", path.c_str(),
                 result.detail.c_str());
    return false;
  }
  if (parameterCount != nullptr) *parameterCount = result.parameterCount;
  return true;
}

// velantroctl check FILE: reads the preset as the console would and reports the result.
int RunCheck(const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty()) {
    std::fputs("velantroctl: usage: velantroctl check FILE\n", stderr);
    return kExitUsage;
  }
  ParamStore store;
  std::string text;
  int parameters = 0;
  if (!LoadPreset(args[0], text, store.DeviceImage, &parameters)) return kExitBadInput;
  std::printf("ok: %d parameters\n", parameters);
  return kExitOk;
}

}  // namespace velantro::ctl
