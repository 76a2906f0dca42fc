#include "widgets/FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include "widgets/Looks.h"

namespace velantro {

namespace {

// Gap and ring together lie outside the control.
constexpr int kRingOutset = kFocusGapWidth + kFocusRingWidth;

}  // namespace

FocusRing::FocusRing(QWidget* window) : QWidget(window) {
  setObjectName(QStringLiteral("FocusRing"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
}

FocusRing::~FocusRing() { Unwatch(); }

void FocusRing::Unwatch() {
  for (const QPointer<QWidget>& w : watched_) {
    if (w != nullptr) w->removeEventFilter(this);
  }
  watched_.clear();
}

void FocusRing::Follow(QWidget* now) {
  Unwatch();
  target_ = nullptr;
  QWidget* window = parentWidget();
  if (now == nullptr || now == window || now->window() != window) {
    hide();
    return;
  }
  target_ = now;
  for (QWidget* w = now; w != nullptr && w != window; w = w->parentWidget()) {
    w->installEventFilter(this);
    watched_.emplace_back(w);
  }
  Place();
}

// Round the target, within what its parents let show of it (a strip scrolled sideways, the
// window's edge): where the outset does not fit the ring is drawn inside that edge.
void FocusRing::Place() {
  QWidget* window = parentWidget();
  if (target_ == nullptr || !target_->isVisible()) {
    hide();
    return;
  }
  QRect ring(target_->mapTo(window, QPoint(0, 0)), target_->size());
  ring.adjust(-kRingOutset, -kRingOutset, kRingOutset, kRingOutset);
  QRect shown = window->rect();
  for (QWidget* w = target_->parentWidget(); w != nullptr && w != window; w = w->parentWidget()) {
    shown &= QRect(w->mapTo(window, QPoint(0, 0)), w->size());
  }
  ring &= shown;
  if (ring.width() <= 2 * kRingOutset || ring.height() <= 2 * kRingOutset) {
    hide();
    return;
  }
  setGeometry(ring);
  show();
  raise();
  update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
      Place();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect outer = rect();
  const auto frame = [&painter](QRect r, int width, const QColor& colour) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), width), colour);
    painter.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), colour);
    painter.fillRect(QRect(r.left(), r.top(), width, r.height()), colour);
    painter.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), colour);
  };
  frame(outer, kFocusRingWidth, kFocusRingColour);
  frame(outer.adjusted(kFocusRingWidth, kFocusRingWidth, -kFocusRingWidth, -kFocusRingWidth),
        kFocusGapWidth, kFocusGapColour);
}

}  // namespace velantro
