// The binding on the real main window: a full refresh of every control from the store (what a
// completed download costs the window), a one-page refresh (a tab switch), and one typed band
// value from parse to band write. Runs offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>

#include "QtBenchMain.h"
#include "binding/ControlBinding.h"
#include "model/Messages.h"
#include "ui/Console.h"
#include "ui/MainFrm.h"

namespace velantro {
namespace {

class SilentMessages : public Messages {
 public:
  void Information(const std::string&, const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  bool AskOkCancel(const std::string&, const std::string&) override { return true; }
};

struct Window {
  SilentMessages messages;
  std::unique_ptr<Console> console;
  Window() {
    LinkSettings settings;
    settings.autoConnect = false;
    console = std::make_unique<Console>(messages, settings);
    console->CreateWindows();
    console->form1()->FirstShow();
  }
};

void BM_RefreshAllPages(benchmark::State& state) {
  Window window;
  ControlBinding* binding = window.console->binding();
  int round = 0;
  for (auto _ : state) {
    // A different image each round, so every control really changes.
    for (int p = 0; p < kPageCount; ++p) {
      for (int i = 0; i < kDeviceRowSize; ++i) {
        window.console->store.DeviceImage[p][i] = (p + i + round) % 7;
      }
    }
    binding->RefreshAllControls(kAllPages);
    ++round;
  }
}
BENCHMARK(BM_RefreshAllPages)->Unit(benchmark::kMillisecond);

void BM_RefreshOnePage(benchmark::State& state) {
  Window window;
  ControlBinding* binding = window.console->binding();
  for (auto _ : state) binding->RefreshAllControls(static_cast<int>(state.range(0)));
}
BENCHMARK(BM_RefreshOnePage)->Arg(0)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_CommitTypedFrequency(benchmark::State& state) {
  Window window;
  ControlBinding* binding = window.console->binding();
  auto* edit = window.console->form1()->findChild<QLineEdit*>("MusFreEdit1");
  binding->SetCurrentEdit(edit);
  int i = 0;
  for (auto _ : state) {
    edit->setText(i++ % 2 ? QStringLiteral("1005") : QStringLiteral("2000"));
    binding->CommitEdit(kStepNone);
  }
}
BENCHMARK(BM_CommitTypedFrequency)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velantro

int main(int argc, char** argv) { return velantro::RunQtBenchmarks(argc, argv); }
