#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "CtlLanguage.h"
#include "CtlLink.h"
#include "binding/DisplayUnits.h"
#include "binding/ParameterCatalog.h"

namespace velantro::ctl {

namespace {

const char* KindName(ParamKind kind) {
  switch (kind) {
    case ParamKind::Value:
      return QT_TRANSLATE_NOOP("velantro", "value");
    case ParamKind::BandField:
      return QT_TRANSLATE_NOOP("velantro", "band");
    case ParamKind::Command:
      return QT_TRANSLATE_NOOP("velantro", "command");
    case ParamKind::Text:
      return QT_TRANSLATE_NOOP("velantro", "text");
  }
  return QT_TRANSLATE_NOOP("velantro", "value");
}

// Requests and names have no range a person sets: the list says what they are instead.
bool HasRange(const ParamInfo& info) {
  return info.kind == ParamKind::Value || info.kind == ParamKind::BandField;
}

struct ListRequest {
  std::optional<int> page;
  bool json = false;
};

std::optional<ListRequest> ReadListArguments(const std::vector<std::string>& args) {
  ListRequest request;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--json") {
      request.json = true;
      continue;
    }
    if (args[i] != "--page" || i + 1 >= args.size()) return std::nullopt;
    const std::optional<long> page = ParseNumber(args[++i]);
    if (!page || *page < 0 || *page >= kPageCount) return std::nullopt;
    request.page = static_cast<int>(*page);
  }
  return request;
}

std::vector<const ParamInfo*> Selected(const ParameterCatalog& catalog, std::optional<int> page) {
  std::vector<const ParamInfo*> entries;
  for (const ParamInfo& info : catalog.Entries()) {
    if (!page || PageOf(info.address) == *page) entries.push_back(&info);
  }
  std::ranges::stable_sort(entries, {}, &ParamInfo::address);
  return entries;
}

// "0.0 Hz to 20000 Hz, step 1" in the language in use; the values' words ("Off") too.
std::string RangeAndStep(const ParameterCatalog& catalog, const ParamInfo& info) {
  const std::string range = SayWith(QT_TRANSLATE_NOOP("velantro", "%1 to %2"),
                                    {Say(catalog.DisplayText(info, info.lower).c_str()),
                                     Say(catalog.DisplayText(info, info.upper).c_str())});
  // StepText's words for steps that are no one number.
  [[maybe_unused]] static constexpr const char* kStepWords[] = {
      QT_TRANSLATE_NOOP("velantro", "table"), QT_TRANSLATE_NOOP("velantro", "options")};
  return SayWith(QT_TRANSLATE_NOOP("velantro", "%1, step %2"),
                 {range, Say(StepText(catalog, info).c_str())});
}

void PrintText(const ParameterCatalog& catalog, const std::vector<const ParamInfo*>& entries) {
  std::vector<std::string> names;
  size_t width = 0;
  for (const ParamInfo* info : entries) {
    names.push_back(SayLabel(info->label));
    width = std::max(width, DisplayWidth(names.back()));
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    const ParamInfo& info = *entries[i];
    const std::string what =
        HasRange(info) ? RangeAndStep(catalog, info) : "(" + Say(KindName(info.kind)) + ")";
    const std::string padding(width - DisplayWidth(names[i]), ' ');
    std::printf("0x%04X  %s%s  %s\n", static_cast<unsigned>(info.address), names[i].c_str(),
                padding.c_str(), what.c_str());
  }
}

void PrintJson(const ParameterCatalog& catalog, const std::vector<const ParamInfo*>& entries) {
  std::printf("[");
  for (size_t k = 0; k < entries.size(); ++k) {
    const ParamInfo& info = *entries[k];
    std::printf(
        "%s\n  {\"address\": \"0x%04X\", \"page\": %d, \"index\": %d, \"name\": %s, "
        "\"kind\": \"%s\"",
        k == 0 ? "" : ",", static_cast<unsigned>(info.address), PageOf(info.address),
        IndexOf(info.address), JsonQuoted(info.label).c_str(), KindName(info.kind));
    if (HasRange(info)) {
      std::printf(", \"min\": %s, \"max\": %s, \"step\": %s, \"rawMin\": %d, \"rawMax\": %d",
                  JsonQuoted(catalog.DisplayText(info, info.lower)).c_str(),
                  JsonQuoted(catalog.DisplayText(info, info.upper)).c_str(),
                  JsonQuoted(StepText(catalog, info)).c_str(), info.lower, info.upper);
    }
    std::printf("}");
  }
  std::printf("\n]\n");
}

}  // namespace

// velantroctl list [--page P] [--json]: the parameter catalog, the names get and set take.
int RunList(const std::vector<std::string>& args) {
  const std::optional<ListRequest> request = ReadListArguments(args);
  if (!request) {
    Complain(Say(QT_TRANSLATE_NOOP(
        "velantro", "usage: velantroctl list [--page P] [--json] (P from 0 to 10)")));
    return kExitUsage;
  }
  const ParameterCatalog catalog;
  const std::vector<const ParamInfo*> entries = Selected(catalog, request->page);
  if (request->json) {
    PrintJson(catalog, entries);
  } else {
    PrintText(catalog, entries);
  }
  return kExitOk;
}

}  // namespace velantro::ctl
