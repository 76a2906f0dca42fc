#include "widgets/Widgets.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <vector>

#include "widgets/Looks.h"

namespace velantro {

SpinButtons::SpinButtons(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  setProperty("kind", "spin");
  up_->setObjectName("up");
  down_->setObjectName("down");
  for (QToolButton* button : {up_, down_}) {
    button->setProperty("role", "spin");
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(400);
    button->setAutoRepeatInterval(80);
  }
  connect(up_, &QToolButton::clicked, this, &SpinButtons::upClicked);
  connect(down_, &QToolButton::clicked, this, &SpinButtons::downClicked);
  resize(kWidth, kHeight);
}

void SpinButtons::SetKeyboardStop(bool stop) {
  setFocusPolicy(stop ? Qt::StrongFocus : Qt::NoFocus);
}

void SpinButtons::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
      if (isEnabled()) emit upClicked();
      return;
    case Qt::Key_Down:
    case Qt::Key_Left:
      if (isEnabled()) emit downClicked();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void SpinButtons::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
  UpdateArrows();
}

void SpinButtons::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) UpdateArrows();
  QWidget::changeEvent(event);
}

void SpinButtons::UpdateArrows() {
  const int w = qMax(4, width() - 2);
  const int h = qMax(4, height() / 2 - 2);
  up_->setIconSize(QSize(w, h));
  down_->setIconSize(QSize(w, h));
  up_->setIcon(QIcon(SpinArrowPicture(true, w, h, isEnabled())));
  down_->setIcon(QIcon(SpinArrowPicture(false, w, h, isEnabled())));
}

PhaseButton::PhaseButton(QWidget* parent) : QPushButton(QStringLiteral("+"), parent) {}

void PhaseButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  if (GetButtonLook(this) != ButtonLook::Inverted || !text().isEmpty()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor mark = ButtonColours(ButtonKind::Phase, ButtonLook::Inverted, isEnabled()).text;
  const double side = qMin(width(), height());
  const QPointF centre = QRectF(rect()).center();
  const double radius = side * 0.26;
  painter.setPen(QPen(mark, qMax(1.4, side * 0.11), Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, radius, radius);
  const double reach = side * 0.36;
  painter.drawLine(centre + QPointF(-reach, reach), centre + QPointF(reach, -reach));
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }

void ClickLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (isEnabled()) emit clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && isEnabled()) emit clicked();
  QLabel::mousePressEvent(event);
}

FineSlider::FineSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void FineSlider::mousePressEvent(QMouseEvent* event) {
  QSlider::mousePressEvent(event);
  fine_ = isSliderDown() && (event->modifiers() & Qt::ShiftModifier);
  fineFrom_ = event->position();
  fineFromValue_ = sliderPosition();
}

void FineSlider::mouseMoveEvent(QMouseEvent* event) {
  const bool wanted = isSliderDown() && (event->buttons() & Qt::LeftButton) &&
                      (event->modifiers() & Qt::ShiftModifier);
  if (!wanted) {
    fine_ = false;
    QSlider::mouseMoveEvent(event);
    return;
  }
  // Shift pressed during the drag: the fine steps count from here, so the handle does not jump.
  if (!fine_) {
    fine_ = true;
    fineFrom_ = event->position();
    fineFromValue_ = sliderPosition();
  }
  const QPointF moved = event->position() - fineFrom_;
  // Right and up are more, as the bar draws its values.
  double pixels = orientation() == Qt::Horizontal ? moved.x() : -moved.y();
  if (invertedAppearance()) pixels = -pixels;
  const int steps = static_cast<int>(pixels / kFinePixelsPerStep);
  setSliderPosition(fineFromValue_ + steps * singleStep());
  event->accept();
}

namespace {

// Controls whose tops differ by no more than this read as one row.
constexpr int kRowTolerance = 6;

}  // namespace

namespace {

struct Stop {
  QWidget* widget;
  QRect at;  // in the page's coordinates
};

// Rows: a control starts a new row when its top lies below the row's first top by more than
// the tolerance; within a row the order is left to right.
void SortInRows(std::vector<Stop>& stops) {
  std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
    return a.at.y() != b.at.y() ? a.at.y() < b.at.y() : a.at.x() < b.at.x();
  });
  const auto leftToRight = [](const Stop& a, const Stop& b) { return a.at.x() < b.at.x(); };
  auto rowStart = stops.begin();
  for (auto it = stops.begin(); it != stops.end(); ++it) {
    if (it->at.y() - rowStart->at.y() > kRowTolerance) {
      std::stable_sort(rowStart, it, leftToRight);
      rowStart = it;
    }
  }
  std::stable_sort(rowStart, stops.end(), leftToRight);
}

// The control an image is read with: the nearest one below it in its column.
std::size_t ControlBelow(const std::vector<Stop>& stops, const QRect& image) {
  std::size_t best = stops.size();
  for (std::size_t i = 0; i < stops.size(); ++i) {
    const QRect& r = stops[i].at;
    const bool column = r.left() <= image.right() && image.left() <= r.right();
    if (!column || r.top() < image.bottom()) continue;
    if (best == stops.size() || r.top() < stops[best].at.top()) best = i;
  }
  return best;
}

}  // namespace

std::vector<QWidget*> ReadingOrder(QWidget* page) {
  if (page == nullptr) return {};
  std::vector<Stop> stops;
  std::vector<Stop> images;
  for (QWidget* w : page->findChildren<QWidget*>()) {
    if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() != nullptr) continue;
    // A list's popup is a window of its own: Tab never reaches into it.
    if (w->window() != page->window()) continue;
    const Stop stop{w, QRect(w->mapTo(page, QPoint(0, 0)), w->size())};
    (qobject_cast<ClickLabel*>(w) != nullptr ? images : stops).push_back(stop);
  }
  SortInRows(stops);
  // The type images stand stacked beside a band's fields, smaller than a row: read in rows they
  // would pull a neighbouring group's controls into their rows. Each is read just before the
  // control below it in its column (the band's first field), in its own reading order.
  SortInRows(images);
  std::vector<std::vector<QWidget*>> before(stops.size() + 1);
  for (const Stop& image : images) before[ControlBelow(stops, image.at)].push_back(image.widget);
  std::vector<QWidget*> order;
  order.reserve(stops.size() + images.size());
  for (std::size_t i = 0; i <= stops.size(); ++i) {
    order.insert(order.end(), before[i].begin(), before[i].end());
    if (i < stops.size()) order.push_back(stops[i].widget);
  }
  return order;
}

void ChainTabOrder(const std::vector<QWidget*>& stops) {
  for (std::size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1], stops[i]);
}

}  // namespace velantro
