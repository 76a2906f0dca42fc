#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "CtlCommands.h"
#include "CtlLanguage.h"
#include "CtlLink.h"
#include "presets/PresetFile.h"

namespace velantro::ctl {

namespace {

class StderrBoxes : public Messages {
 public:
  void Information(const std::string& text, const std::string&) override { Complain(text); }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  bool AskOkCancel(const std::string&, const std::string&) override { return false; }
};

// Where "-" sends the preset: standard output, written as it is (a pipe or a terminal is no file
// to replace); the result line then goes to stderr so that it does not join the preset.
constexpr char kStandardOutput[] = "-";

bool WriteToStandardOutput(const ParamStore& store) {
  const std::string text = FormatPresetFile(store);
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0) {
    return true;
  }
  Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "cannot write the preset to standard output: %1"),
                   {std::strerror(errno)}));
  return false;
}

}  // namespace

// velantroctl backup LINK FILE: downloads the unit's whole image and writes it as a preset.
int RunBackup(const std::vector<std::string>& words, const RunOptions& options) {
  std::vector<std::string> args = words;
  LinkTarget target;
  if (!TakeLinkTarget(args, target) || args.size() != 1 || args[0].empty()) {
    Complain(Say(QT_TRANSLATE_NOOP("velantro",
                                   "usage: velantroctl backup LINK FILE (- for standard output)")));
    return kExitUsage;
  }
  CtlLink session(target, options, isatty(STDERR_FILENO) != 0);
  if (!session.ConnectAndDownload()) return session.ReportFailure();
  const bool toStandardOutput = args[0] == kStandardOutput;
  StderrBoxes boxes;
  const bool written = toStandardOutput
                           ? WriteToStandardOutput(session.store)
                           : WritePresetFile(args[0], session.store, boxes, LanguageInUse());
  session.Disconnect();
  if (!written) {
    std::error_code ignored;
    if (!toStandardOutput && std::filesystem::exists(args[0], ignored) &&
        !std::filesystem::is_regular_file(args[0], ignored)) {
      Complain(Say(QT_TRANSLATE_NOOP(
          "velantro", "backup: give - as FILE to write the preset to standard output")));
    }
    return kExitBadInput;
  }
  if (toStandardOutput) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "backup: written to standard output from %1"),
                     {Describe(target)}));
  } else {
    std::printf("%s\n", SayWith(QT_TRANSLATE_NOOP("velantro", "backup: %1 written from %2"),
                                {args[0], Describe(target)})
                            .c_str());
  }
  return kExitOk;
}

}  // namespace velantro::ctl
