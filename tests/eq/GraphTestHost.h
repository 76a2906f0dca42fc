#pragma once

// A bare-store stand-in for the window's control binding, for the graph tests: it hands the
// values of the controls the graph edits (band edits and crossover panes) to the program's own
// edit rule and writer, records every call, and a recording ChangeSink shows what would go to
// the unit. A panel that listens to `editor` redraws what the edits change.

#include <QAbstractButton>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "binding/ControlTable.h"
#include "binding/EditRule.h"
#include "binding/ParamEditor.h"
#include "eq/GraphHost.h"
#include "model/ParamStore.h"
#include "model/Scales.h"
#include "support/Recorders.h"

namespace velantro::test {

// The default EQ bands of every page, as the console writes them, shown in ViewValues; the
// output and effect low-pass filters off.
inline void WriteDefaultBands(ParamStore& store) {
  ParamEditor(store).ResetEqBands(kAllPages, EditOrigin::System);
  store.RebuildViewValues(store.LayoutFlag);
  store.SetView(6, 20, 362);  // output low-pass filters off
  store.SetView(7, 20, 362);
  store.SetView(4, 5, 64);  // effect low-pass off
  store.SetView(5, 7, 64);
}

class GraphTestHost : public GraphHost {
 public:
  explicit GraphTestHost(ParamStore& store) : editor(store), store_(store), rule_(editor) {}

  struct Applied {
    GraphControl control;
    int step;
    bool fromStore;
    double x;
  };

  ParamEditor editor;
  int section = 0;
  bool refreshing = false;
  std::array<int, 11> selected{};
  std::vector<Applied> applied;
  std::vector<int> commits;
  std::vector<ParamAddress> selects;
  ParamAddress currentEdit = -1;
  std::array<int, 11> eqPass{};
  std::vector<int> resets;
  std::vector<std::pair<int, int>> enables;
  std::vector<QWidget*> bandTypes;

  int CurrentSection() const override { return section; }
  bool RefreshInProgress() const override { return refreshing; }
  int SelectedBand(int graph) const override { return selected[static_cast<std::size_t>(graph)]; }

  // The scale of the control the reference names, from its row of the control table.
  static Scale ScaleOf(GraphControl c) {
    const ControlSpec* row = FindControl(
        c.address, c.table == ControlTable::Pane ? ControlRole::Pane : ControlRole::Main);
    return row != nullptr ? row->valueScale() : Scale::None;
  }

  void ApplyControlValue(GraphControl c, int step, bool fromStore, double x) override {
    applied.push_back({c, step, fromStore, x});
    if (!c.valid()) return;
    rule_.Apply(c.address, ScaleOf(c), step, fromStore, x, refreshing, EditOrigin::GraphDrag);
  }

  void CommitEdit(int step) override {
    commits.push_back(step);
    if (currentEdit < 0) return;
    const ParamAddress a = ResolveQAddress(currentEdit, store_);
    ApplyControlValue({currentEdit, ControlTable::Main}, step, false, store_.View(a));
  }

  bool IsEditBox(ParamAddress address) const override {
    const int field = LocateBand(address, store_.MicGroup).field;
    return field >= 1 && field <= 4;
  }
  void SelectEdit(ParamAddress address) override {
    selects.push_back(address);
    if (IsEditBox(address)) currentEdit = address;
  }
  // Flips through the writer and records the page's pass and its lock.
  int TogglePass(QAbstractButton* button, int page) override {
    const int value = editor.Toggle(button->property("address").toInt(), EditOrigin::Click);
    if (page != kDeqPage) eqPass[static_cast<std::size_t>(page)] = value;
    enables.push_back({store_.View(0, 0), page});
    return value;
  }
  void ResetEqBands(int target) override { resets.push_back(target); }
  void ChooseBandType(QWidget* image) override { bandTypes.push_back(image); }
  void ApplyKeyValue(GraphControl c, double x) override {
    if (c.valid()) rule_.Apply(c.address, ScaleOf(c), 0, false, x, refreshing, EditOrigin::Key);
  }
  void KeyStep(GraphControl c, int step, int rawDelta) override {
    if (!c.valid()) return;
    const double shown = store_.View(ResolveQAddress(c.address, store_)) + rawDelta;
    rule_.Apply(c.address, ScaleOf(c), step, false, shown, refreshing, EditOrigin::Key);
  }
  void ChooseBand(ParamAddress address) override { SelectEdit(address); }

 private:
  ParamStore& store_;
  EditRule rule_;
};

}  // namespace velantro::test
