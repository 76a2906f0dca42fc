#include <unistd.h>

#include <cstdio>

#include "CtlCommands.h"
#include "CtlLink.h"
#include "presets/PresetFile.h"

namespace velantro::ctl {

namespace {

class StderrBoxes : public Messages {
 public:
  void Information(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "velantroctl: %s\n", text.c_str());
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  bool AskOkCancel(const std::string&, const std::string&) override { return false; }
};

}  // namespace

// velantroctl backup LINK FILE: downloads the unit's whole image and writes it as a preset.
int RunBackup(const std::vector<std::string>& words, const RunOptions& options) {
  std::vector<std::string> args = words;
  LinkTarget target;
  if (!TakeLinkTarget(args, target) || args.size() != 1 || args[0].empty()) {
    std::fputs("usage: velantroctl backup LINK FILE\n", stderr);
    return kExitUsage;
  }
  CtlLink session(target, options, isatty(STDERR_FILENO) != 0);
  if (!session.ConnectAndDownload()) return session.ReportFailure();
  StderrBoxes boxes;
  const bool written = WritePresetFile(args[0], session.store, boxes);
  session.Disconnect();
  if (!written) return kExitBadInput;
  std::printf("backup: %s written from %s\n", args[0].c_str(), Describe(target).c_str());
  return kExitOk;
}

}  // namespace velantro::ctl
