#include "ui/WindowFrame.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>

#include "link/LinkInterfaces.h"
#include "ui/WindowControls.h"
#include "widgets/Looks.h"
#include "widgets/Translation.h"
#include "widgets/WidgetNames.h"
#include "widgets/Widgets.h"

namespace velantro {

namespace {

constexpr int kWindowButtonSize = 25;
constexpr int kStatusLabelWidth = 220;
constexpr int kMaximiseButton = 1;

}  // namespace

WindowFrame::WindowFrame(QWidget& window) : window_(window) {
  titleStrip_ = new QWidget(&window);
  titleStrip_->setObjectName("TitleStrip");
  titlePicture_ = new QLabel(titleStrip_);
  titlePicture_->setObjectName("TitlePicture");
  auto* caption = new QLabel(titleStrip_);
  // The banner names the console's language.
  SetText(caption, QT_TRANSLATE_NOOP("velantro", "Velantro 3.1.0 En"));
  caption->setObjectName("TitleCaption");
  caption->setGeometry(10, 0, 300, kTitleStripHeight);
  statusLabel_ = new QLabel(titleStrip_);
  statusLabel_->setObjectName(names::kStatusLabel);
  statusLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // Silver until the link gives the label a colour of its own: the label reads on the dark strip
  // whatever the application's style sheet says.
  statusLabel_->setStyleSheet(QString("font-weight: bold; color: rgb(%1, %2, %3);")
                                  .arg(kStatusSilver.red)
                                  .arg(kStatusSilver.green)
                                  .arg(kStatusSilver.blue));
  const char* buttonNames[3] = {"RzBmpButton2", "RzBmpButton1", "RzBmpButton3"};
  const WindowButton pictures[3] = {WindowButton::Minimise, WindowButton::Maximise,
                                    WindowButton::Close};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QPushButton(titleStrip_);
    button->setObjectName(buttonNames[i]);
    button->setProperty("role", "window");
    button->setFocusPolicy(Qt::TabFocus);
    button->setIcon(QIcon(WindowButtonPicture(pictures[i], kWindowButtonSize)));
    button->setIconSize(QSize(kWindowButtonSize, kWindowButtonSize));
    windowButtons_[i] = button;
  }
  QObject::connect(windowButtons_[0], &QPushButton::clicked, &window, [this] { Minimise(); });
  QObject::connect(windowButtons_[kMaximiseButton], &QPushButton::clicked, &window,
                   [this] { ToggleMaximise(); });
  QObject::connect(windowButtons_[2], &QPushButton::clicked, &window, &QWidget::close);
}

void WindowFrame::Minimise() { window_.showMinimized(); }

void WindowFrame::ToggleMaximise() {
  if (maximised_) {
    maximised_ = false;
    window_.setGeometry(normalGeometry_);
  } else {
    normalGeometry_ = window_.geometry();
    maximised_ = true;
    // The work area: the maximised window ends above a taskbar wherever it sits.
    if (QScreen* s = window_.screen()) window_.setGeometry(s->availableGeometry());
  }
  windowButtons_[kMaximiseButton]->setIcon(QIcon(WindowButtonPicture(
      maximised_ ? WindowButton::Restore : WindowButton::Maximise, kWindowButtonSize)));
}

void WindowFrame::Place(int windowWidth) {
  const int w = windowWidth;
  titleStrip_->setGeometry(0, 0, w, kTitleStripHeight);
  titlePicture_->setGeometry(0, 0, w, kTitleStripHeight);
  titlePicture_->setPixmap(TitleStripPicture(w, kTitleStripHeight));
  titlePicture_->lower();
  for (int i = 0; i < 3; ++i) {
    windowButtons_[i]->setGeometry(w - (3 - i) * kWindowButtonSize, 0, kWindowButtonSize,
                                   kTitleStripHeight);
  }
  statusLabel_->setGeometry(w - 3 * kWindowButtonSize - kStatusLabelWidth - 12, 0,
                            kStatusLabelWidth, kTitleStripHeight);
}

void WindowFrame::PaintBorder() {
  QPainter painter(&window_);
  painter.setPen(QPen(QColor(60, 68, 76), 2));
  painter.drawRect(window_.rect().adjusted(1, 1, -1, -1));
}

// A press that reaches the window from a control is no press on the background: a disabled
// control (greyed in Auto mode, say) passes its presses on to its parents, and a type image
// passes its press on after it has acted on it.
bool WindowFrame::PressedOnControl(QPoint pos) const {
  for (QWidget* w = window_.childAt(pos); w != nullptr && w != &window_; w = w->parentWidget()) {
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSlider*>(w) ||
        qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
        qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
        qobject_cast<ClickLabel*>(w) || qobject_cast<SpinButtons*>(w)) {
      return true;
    }
  }
  return false;
}

bool WindowFrame::MousePress(QMouseEvent* event) {
  // Every spot of the background works as a title bar.
  if (event->button() != Qt::LeftButton || maximised_ ||
      PressedOnControl(event->position().toPoint())) {
    return false;
  }
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - window_.frameGeometry().topLeft();
  event->accept();
  return true;
}

bool WindowFrame::MouseMove(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return false;
  window_.move(event->globalPosition().toPoint() - dragOffset_);
  event->accept();
  return true;
}

void WindowFrame::MouseRelease() { dragging_ = false; }

}  // namespace velantro
