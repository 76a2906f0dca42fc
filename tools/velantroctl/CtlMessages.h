#pragma once

// Message boxes of a terminal command that has no link (check, curve): the text goes to stderr;
// nobody can answer a question.

#include <cstdio>
#include <string>

#include "model/Messages.h"

namespace velantro::ctl {

class StderrMessages : public Messages {
 public:
  void Information(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
  bool AskYesNo(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "%s (no)\n", text.c_str());
    return false;
  }
  bool AskOkCancel(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "%s (cancel)\n", text.c_str());
    return false;
  }
};

}  // namespace velantro::ctl
