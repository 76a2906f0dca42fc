#include "binding/BindingTables.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QSlider>
#include <QWidget>

#include "model/ParamStore.h"
#include "widgets/WidgetNames.h"

namespace velantro {

namespace {

// Point labels of the graphs: name and count (graph 0 music, 1 MIC, 2 effect, 3 main, 5 AUX,
// 8 DEQ), and the page stamped on the first `stamped` of them.
struct PointLabelSet {
  int graph;
  const char* name;
  int count;
  int stamped;
  int page;
};
constexpr std::array<PointLabelSet, 6> kPointLabelSets{{
    {0, names::kMusicPoints, 10, 10, 0},
    {1, names::kMicPoints, 15, 15, 1},
    {2, names::kEffectPoints, 5, 5, 4},
    {3, names::kMainPoints, 8, 7, 6},
    {5, names::kAuxPoints, 8, 7, 7},
    {8, names::kDeqPoints, 3, 0, 2},
}};

// Cells whose MainControls entry is the hidden placeholder edit: values no control edits here
// (mode name and save, passwords, page requests, the music page's third mode value, ...).
constexpr ParamAddress kPlaceholderCells[] = {
    0x0002, 0x0101, 0x0104, 0x0105, 0x0200, 0x040C, 0x040D, 0x040E, 0x040F, 0x0601, 0x0603, 0x0605,
    0x0607, 0x0609, 0x060B, 0x060D, 0x060F, 0x0620, 0x0621, 0x0701, 0x0703, 0x0705, 0x0707, 0x0709,
    0x070B, 0x070D, 0x070F, 0x071D, 0x071E, 0x0A00, 0x0A01, 0x0A04, 0x0A05, 0x0A0F, 0x0A10,
};

constexpr ParamAddress kEqPassAddress = 0x0003;    // the page EQ pass, on the music page first
constexpr ParamAddress kBarTemplate = 0x0100;      // the MIC high-pass bar
constexpr ParamAddress kGainBarTemplate = 0x0006;  // the music page's first band gain

QString Numbered(const char* name, int n) { return QString::fromLatin1(name) + QString::number(n); }

bool SlotOf(ParamAddress address, int& page, int& slot) {
  if (address < 0) return false;
  page = PageOf(address);
  slot = IndexOf(address);
  return page < kPageCount && slot < kBindingSlots;
}

}  // namespace

BindingTables::BindingTables(QWidget* root) : root_(root) {}

// ---------------------------------------------------------------------------------------------
// Properties and kinds
// ---------------------------------------------------------------------------------------------

ControlKind KindOf(const QWidget* control) {
  if (control == nullptr) return ControlKind::None;
  const QString kind = control->property("kind").toString();
  if (kind == QLatin1String("edit")) return ControlKind::Edit;
  if (kind == QLatin1String("combo")) return ControlKind::Combo;
  if (kind == QLatin1String("bar")) return ControlKind::TrackBar;
  if (kind == QLatin1String("pane")) return ControlKind::Pane;
  if (kind == QLatin1String("button")) return ControlKind::Button;
  if (kind == QLatin1String("spin")) return ControlKind::Spin;
  if (kind == QLatin1String("image")) return ControlKind::Image;
  if (qobject_cast<const QSlider*>(control) != nullptr) return ControlKind::TrackBar;
  if (qobject_cast<const QComboBox*>(control) != nullptr) return ControlKind::Combo;
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
    return edit->isReadOnly() ? ControlKind::Pane : ControlKind::Edit;
  }
  if (qobject_cast<const QLabel*>(control) != nullptr) return ControlKind::Pane;
  if (qobject_cast<const QAbstractButton*>(control) != nullptr) return ControlKind::Button;
  const QMetaObject* meta = control->metaObject();
  if (meta->indexOfSignal("upClicked()") >= 0 && meta->indexOfSignal("downClicked()") >= 0) {
    return ControlKind::Spin;
  }
  return ControlKind::None;
}

ButtonRole RoleOf(const QWidget* button) {
  if (button == nullptr) return ButtonRole::Toggle;
  const QString role = button->property("role").toString();
  if (role == QLatin1String("option")) return ButtonRole::Option;
  if (role == QLatin1String("phase")) return ButtonRole::Phase;
  if (role == QLatin1String("eqpass")) return ButtonRole::EqPass;
  if (const auto* b = qobject_cast<const QAbstractButton*>(button)) {
    if (b->text() == QLatin1String("EQ pass")) return ButtonRole::EqPass;
  }
  return ButtonRole::Toggle;
}

int AddressOf(const QWidget* control) {
  if (control == nullptr) return -1;
  bool ok = false;
  const int address = control->property("address").toInt(&ok);
  return ok ? address : -1;
}

const Binding* BindingTables::BindingOf(const QWidget* control) const {
  const auto it = bindings_.constFind(control);
  return it == bindings_.constEnd() ? nullptr : &it.value();
}

Scale BindingTables::ScaleOf(const QWidget* control) const {
  const Binding* b = BindingOf(control);
  return b != nullptr ? b->scale : Scale::None;
}

int BindingTables::PositionOf(const QWidget* control) const {
  const Binding* b = BindingOf(control);
  return b != nullptr ? b->position : -1;
}

// ---------------------------------------------------------------------------------------------
// Lookups
// ---------------------------------------------------------------------------------------------

QWidget* BindingTables::SideControl(int page, int slot, int entry) const {
  if (page < 0 || page >= kPageCount || slot < 0 || slot >= kBindingSlots || entry < 0 ||
      entry > 2) {
    return nullptr;
  }
  return sides_[page][slot][entry];
}

QWidget* BindingTables::PointLabel(int graph, int number) const {
  if (graph < 0 || graph >= kGraphCount || number < 0 || number >= kPointLabelsPerGraph) {
    return nullptr;
  }
  return pointLabels_[graph][number];
}

QWidget* BindingTables::MainControlAt(ParamAddress address) const {
  int page = 0, slot = 0;
  return SlotOf(address, page, slot) ? main_[page][slot] : nullptr;
}

QWidget* BindingTables::ValuePaneAt(ParamAddress address) const {
  int page = 0, slot = 0;
  return SlotOf(address, page, slot) ? panes_[page][slot] : nullptr;
}

QWidget* BindingTables::SpinControlAt(ParamAddress address) const {
  int page = 0, slot = 0;
  return SlotOf(address, page, slot) ? spins_[page][slot] : nullptr;
}

QWidget* BindingTables::SideControlAt(ParamAddress address, int entry) const {
  int page = 0, slot = 0;
  return SlotOf(address, page, slot) ? SideControl(page, slot, entry) : nullptr;
}

QLineEdit* BindingTables::Placeholder() const { return placeholder_.data(); }

bool BindingTables::IsBandEdit(const QWidget* w) const {
  return w != nullptr && w != placeholder_ && bandEdits_.contains(w);
}

QString NameOf(const ControlSpec& row) {
  return QString::fromLatin1(row.name.data(), static_cast<qsizetype>(row.name.size()));
}

QString ControlName(ParamAddress address, ControlRole role, int position) {
  const ControlSpec* row = FindControl(address, role, position);
  return row == nullptr ? QString() : NameOf(*row);
}

QWidget* BindingTables::Find(const QString& name) const { return names_.value(name, nullptr); }

// ---------------------------------------------------------------------------------------------
// Fill and Stamp
// ---------------------------------------------------------------------------------------------

void BindingTables::Fill() {
  IndexWidgets();
  FillTables();
  RememberBandEdits();
}

void BindingTables::Stamp() {
  StampAll();
  ApplyTemplates();
}

void BindingTables::IndexWidgets() {
  names_.clear();
  if (root_ == nullptr) return;
  const QList<QWidget*> all = root_->findChildren<QWidget*>();
  for (QWidget* w : all) {
    const QString name = w->objectName();
    if (!name.isEmpty() && !names_.contains(name)) names_.insert(name, w);
  }
}

void BindingTables::FillTables() {
  main_ = {};
  panes_ = {};
  spins_ = {};
  sides_ = {};
  tabs_ = {};
  pointLabels_ = {};
  typeImages_.clear();
  bindings_.clear();

  placeholder_ = qobject_cast<QLineEdit*>(Find(QString::fromLatin1(names::kPlaceholderEdit)));
  if (placeholder_ == nullptr && root_ != nullptr) {
    placeholder_ = new QLineEdit(root_);
    placeholder_->setObjectName(QString::fromLatin1(names::kPlaceholderEdit));
    placeholder_->hide();
    names_.insert(placeholder_->objectName(), placeholder_);
  }
  QWidget* const ph = placeholder_;

  for (ParamAddress cell : kPlaceholderCells) main_[PageOf(cell)][IndexOf(cell)] = ph;
  eqPass_ = Find(ControlName(kEqPassAddress, ControlRole::Main));
  for (const ControlSpec& row : ControlRows()) {
    QWidget* control = Find(NameOf(row));
    const int page = PageOf(row.address);
    const int slot = IndexOf(row.address);
    if (control != nullptr && !bindings_.contains(control)) {
      bindings_.insert(control,
                       Binding{row.address, row.valueScale(), row.role, row.sort, row.position});
    }
    switch (row.role) {
      case ControlRole::Main:
        main_[page][slot] = control;
        break;
      case ControlRole::Pane:
        panes_[page][slot] = control;
        break;
      case ControlRole::Spin:
        spins_[page][slot] = control;
        break;
      case ControlRole::Side0:
      case ControlRole::Side1:
      case ControlRole::Side2:
        sides_[page][slot][static_cast<int>(row.role) - static_cast<int>(ControlRole::Side0)] =
            control;
        break;
      case ControlRole::Member:
        break;  // option groups load their members when a member is used
    }
  }

  for (int i = 0; i < kTabButtonCount; ++i)
    tabs_[i] = Find(QString::fromLatin1(names::kTabButton).arg(i + 1));
  for (const PointLabelSet& set : kPointLabelSets) {
    for (int i = 0; i < set.count; ++i) {
      pointLabels_[set.graph][i] = Find(Numbered(set.name, i + 1));
    }
  }
  for (int j = 0; j < 3; ++j) {
    optionGroup_[j] = Find(ControlName(sysaddr::MusicInputLevel, ControlRole::Member, j));
  }

  // The type images: entry 0 of a side set that is not a track bar.
  for (int p = 0; p < kPageCount; ++p) {
    for (int s = 0; s < kBindingSlots; ++s) {
      QWidget* first = sides_[p][s][0];
      if (first == nullptr || KindOf(first) == ControlKind::TrackBar) continue;
      for (QWidget* image : sides_[p][s]) {
        if (image != nullptr) typeImages_.insert(image);
      }
    }
  }
}

// An edit box found once stays a band edit, as the other controls stay connected, when a later
// Fill no longer finds it.
void BindingTables::RememberBandEdits() {
  for (const ControlTableRows* rows : {&main_, &spins_}) {
    for (const ControlRow& row : *rows) {
      for (QWidget* c : row) {
        if (c != nullptr && c != placeholder_ && KindOf(c) == ControlKind::Edit) {
          bandEdits_.insert(c);
        }
      }
    }
  }
}

void BindingTables::StampAll() {
  for (int p = 0; p < kPageCount; ++p) {
    for (int s = 0; s < kBindingSlots && s < PageValueCount(p); ++s) {
      const int address = MakeAddress(p, s);
      if (QWidget* c = main_[p][s]) {
        const ControlKind k = KindOf(c);
        if (k == ControlKind::Edit || k == ControlKind::Combo || k == ControlKind::TrackBar ||
            k == ControlKind::Button) {
          c->setProperty("address", address);
        }
      }
      if (QWidget* c = panes_[p][s]) {
        const ControlKind k = KindOf(c);
        if (k == ControlKind::Combo || k == ControlKind::Pane || k == ControlKind::Button) {
          c->setProperty("address", address);
        }
      }
      if (QWidget* c = spins_[p][s]) {
        const ControlKind k = KindOf(c);
        if (k == ControlKind::Button || k == ControlKind::Spin) c->setProperty("address", address);
      }
      QWidget* first = sides_[p][s][0];
      if (first == nullptr) continue;
      if (IsTypeImage(first)) {
        for (int j = 0; j < 3; ++j) {
          if (QWidget* image = sides_[p][s][j]) {
            image->setProperty("address", address);
          }
        }
      } else if (KindOf(first) == ControlKind::TrackBar) {
        first->setProperty("address", address);
      }
    }
  }
  for (int i = 0; i < kTabButtonCount; ++i) {
    if (tabs_[i] != nullptr) tabs_[i]->setProperty("address", i);
  }
  for (const PointLabelSet& set : kPointLabelSets) {
    for (int i = 0; i < set.stamped; ++i) {
      if (QWidget* label = pointLabels_[set.graph][i]) label->setProperty("address", set.page);
    }
  }
}

// Slider looks follow the MIC high-pass bar, band gain bars the first music band's (look and
// width).
void BindingTables::ApplyTemplates() {
  QWidget* barTemplate = MainControlAt(kBarTemplate);
  QWidget* gainTemplate = SideControlAt(kGainBarTemplate, 0);
  for (int p = 0; p < kPageCount; ++p) {
    for (int s = 0; s < kBindingSlots; ++s) {
      QWidget* c = main_[p][s];
      if (p != kSystemPage && barTemplate != nullptr && c != nullptr && c != barTemplate &&
          KindOf(c) == ControlKind::TrackBar) {
        c->setStyleSheet(barTemplate->styleSheet());
      }
      QWidget* gain = sides_[p][s][0];
      if (p != kDeqPage && gainTemplate != nullptr && gain != nullptr && gain != gainTemplate &&
          KindOf(gain) == ControlKind::TrackBar) {
        gain->setStyleSheet(gainTemplate->styleSheet());
        gain->resize(gainTemplate->width(), gain->height());
      }
    }
  }
}

void BindingTables::LoadOptionGroup(ParamAddress address) {
  std::array<QWidget*, 3> members{};
  bool found = false;
  for (const ControlSpec& row : ControlRows()) {
    if (row.role != ControlRole::Member || row.address != address) continue;
    if (row.position >= 0 && row.position < 3) members[row.position] = Find(NameOf(row));
    found = true;
  }
  if (!found) return;
  optionGroup_ = members;
  if (address == sysaddr::UserOrAdmin) {
    if (QWidget* box = Find(names::kUserAdminGroup)) box->setEnabled(false);
  }
}

}  // namespace velantro
