#pragma once

// The actions the console shares between its controls (band selection, tab selection, toggles and
// phases, the button pairs, option looks, type images, DEQ dynamics), and the looks the edit
// dispatch and the refresh show through them.

#include <QPointer>
#include <array>
#include <functional>

#include "binding/BindingState.h"
#include "binding/BindingTables.h"
#include "widgets/Looks.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QWidget;

namespace velantro {

constexpr int kLastBandGraph = 9;  // graphs 0 .. 9 select bands

class ControlActions {
 public:
  // `bandSelected` runs after every band selection (SelectedBand[graph] := band); it may be empty.
  ControlActions(BindingTables& tables, BindingState& state,
                 const std::function<void(int graph, int band)>& bandSelected);

  // A band edit of graph `graph` (0 .. kLastBandGraph) becomes the selected band: its point
  // label highlighted, its column kept in view, the graph told. Gives the band; 0 for a control
  // that is no edit or while a refresh runs.
  int SelectBand(QLineEdit* edit, int graph);
  // A section tab chosen: the tabs show it, the output sheets' view selectors follow, and the
  // section (page * 256 + sheet) is given; 0 for a widget that is no tab.
  int SelectTab(QWidget* tab);
  // The pairs: the chosen button shows down, the other up. Auto/Manual gives 0/1, Sing/Disco
  // 0/1, the MIC group 0 (A) / 1 (B), which also lets go of the band columns group B hides. A
  // button of no pair gives 0.
  int ChooseAutoManual(QWidget* button);
  int ChooseSingDisco(QWidget* button);
  int ChooseMicGroup(QWidget* button);
  // A toggle, phase or EQ pass button pressed: the store's value at its address flips through
  // the one writer (stored and sent), the button shows it, and it is given.
  int Toggle(QAbstractButton* button);

  // What a band type or DEQ work mode box shows beside itself: the chosen type image and, for a
  // work mode, whether the channel's dynamics take part.
  void ShowBandType(QComboBox* combo);
  // Shows member `position` of the loaded OptionGroup chosen; false when no member stands for it
  // (then none is shown chosen).
  bool ShowOption(int position);
  // A toggle on shows pressed.
  static void ShowToggle(QWidget* button, bool on);
  // A phase in step shows "+"; an inverted phase shows the inverted look with no caption.
  static void ShowPhase(QAbstractButton* button, bool on);

  int SelectedBand(int graph) const;
  void SetSelectedBand(int graph, int band);
  // Freshly built tables: no edit shows the frame of the current edit.
  void ForgetHighlight();

 private:
  int ChoosePair(QWidget* chosen, QWidget* first, QWidget* second, ButtonLook downLook);
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
