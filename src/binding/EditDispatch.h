#pragma once

// Edit dispatch: every operator action on a bound control becomes a limited, shown, stored and
// sent parameter value. ApplyControlValue is the way in for every edit of a value shown in an
// edit box, a pane or a combo box; the handlers of the track bars, combo boxes and buttons are
// connected here too. The band edit boxes and the spin buttons are the band edit input's.

#include <QObject>
#include <QSet>
#include <functional>

#include "binding/BindingState.h"
#include "binding/BindingTables.h"
#include "binding/EditRule.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

namespace velantro {

class ControlActions;

constexpr int kWholePagePoint = 20;  // redrawCurves: the whole page

class EditDispatch : public QObject {
  Q_OBJECT

 public:
  // `redrawCurves(point, page)` redraws the EQ graph (point kWholePagePoint: the whole page); it
  // may be empty.
  EditDispatch(BindingTables& tables, ControlActions& actions, BindingState& state,
               const std::function<void(int point, int page)>& redrawCurves);

  // Limits x by the control's scale, shows it, moves the linked track bar, stores it and (unless
  // fromStore) sends it through SetBand (band scales up to Scale::BandQ) or SetParam (the rest).
  // Gives what was shown and stored (address -1 when the control takes no value). A value the
  // store holds already is sent only when the operator typed it (origin Typed).
  // `origin` names the operator's hand for the edit record (System: the console only shows).
  EditOutcome ApplyControlValue(QWidget* control, int step, bool fromStore, double x,
                                EditOrigin origin = EditOrigin::System);
  // A click or Tab into a band edit: its band becomes the selected one and the graph's point
  // label moves to it; nothing is stored or sent.
  void SelectBand(QLineEdit* edit);

  // Handlers an operator action runs; the dispatch connects them itself (ConnectAll). The window,
  // the graph and the tests run them as well.
  void TrackBarChanged(QSlider* bar);           // track bars with a value pane
  void GainBarChanged(QSlider* bar);            // vertical band gain bars
  void VolumeBarChanged(QSlider* bar);          // start/limit/normal volume bars of page 10
  void BandTypeChanged(QComboBox* combo);       // band type and DEQ work mode combo boxes
  void CrossoverTypeChanged(QComboBox* combo);  // HP/LP type and tone combo boxes
  // The enabled state of a crossover's Q controls by its type box; nothing is stored or sent.
  bool ShowCrossoverQ(QComboBox* combo);
  void ToggleClicked(QPushButton* button);  // phase buttons and plain toggles
  void OptionClicked(QPushButton* button);  // option buttons
  // Keeps a source's start and normal volume at or below its limit; `role` 0 normal, 1 start,
  // 2 limit; the pane shows the position of the bar of that role.
  void LinkVolumeBars(QSlider* normal, QSlider* start, QSlider* limit, int role, QWidget* pane);

  // A DEQ work mode reset of the reference button is running: the work mode combo then leaves the
  // channel's gain alone.
  bool DeqResetRunning = false;

  // Connects the change signals of the bound track bars, combo boxes and buttons, each once
  // however often the tables are built.
  void ConnectAll();

  // A bar moved to show a value: its change handler does not run, nothing is stored or sent.
  static void MoveBarQuietly(QSlider* bar, int position);
  // The text of an edit box or a pane.
  static void ShowText(QWidget* control, const QString& text);
  // The start, limit and normal volume bars of the system page.
  static bool IsVolumeBar(ParamAddress address);

 private:
  void ShowOutcome(QWidget* control, const EditOutcome& outcome);
  void SliderChanged(QSlider* bar);
  void ApplyOption(ParamAddress address, int position);
  void ConnectControl(QWidget* control, int page, int slot);
  void Redraw(int point, int page);

  BindingTables& tables_;
  ControlActions& actions_;
  BindingState& state_;
  const std::function<void(int point, int page)>& redrawCurves_;
  EditRule rule_;
  QSet<const QWidget*> connected_;  // controls whose signals are already connected
};

}  // namespace velantro
