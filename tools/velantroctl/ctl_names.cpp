#include <cctype>
#include <cstdio>
#include <string>

#include "CtlCommands.h"
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
  std::fprintf(stderr, "velantroctl: \"%s\" could name %zu parameters:\n", word.c_str(),
               candidates.size());
  for (size_t k = 0; k < candidates.size() && k < kCandidatesShown; ++k) {
    std::fprintf(stderr, "velantroctl:   0x%04X %s\n",
                 static_cast<unsigned>(candidates[k]->address), candidates[k]->label.c_str());
  }
  if (candidates.size() > kCandidatesShown) {
    std::fprintf(stderr, "velantroctl:   ... and %zu more (velantroctl list shows them all)\n",
                 candidates.size() - kCandidatesShown);
  }
}

}  // namespace

std::optional<ParamAddress> ParameterOf(const std::string& word, const ParameterCatalog& catalog) {
  if (LooksLikeNumber(word)) {
    const std::optional<long> address = ParseNumber(word);
    if (!address) {
      std::fprintf(stderr, "velantroctl: %s is no address (decimal or 0x-hex) and no name\n",
                   word.c_str());
      return std::nullopt;
    }
    if (!IsParameterAddress(*address, word)) return std::nullopt;
    return static_cast<ParamAddress>(*address);
  }
  const NameMatch match = catalog.FindByName(word);
  if (match.found != nullptr) return match.found->address;
  if (match.candidates.empty()) {
    std::fprintf(stderr,
                 "velantroctl: no parameter is named \"%s\" (velantroctl list shows the names)\n",
                 word.c_str());
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
