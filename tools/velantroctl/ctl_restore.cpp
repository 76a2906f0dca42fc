#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "CtlCommands.h"
#include "CtlLink.h"
#include "presets/PresetFile.h"

namespace velantro::ctl {

namespace {

bool ReadText(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return static_cast<bool>(in) || in.eof();
}

}  // namespace

// velantroctl restore LINK FILE: reads a preset, connects, downloads, uploads the preset.
int RunRestore(const std::vector<std::string>& words) {
  std::vector<std::string> args = words;
  LinkTarget target;
  if (!TakeLinkTarget(args, target) || args.size() != 1 || args[0].empty()) {
    std::fputs("usage: velantroctl restore LINK FILE\n", stderr);
    return kExitUsage;
  }
  // The file is checked before anything is sent; a bad one is refused with the reader's message.
  std::string text;
  PresetParseResult check{PresetError::NotFound, 0};
  DeviceTable scratch{};
  if (ReadText(args[0], text)) check = ParsePresetText(text, scratch);
  if (check.error != PresetError::None) {
    std::fprintf(stderr, "velantroctl: %s\n", PresetErrorText(check.error).english.c_str());
    return kExitBadInput;
  }

  CtlLink session(target, isatty(STDERR_FILENO) != 0);
  if (!session.ConnectAndDownload()) return session.ReportFailure();
  // As the console's load flow: the preset's cells replace the downloaded ones, the rest of the
  // store (ViewValues) stays as the unit sent it.
  ParsePresetText(text, session.store.DeviceImage);
  if (!session.Upload()) return session.ReportFailure();
  session.Disconnect();
  std::printf("restore: %s uploaded to %s (%d parameters)\n", args[0].c_str(),
              Describe(target).c_str(), check.parameterCount);
  return kExitOk;
}

}  // namespace velantro::ctl
