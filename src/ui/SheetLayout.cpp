#include "ui/SheetLayout.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <algorithm>

#include "ui/PageKit.h"
#include "ui/Pages.h"
#include "widgets/WidgetNames.h"

namespace velantro {

namespace {

struct StripNames {
  const char* box;
  const char* scroll;
  const char* panel;
};
// The strips that scroll: only they have columns to show in a wider window.
constexpr StripNames kScrollingStrips[] = {
    {names::kMicStrip, names::kMicStripScroll, names::kMicCurvePanel},
    {names::kMainStrip, names::kMainStripScroll, nullptr},
    {names::kAuxStrip, names::kAuxStripScroll, nullptr}};

// The box shows the columns from the slider's on.
void FollowSlider(QScrollArea* box, const QSlider* scroll) {
  box->horizontalScrollBar()->setValue(scroll->value() * kBandColumnPitch);
}

}  // namespace

SheetLayout::SheetLayout(QStackedWidget* pages) : QObject(pages), pages_(pages) {
  shifts_.assign(static_cast<size_t>(pages->count()), 0);
  for (int i = 0; i < pages->count(); ++i) {
    QWidget* sheet = pages->widget(i);
    for (const StripNames& n : kScrollingStrips) {
      auto* box = sheet->findChild<QScrollArea*>(n.box);
      auto* scroll = sheet->findChild<QSlider*>(n.scroll);
      if (box == nullptr || scroll == nullptr || box->widget() == nullptr) continue;
      Strip s;
      s.sheet = i;
      s.box = box;
      s.scroll = scroll;
      s.panel = n.panel != nullptr ? sheet->findChild<QWidget*>(n.panel) : nullptr;
      s.panelDesignWidth = s.panel != nullptr ? s.panel->width() : 0;
      s.designColumns = ColumnsInView(box);
      s.columns = box->widget()->width() / kBandColumnPitch;
      s.micStrip = n.box == names::kMicStrip;
      connect(scroll, &QSlider::valueChanged, this, [box, scroll] { FollowSlider(box, scroll); });
      // The box scrolls itself to show a focused child (with margins that cut into the next
      // column), and a hidden sheet's box takes its new size only when it shows: either way the
      // box goes back to where the slider says.
      connect(box->horizontalScrollBar(), &QScrollBar::valueChanged, this,
              [box, scroll](int value) {
                if (value != scroll->value() * kBandColumnPitch) FollowSlider(box, scroll);
              });
      connect(box->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
              [box, scroll] { FollowSlider(box, scroll); });
      strips_.push_back(s);
    }
  }
}

int SheetLayout::ColumnsInView(const QScrollArea* box) {
  return (box->width() + 1) / kBandColumnPitch;
}

int SheetLayout::Shift(int sheet) const {
  return sheet >= 0 && sheet < static_cast<int>(shifts_.size())
             ? shifts_[static_cast<size_t>(sheet)]
             : 0;
}

void SheetLayout::Fit() {
  const int room = std::max(0, pages_->width() - kSheetWidth);
  std::vector<int> grown(shifts_.size(), 0);
  for (Strip& s : strips_) {
    const int extra = std::min(s.columns - s.designColumns, room / kBandColumnPitch);
    // The sheet makes room for all the strip can show, so switching MIC groups moves nothing.
    grown[static_cast<size_t>(s.sheet)] =
        std::max(grown[static_cast<size_t>(s.sheet)], extra * kBandColumnPitch);
    SetColumnsInView(s, s.micStrip && nineBands_ ? s.designColumns : s.designColumns + extra);
  }
  for (int i = 0; i < pages_->count(); ++i) {
    const size_t k = static_cast<size_t>(i);
    const int shift = std::max(0, (pages_->width() - kSheetWidth - grown[k]) / 2);
    const int delta = shift - shifts_[k];
    if (delta == 0) continue;
    for (QWidget* child : pages_->widget(i)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      child->move(child->pos() + QPoint(delta, 0));
    }
    shifts_[k] = shift;
  }
}

void SheetLayout::SetColumnsInView(Strip& s, int inView) {
  const int width = inView * kBandColumnPitch - 1;
  s.box->resize(width, s.box->height());
  if (s.panel != nullptr) {
    s.panel->resize(s.panelDesignWidth + (inView - s.designColumns) * kBandColumnPitch,
                    s.panel->height());
  }
  s.scroll->resize(width, s.scroll->height());
  // Fewer columns to scroll: the slider keeps its column where it can, else takes the last.
  s.scroll->setMaximum(std::max(0, s.columns - inView));
  s.scroll->setVisible(!(s.micStrip && nineBands_) && s.scroll->maximum() > 0);
  FollowSlider(s.box, s.scroll);
}

void SheetLayout::ShowMicColumns(bool nineBands) {
  nineBands_ = nineBands;
  for (Strip& s : strips_) {
    if (!s.micStrip) continue;
    if (nineBands) s.scroll->setValue(0);
    // The tenth column: everything of band 10 in the strip (its mode box never shows).
    const int left = kMicBandsGroupB * kBandColumnPitch;
    for (QWidget* child : s.box->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->x() >= left && child->x() < left + kBandColumnPitch &&
          child->objectName().endsWith("10")) {
        const bool alwaysHidden = child->objectName().startsWith("MicModeBox");
        child->setVisible(!nineBands && !alwaysHidden);
      }
    }
  }
  Fit();
}

void SheetLayout::BringIntoView(const QWidget* w) {
  if (w == nullptr) return;
  for (const Strip& s : strips_) {
    QWidget* content = s.box->widget();
    if (!content->isAncestorOf(w)) continue;
    ShowColumn(s, w->mapTo(content, QPoint(0, 0)).x() / kBandColumnPitch);
    return;
  }
}

void SheetLayout::ShowColumn(int sheet, int column) {
  for (const Strip& s : strips_) {
    if (s.sheet == sheet) ShowColumn(s, column);
  }
}

void SheetLayout::ShowColumn(const Strip& s, int column) {
  if (s.scroll->maximum() == 0 || (s.micStrip && nineBands_)) return;
  const int first = s.scroll->value();
  const int inView = ColumnsInView(s.box);
  if (column < first) {
    s.scroll->setValue(column);
  } else if (column >= first + inView) {
    s.scroll->setValue(column - inView + 1);
  }
}

}  // namespace velantro
