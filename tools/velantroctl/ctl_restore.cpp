#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "CtlLink.h"
#include "binding/ParameterCatalog.h"
#include "link/Frames.h"
#include "link/TransferPlan.h"
#include "presets/PresetFile.h"

namespace velantro::ctl {

namespace {

constexpr size_t kDifferencesShown = 10;

// What a preset carries on the system page that its upload does not send; the unit keeps its own.
constexpr std::array<ParamAddress, 9> kNotRestored{
    sysaddr::CurrentMode,       sysaddr::MusicInputLevel,  sysaddr::UserOrAdmin,
    sysaddr::AutoKeyLock,       sysaddr::MusicInputSelect, sysaddr::Remote,
    sysaddr::MusicNormalVolume, sysaddr::MicNormalVolume,  sysaddr::EffectNormalVolume};

struct Difference {
  int page;
  int index;
  int sent;
  int held;
};

// What the upload put on the wire for a cell: its 16-bit value.
int WireValue(int32_t value) { return static_cast<uint16_t>(value); }

// Asks the unit for every cell the upload's plan carried (the pages first, then the volume
// limits) and lists the cells that differ from `sent`. False when the unit stopped answering.
bool ReadBackUpload(CtlLink& session, const DeviceTable& sent, std::vector<Difference>& out) {
  const auto compare = [&](int page, int first, int count) {
    for (int index = first; index < first + count; ++index) {
      const int want = WireValue(sent[page][index]);
      const int held = session.store.Device(page, index);
      if (held != want) out.push_back({page, index, want, held});
    }
  };
  const std::vector<PlannedRequest>& steps = UploadPlan().requests;
  for (const PlannedRequest& step : steps) {
    if (step.kind != RequestKind::PageUpload) continue;
    const int count = PageUploadValueCount(step.number);
    if (!session.ReadBack(BuildPageRequest(step.number), step.number, 0, count)) return false;
    compare(step.number, 0, count);
  }
  for (const PlannedRequest& step : steps) {
    if (step.kind != RequestKind::VolumeWrite) continue;
    const int index = IndexOf(step.address);
    if (!session.ReadBack(BuildItemRequest(step.address), kSystemPage, index, 1)) return false;
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
    std::fprintf(stderr, "velantroctl: page %d index %d: sent %d, unit holds %d\n", d.page, d.index,
                 d.sent, d.held);
  }
  if (differences.size() > kDifferencesShown) {
    std::fprintf(stderr, "velantroctl: ... and %zu more\n", differences.size() - kDifferencesShown);
  }
}

// The System settings of the file that the unit holds differently: "0x0A03 Music input gain
// (file 12, unit 0)", one per line after the result.
std::vector<std::string> UnrestoredDifferences(const DeviceTable& file, const ParamStore& unit) {
  const ParameterCatalog catalog;
  std::vector<std::string> lines;
  for (const ParamAddress address : kNotRestored) {
    const int index = IndexOf(address);
    const int inFile = WireValue(file[kSystemPage][index]);
    const int onUnit = unit.Device(kSystemPage, index);
    if (inFile == onUnit) continue;
    char line[160];
    std::snprintf(line, sizeof line, "0x%04X %s (file %s, unit %s)", static_cast<unsigned>(address),
                  catalog.Find(address)->label.c_str(),
                  catalog.DisplayText(address, inFile).c_str(),
                  catalog.DisplayText(address, onUnit).c_str());
    lines.push_back(line);
  }
  return lines;
}

// "pages 0 to 2", "page 0", or nothing when no page was acknowledged: the upload's pages before
// the step it reached.
std::string PagesWritten(int uploadStepReached) {
  const std::vector<PlannedRequest>& steps = UploadPlan().requests;
  const auto pages = std::count_if(steps.begin(), steps.end(), [&](const PlannedRequest& step) {
    return step.kind == RequestKind::PageUpload && step.progressStep < uploadStepReached;
  });
  if (pages == 0) return {};
  if (pages == 1) return "page 0";
  return "pages 0 to " + std::to_string(pages - 1);
}

// A restore that failed once the unit had taken part of the file says so: the unit then holds a
// mix of the file and what it held before.
int ReportBrokenUpload(CtlLink& session, const std::string& file) {
  const int code = session.ReportFailure();
  const std::string pages = PagesWritten(session.UploadStepReached());
  if (session.UploadStepReached() > 0) {
    std::fprintf(stderr,
                 "velantroctl: restore: the unit now holds part of %s: %s%s written, the rest "
                 "is what it held before; restore again\n",
                 file.c_str(), pages.empty() ? "some volume limits" : "the volume limits and ",
                 pages.empty() ? "" : (pages + " were").c_str());
  }
  return code;
}

}  // namespace

// velantroctl restore LINK FILE: reads a preset, connects, downloads, uploads the preset, then
// asks the unit for everything the upload carried and compares.
int RunRestore(const std::vector<std::string>& words, const RunOptions& options) {
  std::vector<std::string> args = words;
  LinkTarget target;
  if (!TakeLinkTarget(args, target) || args.size() != 1 || args[0].empty()) {
    std::fputs("velantroctl: usage: velantroctl restore LINK FILE\n", stderr);
    return kExitUsage;
  }
  // The file is checked before anything is sent.
  std::string text;
  int parameterCount = 0;
  DeviceTable scratch{};
  if (!LoadPreset(args[0], text, scratch, &parameterCount)) return kExitBadInput;

  CtlLink session(target, options, isatty(STDERR_FILENO) != 0);
  if (!session.ConnectAndDownload()) return session.ReportFailure();
  // As the console's load flow: the preset's cells replace the downloaded ones, the rest of the
  // store (ViewValues) stays as the unit sent it.
  const ParamStore unitBefore = session.store;
  DeviceTable file{};
  ParsePresetText(text, file);
  ParsePresetText(text, session.store.DeviceImage);
  const DeviceTable sent = session.store.DeviceImage;
  if (!session.Upload()) return ReportBrokenUpload(session, args[0]);
  std::vector<Difference> differences;
  if (!ReadBackUpload(session, sent, differences)) return session.ReportFailure();
  session.Disconnect();
  if (!differences.empty()) {
    ReportDifferences(differences, Describe(target));
    return kExitNoUnit;
  }
  std::printf(
      "restore: %s uploaded to %s (%d parameters: pages 0 to 9 and the volume limits; System "
      "settings are not restored)\n",
      args[0].c_str(), Describe(target).c_str(), parameterCount);
  const std::vector<std::string> kept = UnrestoredDifferences(file, unitBefore);
  if (!kept.empty()) {
    std::printf("restore: these System settings of the file differ on the unit and were kept:\n");
    for (const std::string& line : kept) std::printf("  %s\n", line.c_str());
  }
  return kExitOk;
}

}  // namespace velantro::ctl
