#pragma once

// Small widgets of the section pages that Qt has no direct equivalent for.

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QWidget>
#include <vector>

class QToolButton;

namespace velantro {

// Spin buttons: an up/down pair of tiny buttons, one above the other. The widget carries the
// objectName, "address" and "kind" = "spin"; the two buttons are named "up" and "down". Beside a
// bar or an edit the keys of that control do the spin's work; a spin that is its row's only
// control is made a keyboard stop (SetKeyboardStop), where Up/Right and Down/Left press it.
class SpinButtons : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 14;
  static constexpr int kHeight = 18;

  explicit SpinButtons(QWidget* parent = nullptr);
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }
  void SetKeyboardStop(bool stop);

 signals:
  void upClicked();
  void downClicked();

 protected:
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
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

// An image that reacts to a click: the band type and DEQ work mode images. Tab reaches it, and
// Space or Enter on it is the click.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// A track bar that the keyboard and a fine drag reach. Arrows move one raw step, Page Up/Down
// the page step, as every slider does; holding Shift while dragging the handle moves one raw
// step per kFinePixelsPerStep pixels from where Shift was pressed, so a short bar with many
// steps can still be set exactly. Every change arrives as the ordinary value change.
class FineSlider : public QSlider {
  Q_OBJECT

 public:
  static constexpr int kFinePixelsPerStep = 4;

  explicit FineSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool fine_ = false;      // the drag is in fine steps
  QPointF fineFrom_;       // pointer where the fine steps started
  int fineFromValue_ = 0;  // position there
};

// The focusable controls inside `page` in reading order: rows from top to bottom (controls whose
// tops lie within a few pixels share a row), each row left to right; an image (ClickLabel) just
// before the control below it in its column.
std::vector<QWidget*> ReadingOrder(QWidget* page);

// Chains the Tab order of `stops` in the order given.
void ChainTabOrder(const std::vector<QWidget*>& stops);

}  // namespace velantro
