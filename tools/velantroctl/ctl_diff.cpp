#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "CtlLanguage.h"
#include "CtlLink.h"
#include "binding/ImageDiff.h"
#include "binding/ParameterCatalog.h"

namespace velantro::ctl {

namespace {

// diff's exit codes are diff(1)'s, apart from the unit's own.
constexpr int kDiffSame = 0;
constexpr int kDiffDifferent = 1;
constexpr int kDiffTrouble = 2;

constexpr char kUnitWord[] = "unit";

struct DiffRequest {
  std::vector<std::string> sides;  // two: preset files, or one of them "unit"
  std::optional<LinkTarget> link;
  bool json = false;
  DiffScope scope = DiffScope::Upload;
};

bool HasLinkOption(const std::vector<std::string>& args) {
  return std::ranges::any_of(args,
                             [](const std::string& w) { return w == "--unit" || w == "--serial"; });
}

// Empty text when the words make a comparison, else what is wrong with them.
std::string ReadDiffArguments(std::vector<std::string> args, DiffRequest& request) {
  if (HasLinkOption(args)) {
    LinkTarget target;
    if (!TakeLinkTarget(args, target)) return Say(QT_TRANSLATE_NOOP("velantro", "give one LINK"));
    request.link = target;
  }
  for (const std::string& word : args) {
    if (word == "--json") {
      request.json = true;
    } else if (word == "--all") {
      request.scope = DiffScope::All;
    } else if (word.empty() || word.starts_with("--")) {
      return word.empty() ? Say(QT_TRANSLATE_NOOP("velantro", "unexpected empty word"))
                          : SayWith(QT_TRANSLATE_NOOP("velantro", "unexpected %1"), {word});
    } else {
      request.sides.push_back(word);
    }
  }
  // With one file and a link, the file is compared with the unit.
  if (request.sides.size() == 1 && request.link) request.sides.push_back(kUnitWord);
  if (request.sides.size() != 2) {
    return Say(QT_TRANSLATE_NOOP("velantro", "give two presets, or a preset and unit"));
  }
  const auto units = std::ranges::count(request.sides, std::string(kUnitWord));
  if (units > 1) return Say(QT_TRANSLATE_NOOP("velantro", "only one side can be the unit"));
  if (units == 1 && !request.link) {
    return Say(QT_TRANSLATE_NOOP("velantro", "unit needs --unit HOST[:PORT] or --serial DEVICE"));
  }
  if (units == 0 && request.link) {
    return Say(QT_TRANSLATE_NOOP("velantro", "a LINK is given but neither side is unit"));
  }
  return {};
}

std::string SideName(const std::string& side, const DiffRequest& request) {
  return side == kUnitWord ? "unit " + Describe(*request.link) : side;
}

// A value whose text is the same on both sides (a value past its range shows as the end of the
// range) says its raw value too, so the line never reads as no change. The value's words ("Off",
// "(differs)") are in the language in use.
std::string Shown(const ImageDifference& d, bool before) {
  const std::string text = Say((before ? d.before : d.after).c_str());
  if (d.kind == DifferenceKind::Secret || d.before != d.after) return text;
  return SayWith(QT_TRANSLATE_NOOP("velantro", "%1 (raw %2)"),
                 {text, std::to_string(before ? d.rawBefore : d.rawAfter)});
}

const char* KindName(DifferenceKind kind) {
  switch (kind) {
    case DifferenceKind::Layout:
      return "layout";
    case DifferenceKind::Secret:
      return "secret";
    case DifferenceKind::Value:
      break;
  }
  return "value";
}

// A difference's name in the language in use; a value of the other music setting keeps its note.
std::string DifferenceName(const ImageDifference& d) {
  constexpr std::string_view kOtherSetting = " (other music setting)";
  if (d.otherMusicSetting && d.name.ends_with(kOtherSetting)) {
    return SayLabel(d.name.substr(0, d.name.size() - kOtherSetting.size())) +
           Say(QT_TRANSLATE_NOOP("velantro", " (other music setting)"));
  }
  return SayLabel(d.name);
}

void PrintText(const std::vector<ImageDifference>& differences) {
  for (const ImageDifference& d : differences) {
    std::printf(
        "%s: %s \u2192 %s%s\n", DifferenceName(d).c_str(), Shown(d, true).c_str(),
        Shown(d, false).c_str(),
        d.kind == DifferenceKind::Layout
            ? Say(QT_TRANSLATE_NOOP("velantro", " (each image is read in its own layout)")).c_str()
            : "");
  }
  std::printf("%s\n",
              SayWith(differences.size() == 1 ? QT_TRANSLATE_NOOP("velantro", "%1 difference")
                                              : QT_TRANSLATE_NOOP("velantro", "%1 differences"),
                      {std::to_string(differences.size())})
                  .c_str());
}

void PrintJson(const std::vector<ImageDifference>& differences, const DiffRequest& request) {
  std::printf(
      "{\"before\": %s, \"after\": %s, \"scope\": \"%s\", \"count\": %zu, "
      "\"differences\": [",
      JsonQuoted(SideName(request.sides[0], request)).c_str(),
      JsonQuoted(SideName(request.sides[1], request)).c_str(),
      request.scope == DiffScope::All ? "all" : "upload", differences.size());
  for (size_t k = 0; k < differences.size(); ++k) {
    const ImageDifference& d = differences[k];
    std::printf(
        "%s\n  {\"address\": \"0x%04X\", \"name\": %s, \"kind\": \"%s\", \"before\": %s, "
        "\"after\": %s",
        k == 0 ? "" : ",", static_cast<unsigned>(d.address), JsonQuoted(d.name).c_str(),
        KindName(d.kind), JsonQuoted(d.before).c_str(), JsonQuoted(d.after).c_str());
    if (d.kind != DifferenceKind::Secret) {
      std::printf(", \"rawBefore\": %d, \"rawAfter\": %d", d.rawBefore, d.rawAfter);
    }
    if (d.otherMusicSetting) std::printf(", \"otherMusicSetting\": true");
    std::printf("}");
  }
  std::printf("%s]}\n", differences.empty() ? "" : "\n");
}

}  // namespace

// velantroctl diff A B: what differs between two presets, or a preset and the unit, as the
// window shows each value. The files are read before the unit is asked, so a bad file costs
// no connection.
int RunDiff(const std::vector<std::string>& args, const RunOptions& options) {
  DiffRequest request;
  if (const std::string problem = ReadDiffArguments(args, request); !problem.empty()) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "diff: %1"), {problem}));
    Complain(Say(QT_TRANSLATE_NOOP("velantro",
                                   "usage: velantroctl diff A B [--all] [--json] (A, B: preset "
                                   "files, or one of them unit with a LINK)")));
    return kDiffTrouble;
  }
  std::array<DeviceTable, 2> images{};
  for (size_t k = 0; k < images.size(); ++k) {
    std::string text;
    if (request.sides[k] != kUnitWord && !LoadPreset(request.sides[k], text, images[k])) {
      return kDiffTrouble;
    }
  }
  const auto unitSide = std::ranges::find(request.sides, std::string(kUnitWord));
  if (unitSide != request.sides.end()) {
    CtlLink session(*request.link, options, false);
    if (!session.ConnectAndDownload()) return session.ReportFailure();
    images[static_cast<size_t>(unitSide - request.sides.begin())] = session.store.DeviceImage;
    session.Disconnect();
  }
  const std::vector<ImageDifference> differences =
      DiffImages(images[0], images[1], ParameterCatalog(), request.scope);
  if (request.json) {
    PrintJson(differences, request);
  } else {
    PrintText(differences);
  }
  return differences.empty() ? kDiffSame : kDiffDifferent;
}

}  // namespace velantro::ctl
