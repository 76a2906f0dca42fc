#pragma once

// The binding tables of the main window: which controls show which parameter (MainControls,
// ValuePanes, SpinControls, SideControls, TabButtons, PointLabels, OptionGroup). The controls are
// found under the window's widget tree by the objectNames of the control table.
//
// Each bound control has one Binding, made from its row of the control table when the tables are
// filled: its address, its scale, its role and sort, its option or type image position. Its
// ParamAddress is stamped in the dynamic property "address" (int) as well, for the handlers that
// start from a widget. A toggle's state is the store's value at its address, never the widget's.

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QWidget>
#include <array>

#include "binding/ControlTable.h"
#include "model/ParamAddress.h"
#include "model/Scales.h"

class QLineEdit;
class QWidget;

namespace velantro {

class ParamStore;

// The seven control kinds the binding distinguishes. A widget's kind comes from its "kind"
// property ("edit", "combo", "bar", "pane", "button", "spin", "image") and otherwise from its
// class (QLineEdit, read-only QLineEdit or QLabel, QComboBox, QSlider, QAbstractButton, a widget
// with upClicked()/downClicked() signals).
enum class ControlKind { None, Edit, Combo, TrackBar, Pane, Button, Spin, Image };

// Button roles: "role" property "option", "phase" or "eqpass" (every bound button carries the
// role of its row in the control table from where it is built), or a caption equal to
// "EQ pass"; everything else bound is a plain toggle. A button's size never decides its role.
enum class ButtonRole { Toggle, Option, Phase, EqPass };

constexpr int kBindingSlots = 86;  // slots 0 .. 85 of every page
constexpr int kTabButtonCount = 10;
constexpr int kGraphCount = 11;
constexpr int kPointLabelsPerGraph = 22;

using ControlRow = std::array<QWidget*, kBindingSlots>;
using ControlTableRows = std::array<ControlRow, kPageCount>;

// What the control table says of one bound control.
struct Binding {
  ParamAddress address = -1;  // on the group's first page, as the tables hold it
  Scale scale = Scale::None;  // edits, panes, bars and band combo boxes; None: takes no value
  ControlRole role = ControlRole::Main;
  ControlSort sort = ControlSort::Edit;
  int position = -1;  // an option member's or a type image's position; -1: none
};

// The properties a bound control carries, and its kind and button role.
ControlKind KindOf(const QWidget* control);
ButtonRole RoleOf(const QWidget* button);
int AddressOf(const QWidget* control);  // -1 without an address

// A row's objectName as Qt holds it.
QString NameOf(const ControlSpec& row);
// The objectName of the table's control in `role` at the address; empty when there is none.
QString ControlName(ParamAddress address, ControlRole role, int position = -1);

class BindingTables {
 public:
  // `root` is the main window (TForm1). The tables own no widget; the placeholder edit they
  // create when the window has none is a child of `root`.
  explicit BindingTables(QWidget* root);

  // Finds the bound controls of the window and fills every table from them.
  void Fill();
  // Stamps the tables' addresses and hints on the controls and gives bars their templates' looks.
  void Stamp();

  QWidget* Root() const { return root_; }
  // The control's binding; null for a widget the control table does not bind.
  const Binding* BindingOf(const QWidget* control) const;
  // Its scale (Scale::None when unbound) and its option or type image position (-1).
  Scale ScaleOf(const QWidget* control) const;
  int PositionOf(const QWidget* control) const;
  // The window's control of that objectName; null when it has none.
  QWidget* Find(const QString& name) const;
  QWidget* Find(const char* name) const { return Find(QString::fromLatin1(name)); }

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
  // The hidden placeholder edit `Example` (created by Fill when the window has none).
  QLineEdit* Placeholder() const;
  // The "EQ pass" button of the page on view (it carries the music page's address at first).
  QWidget* EqPassButton() const { return eqPass_; }
  bool IsTypeImage(const QWidget* control) const { return typeImages_.contains(control); }
  // The edit boxes of MainControls (the placeholder is none).
  bool IsBandEdit(const QWidget* w) const;

  // Makes the members of the option group at `address` the OptionGroup; a group the control
  // table does not know leaves it as it is.
  void LoadOptionGroup(ParamAddress address);

 private:
  void IndexWidgets();
  void FillTables();
  void RememberBandEdits();
  void StampAll();
  void ApplyTemplates();

  QPointer<QWidget> root_;
  QHash<QString, QWidget*> names_;
  QHash<const QWidget*, Binding> bindings_;
  QSet<const QWidget*> typeImages_;  // the three type images of every band and DEQ work mode
  QSet<const QWidget*> bandEdits_;
  ControlTableRows main_{};
  ControlTableRows panes_{};
  ControlTableRows spins_{};
  std::array<std::array<std::array<QWidget*, 3>, kBindingSlots>, kPageCount> sides_{};
  std::array<QWidget*, kTabButtonCount> tabs_{};
  std::array<std::array<QWidget*, kPointLabelsPerGraph>, kGraphCount> pointLabels_{};
  std::array<QWidget*, 3> optionGroup_{};
  QPointer<QLineEdit> placeholder_;
  QWidget* eqPass_ = nullptr;
};

}  // namespace velantro
