#pragma once

// The focus ring: one frame over the window that follows the keyboard focus. A style sheet
// border alone was lost on controls whose own fill or frame is light or blue (a selected tab,
// Unlink, a chosen option); the ring is drawn outside the control, a bright ring with a dark gap
// between it and the control, so it stands out from the page behind it and from any fill.

#include <QPointer>
#include <QWidget>
#include <vector>

namespace velantro {

class FocusRing : public QWidget {
  Q_OBJECT

 public:
  // `window` is the top-level window whose controls the ring follows; the ring is its child.
  explicit FocusRing(QWidget* window);
  ~FocusRing() override;

  // The control the ring is drawn round; null while no control of the window has the focus.
  QWidget* target() const { return target_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Follow(QWidget* now);
  void Place();
  void Unwatch();

  QPointer<QWidget> target_;
  std::vector<QPointer<QWidget>> watched_;  // the target and its parents: a move of any moves it
};

}  // namespace velantro
