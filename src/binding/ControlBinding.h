#pragma once

// The control binding of the main window: which controls show which parameter (MainControls,
// ValuePanes, SpinControls, SideControls, TabButtons, PointLabels, OptionGroup), the shared
// per-control actions (ControlAction), the edit dispatch that turns every operator action on a
// bound control into a limited, shown, stored and sent value (ApplyControlValue, CommitEdit and
// the handlers of each control kind), and the refresh of every control from the store
// (RefreshAllControls, EnableBoundControls, ResetEqBands).
//
// Controls are found under the window's widget tree by objectName. Each bound control carries its
// ParamAddress in the dynamic property "address" (int) and its hint text in "hint" (QString): the
// scale number of edits, panes and combo boxes, the state "0"/"1" of bitmap buttons, the position
// of option buttons and type images. The binding connects the signals of every bound control
// itself (edits, sliders, spin buttons, combo boxes, phase/toggle/option buttons); the window
// connects only its own section handlers (tabs, Auto/Manual, Sing/Disco, MIC group, strip
// scrolling) and the graph panel its buttons (EQ pass, EQ Reset, DEQ EQ pass, type images).

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <array>
#include <functional>

#include "binding/ControlTable.h"
#include "binding/EditRule.h"
#include "eq/GraphHost.h"
#include "model/Messages.h"
#include "model/ParamStore.h"

class QAbstractButton;
class QComboBox;
class QEvent;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

namespace velantro {

// The seven control kinds the binding distinguishes. A widget's kind comes from its "kind"
// property ("edit", "combo", "bar", "pane", "button", "spin", "image") and otherwise from its
// class (QLineEdit, read-only QLineEdit or QLabel, QComboBox, QSlider, QAbstractButton, a widget
// with upClicked()/downClicked() signals).
enum class ControlKind { None, Edit, Combo, TrackBar, Pane, Button, Spin, Image };

// Button roles: "role" property "option", "phase" or "eqpass" (every bound button carries the
// role of its row in the control table from where it is built), or a caption equal to
// "EQ pass"; everything else bound is a plain toggle. A button's size never decides its role.
enum class ButtonRole { Toggle, Option, Phase, EqPass };

constexpr int kBindingSlots = 86;      // slots 0 .. 85 of every page
constexpr int kRefreshSlotLimit = 85;  // a refresh visits slots below 85 only
constexpr int kTabButtonCount = 10;
constexpr int kGraphCount = 11;
constexpr int kPointLabelsPerGraph = 22;
constexpr int kAllPages = 20;        // RefreshAllControls / ResetEqBands: every page
constexpr int kAutoModeLock = 255;   // EnableBoundControls: the music auto mode lock
constexpr int kWholePagePoint = 20;  // redrawCurves: the whole page

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

using ControlRow = std::array<QWidget*, kBindingSlots>;
using ControlTableRows = std::array<ControlRow, kPageCount>;

struct ControlSpec;
// A row's objectName as Qt holds it.
QString NameOf(const ControlSpec& row);
// The objectName of the table's control in `role` at the address; empty when there is none.
QString ControlName(ParamAddress address, ControlRole role, int position = -1);

class ControlBinding : public QObject, public GraphHost {
  Q_OBJECT

 public:
  // `root` is the main window (TForm1); `currentSection` is the window's CurrentSection, which
  // only the tab switch writes. All references must outlive the binding. The binding has no
  // QObject parent: its owner deletes it (before or after the window, either works).
  ControlBinding(QWidget* root, ParamStore& store, Messages& messages, const int& currentSection);
  ~ControlBinding() override;

  // ---- Tables ---------------------------------------------------------------------------------

  // Fills every table from the window's controls, stamps addresses, connects the handlers once
  // and writes the start values into DeviceImage. Running it again gives the same result.
  void BuildBindingTables();

  const ControlTableRows& MainControls() const { return main_; }
  const ControlTableRows& ValuePanes() const { return panes_; }
  const ControlTableRows& SpinControls() const { return spins_; }
  // SideControls[page][slot][0..2].
  QWidget* SideControl(int page, int slot, int entry) const;
  const std::array<QWidget*, kTabButtonCount>& TabButtons() const { return tabs_; }
  QWidget* PointLabel(int graph, int number) const;
  const std::array<QWidget*, 3>& OptionGroup() const { return optionGroup_; }

  // Lookups by address (page and slot of the address); null when nothing is bound there.
  QWidget* MainControlAt(ParamAddress address) const;
  QWidget* ValuePaneAt(ParamAddress address) const;
  QWidget* SpinControlAt(ParamAddress address) const;
  QWidget* SideControlAt(ParamAddress address, int entry) const;
  // The hidden placeholder edit `Example` (created by the binding when the window has none).
  QLineEdit* Placeholder() const;
  // The "EQ pass" button of the page on view (it carries the music page's address at first).
  QWidget* EqPassButton() const { return eqPass_; }

  static ControlKind KindOf(const QWidget* control);
  bool IsTypeImage(const QWidget* control) const { return typeImages_.contains(control); }
  static ButtonRole RoleOf(const QWidget* button);
  static int AddressOf(const QWidget* control);  // -1 without an address
  static QString HintOf(const QWidget* control);
  static void SetHint(QWidget* control, const QString& hint);

  // ControlAction(control, number): band selection (0-9, edits), tab selection (10), toggle (11),
  // phase (14), Auto/Manual (16), Sing/Disco (17), option group look (18), Link/Unlink (20), type
  // images (21), DEQ dynamics enable (22), MIC A/B (25). Anything else does nothing and gives 0.
  int ControlAction(QWidget* control, int number) override;

  // ---- Edit dispatch --------------------------------------------------------------------------

  // Limits x by the control's scale, shows it, moves the linked track bar, stores it and (unless
  // fromStore) sends it through SetBand (scales 0-4) or SetParam (scales 5 and up).
  // Gives what was shown and stored (address -1 when the control takes no value).
  EditOutcome ApplyControlValue(QWidget* control, int step, bool fromStore, double x);
  // Parses CurrentEdit's text and applies it with the step code (0, 1 up, 11 down).
  void CommitEdit(int step) override;

  QLineEdit* CurrentEdit() const;
  // An edit of a band the view does not show (see IsRealBandField) leaves the placeholder.
  void SetCurrentEdit(QLineEdit* edit);
  const QString& LastGoodText() const { return lastGoodText_; }
  // Set by the first click on a band edit; the wheel then steps CurrentEdit while a band edit
  // has the focus.
  bool WheelArmed() const { return wheelArmed_; }
  GraphChange LastChange() const override { return rule_.LastChange(); }
  void SetLastChange(GraphChange change) { rule_.SetLastChange(change); }

  // Handlers an operator action runs; the binding connects them itself. Public so that the
  // window, the graph and the tests can run them as the Parts of the console call them.
  void BandEditClicked(QLineEdit* edit);        // click: select the band, normalise, send nothing
  void BandEditExit();                          // focus leaves a band edit (and Enter)
  void SpinClicked(QWidget* spin, bool up);     // one handler for every pair of spin buttons
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

  // ---- Refresh --------------------------------------------------------------------------------

  // Shows the store in the controls of one page (0-10) or of all (20) without sending anything.
  void RefreshAllControls(int target);
  // Page 255: the music auto mode lock (flag = ViewValues[0][0]); pages 0-7: that page's EQ pass
  // lock (by the hint of MusEQAllpassBtn).
  void EnableBoundControls(int flag, int page) override;
  // Default EQ bands for one page (stored and sent) or for all (20, stored only), then a refresh.
  void ResetEqBands(int target) override;

  bool RefreshInProgress() const override { return refreshInProgress_; }
  void SetRefreshInProgress(bool on) { refreshInProgress_ = on; }
  std::array<int, kPageCount>& EqPassState() { return eqPassState_; }
  const std::array<int, kPageCount>& EqPassState() const { return eqPassState_; }
  int SelectedBand(int graph) const override;
  void SetSelectedBand(int graph, int band);

  // ---- GraphHost ------------------------------------------------------------------------------

  int CurrentSection() const override { return *currentSection_; }
  void ApplyControlValue(GraphControl control, int step, bool fromStore, double x) override;
  bool IsEditBox(ParamAddress address) const override;
  void SelectEdit(ParamAddress address) override;
  void SetEqPassState(int page, int value) override;
  void ChooseBandType(ParamAddress address, int item) override;

  // ---- Hooks the window and the graph fill ----------------------------------------------------

  // Every "redraw the EQ graph" of the binding: DrawPageCurves(point, page), point 20 is the
  // whole page (EqGraphPanel::RedrawHook gives a ready one).
  std::function<void(int point, int page)> redrawCurves;
  // After a band selection set SelectedBand[graph] := band.
  std::function<void(int graph, int band)> bandSelected;
  // The Auto/Manual handler of the window, run by the refresh for AutoModeBtn or ManulModeBtn.
  std::function<void(QPushButton* button)> autoManualHandler;
  // The mode list's change handling (ShowModeName), run after the refresh rebuilt SysModeBox.
  std::function<void()> modeBoxHandler;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void OnSpinUp();
  void OnSpinDown();

 private:
  void IndexWidgets();
  QWidget* Find(const QString& name) const;
  QWidget* Find(const char* name) const { return Find(QString::fromLatin1(name)); }
  void FillTables();
  void StampAll();
  void ConnectAll();
  void ConnectControl(QWidget* control, int page, int slot);
  void ApplyTemplates();
  void WriteStartValues();

  int BandSelection(QLineEdit* edit, int graph);
  int TabSelection(QWidget* tab);
  int OptionLook(QWidget* button);
  static void ShowToggle(QWidget* button, bool on);
  static void ShowPhase(QAbstractButton* button, bool on);
  void TypeImages(QWidget* image);
  void DeqDynamics(QComboBox* combo);
  void LoadOptionGroup(ParamAddress address);
  bool ShowOption(int position);
  void ApplyOption(ParamAddress address, int position);
  void KeepBandVisible(int band);

  void SliderChanged(QSlider* bar);
  static bool IsVolumeBar(ParamAddress address);
  void ShowBandType(QComboBox* combo);
  void ShowStore(int target);
  void RefreshSlot(int page, int slot);
  void RefreshButton(QPushButton* button, int page, int slot, int value);
  void RefreshTrackBar(QSlider* bar, int value);
  void MoveBarQuietly(QSlider* bar, int position);
  void RefreshEqPass();
  void RefreshModeList();

  bool IsBandEdit(const QWidget* w) const;
  bool IsShownBandEdit(const QWidget* w) const;
  void LetGoOfBandsNotShown(int micGroup);
  void LeaveFocusedEdit(QWidget* next);
  bool KeyPress(QLineEdit* edit, QEvent* event);
  bool Wheel(QEvent* event);
  void ShowOutcome(QWidget* control, const EditOutcome& outcome);
  static void ShowText(QWidget* control, const QString& text);
  void Redraw(int point, int page);

  QPointer<QWidget> root_;
  ParamStore& store_;
  Messages& messages_;
  const int* currentSection_;

  QHash<QString, QWidget*> names_;
  QSet<const QWidget*> typeImages_;  // the three type images of every band and DEQ work mode
  QSet<const QWidget*> connected_;   // controls whose signals are already connected
  QSet<const QWidget*> bandEdits_;   // the edit boxes of MainControls
  ControlTableRows main_{};
  ControlTableRows panes_{};
  ControlTableRows spins_{};
  std::array<std::array<std::array<QWidget*, 3>, kBindingSlots>, kPageCount> sides_{};
  std::array<QWidget*, kTabButtonCount> tabs_{};
  std::array<std::array<QWidget*, kPointLabelsPerGraph>, kGraphCount> pointLabels_{};
  std::array<QWidget*, 3> optionGroup_{};

  QPointer<QLineEdit> placeholder_;
  QWidget* eqPass_ = nullptr;
  QPointer<QLineEdit> currentEdit_;
  QPointer<QLineEdit> highlighted_;  // the previously highlighted edit
  QString lastGoodText_;
  bool wheelArmed_ = false;
  bool refreshInProgress_ = false;
  EditRule rule_;
  std::array<int, kPageCount> eqPassState_{};
  std::array<int, kGraphCount> selectedBand_{};
};

}  // namespace velantro
