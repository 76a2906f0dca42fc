#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "CtlLanguage.h"
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
  Complain(SayWith(
      differences.size() == 1
          ? QT_TRANSLATE_NOOP("velantro",
                              "the unit at %1 does not hold what was uploaded (%2 difference)")
          : QT_TRANSLATE_NOOP("velantro",
                              "the unit at %1 does not hold what was uploaded (%2 differences)"),
      {where, std::to_string(differences.size())}));
  for (size_t k = 0; k < differences.size() && k < kDifferencesShown; ++k) {
    const Difference& d = differences[k];
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "page %1 index %2: sent %3, unit holds %4"),
                     {std::to_string(d.page), std::to_string(d.index), std::to_string(d.sent),
                      std::to_string(d.held)}));
  }
  if (differences.size() > kDifferencesShown) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "... and %1 more"),
                     {std::to_string(differences.size() - kDifferencesShown)}));
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
    lines.push_back(SayWith(QT_TRANSLATE_NOOP("velantro", "%1 %2 (file %3, unit %4)"),
                            {Hex(address), SayLabel(catalog.Find(address)->label),
                             Say(catalog.DisplayText(address, inFile).c_str()),
                             Say(catalog.DisplayText(address, onUnit).c_str())}));
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
  if (pages == 1) return Say(QT_TRANSLATE_NOOP("velantro", "page 0"));
  return SayWith(QT_TRANSLATE_NOOP("velantro", "pages 0 to %1"), {std::to_string(pages - 1)});
}

// A restore that failed once the unit had taken part of the file says so: the unit then holds a
// mix of the file and what it held before.
int ReportBrokenUpload(CtlLink& session, const std::string& file) {
  const int code = session.ReportFailure();
  const std::string pages = PagesWritten(session.UploadStepReached());
  if (session.UploadStepReached() > 0) {
    Complain(pages.empty()
                 ? SayWith(QT_TRANSLATE_NOOP("velantro",
                                             "restore: the unit now holds part of %1: some volume "
                                             "limits written, the rest is what it held before; "
                                             "restore again"),
                           {file})
                 : SayWith(QT_TRANSLATE_NOOP("velantro",
                                             "restore: the unit now holds part of %1: the volume "
                                             "limits and %2 were written, the rest is what it held "
                                             "before; restore again"),
                           {file, pages}));
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
    Complain(Say(QT_TRANSLATE_NOOP("velantro", "usage: velantroctl restore LINK FILE")));
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
  std::printf("%s\n", SayWith(QT_TRANSLATE_NOOP("velantro",
                                                "restore: %1 uploaded to %2 (%3 parameters: pages "
                                                "0 to 9 and the volume limits; System settings are "
                                                "not restored)"),
                              {args[0], Describe(target), std::to_string(parameterCount)})
                          .c_str());
  const std::vector<std::string> kept = UnrestoredDifferences(file, unitBefore);
  if (!kept.empty()) {
    std::printf("%s\n", Say(QT_TRANSLATE_NOOP("velantro",
                                              "restore: these System settings of the "
                                              "file differ on the unit and were kept:"))
                            .c_str());
    for (const std::string& line : kept) std::printf("  %s\n", line.c_str());
  }
  return kExitOk;
}

}  // namespace velantro::ctl
