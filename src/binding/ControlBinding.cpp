#include "binding/ControlBinding.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPalette>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

#include "binding/ControlTable.h"
#include "model/Scales.h"
#include "model/ScopedAssign.h"
#include "widgets/Looks.h"
#include "widgets/WidgetNames.h"
#include "widgets/Widgets.h"

namespace velantro {

namespace {

// Point labels per graph that take part in band highlighting (graphs 0 .. 9).
constexpr std::array<int, kGraphCount> kHighlightLabels{{10, 15, 5, 7, 7, 7, 7, 0, 3, 3, 0}};
constexpr int kHighlightGraphs = 8;  // graphs 0 .. 7 are highlighted

const QColor kSelectedLabelColour(82, 171, 225);
const QColor kCurrentEditFrame(68, 134, 255);
const QColor kIdleEditFrame(128, 128, 128);

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
constexpr ParamAddress kFirstBandEdit = 0x0005;    // the music page's first band frequency
constexpr ParamAddress kAutoManual = 0x0000;       // Auto (main) and Manual (pane)
constexpr ParamAddress kSingDisco = 0x0001;        // Disco (main) and Sing (pane)

QString Numbered(const char* name, int n) { return QString::fromLatin1(name) + QString::number(n); }

void ShowEditFrame(QWidget* edit, const QColor& colour) {
  edit->setProperty("frameColor", colour);
  edit->setStyleSheet(QStringLiteral("QLineEdit { border-color: %1; }").arg(colour.name()));
}

}  // namespace

ControlBinding::ControlBinding(QWidget* root, ParamStore& store, Messages& messages,
                               const int& currentSection)
    : QObject(nullptr),
      root_(root),
      store_(store),
      messages_(messages),
      currentSection_(&currentSection),
      rule_(store) {
  // The mouse wheel steps CurrentEdit wherever the pointer is over the window, before the
  // control under it sees the wheel.
  qApp->installEventFilter(this);
}

ControlBinding::~ControlBinding() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// Properties and kinds
// ---------------------------------------------------------------------------------------------

ControlKind ControlBinding::KindOf(const QWidget* control) {
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

ButtonRole ControlBinding::RoleOf(const QWidget* button) {
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

int ControlBinding::AddressOf(const QWidget* control) {
  if (control == nullptr) return -1;
  bool ok = false;
  const int address = control->property("address").toInt(&ok);
  return ok ? address : -1;
}

QString ControlBinding::HintOf(const QWidget* control) {
  return control == nullptr ? QString() : control->property("hint").toString();
}

void ControlBinding::SetHint(QWidget* control, const QString& hint) {
  if (control != nullptr) control->setProperty("hint", hint);
}

// ---------------------------------------------------------------------------------------------
// Lookups
// ---------------------------------------------------------------------------------------------

namespace {
bool SlotOf(ParamAddress address, int& page, int& slot) {
  if (address < 0) return false;
  page = PageOf(address);
  slot = IndexOf(address);
  return page < kPageCount && slot < kBindingSlots;
}
}  // namespace

QWidget* ControlBinding::SideControl(int page, int slot, int entry) const {
  if (page < 0 || page >= kPageCount || slot < 0 || slot >= kBindingSlots || entry < 0 ||
      entry > 2) {
    return nullptr;
  }
  return sides_[page][slot][entry];
}

QWidget* ControlBinding::PointLabel(int graph, int number) const {
  if (graph < 0 || graph >= kGraphCount || number < 0 || number >= kPointLabelsPerGraph) {
    return nullptr;
  }
  return pointLabels_[graph][number];
}

QWidget* ControlBinding::MainControlAt(ParamAddress address) const {
  int page = 0, slot = 0;
  return SlotOf(address, page, slot) ? main_[page][slot] : nullptr;
}

QWidget* ControlBinding::ValuePaneAt(ParamAddress address) const {
  int page = 0, slot = 0;
  return SlotOf(address, page, slot) ? panes_[page][slot] : nullptr;
}

QWidget* ControlBinding::SpinControlAt(ParamAddress address) const {
  int page = 0, slot = 0;
  return SlotOf(address, page, slot) ? spins_[page][slot] : nullptr;
}

QWidget* ControlBinding::SideControlAt(ParamAddress address, int entry) const {
  int page = 0, slot = 0;
  return SlotOf(address, page, slot) ? SideControl(page, slot, entry) : nullptr;
}

QString NameOf(const ControlSpec& row) {
  return QString::fromLatin1(row.name.data(), static_cast<qsizetype>(row.name.size()));
}

QString ControlName(ParamAddress address, ControlRole role, int position) {
  const ControlSpec* row = FindControl(address, role, position);
  return row == nullptr ? QString() : NameOf(*row);
}

QWidget* ControlBinding::Find(const QString& name) const { return names_.value(name, nullptr); }

// ---------------------------------------------------------------------------------------------
// BuildBindingTables
// ---------------------------------------------------------------------------------------------

void ControlBinding::IndexWidgets() {
  names_.clear();
  if (root_ == nullptr) return;
  const QList<QWidget*> all = root_->findChildren<QWidget*>();
  for (QWidget* w : all) {
    const QString name = w->objectName();
    if (!name.isEmpty() && !names_.contains(name)) names_.insert(name, w);
  }
}

void ControlBinding::FillTables() {
  main_ = {};
  panes_ = {};
  spins_ = {};
  sides_ = {};
  tabs_ = {};
  pointLabels_ = {};
  typeImages_.clear();

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

void ControlBinding::StampAll() {
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
            SetHint(image, QString::number(j));
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
void ControlBinding::ApplyTemplates() {
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

void ControlBinding::WriteStartValues() {
  store_.SetDevice(10, 17, 0);
  store_.SetDevice(0, 0, 1);
  for (int p = 6; p <= 9; ++p) store_.SetDevice(p, 20, 362);  // low-pass "Off"
  store_.SetDevice(1, 1, 64);
}

void ControlBinding::BuildBindingTables() {
  IndexWidgets();
  FillTables();
  currentEdit_ = qobject_cast<QLineEdit*>(MainControlAt(kFirstBandEdit));
  if (currentEdit_ == nullptr) currentEdit_ = placeholder_;
  highlighted_ = placeholder_;
  const ScopedAssign building(refreshInProgress_, true);
  StampAll();
  ApplyTemplates();
  ConnectAll();
  WriteStartValues();
}

// ---------------------------------------------------------------------------------------------
// ControlAction
// ---------------------------------------------------------------------------------------------

int ControlBinding::ControlAction(QWidget* control, int number) {
  if (control == nullptr) return 0;
  const ControlKind kind = KindOf(control);
  const QString name = control->objectName();
  if (number >= 0 && number <= 9) {
    auto* edit = qobject_cast<QLineEdit*>(control);
    return kind == ControlKind::Edit && edit != nullptr ? BandSelection(edit, number) : 0;
  }
  auto* button = qobject_cast<QAbstractButton*>(control);
  auto pair = [&](QWidget* first, QWidget* second, ButtonLook downLook) {
    const bool isFirst = control == first;
    auto* a = qobject_cast<QAbstractButton*>(first);
    auto* b = qobject_cast<QAbstractButton*>(second);
    SetButtonLook(isFirst ? a : b, downLook);
    SetButtonLook(isFirst ? b : a, ButtonLook::Normal);
    return isFirst ? 0 : 1;
  };
  switch (number) {
    case action::kTabSelect:
      return std::find(tabs_.begin(), tabs_.end(), control) != tabs_.end() ? TabSelection(control)
                                                                           : 0;
    case action::kToggle: {
      if (kind != ControlKind::Button) return 0;
      const bool on = HintOf(control) != QLatin1String("1");
      ShowToggle(control, on);
      return on ? 1 : 0;
    }
    case action::kPhase: {
      if (kind != ControlKind::Button || button == nullptr) return 0;
      const bool on = HintOf(control) != QLatin1String("1");
      ShowPhase(button, on);
      return on ? 1 : 0;
    }
    case action::kAutoManual:
      if (control != MainControlAt(kAutoManual) && control != ValuePaneAt(kAutoManual)) return 0;
      return pair(MainControlAt(kAutoManual), ValuePaneAt(kAutoManual), ButtonLook::Down);
    case action::kSingDisco:
      if (control != ValuePaneAt(kSingDisco) && control != MainControlAt(kSingDisco)) return 0;
      return pair(ValuePaneAt(kSingDisco), MainControlAt(kSingDisco), ButtonLook::Down);
    case action::kMicGroup: {
      if (name != QLatin1String(names::kMicGroupA) && name != QLatin1String(names::kMicGroupB))
        return 0;
      const int group = pair(Find(names::kMicGroupA), Find(names::kMicGroupB), ButtonLook::Down);
      LetGoOfBandsNotShown(group);
      return group;
    }
    case action::kOptionLook:
      return kind == ControlKind::Button && RoleOf(control) == ButtonRole::Option
                 ? OptionLook(control)
                 : 0;
    case action::kLinkButtons: {
      if (name != QLatin1String(names::kLinkButton) && name != QLatin1String(names::kUnlinkButton))
        return 0;
      const bool link = name == QLatin1String(names::kLinkButton);
      auto* linkBtn = qobject_cast<QAbstractButton*>(link ? control : Find(names::kLinkButton));
      auto* unlinkBtn = qobject_cast<QAbstractButton*>(link ? Find(names::kUnlinkButton) : control);
      if (linkBtn != nullptr) {
        linkBtn->setText(link ? QStringLiteral("Unlink") : QStringLiteral("Connect"));
        QPalette palette = linkBtn->palette();
        palette.setColor(QPalette::ButtonText, link ? Qt::white : Qt::black);
        linkBtn->setPalette(palette);
      }
      SetButtonLook(linkBtn, link ? ButtonLook::Down : ButtonLook::Normal);
      SetButtonLook(unlinkBtn, link ? ButtonLook::Normal : ButtonLook::Down);
      return link ? 0 : 1;
    }
    case action::kTypeImages:
      if (IsTypeImage(control)) TypeImages(control);
      return 0;
    case action::kDeqDynamics:
      if (auto* combo = qobject_cast<QComboBox*>(control);
          combo != nullptr && IsDeqWorkMode(AddressOf(combo))) {
        DeqDynamics(combo);
      }
      return 0;
    default:
      return 0;
  }
}

int ControlBinding::BandSelection(QLineEdit* edit, int graph) {
  if (refreshInProgress_) return 0;
  const BandLocation location = LocateBand(AddressOf(edit), store_.MicGroup);
  const int band = location.band;
  SetSelectedBand(graph, band);
  if (currentEdit_ != highlighted_) {
    for (int g = 0; g < kHighlightGraphs; ++g) {
      for (int i = 0; i < kHighlightLabels[g]; ++i) {
        QWidget* label = pointLabels_[g][i];
        if (label == nullptr) continue;
        QColor colour = kSelectedLabelColour;
        colour.setAlpha(i == band ? 255 : 0);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, colour);
        label->setPalette(palette);
        label->setAutoFillBackground(i == band);
        label->setProperty("highlighted", i == band);
      }
    }
    if (QWidget* bound = MainControlAt(AddressOf(currentEdit_));
        bound != nullptr && bound != placeholder_ && KindOf(bound) == ControlKind::Edit) {
      ShowEditFrame(bound, kCurrentEditFrame);
    }
    if (highlighted_ != nullptr && highlighted_ != placeholder_ &&
        KindOf(highlighted_) == ControlKind::Edit && highlighted_ != currentEdit_) {
      ShowEditFrame(highlighted_, kIdleEditFrame);
    }
    highlighted_ = currentEdit_;
  }
  KeepBandVisible(band);
  if (bandSelected) bandSelected(graph, band);
  return band;
}

// Keeps the selected band inside the visible part of the band strip on view.
void ControlBinding::KeepBandVisible(int band) {
  const int sheet = *currentSection_ & 0xFF;
  const char* name = nullptr;
  int width = 0;
  if (sheet == 1) {
    name = names::kMicStripScroll;
    width = 10;
  } else if (sheet == 3) {
    name = names::kMainStripScroll;
    width = 5;
  } else if (sheet == 5) {
    name = names::kAuxStripScroll;
    width = 5;
  }
  if (name == nullptr) return;
  auto* bar = qobject_cast<QAbstractSlider*>(Find(QString::fromLatin1(name)));
  if (bar == nullptr) return;
  if (band > bar->value() + width) {
    bar->setValue(band - (width - 1));
  } else if (bar->value() > band) {
    bar->setValue(band);
  }
}

int ControlBinding::TabSelection(QWidget* tab) {
  int index = AddressOf(tab);
  if (index < 0 || index >= kTabButtonCount) {
    index = static_cast<int>(std::find(tabs_.begin(), tabs_.end(), tab) - tabs_.begin());
  }
  for (QWidget* t : tabs_) {
    auto* button = qobject_cast<QAbstractButton*>(t);
    if (button == nullptr) continue;
    SetButtonLook(button, t == tab ? ButtonLook::Selected : ButtonLook::Normal);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, t == tab ? Qt::white : Qt::black);
    button->setPalette(palette);
  }
  // The edit the wheel and the arrows step belongs to the section left; the window points it
  // at the new section's selected band.
  currentEdit_ = placeholder_;
  switch (index) {
    case 0:
      return 0x0000;
    case 1:
      return 0x0101;
    case 2:
      return 0x0402;
    case 3:
      store_.MainOutputPage = 6;
      return 0x0603;
    case 4:
      store_.AuxOutputPage = 7;
      return 0x0705;
    case 5:
      store_.AuxOutputPage = 8;
      return 0x0705;
    case 6:
      store_.MainOutputPage = 9;
      return 0x0603;
    case 7:
      return 0x0A07;
    case 8:
      return 0x0208;
    default:
      return 0;
  }
}

// A toggle on shows pressed; its hint is its state.
void ControlBinding::ShowToggle(QWidget* button, bool on) {
  SetHint(button, on ? QStringLiteral("1") : QStringLiteral("0"));
  SetButtonLook(qobject_cast<QAbstractButton*>(button), on ? ButtonLook::Down : ButtonLook::Normal);
}

// A phase in step shows "+"; an inverted phase shows the inverted look with no caption.
void ControlBinding::ShowPhase(QAbstractButton* button, bool on) {
  button->setText(on ? QStringLiteral("+") : QString());
  SetHint(button, on ? QStringLiteral("1") : QStringLiteral("0"));
  SetButtonLook(button, on ? ButtonLook::Normal : ButtonLook::Inverted);
}

int ControlBinding::OptionLook(QWidget* button) {
  const int address = AddressOf(button);
  const int page = PageOf(address);
  const bool three = address == 0x0A03 || address == 0x0A0E || page == 2 || page == 6 || page == 7;
  const int count = three ? 3 : 2;
  const int position = HintOf(button).toInt();
  // The music input group keeps its own down picture when chosen.
  const bool ownDown = address == 0x0A0E;
  for (int j = 0; j < count; ++j) {
    auto* member = qobject_cast<QAbstractButton*>(optionGroup_[j]);
    if (member == nullptr) continue;
    const ButtonLook chosen = ownDown ? ButtonLook::Down : ButtonLook::Selected;
    SetButtonLook(member, j == position ? chosen : ButtonLook::Normal);
  }
  return position;
}

void ControlBinding::TypeImages(QWidget* image) {
  const int address = AddressOf(image);
  const int chosen = HintOf(image).toInt();
  const bool deqMode = IsDeqWorkMode(address);
  const std::array<TypePicture, 3> pictures =
      deqMode
          ? std::array<TypePicture, 3>{TypePicture::DeqOff, TypePicture::Below, TypePicture::Above}
          : std::array<TypePicture, 3>{TypePicture::Peq, TypePicture::Lsq, TypePicture::Hsq};
  for (int j = 0; j < 3; ++j) {
    QWidget* side = SideControlAt(address, j);
    if (side == nullptr) continue;
    if (auto* label = qobject_cast<QLabel*>(side)) {
      ShowTypeImage(label, pictures[j], j == chosen);
    } else {
      side->setProperty("on", j == chosen);
    }
  }
}

void ControlBinding::DeqDynamics(QComboBox* combo) {
  const int address = AddressOf(combo);
  const bool active = combo->currentIndex() != 0;
  for (int i = 1; i <= 4; ++i) {
    QWidget* bar = MainControlAt(address + i);
    if (bar == nullptr || KindOf(bar) != ControlKind::TrackBar) continue;
    bar->setProperty("look", active ? "normal" : "disabled");
    Repolish(bar);
  }
  const int channel = (IndexOf(address) - 7) / kDeqChannelSize;
  for (int i = 0; i < 3; ++i) {
    const QString name = QString::fromLatin1(names::kDeqAmpButton).arg(channel).arg(i);
    if (QWidget* amp = Find(name)) amp->setEnabled(active);
  }
}

int ControlBinding::SelectedBand(int graph) const {
  return graph >= 0 && graph < kGraphCount ? selectedBand_[graph] : 0;
}

void ControlBinding::SetSelectedBand(int graph, int band) {
  if (graph >= 0 && graph < kGraphCount) selectedBand_[graph] = band;
}

QLineEdit* ControlBinding::Placeholder() const { return placeholder_.data(); }
QLineEdit* ControlBinding::CurrentEdit() const { return currentEdit_.data(); }

void ControlBinding::SetCurrentEdit(QLineEdit* edit) {
  currentEdit_ = IsShownBandEdit(edit) ? edit : placeholder_.data();
}

// The MIC group `micGroup` comes on view: group B shows nine of the strip's fifteen columns, so
// CurrentEdit, the highlight and the MIC graph's selected band let go of a column it hides.
void ControlBinding::LetGoOfBandsNotShown(int micGroup) {
  auto hidden = [&](const QWidget* edit) {
    return IsBandEdit(edit) && !IsRealBandField(AddressOf(edit), micGroup);
  };
  if (hidden(currentEdit_)) currentEdit_ = placeholder_;
  if (hidden(highlighted_)) {
    ShowEditFrame(highlighted_, kIdleEditFrame);
    highlighted_ = placeholder_;
  }
  constexpr int kMicGraph = 1;
  if (selectedBand_[kMicGraph] >= ShownBandCount(1, micGroup)) SetSelectedBand(kMicGraph, 0);
}

// ---------------------------------------------------------------------------------------------
// GraphHost
// ---------------------------------------------------------------------------------------------

void ControlBinding::ApplyControlValue(GraphControl control, int step, bool fromStore, double x) {
  if (!control.valid()) return;
  QWidget* c = control.table == ControlTable::Pane ? ValuePaneAt(control.address)
                                                   : MainControlAt(control.address);
  if (c != nullptr) ApplyControlValue(c, step, fromStore, x);
}

bool ControlBinding::IsEditBox(ParamAddress address) const {
  QWidget* c = MainControlAt(address);
  return c != nullptr && c != placeholder_ && KindOf(c) == ControlKind::Edit;
}

void ControlBinding::SelectEdit(ParamAddress address) {
  if (!IsEditBox(address)) return;
  auto* edit = qobject_cast<QLineEdit*>(MainControlAt(address));
  if (edit != nullptr && edit->isEnabled()) BandEditClicked(edit);
}

void ControlBinding::SetEqPassState(int page, int value) {
  if (page >= 0 && page < kPageCount) eqPassState_[page] = value;
}

void ControlBinding::ChooseBandType(ParamAddress address, int item) {
  auto* combo = qobject_cast<QComboBox*>(MainControlAt(address));
  if (combo == nullptr) return;
  combo->setCurrentIndex(item);
  BandTypeChanged(combo);
}

void ControlBinding::Redraw(int point, int page) {
  if (redrawCurves) redrawCurves(point, page);
}

}  // namespace velantro
