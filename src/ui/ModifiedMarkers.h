#pragma once

// The modified markers: a small amber dot in the corner of every bound control whose value
// differs from what the unit held at the last whole transfer (a download's end, an upload's end),
// and on the section tab of a page that has any. The dots are children of the controls, so they
// scroll and hide with them and change neither their size nor their names. They follow the edit
// records and every refresh; nothing polls.

#include <unordered_map>
#include <vector>

#include "model/EditRecord.h"
#include "model/ParamStore.h"

class QWidget;

namespace velantro {

class ModifiedMarkers : public EditListener {
 public:
  ModifiedMarkers(QWidget& window, const ParamStore& store);

  // What the unit holds now, as the store has it: every marker goes.
  void TakeReference();
  bool HasReference() const { return hasReference_; }
  const DeviceTable& reference() const { return reference_; }

  // Every marker again: after a refresh (the view selectors may have moved).
  void UpdateAll();
  void OnEdit(const EditRecord& record) override;

  // The cells of `pages` (unit pages) that differ from the reference, at their addresses, with
  // the store's value as before and the reference's as after: what a revert writes.
  std::vector<EditCell> DifferingCells(const std::vector<int>& pages) const;
  // The unit pages the section on view edits (both MIC groups, both effect EQs).
  std::vector<int> PagesOfSection(int section) const;
  // The unit pages of a section tab (FormTabBtn number).
  std::vector<int> PagesOfTab(int tab) const;

  // The dot on `widget`, or null: tests look.
  QWidget* MarkerOf(QWidget* widget) const;

 private:
  void CollectControls();
  bool Differs(ParamAddress viewAddress) const;
  bool PageDiffers(int page) const;
  void Mark(QWidget* widget, bool on);
  void UpdateTabs();

  QWidget& window_;
  const ParamStore& store_;
  DeviceTable reference_{};
  bool hasReference_ = false;
  std::vector<QWidget*> controls_;                                 // bound, tabs left out
  std::vector<std::pair<int, QWidget*>> tabs_;                     // tab number, its button
  std::unordered_map<ParamAddress, std::vector<QWidget*>> shown_;  // view address -> controls
  std::unordered_map<QWidget*, QWidget*> dots_;
};

}  // namespace velantro
