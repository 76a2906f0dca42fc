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
#include "support/ShellCommand.h"

namespace velantro::test {
namespace {

namespace fs = std::filesystem;

// velantroctl's stdout; its messages on stderr are dropped.
ShellResult RunCtl(const std::string& args) {
  return RunShell(ShellQuoted(VELANTRO_CTL) + " " + args + " 2>/dev/null");
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

    const ShellResult run = RunCtl("curve " + ShellQuoted(ExamplePreset().string()) + " --page " +
                                   std::to_string(c.page));
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
  const std::string file = ShellQuoted(ExamplePreset().string());
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
}  // namespace velantro::test
