#include "binding/ControlActions.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>
#include <algorithm>

#include "model/BandLayout.h"
#include "model/ParamStore.h"
#include "model/Scales.h"
#include "model/Sections.h"
#include "widgets/Looks.h"
#include "widgets/WidgetNames.h"

namespace velantro {

namespace {

// Point labels per graph that take part in band highlighting (graphs 0 .. 9).
constexpr std::array<int, kGraphCount> kHighlightLabels{{10, 15, 5, 7, 7, 7, 7, 0, 3, 3, 0}};
constexpr int kHighlightGraphs = 8;  // graphs 0 .. 7 are highlighted

const QColor kSelectedLabelColour(82, 171, 225);
const QColor kCurrentEditFrame(68, 134, 255);
const QColor kIdleEditFrame(128, 128, 128);

constexpr ParamAddress kAutoManual = 0x0000;  // Auto (main) and Manual (pane)
constexpr ParamAddress kSingDisco = 0x0001;   // Disco (main) and Sing (pane)

void ShowEditFrame(QWidget* edit, const QColor& colour) {
  edit->setProperty("frameColor", colour);
  edit->setStyleSheet(QStringLiteral("QLineEdit { border-color: %1; }").arg(colour.name()));
}

}  // namespace

ControlActions::ControlActions(BindingTables& tables, BindingState& state,
                               const std::function<void(int graph, int band)>& bandSelected)
    : tables_(tables), state_(state), bandSelected_(bandSelected) {}

// Shows the button of the pair that was chosen down and the other up; gives 0 for the first.
int ControlActions::ChoosePair(QWidget* chosen, QWidget* first, QWidget* second,
                               ButtonLook downLook) {
  const bool isFirst = chosen == first;
  auto* a = qobject_cast<QAbstractButton*>(first);
  auto* b = qobject_cast<QAbstractButton*>(second);
  SetButtonLook(isFirst ? a : b, downLook);
  SetButtonLook(isFirst ? b : a, ButtonLook::Normal);
  return isFirst ? 0 : 1;
}

int ControlActions::SelectTab(QWidget* tab) {
  const auto& tabs = tables_.TabButtons();
  if (tab == nullptr || std::find(tabs.begin(), tabs.end(), tab) == tabs.end()) return 0;
  return TabSelection(tab);
}

int ControlActions::ChooseAutoManual(QWidget* button) {
  QWidget* autoButton = tables_.MainControlAt(kAutoManual);
  QWidget* manualButton = tables_.ValuePaneAt(kAutoManual);
  if (button == nullptr || (button != autoButton && button != manualButton)) return 0;
  return ChoosePair(button, autoButton, manualButton, ButtonLook::Down);
}

int ControlActions::ChooseSingDisco(QWidget* button) {
  QWidget* singButton = tables_.ValuePaneAt(kSingDisco);
  QWidget* discoButton = tables_.MainControlAt(kSingDisco);
  if (button == nullptr || (button != singButton && button != discoButton)) return 0;
  return ChoosePair(button, singButton, discoButton, ButtonLook::Down);
}

int ControlActions::ChooseMicGroup(QWidget* button) {
  QWidget* a = tables_.Find(names::kMicGroupA);
  QWidget* b = tables_.Find(names::kMicGroupB);
  if (button == nullptr || (button != a && button != b)) return 0;
  const int group = ChoosePair(button, a, b, ButtonLook::Down);
  LetGoOfBandsNotShown(group);
  return group;
}

int ControlActions::Toggle(QAbstractButton* button) {
  if (button == nullptr || KindOf(button) != ControlKind::Button || AddressOf(button) < 0) {
    return 0;
  }
  const int value = state_.editor.Toggle(AddressOf(button), EditOrigin::Click);
  if (RoleOf(button) == ButtonRole::Phase) {
    ShowPhase(button, value != 0);
  } else {
    ShowToggle(button, value != 0);
  }
  return value;
}

// ---------------------------------------------------------------------------------------------
// Band selection
// ---------------------------------------------------------------------------------------------

int ControlActions::SelectBand(QLineEdit* edit, int graph) {
  if (edit == nullptr || KindOf(edit) != ControlKind::Edit || graph < 0 || graph > kLastBandGraph) {
    return 0;
  }
  if (state_.refreshInProgress) return 0;
  const BandLocation location = LocateBand(AddressOf(edit), state_.store.MicGroup);
  const int band = location.band;
  SetSelectedBand(graph, band);
  QLineEdit* const current = state_.currentEdit;
  if (current != highlighted_) {
    for (int g = 0; g < kHighlightGraphs; ++g) {
      for (int i = 0; i < kHighlightLabels[g]; ++i) {
        QWidget* label = tables_.PointLabel(g, i);
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
    QWidget* placeholder = tables_.Placeholder();
    if (QWidget* bound = tables_.MainControlAt(AddressOf(current));
        bound != nullptr && bound != placeholder && KindOf(bound) == ControlKind::Edit) {
      ShowEditFrame(bound, kCurrentEditFrame);
    }
    if (highlighted_ != nullptr && highlighted_ != placeholder &&
        KindOf(highlighted_) == ControlKind::Edit && highlighted_ != current) {
      ShowEditFrame(highlighted_, kIdleEditFrame);
    }
    highlighted_ = current;
  }
  KeepBandVisible(band);
  if (bandSelected_) bandSelected_(graph, band);
  return band;
}

// Keeps the selected band inside the visible part of the band strip on view. A wide window shows
// more columns: the strip's slider scrolls what does not fit, so the columns in view are the
// strip's bands less the slider's range.
void ControlActions::KeepBandVisible(int band) {
  const int sheet = SectionSheet(state_.currentSection);
  const char* name = nullptr;
  if (sheet == 1) {
    name = names::kMicStripScroll;
  } else if (sheet == 3) {
    name = names::kMainStripScroll;
  } else if (sheet == 5) {
    name = names::kAuxStripScroll;
  }
  if (name == nullptr) return;
  auto* bar = qobject_cast<QAbstractSlider*>(tables_.Find(name));
  if (bar == nullptr) return;
  const int inView = ShownBandCount(SectionPage(state_.currentSection), 0) - bar->maximum();
  if (inView <= 0) return;
  if (band >= bar->value() + inView) {
    bar->setValue(band - (inView - 1));
  } else if (bar->value() > band) {
    bar->setValue(band);
  }
}

// The MIC group `micGroup` comes on view: group B shows nine of the strip's fifteen columns, so
// CurrentEdit, the highlight and the MIC graph's selected band let go of a column it hides.
void ControlActions::LetGoOfBandsNotShown(int micGroup) {
  auto hidden = [&](const QWidget* edit) {
    return tables_.IsBandEdit(edit) && !IsRealBandField(AddressOf(edit), micGroup);
  };
  if (hidden(state_.currentEdit)) state_.currentEdit = tables_.Placeholder();
  if (hidden(highlighted_)) {
    ShowEditFrame(highlighted_, kIdleEditFrame);
    highlighted_ = tables_.Placeholder();
  }
  constexpr int kMicGraph = 1;
  if (selectedBand_[kMicGraph] >= ShownBandCount(1, micGroup)) SetSelectedBand(kMicGraph, 0);
}

int ControlActions::SelectedBand(int graph) const {
  return graph >= 0 && graph < kGraphCount ? selectedBand_[graph] : 0;
}

void ControlActions::SetSelectedBand(int graph, int band) {
  if (graph >= 0 && graph < kGraphCount) selectedBand_[graph] = band;
}

void ControlActions::ForgetHighlight() { highlighted_ = tables_.Placeholder(); }

// ---------------------------------------------------------------------------------------------
// Tabs, toggles, options, type images
// ---------------------------------------------------------------------------------------------

int ControlActions::TabSelection(QWidget* tab) {
  const auto& tabs = tables_.TabButtons();
  int index = AddressOf(tab);
  if (index < 0 || index >= kTabButtonCount) {
    index = static_cast<int>(std::find(tabs.begin(), tabs.end(), tab) - tabs.begin());
  }
  for (QWidget* t : tabs) {
    auto* button = qobject_cast<QAbstractButton*>(t);
    if (button == nullptr) continue;
    SetButtonLook(button, t == tab ? ButtonLook::Selected : ButtonLook::Normal);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, t == tab ? Qt::white : Qt::black);
    button->setPalette(palette);
  }
  // The edit the wheel and the arrows step belongs to the section left; the window points it
  // at the new section's selected band.
  state_.currentEdit = tables_.Placeholder();
  const std::optional<SectionSpec> section = SectionOfTab(index + 1);
  if (!section) return 0;
  if (section->mainOutputPage != 0) state_.editor.SetMainOutputPage(section->mainOutputPage);
  if (section->auxOutputPage != 0) state_.editor.SetAuxOutputPage(section->auxOutputPage);
  return section->section();
}

void ControlActions::ShowToggle(QWidget* button, bool on) {
  SetButtonLook(qobject_cast<QAbstractButton*>(button), on ? ButtonLook::Down : ButtonLook::Normal);
}

void ControlActions::ShowPhase(QAbstractButton* button, bool on) {
  button->setText(on ? QStringLiteral("+") : QString());
  SetButtonLook(button, on ? ButtonLook::Normal : ButtonLook::Inverted);
}

int ControlActions::OptionLook(QWidget* button) {
  if (KindOf(button) != ControlKind::Button || RoleOf(button) != ButtonRole::Option) return 0;
  const int address = AddressOf(button);
  const int page = PageOf(address);
  const bool three = address == 0x0A03 || address == 0x0A0E || page == 2 || page == 6 || page == 7;
  const int count = three ? 3 : 2;
  const int position = tables_.PositionOf(button);
  // The music input group keeps its own down picture when chosen.
  const bool ownDown = address == 0x0A0E;
  for (int j = 0; j < count; ++j) {
    auto* member = qobject_cast<QAbstractButton*>(tables_.OptionGroup()[j]);
    if (member == nullptr) continue;
    const ButtonLook chosen = ownDown ? ButtonLook::Down : ButtonLook::Selected;
    SetButtonLook(member, j == position ? chosen : ButtonLook::Normal);
  }
  return position;
}

bool ControlActions::ShowOption(int position) {
  const auto& group = tables_.OptionGroup();
  QWidget* member = nullptr;
  for (QWidget* candidate : group) {
    if (candidate != nullptr && tables_.PositionOf(candidate) == position) {
      member = candidate;
    }
  }
  if (member == nullptr && position >= 0 && position < 3) member = group[position];
  if (member == nullptr) {
    for (QWidget* candidate : group) {
      if (auto* b = qobject_cast<QAbstractButton*>(candidate)) SetButtonLook(b, ButtonLook::Normal);
    }
    return false;
  }
  OptionLook(member);
  return true;
}

void ControlActions::ShowBandType(QComboBox* combo) {
  const int v = combo->currentIndex();
  const ParamAddress a = AddressOf(combo);
  if (v >= 0 && v <= 2) {
    QWidget* image = tables_.SideControlAt(a, v);
    if (tables_.IsTypeImage(image)) TypeImages(image);
  }
  if (IsDeqWorkMode(AddressOf(combo))) DeqDynamics(combo);
}

void ControlActions::TypeImages(QWidget* image) {
  const int address = AddressOf(image);
  const int chosen = tables_.PositionOf(image);
  const bool deqMode = IsDeqWorkMode(address);
  const std::array<TypePicture, 3> pictures =
      deqMode
          ? std::array<TypePicture, 3>{TypePicture::DeqOff, TypePicture::Below, TypePicture::Above}
          : std::array<TypePicture, 3>{TypePicture::Peq, TypePicture::Lsq, TypePicture::Hsq};
  for (int j = 0; j < 3; ++j) {
    QWidget* side = tables_.SideControlAt(address, j);
    if (side == nullptr) continue;
    if (auto* label = qobject_cast<QLabel*>(side)) {
      ShowTypeImage(label, pictures[j], j == chosen);
    } else {
      side->setProperty("on", j == chosen);
    }
  }
}

void ControlActions::DeqDynamics(QComboBox* combo) {
  const int address = AddressOf(combo);
  const bool active = combo->currentIndex() != 0;
  for (int i = 1; i <= 4; ++i) {
    QWidget* bar = tables_.MainControlAt(address + i);
    if (bar == nullptr || KindOf(bar) != ControlKind::TrackBar) continue;
    bar->setProperty("look", active ? "normal" : "disabled");
    Repolish(bar);
  }
  const int channel = (IndexOf(address) - 7) / kDeqChannelSize;
  for (int i = 0; i < 3; ++i) {
    const QString name = QString::fromLatin1(names::kDeqAmpButton).arg(channel).arg(i);
    if (QWidget* amp = tables_.Find(name)) amp->setEnabled(active);
  }
}

}  // namespace velantro
