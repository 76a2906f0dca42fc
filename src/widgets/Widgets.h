#pragma once

// Small widgets of the section pages that Qt has no direct equivalent for.

#include <QLabel>
#include <QPushButton>
#include <QWidget>

class QToolButton;

namespace velantro {

// Spin buttons: an up/down pair of tiny buttons, one above the other. The widget carries the
// objectName, "address" and "kind" = "spin"; the two buttons are named "up" and "down".
class SpinButtons : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 14;
  static constexpr int kHeight = 18;

  explicit SpinButtons(QWidget* parent = nullptr);
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 signals:
  void upClicked();
  void downClicked();

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateArrows();
  QToolButton* up_;
  QToolButton* down_;
};

// A phase button: "+" while the phase is normal; the inverted look keeps the caption empty and
// shows a drawn phase-invert mark (a slashed circle) on its own fill instead.
class PhaseButton : public QPushButton {
  Q_OBJECT

 public:
  explicit PhaseButton(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// An image that reacts to a click: the band type and DEQ work mode images.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace velantro
