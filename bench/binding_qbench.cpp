// The binding on the real main window: a full refresh of every control from the store (what a
// completed download costs the window), a one-page refresh (a tab switch), and one typed band
// value from parse to band write, and a graph drag step through the real window; the refresh
// and the drag step with the undo history and the modified markers detached (0) and at work
// against a reference image (1). Runs offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QUndoStack>

#include "QtBenchMain.h"
#include "binding/ControlBinding.h"
#include "eq/EqGraphPanel.h"
#include "model/Messages.h"
#include "ui/Console.h"
#include "ui/EditHistory.h"
#include "ui/MainFrm.h"
#include "ui/ModifiedMarkers.h"

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
  // 0: the history and the markers hear nothing; 1: both at work, the markers against the
  // image as it is now.
  void SetHistoryAndMarkers(bool on) {
    ControlBinding* binding = console->binding();
    if (on) {
      console->markers()->TakeReference();
      return;
    }
    binding->editor().RemoveListener(console->history());
    binding->editor().RemoveListener(console->markers());
    binding->refresh().afterRefresh = nullptr;
    qApp->removeEventFilter(console->history());
  }
};

void SendMouse(QWidget* target, QEvent::Type type, QPoint at) {
  QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void BM_RefreshAllPages(benchmark::State& state) {
  Window window;
  window.SetHistoryAndMarkers(state.range(0) != 0);
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
BENCHMARK(BM_RefreshAllPages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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

// One mouse move of a graph handle held down on the Music page: the value stored and sent, the
// record merged into the drag's one undo step, the markers of the band's controls updated.
void BM_DragStepInWindow(benchmark::State& state) {
  Window window;
  window.SetHistoryAndMarkers(state.range(0) != 0);
  QWidget* handle = window.console->graph()->handleWidget(2);
  const QPoint grab(handle->width() / 2, handle->height() / 2);
  SendMouse(handle, QEvent::MouseButtonPress, grab);
  int direction = 1;
  for (auto _ : state) {
    SendMouse(handle, QEvent::MouseMove, grab + QPoint(6 * direction, 4 * direction));
    direction = -direction;
  }
  SendMouse(handle, QEvent::MouseButtonRelease, grab);
  state.counters["undo steps"] = window.console->history()->stack().count();
}
BENCHMARK(BM_DragStepInWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velantro

int main(int argc, char** argv) { return velantro::RunQtBenchmarks(argc, argv); }
