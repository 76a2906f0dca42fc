#include "widgets/Widgets.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

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

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && isEnabled()) emit clicked();
  QLabel::mousePressEvent(event);
}

}  // namespace velantro
