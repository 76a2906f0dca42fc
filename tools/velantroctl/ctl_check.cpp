#include <cstdio>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "model/Messages.h"
#include "model/ParamStore.h"
#include "presets/PresetFile.h"

namespace velantro::ctl {

namespace {

// Message boxes of a terminal command: the text goes to stderr; nobody can answer a question.
class StderrMessages : public Messages {
 public:
  void Information(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  bool AskYesNo(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "%s (no)\n", text.c_str());
    return false;
  }
  bool AskOkCancel(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "%s (cancel)\n", text.c_str());
    return false;
  }
};

}  // namespace

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
