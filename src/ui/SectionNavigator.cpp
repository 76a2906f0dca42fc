#include "ui/SectionNavigator.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>

#include "binding/ControlBinding.h"
#include "eq/EqGraphPanel.h"
#include "model/BandLayout.h"
#include "model/Sections.h"
#include "ui/WindowControls.h"
#include "widgets/FocusRing.h"
#include "widgets/Looks.h"
#include "widgets/WidgetNames.h"
#include "widgets/Widgets.h"

namespace velantro {

namespace {

constexpr int kFirstSpareTab = 9;  // the tab's address; selects nothing

}  // namespace

SectionNavigator::SectionNavigator(QWidget& window, QStackedWidget& pages, ControlBinding& binding,
                                   EqGraphPanel& graph, ParamStore& store, int& currentSection,
                                   QWidget& lockPanel)
    : window_(window),
      pages_(pages),
      binding_(binding),
      graph_(graph),
      store_(store),
      currentSection_(currentSection),
      lockPanel_(lockPanel) {}

QPushButton* SectionNavigator::tabButton(int number) const {
  return window_.findChild<QPushButton*>(QString(names::kTabButton).arg(number));
}

void SectionNavigator::ConnectTabs() {
  for (int i = 1; i <= kTabCount; ++i) {
    QPushButton* tab = tabButton(i);
    QObject::connect(tab, &QPushButton::clicked, &window_, [this, tab] { TabSwitch(tab); });
  }
}

// Tab reads the window as the operator does, part by part. Hidden sheets' controls stay in the
// chain and Tab passes them by.
void SectionNavigator::ChainTabOrder(const std::vector<QWidget*>& parts) {
  std::vector<QWidget*> stops;
  for (QWidget* part : parts) {
    // A part that is a stop itself (the graph) comes before anything inside it.
    if ((part->focusPolicy() & Qt::TabFocus) && part->focusProxy() == nullptr) {
      stops.push_back(part);
    }
    const std::vector<QWidget*> more = ReadingOrder(part);
    stops.insert(stops.end(), more.begin(), more.end());
  }
  velantro::ChainTabOrder(stops);
  // Wherever Tab or F6 goes, the operator sees where the keys act.
  new FocusRing(&window_);

  // Ctrl+Page Down and Ctrl+Page Up step through the sections as the tab buttons do.
  auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), &window_);
  QObject::connect(next, &QShortcut::activated, &window_, [this] { StepSection(1); });
  auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), &window_);
  QObject::connect(previous, &QShortcut::activated, &window_, [this] { StepSection(-1); });
  // F6 takes the keyboard to the graph from anywhere in the window, whose keys then edit bands.
  auto* graph = new QShortcut(QKeySequence(Qt::Key_F6), &window_);
  QObject::connect(graph, &QShortcut::activated, &window_, [this] { FocusGraph(); });
}

// The System sheet shows no graph, and a greyed graph (while the unit's settings are read in)
// takes no keys: F6 then only beeps.
void SectionNavigator::FocusGraph() {
  if (!graph_.isVisible() || !graph_.isEnabled() || !lockPanel_.isHidden()) {
    QApplication::beep();
    return;
  }
  graph_.setFocus(Qt::ShortcutFocusReason);
}

// The next shown tab after (or before) the section on view, round the strip; the focus moves to
// the tab, as a click on it would take it.
void SectionNavigator::StepSection(int direction) {
  std::vector<QPushButton*> shown;
  int current = 0;
  for (int i = 1; i <= kTabCount; ++i) {
    QPushButton* tab = tabButton(i);
    if (tab == nullptr || tab->isHidden()) continue;
    if (i == currentTab_) current = static_cast<int>(shown.size());
    shown.push_back(tab);
  }
  if (shown.empty() || !lockPanel_.isHidden()) return;
  const int count = static_cast<int>(shown.size());
  QPushButton* tab = shown[static_cast<size_t>((current + direction + count) % count)];
  tab->setFocus(Qt::ShortcutFocusReason);
  TabSwitch(tab);
}

void SectionNavigator::TabSwitchTo(int tabNumber) { TabSwitch(tabButton(tabNumber)); }

void SectionNavigator::TabSwitch(QPushButton* tab) {
  if (tab == nullptr) return;
  if (tab->property("address").toInt() >= kFirstSpareTab) return;
  const int section = binding_.actions().SelectTab(tab);
  currentTab_ = tab->property("address").toInt() + 1;
  currentSection_ = section;
  const int page = PageOf(section);
  const int sheet = IndexOf(section);
  binding_.RefreshAllControls(page);
  if (page != kSystemPage) ShowEqPass(page);
  graph_.RedrawSection();
  if (page != kSystemPage) SelectBandEdit(page);
  if (placeGroups) placeGroups(page, sheet);
  binding_.EnableBoundControls(store_.View(0, 0), page);
  pages_.setCurrentIndex(sheet);
  if (placePageArea) placePageArea();
}

// The selected band's edit becomes the one the wheel, the arrows and the spin buttons step: its
// gain edit, a DEQ channel's frequency edit.
void SectionNavigator::SelectBandEdit(int page) {
  const int band = binding_.SelectedBand(GraphIndex(MakeAddress(page, 0)));
  const ParamAddress address =
      page == kDeqPage
          ? MakeAddress(page, kDeqChannelSize * band + kDeqFirstBandIndex + kBandFieldFrequency)
          : MakeAddress(page, kFirstBandIndex[page] + kBandValueCount * band + kBandFieldGain);
  if (auto* edit = qobject_cast<QLineEdit*>(binding_.tables().MainControlAt(address))) {
    binding_.SetCurrentEdit(edit);
  }
}

void SectionNavigator::ShowEqPass(int page) {
  auto* pass = qobject_cast<QPushButton*>(binding_.tables().EqPassButton());
  if (page == kDeqPage || page < 0 || page >= kEqPageCount || kFirstBandIndex[page] < 1) {
    binding_.SetEqPassState(page, 0);
    graph_.ShowEqPassNotice(false);
    return;
  }
  const ParamAddress address = MakeAddress(page, kFirstBandIndex[page] - 1);
  const bool on = store_.View(address) != 0;
  pass->setProperty("address", address);
  SetButtonLook(pass, on ? ButtonLook::Down : ButtonLook::Normal);
  binding_.SetEqPassState(page, on ? 1 : 0);
  graph_.ShowEqPassNotice(on);
}

}  // namespace velantro
