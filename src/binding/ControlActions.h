#pragma once

// ControlAction: the actions the console shares between its controls, each by its number (band
// selection, tab selection, toggles and phases, the button pairs, option looks, Link/Unlink, type
// images, DEQ dynamics), and the looks the edit dispatch and the refresh show through them.

#include <QPointer>
#include <array>
#include <functional>

#include "binding/BindingState.h"
#include "binding/BindingTables.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QWidget;

namespace velantro {

// ControlAction numbers.
namespace action {
constexpr int kTabSelect = 10;
constexpr int kToggle = 11;
constexpr int kPhase = 14;
constexpr int kAutoManual = 16;
constexpr int kSingDisco = 17;
constexpr int kOptionLook = 18;
constexpr int kLinkButtons = 20;
constexpr int kTypeImages = 21;
constexpr int kDeqDynamics = 22;
constexpr int kMicGroup = 25;
}  // namespace action

class ControlActions {
 public:
  // `bandSelected` runs after every band selection (SelectedBand[graph] := band); it may be empty.
  ControlActions(BindingTables& tables, BindingState& state,
                 const std::function<void(int graph, int band)>& bandSelected);

  // ControlAction(control, number): band selection (0-9, edits), tab selection (10), toggle (11),
  // phase (14), Auto/Manual (16), Sing/Disco (17), option group look (18), Link/Unlink (20), type
  // images (21), DEQ dynamics enable (22), MIC A/B (25). Anything else does nothing and gives 0.
  int ControlAction(QWidget* control, int number);

  // What a band type or DEQ work mode box shows beside itself: the chosen type image and, for a
  // work mode, whether the channel's dynamics take part.
  void ShowBandType(QComboBox* combo);
  // Shows member `position` of the loaded OptionGroup chosen; false when no member stands for it
  // (then none is shown chosen).
  bool ShowOption(int position);
  // A toggle on shows pressed; its hint is its state.
  static void ShowToggle(QWidget* button, bool on);
  // A phase in step shows "+"; an inverted phase shows the inverted look with no caption.
  static void ShowPhase(QAbstractButton* button, bool on);

  int SelectedBand(int graph) const;
  void SetSelectedBand(int graph, int band);
  // Freshly built tables: no edit shows the frame of the current edit.
  void ForgetHighlight();

 private:
  int BandSelection(QLineEdit* edit, int graph);
  void KeepBandVisible(int band);
  int TabSelection(QWidget* tab);
  int OptionLook(QWidget* button);
  void TypeImages(QWidget* image);
  void DeqDynamics(QComboBox* combo);
  void LetGoOfBandsNotShown(int micGroup);

  BindingTables& tables_;
  BindingState& state_;
  const std::function<void(int graph, int band)>& bandSelected_;
  QPointer<QLineEdit> highlighted_;  // the previously highlighted edit
  std::array<int, kGraphCount> selectedBand_{};
};

}  // namespace velantro
