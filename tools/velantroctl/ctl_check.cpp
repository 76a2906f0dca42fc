#include <cstdio>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "CtlLanguage.h"
#include "model/ParamStore.h"
#include "presets/PresetFile.h"

namespace velantro::ctl {

bool LoadPreset(const std::string& path, std::string& text, DeviceTable& image,
                int* parameterCount) {
  LocalizedText why;
  if (ReadPresetText(path, text, &why) != PresetError::None) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "cannot read %1: %2"),
                     {path, why.In(LanguageInUse())}));
    return false;
  }
  const PresetParseResult result = ParsePresetText(text, image);
  if (result.error != PresetError::None) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "%1 is not a valid preset: %2"),
                     {path, result.Detail().In(LanguageInUse())}));
    return false;
  }
  if (parameterCount != nullptr) *parameterCount = result.parameterCount;
  return true;
}

// velantroctl check FILE: reads the preset as the console would and reports the result.
int RunCheck(const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty()) {
    Complain(Say(QT_TRANSLATE_NOOP("velantro", "usage: velantroctl check FILE")));
    return kExitUsage;
  }
  ParamStore store;
  std::string text;
  int parameters = 0;
  if (!LoadPreset(args[0], text, store.DeviceImage, &parameters)) return kExitBadInput;
  std::printf("%s\n", SayWith(QT_TRANSLATE_NOOP("velantro", "ok: %1 parameters"),
                              {std::to_string(parameters)})
                          .c_str());
  return kExitOk;
}

}  // namespace velantro::ctl
