#pragma once

// A bare-store stand-in for the window's control binding, for the graph tests: it hands the
// values of the controls the graph edits (band edits and crossover panes) to the program's own
// edit rule and writer, records every call, and a recording ChangeSink shows what would go to
// the unit. A panel that listens to `editor` redraws what the edits change.

#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "binding/EditRule.h"
#include "binding/ParameterCatalog.h"
#include "eq/GraphHost.h"
#include "model/ParamStore.h"
#include "model/Scales.h"
#include "support/Recorders.h"

namespace velantro::test {

// Default EQ bands of every page (as the EQ reset writes them) into ViewValues.
inline void WriteDefaultBands(ParamStore& store) {
  for (int page = 0; page < 8; ++page) {
    const std::span<const int> f = DefaultBandFrequencies(page);
    for (int b = 0; b < static_cast<int>(f.size()); ++b) {
      const int first =
          page == 2 ? 12 * b + 2 : kFirstBandIndex[static_cast<std::size_t>(page)] + 5 * b;
      const int values[5] = {0, f[static_cast<std::size_t>(b)], 120, 16, 10};
      for (int field = 0; field < 5; ++field) store.SetView(page, first + field, values[field]);
    }
  }
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
  std::vector<std::pair<ParamAddress, int>> bandTypes;

  int CurrentSection() const override { return section; }
  bool RefreshInProgress() const override { return refreshing; }
  int SelectedBand(int graph) const override { return selected[static_cast<std::size_t>(graph)]; }

  // The scale of the control the reference names: a crossover pane's from the parameter
  // catalog, a band edit's by the band field the view shows there.
  static Scale ScaleOf(GraphControl c, int micGroup) {
    if (c.table == ControlTable::Pane) {
      static const ParameterCatalog catalog;
      const ParamInfo* info = catalog.Find(c.address);
      return info != nullptr ? info->scale : Scale::None;
    }
    switch (LocateBand(c.address, micGroup).field) {
      case 0:
        return Scale::BandType;
      case 1:
        return Scale::BandFrequency;
      case 2:
        return Scale::BandGain;
      case 3:
      case 4:
        return Scale::BandQ;
      default:
        return Scale::None;
    }
  }

  void ApplyControlValue(GraphControl c, int step, bool fromStore, double x) override {
    applied.push_back({c, step, fromStore, x});
    if (!c.valid()) return;
    rule_.Apply(c.address, ScaleOf(c, store_.MicGroup), step, fromStore, x, refreshing,
                EditOrigin::GraphDrag);
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
  int ControlAction(QWidget* control, int number) override {
    if (number != 11 || control == nullptr) return 0;
    const bool on = control->property("hint").toString() == QStringLiteral("1");
    control->setProperty("hint", on ? QStringLiteral("0") : QStringLiteral("1"));
    return on ? 0 : 1;
  }
  void EditValue(ParamAddress address, int value) override {
    editor.SetValue(address, value, EditOrigin::Click);
  }
  void SetEqPassState(int page, int value) override {
    eqPass[static_cast<std::size_t>(page)] = value;
  }
  void EnableBoundControls(int flag, int page) override { enables.push_back({flag, page}); }
  void ResetEqBands(int target) override { resets.push_back(target); }
  void ChooseBandType(ParamAddress address, int item) override {
    bandTypes.push_back({address, item});
  }

 private:
  ParamStore& store_;
  EditRule rule_;
};

}  // namespace velantro::test
