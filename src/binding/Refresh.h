#pragma once

// The refresh, model to view: every bound control shows the store's value and nothing is sent
// back; the auto mode and EQ pass locks; the EQ band defaults.

#include <array>
#include <functional>

#include "binding/BindingState.h"
#include "binding/BindingTables.h"
#include "binding/ParamEditor.h"

class QPushButton;
class QSlider;

namespace velantro {

class ControlActions;
class EditDispatch;

constexpr int kRefreshSlotLimit = 85;  // a refresh visits slots below 85 only
constexpr int kAutoModeLock = 255;     // EnableBoundControls: the music auto mode lock

class Refresh {
 public:
  // The hooks are run when set: `redrawCurves(point, page)` after a refresh,
  // `autoManualHandler(button)` for the stored music mode, `modeBoxHandler()` after the mode
  // list was rebuilt.
  Refresh(BindingTables& tables, ControlActions& actions, EditDispatch& edits, BindingState& state,
          const std::function<void(int point, int page)>& redrawCurves,
          const std::function<void(QPushButton* button)>& autoManualHandler,
          const std::function<void()>& modeBoxHandler);

  // Shows the store in the controls of one page (0-10) or of all (20) without sending anything.
  void RefreshAllControls(int target);
  // Page 255: the music auto mode lock (flag = ViewValues[0][0]); pages 0-7: that page's EQ pass
  // lock (by the hint of MusEQAllpassBtn).
  void EnableBoundControls(int flag, int page);
  // Default EQ bands for one page (stored and sent, one Reset edit) or for all (kAllPages, the
  // start-up values, stored only), then a refresh.
  void ResetEqBands(int target);

  // Run after every RefreshAllControls with its target: whatever shows more than the controls
  // (the modified markers) catches up with the store here.
  std::function<void(int target)> afterRefresh;

  std::array<int, kPageCount>& EqPassState() { return eqPassState_; }
  const std::array<int, kPageCount>& EqPassState() const { return eqPassState_; }
  void SetEqPassState(int page, int value);

 private:
  void ShowStore(int target);
  void RefreshSlot(int page, int slot);
  void RefreshButton(QPushButton* button, int page, int slot, int value);
  void RefreshTrackBar(QSlider* bar, int value);
  void RefreshEqPass();
  void RefreshModeList();

  BindingTables& tables_;
  ControlActions& actions_;
  EditDispatch& edits_;
  BindingState& state_;
  const std::function<void(int point, int page)>& redrawCurves_;
  const std::function<void(QPushButton* button)>& autoManualHandler_;
  const std::function<void()>& modeBoxHandler_;
  std::array<int, kPageCount> eqPassState_{};
};

}  // namespace velantro
