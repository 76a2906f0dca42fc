#include <unistd.h>

#include <cstdio>

#include "CtlCommands.h"
#include "CtlLink.h"
#include "link/Frames.h"
#include "presets/PresetFile.h"

namespace velantro::ctl {

namespace {

constexpr int kUploadedPages = 10;    // pages 0 … 9 travel as page uploads
constexpr int kVolumeLimitFirst = 6;  // DeviceImage[10][6 … 11] travel as value writes
constexpr int kVolumeLimitCount = 6;
constexpr size_t kDifferencesShown = 10;

struct Difference {
  int page;
  int index;
  int sent;
  int held;
};

// What the upload put on the wire for a cell: its 16-bit value.
int WireValue(int32_t value) { return static_cast<uint16_t>(value); }

// Asks the unit for every cell the upload carried and lists the cells that differ from `sent`.
// False when the unit stopped answering.
bool ReadBackUpload(CtlLink& session, const DeviceTable& sent, std::vector<Difference>& out) {
  const auto compare = [&](int page, int first, int count) {
    for (int index = first; index < first + count; ++index) {
      const int want = WireValue(sent[page][index]);
      const int held = session.store.Device(page, index);
      if (held != want) out.push_back({page, index, want, held});
    }
  };
  for (int page = 0; page < kUploadedPages; ++page) {
    const int count = PageUploadValueCount(page);
    if (!session.ReadBack(BuildPageRequest(page), page, 0, count)) return false;
    compare(page, 0, count);
  }
  for (int index = kVolumeLimitFirst; index < kVolumeLimitFirst + kVolumeLimitCount; ++index) {
    const Bytes request = BuildItemRequest(MakeAddress(kSystemPage, index));
    if (!session.ReadBack(request, kSystemPage, index, 1)) return false;
    compare(kSystemPage, index, 1);
  }
  return true;
}

void ReportDifferences(const std::vector<Difference>& differences, const std::string& where) {
  std::fprintf(stderr, "velantroctl: the unit at %s does not hold what was uploaded (%zu %s)\n",
               where.c_str(), differences.size(),
               differences.size() == 1 ? "difference" : "differences");
  for (size_t k = 0; k < differences.size() && k < kDifferencesShown; ++k) {
    const Difference& d = differences[k];
    std::fprintf(stderr, "page %d index %d: sent %d, unit holds %d\n", d.page, d.index, d.sent,
                 d.held);
  }
  if (differences.size() > kDifferencesShown) {
    std::fprintf(stderr, "... and %zu more\n", differences.size() - kDifferencesShown);
  }
}

}  // namespace

// velantroctl restore LINK FILE: reads a preset, connects, downloads, uploads the preset, then
// asks the unit for everything the upload carried and compares.
int RunRestore(const std::vector<std::string>& words, const RunOptions& options) {
  std::vector<std::string> args = words;
  LinkTarget target;
  if (!TakeLinkTarget(args, target) || args.size() != 1 || args[0].empty()) {
    std::fputs("usage: velantroctl restore LINK FILE\n", stderr);
    return kExitUsage;
  }
  // The file is checked before anything is sent; a bad one is refused with the reader's message.
  std::string text;
  PresetParseResult check{ReadPresetText(args[0], text), 0};
  DeviceTable scratch{};
  if (check.error == PresetError::None) check = ParsePresetText(text, scratch);
  if (check.error != PresetError::None) {
    std::fprintf(stderr, "velantroctl: %s\n", PresetErrorText(check.error).english.c_str());
    return kExitBadInput;
  }

  CtlLink session(target, options, isatty(STDERR_FILENO) != 0);
  if (!session.ConnectAndDownload()) return session.ReportFailure();
  // As the console's load flow: the preset's cells replace the downloaded ones, the rest of the
  // store (ViewValues) stays as the unit sent it.
  ParsePresetText(text, session.store.DeviceImage);
  const DeviceTable sent = session.store.DeviceImage;
  if (!session.Upload()) return session.ReportFailure();
  std::vector<Difference> differences;
  if (!ReadBackUpload(session, sent, differences)) return session.ReportFailure();
  session.Disconnect();
  if (!differences.empty()) {
    ReportDifferences(differences, Describe(target));
    return kExitNoUnit;
  }
  std::printf("restore: %s uploaded to %s (%d parameters)\n", args[0].c_str(),
              Describe(target).c_str(), check.parameterCount);
  return kExitOk;
}

}  // namespace velantro::ctl
