// Speed of the main window: a tab switch (refresh of one page, EQ pass, placement, enabling),
// a refresh of every page as after a download, and start-up until the window has been shown.
// Offscreen platform, no link traffic.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "binding/ControlBinding.h"
#include "ui/Console.h"
#include "ui/MainFrm.h"
#include "widgets/Looks.h"

namespace {

using velantro::Console;
using velantro::LinkSettings;

class SilentMessages : public velantro::Messages {
 public:
  void Information(const std::string&, const std::string&) override {}
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  bool AskOkCancel(const std::string&, const std::string&) override { return true; }
};

struct Window {
  Window() {
    LinkSettings settings;
    settings.autoConnect = false;
    console = std::make_unique<Console>(messages, settings);
    console->programFolder = folder.path().toStdString();
    console->CreateWindows();
    console->form1()->show();
    QApplication::processEvents();
  }
  QTemporaryDir folder;
  SilentMessages messages;
  std::unique_ptr<Console> console;
};

void BM_TabSwitch(benchmark::State& state) {
  Window window;
  velantro::TForm1* form = window.console->form1();
  // Alternate two sections so every switch changes the sheet: Music and the tab in the argument.
  const int other = static_cast<int>(state.range(0));
  bool flip = false;
  for (auto _ : state) {
    form->TabSwitchTo(flip ? 1 : other);
    flip = !flip;
  }
}
BENCHMARK(BM_TabSwitch)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMicrosecond);

void BM_RefreshAllPages(benchmark::State& state) {
  Window window;
  velantro::ControlBinding* binding = window.console->form1()->binding();
  for (auto _ : state) binding->RefreshAllControls(velantro::kAllPages);
}
BENCHMARK(BM_RefreshAllPages)->Unit(benchmark::kMillisecond);

void BM_StartUpToWindowShown(benchmark::State& state) {
  for (auto _ : state) {
    Window window;
    benchmark::DoNotOptimize(window.console->form1());
    state.PauseTiming();
    window.console.reset();  // tear-down is not start-up
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToWindowShown)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  app.setStyleSheet(velantro::ConsoleStyleSheet());
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
