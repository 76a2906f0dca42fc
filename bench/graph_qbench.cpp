// EQ graph drawing costs: one drag step, a full redraw of the largest page, a background
// rebuild after a resize. Runs offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>

#include "QtBenchMain.h"
#include "binding/ParamEditor.h"
#include "eq/EqGraphPanel.h"
#include "eq/GraphRenderer.h"
#include "eq/PageBandModel.h"
#include "model/ParamStore.h"
#include "model/Scales.h"

namespace velantro {
namespace {

// The edit path as far as a drag step needs it: the one writer stores the value, makes its
// record and tells the graph.
class StoreHost : public GraphHost {
 public:
  explicit StoreHost(ParamStore& store) : editor(store) {}
  int CurrentSection() const override { return 0x0101; }  // MIC, the page with most entries
  bool RefreshInProgress() const override { return false; }
  int SelectedBand(int) const override { return 0; }
  void ApplyControlValue(GraphControl c, int, bool, double x) override {
    if (!c.valid()) return;
    const int u = static_cast<int>(std::trunc(x));
    editor.SetBandField(c.address, u, EditOrigin::GraphDrag);
    editor.NoteGraphChange({c.address, u});
  }

  void CommitEdit(int) override {}
  bool IsEditBox(ParamAddress) const override { return true; }
  void SelectEdit(ParamAddress) override {}
  int TogglePass(QAbstractButton*, int) override { return 0; }
  void ResetEqBands(int) override {}
  void ChooseBandType(QWidget*) override {}

  ParamEditor editor;
};

// MIC group A: 15 bands with some boosts and cuts, and the high-pass filter.
void FillMicPage(ParamStore& store) {
  for (int b = 0; b < 15; ++b) {
    const int first = kFirstBandIndex[1] + 5 * b;
    store.SetView(1, first + 0, b % 3);
    store.SetView(1, first + 1, 10 + 23 * b);
    store.SetView(1, first + 2, 60 + (b * 37) % 120);
    store.SetView(1, first + 3, 10 + b * 3);
    store.SetView(1, first + 4, 8 + b % 10);
  }
  store.SetView(1, 0, 60);
}

void BM_DragStep(benchmark::State& state) {
  ParamStore store;
  FillMicPage(store);
  StoreHost host(store);
  EqGraphPanel panel(store);
  panel.SetHost(&host);
  host.editor.AddListener(&panel);
  panel.Start();
  panel.RedrawSection();
  const int handle = 4;
  const QPoint grab(7, 7);
  panel.HandlePress(handle, Qt::LeftButton, grab);
  // Each step moves the handle diagonally by a few pixels and back: new targets every time.
  int direction = 1;
  for (auto _ : state) {
    panel.HandleMove(handle, grab + QPoint(6 * direction, 4 * direction));
    direction = -direction;
  }
  panel.HandleRelease(handle, Qt::LeftButton);
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FullRedraw(benchmark::State& state) {
  ParamStore store;
  FillMicPage(store);
  StoreHost host(store);
  EqGraphPanel panel(store);
  panel.SetHost(&host);
  const bool cold = state.range(0) != 0;
  for (auto _ : state) {
    // Cold: every filter is designed afresh, as after a download or a preset load.
    if (cold) panel.renderer().model().InvalidateShapes();
    panel.DrawPageCurves(kFullRedrawPoint, 1);
  }
  state.SetLabel(cold ? "16 entries, shapes designed afresh" : "16 entries, shapes remembered");
}
BENCHMARK(BM_FullRedraw)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_BackgroundRebuild(benchmark::State& state) {
  ParamStore store;
  GraphRenderer renderer(store);
  bool wide = false;
  for (auto _ : state) {
    renderer.SetAreaSize(wide ? QSize(1080, 309) : QSize(1700, 600));
    renderer.BuildGraphBackground(1);
    wide = !wide;
  }
}
BENCHMARK(BM_BackgroundRebuild)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace velantro

int main(int argc, char** argv) { return velantro::RunQtBenchmarks(argc, argv); }
