#pragma once

// Band edit input: what the operator does in the band edit boxes (frequency, gain, Q) and with
// the spin buttons. A click makes an edit CurrentEdit and arms the wheel; the arrow keys, the
// wheel and the spin buttons step CurrentEdit (Page Up/Down a tenth of its range); Enter and
// leaving the edit commit its text; only number characters reach an edit, and a rejected text gives
// way to the last good one.

#include <QObject>
#include <QSet>
#include <QString>

#include "binding/BindingState.h"
#include "binding/BindingTables.h"

class QEvent;
class QLineEdit;
class QWidget;

namespace velantro {

class EditDispatch;
class Messages;

class BandEditInput : public QObject {
  Q_OBJECT

 public:
  // Watches the whole application's input from here on (see eventFilter); the references must
  // outlive the input.
  BandEditInput(BindingTables& tables, EditDispatch& edits, BindingState& state,
                Messages& messages);
  ~BandEditInput() override;

  // Parses CurrentEdit's text and applies it with the step code (0, 1 up, 11 down); `origin`
  // names the hand that stepped (a text the operator typed commits as Typed).
  void CommitEdit(int step, EditOrigin origin);
  // Page Up (direction 1) or Page Down (-1) on CurrentEdit: a tenth of its scale's range.
  void CommitPageStep(int direction, EditOrigin origin);
  // The raw value an edit's text reads as ("," taken as the decimal point); false when it reads
  // as no number or the edit takes no value.
  bool ShownRaw(const QLineEdit* edit, double* raw) const;
  const QString& LastGoodText() const { return lastGoodText_; }
  // Set by the first click on a band edit; the wheel then steps CurrentEdit while a band edit
  // has the focus.
  bool WheelArmed() const { return wheelArmed_; }

  // A band edit of a band the view shows (see IsRealBandField).
  bool IsShownBandEdit(const QWidget* w) const;
  // A control of a band column the view does not show (MIC B's columns 10 to 15): Tab passes it.
  bool IsUnshownBandControl(const QWidget* w) const;

  // Handlers an operator action runs; the input connects them itself.
  void BandEditClicked(QLineEdit* edit);     // click: select the band, normalise, send nothing
  void BandEditExit();                       // focus leaves a band edit (and Enter)
  void SpinClicked(QWidget* spin, bool up);  // one handler for every pair of spin buttons

  // Connects every bound pair of spin buttons once, however often the tables are built.
  void ConnectAll();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void OnSpinUp();
  void OnSpinDown();

 private:
  static bool ShownNumber(const QLineEdit* edit, double* number);
  void ApplyStep(int step, int rawDelta, EditOrigin origin);
  void ConnectSpin(QWidget* control);
  void LeaveFocusedEdit(QWidget* next);
  bool KeyPress(QLineEdit* edit, QEvent* event);
  bool Wheel(QEvent* event);
  void PassUnshownBandControl(QWidget* w, bool forward);

  BindingTables& tables_;
  EditDispatch& edits_;
  BindingState& state_;
  Messages& messages_;
  QString lastGoodText_;
  bool wheelArmed_ = false;
  QSet<const QWidget*> connected_;  // spin buttons whose signals are already connected
};

}  // namespace velantro
