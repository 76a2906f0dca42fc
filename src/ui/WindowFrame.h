#pragma once

// The frame of the borderless main window: its title strip (picture, caption, link status label,
// the minimise / maximise-restore / close buttons), the window moves those buttons make, the drag
// of the window by any spot of its background, and the 2-pixel border.

#include <QPoint>
#include <QRect>

class QLabel;
class QMouseEvent;
class QPushButton;
class QWidget;

namespace velantro {

class WindowFrame {
 public:
  // Builds the title strip onto `window`, which must outlive the frame.
  explicit WindowFrame(QWidget& window);

  void Minimise();
  void ToggleMaximise();
  bool maximised() const { return maximised_; }

  // The title strip across the window's width, the buttons at its right end.
  void Place(int windowWidth);
  // Draws the border over what the window painted.
  void PaintBorder();

  // The window's mouse events; each says whether the frame took the event (a background drag).
  bool MousePress(QMouseEvent* event);
  bool MouseMove(QMouseEvent* event);
  void MouseRelease();

  QWidget* titleStrip() const { return titleStrip_; }
  QLabel* statusLabel() const { return statusLabel_; }

 private:
  bool PressedOnControl(QPoint pos) const;

  QWidget& window_;
  QWidget* titleStrip_ = nullptr;
  QLabel* titlePicture_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QPushButton* windowButtons_[3] = {};  // minimise, maximise/restore, close
  bool maximised_ = false;
  QRect normalGeometry_;
  bool dragging_ = false;
  QPoint dragOffset_;
};

}  // namespace velantro
