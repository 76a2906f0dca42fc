// velantroctl curve prints the page's total EQ response of a preset, point by point.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "eq/PageBandModel.h"
#include "model/Messages.h"
#include "model/ParamStore.h"
#include "presets/PresetFile.h"

namespace velantro {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  int exitCode = -1;
  std::string output;
};

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

RunResult RunCtl(const std::string& args) {
  RunResult result;
  const std::string command = Quoted(VELANTRO_CTL) + " " + args + " 2>/dev/null";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
  const int status = ::pclose(pipe);
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  return result;
}

class SilentMessages : public Messages {
 public:
  void Information(const std::string&, const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  bool AskOkCancel(const std::string&, const std::string&) override { return false; }
};

fs::path ExamplePreset() { return fs::path(VELANTRO_EXAMPLES) / "Demo.Nddt"; }

TEST(CtlCurve, PrintsTheTotalOfThePageAsTheGraphComputesIt) {
  // --page, the selectors the console would set for it, and the page the graph draws.
  struct Case {
    int page;
    int micGroup, effectEqPage, mainOutputPage, auxOutputPage;
    int graphPage;
  };
  const Case cases[] = {
      {0, 0, 4, 6, 7, 0}, {3, 1, 4, 6, 7, 1}, {5, 0, 5, 6, 7, 4},
      {8, 0, 4, 6, 8, 7}, {9, 0, 4, 9, 7, 6},
  };
  for (const Case& c : cases) {
    auto store = std::make_unique<ParamStore>();
    SilentMessages messages;
    ASSERT_TRUE(ReadPresetFile(ExamplePreset(), *store, messages));
    store->MicGroup = c.micGroup;
    store->EffectEqPage = c.effectEqPage;
    store->MainOutputPage = c.mainOutputPage;
    store->AuxOutputPage = c.auxOutputPage;
    store->LayoutFlag = static_cast<uint8_t>(store->DeviceImage[0][1]);
    store->RebuildViewValues(store->LayoutFlag);
    auto model = std::make_unique<PageBandModel>();
    model->Load(*store, c.graphPage);

    const RunResult run =
        RunCtl("curve " + Quoted(ExamplePreset().string()) + " --page " + std::to_string(c.page));
    ASSERT_EQ(run.exitCode, 0) << "page " << c.page;
    std::istringstream lines(run.output);
    std::string line;
    int p = 0;
    while (std::getline(lines, line)) {
      ASSERT_LT(p, kGridPoints);
      double hz = 0, db = 0;
      char comma = 0;
      std::istringstream fields(line);
      ASSERT_TRUE(fields >> hz >> comma >> db) << line;
      ASSERT_EQ(comma, ',');
      ASSERT_NEAR(hz, FrequencyOfGridIndex(p), 1e-4) << "page " << c.page << " point " << p;
      ASSERT_NEAR(db, model->total()[p], 1e-4) << "page " << c.page << " point " << p;
      ++p;
    }
    EXPECT_EQ(p, kGridPoints) << "page " << c.page;
  }
}

TEST(CtlCurve, ExitCodes) {
  const std::string file = Quoted(ExamplePreset().string());
  struct Case {
    std::string args;
    int exitCode;
  };
  const Case cases[] = {
      {"curve " + file, 2},                 // no page
      {"curve " + file + " --page 10", 2},  // no such page
      {"curve " + file + " --page x", 2},
      {"curve " + file + " --page", 2},
      {"curve --page 1", 2},  // no file
      {"curve " + file + " --page 1 --bogus", 2},
      {"curve /nonexistent/none.Nddt --page 1", 1},  // bad file
      {"curve " + file + " --page 7", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(RunCtl(c.args).exitCode, c.exitCode) << c.args;
}

}  // namespace
}  // namespace velantro
