#include "ui/ModifiedMarkers.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWidget>
#include <algorithm>

#include "binding/ParamEditor.h"
#include "model/Sections.h"
#include "widgets/WidgetNames.h"
#include "widgets/Widgets.h"

namespace velantro {

namespace {

constexpr int kDotSize = 5;
constexpr int kDotInset = 2;
const QColor kAmber(255, 176, 32);
// The unit's sound pages: the System page's items are the console's own settings and a revert
// must never recall a mode or change a password.
constexpr int kMarkedPageCount = 10;
constexpr char kMarkerName[] = "ModifiedMarker";

// An amber dot drawn over the corner of its control; the mouse goes through it.
class MarkerDot : public QWidget {
 public:
  explicit MarkerDot(QWidget* control) : QWidget(control) {
    setObjectName(kMarkerName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(kDotSize, kDotSize);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAmber);
    painter.drawEllipse(rect());
  }
};

}  // namespace

ModifiedMarkers::ModifiedMarkers(QWidget& window, const ParamStore& store)
    : window_(window), store_(store) {}

void ModifiedMarkers::TakeReference() {
  reference_ = store_.DeviceImage;
  hasReference_ = true;
  UpdateAll();
}

void ModifiedMarkers::CollectControls() {
  controls_.clear();
  tabs_.clear();
  for (const SectionSpec& section : kSections) {
    auto* tab = window_.findChild<QPushButton*>(QString(names::kTabButton).arg(section.tab));
    if (tab != nullptr) tabs_.emplace_back(section.tab, tab);
  }
  for (QWidget* widget : window_.findChildren<QWidget*>()) {
    if (!widget->property("address").isValid()) continue;
    if (widget->objectName().startsWith(QLatin1String("FormTabBtn"))) continue;
    // The value's own control carries the dot: its spin buttons, panes and type images beside
    // it would only repeat it.
    if (dynamic_cast<SpinButtons*>(widget) != nullptr || qobject_cast<QLabel*>(widget) != nullptr) {
      continue;
    }
    controls_.push_back(widget);
  }
}

bool ModifiedMarkers::Differs(ParamAddress viewAddress) const {
  const ParamAddress where = store_.EffectiveAddress(viewAddress);
  const int page = PageOf(where);
  if (page < 0 || page >= kMarkedPageCount) return false;
  const int index = ParamStore::DeviceIndex(page, IndexOf(where), store_.LayoutFlag);
  if (!ParamStore::InDeviceRow(page, index)) return false;
  return store_.DeviceImage[page][index] != reference_[page][index];
}

bool ModifiedMarkers::PageDiffers(int page) const {
  for (int i = 0; i < PageValueCount(page); ++i) {
    const int index = ParamStore::DeviceIndex(page, i, store_.LayoutFlag);
    if (store_.Device(page, index) != reference_[page][index]) return true;
  }
  return false;
}

void ModifiedMarkers::UpdateAll() {
  if (controls_.empty()) CollectControls();
  shown_.clear();
  for (QWidget* control : controls_) {
    const ParamAddress address = control->property("address").toInt();
    shown_[address].push_back(control);
    Mark(control, hasReference_ && Differs(address));
  }
  UpdateTabs();
}

void ModifiedMarkers::OnEdit(const EditRecord& record) {
  if (!hasReference_) return;
  for (const EditCell& cell : record.cells) {
    for (const ParamAddress view : {cell.address, SharedViewAddress(cell.address)}) {
      const auto found = shown_.find(view);
      if (found == shown_.end()) continue;
      for (QWidget* control : found->second) Mark(control, Differs(view));
    }
  }
  UpdateTabs();
}

void ModifiedMarkers::UpdateTabs() {
  for (const auto& [number, tab] : tabs_) {
    bool any = false;
    if (hasReference_) {
      for (const int page : PagesOfTab(number)) any = any || PageDiffers(page);
    }
    Mark(tab, any);
  }
}

void ModifiedMarkers::Mark(QWidget* widget, bool on) {
  auto found = dots_.find(widget);
  if (!on) {
    if (found != dots_.end()) found->second->hide();
    return;
  }
  if (found == dots_.end()) found = dots_.emplace(widget, new MarkerDot(widget)).first;
  QWidget* dot = found->second;
  if (!dot->isHidden()) return;
  dot->move(widget->width() - kDotSize - kDotInset, kDotInset);
  dot->raise();
  dot->show();
}

QWidget* ModifiedMarkers::MarkerOf(QWidget* widget) const {
  const auto found = dots_.find(widget);
  return found != dots_.end() && !found->second->isHidden() ? found->second : nullptr;
}

std::vector<int> ModifiedMarkers::PagesOfTab(int tab) const {
  const std::optional<SectionSpec> section = SectionOfTab(tab);
  if (!section) return {};
  switch (section->page) {
    case 1:
      return {1, 3};
    case 4:
      return {4, 5};
    case 6:
      return {section->mainOutputPage};
    case 7:
      return {section->auxOutputPage};
    case kSystemPage:
      return {};
    default:
      return {section->page};
  }
}

std::vector<int> ModifiedMarkers::PagesOfSection(int section) const {
  switch (const int page = SectionPage(section)) {
    case 1:
      return {1, 3};
    case 4:
      return {4, 5};
    case 6:
      return {store_.MainOutputPage};
    case 7:
      return {store_.AuxOutputPage};
    case kSystemPage:
      return {};
    default:
      return {page};
  }
}

std::vector<EditCell> ModifiedMarkers::DifferingCells(const std::vector<int>& pages) const {
  std::vector<EditCell> cells;
  if (!hasReference_) return cells;
  for (const int page : pages) {
    if (page < 0 || page >= kMarkedPageCount) continue;
    for (int i = 0; i < PageValueCount(page); ++i) {
      const int index = ParamStore::DeviceIndex(page, i, store_.LayoutFlag);
      const int now = store_.Device(page, index);
      if (now != reference_[page][index]) {
        cells.push_back(EditCell{MakeAddress(page, i), now, reference_[page][index]});
      }
    }
  }
  return cells;
}

}  // namespace velantro
