#include <cctype>
#include <cstdio>
#include <string>

#include "CtlCommands.h"
#include "CtlLanguage.h"
#include "CtlLink.h"

namespace velantro::ctl {

namespace {

// An ambiguous beginning can match hundreds of names ("m"): the first ones show the pattern.
constexpr size_t kCandidatesShown = 12;

bool LooksLikeNumber(const std::string& word) {
  return !word.empty() &&
         (std::isdigit(static_cast<unsigned char>(word[0])) != 0 || word[0] == '-');
}

void ListCandidates(const std::string& word, const std::vector<const ParamInfo*>& candidates) {
  Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "\"%1\" could name %2 parameters:"),
                   {word, std::to_string(candidates.size())}));
  for (size_t k = 0; k < candidates.size() && k < kCandidatesShown; ++k) {
    Complain("  " + Hex(candidates[k]->address) + " " + SayLabel(candidates[k]->label));
  }
  if (candidates.size() > kCandidatesShown) {
    Complain(SayWith(
        QT_TRANSLATE_NOOP("velantro", "  ... and %1 more (velantroctl list shows them all)"),
        {std::to_string(candidates.size() - kCandidatesShown)}));
  }
}

}  // namespace

std::optional<ParamAddress> ParameterOf(const std::string& word, const ParameterCatalog& catalog) {
  if (LooksLikeNumber(word)) {
    const std::optional<long> address = ParseNumber(word);
    if (!address) {
      Complain(
          SayWith(QT_TRANSLATE_NOOP("velantro", "%1 is no address (decimal or 0x-hex) and no name"),
                  {word}));
      return std::nullopt;
    }
    if (!IsParameterAddress(*address, word)) return std::nullopt;
    return static_cast<ParamAddress>(*address);
  }
  NameMatch match = catalog.FindByName(word);
  // In Chinese a name is also taken as list prints it there.
  if (match.found == nullptr && match.candidates.empty() && LanguageInUse() == Language::Chinese) {
    match = catalog.FindByName(word, SayLabel);
  }
  if (match.found != nullptr) return match.found->address;
  if (match.candidates.empty()) {
    Complain(
        SayWith(QT_TRANSLATE_NOOP(
                    "velantro", "no parameter is named \"%1\" (velantroctl list shows the names)"),
                {word}));
  } else {
    ListCandidates(word, match.candidates);
  }
  return std::nullopt;
}

std::string JsonQuoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace velantro::ctl
