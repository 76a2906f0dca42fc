#pragma once

// The EQ graph panel of the main window: AdvPanel1 (the outer panel with the axis labels), its
// inner panel AdvPanel2 with the drawing area Image1, the point handles EP1 .. EP15, HPF and LPF,
// the point label EQlabel and the "EQ PASS" notice EQPassLabel. It draws through GraphRenderer,
// edits bands by dragging the handles (through the GraphHost's ApplyControlValue) and, told of
// every edit by the one writer of operator edits (it is an EditListener), redraws the band an
// edit changed or a click selected.

#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "eq/GraphHost.h"
#include "eq/GraphRenderer.h"

class QAbstractButton;

namespace velantro {

class ParamStore;

// The drag state: one instance, owned by the panel.
struct PointDrag {
  int pressed = -1;        // handle number last pressed, -1: the press was not on a handle
  QPoint pressPosition;    // mouse position at the press, in the handle's coordinates
  bool dragging = false;   // set by a press on a handle, cleared by the release
  bool qStepMode = false;  // set by a right (or Ctrl + left) press on a band handle
  Qt::MouseButton qStepButton = Qt::RightButton;  // the button that steps Q
  bool fine = false;  // Shift held: the handle moves a fraction of the mouse's way
  QPoint fineMouse;   // mouse where the fine move started, drawing-area coordinates
  QPoint fineHandle;  // the handle's top left there
  int dragged = 0;    // handle whose targets were set last
  float pointerFrequency = 0;
  float pointerGain = 0;
  float targetFrequency = 0;  // FrequencyTable index under the pointer
  float targetGain = 0;       // gain raw value under the pointer
  float appliedFrequency = 0;
  float appliedGain = 0;
  GraphChange seenChange;  // the graph change already redrawn
};

// A point handle: a small round marker that forwards its mouse events to the panel.
class GraphHandle : public QWidget {
  Q_OBJECT
 public:
  GraphHandle(int number, QWidget* parent);
  int number() const { return number_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int number_;
};

// A label of the graph (axis labels, EQlabel, EQPassLabel): a transparent QLabel painted with the
// graph's own text primitive, so the window and the command-line picture look alike.
class GraphLabel : public QLabel {
  Q_OBJECT
 public:
  GraphLabel(TextStyle style, const QString& name, QWidget* parent);
  TextStyle style() const { return style_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TextStyle style_;
};

// The drawing area: shows the renderer's bitmap; forwards moves and releases (Q stepping).
class GraphImage : public QWidget {
  Q_OBJECT
 public:
  explicit GraphImage(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class EqGraphPanel : public QWidget, public EditListener {
  Q_OBJECT
 public:
  // The panel is AdvPanel1 at its design size 1135 x 344. Creating it registers the 17 handles,
  // builds the background (mode 0) and sets the curve pen.
  explicit EqGraphPanel(ParamStore& store, QWidget* parent = nullptr);
  ~EqGraphPanel() override;

  // The edit path and section state. Without a host the graph draws page 0 and edits nothing.
  void SetHost(GraphHost* host) { host_ = host; }
  GraphHost* host() const { return host_; }

  // First show of the main window: from now on presses act.
  void Start();
  bool started() const { return started_; }

  // An edit of a value the graph draws, or a band selection: redraws that band once the events
  // being handled are done (the graph's own edits: when they are done), unless it is the change
  // drawn last.
  void OnGraphChange(GraphChange change) override;

  // Redraws the curve: point 20 is the whole page, any other point one entry and its label.
  // Callers pass the page of CurrentSection or of the value that changed. This is the function
  // every "redraw the EQ graph" of the binding calls.
  void DrawPageCurves(int point, int page);
  // A ready-made hook for the binding's redrawCurves.
  std::function<void(int point, int page)> RedrawHook();
  // Full redraw of the section on view followed by the label of its SelectedBand (section
  // switch, resize).
  void RedrawSection();

  void BuildGraphBackground(int mode);

  // The "EQ PASS" notice over the graph.
  void ShowEqPassNotice(bool visible);
  bool eqPassNoticeShown() const;

  // Buttons around the graph; the window connects their clicks here.
  void OnEqPassButton(QAbstractButton* button);   // "EQ pass" (MusEQAllpassBtn)
  void OnEqResetButton();                         // "EQ Reset"
  void OnDeqPassButton(QAbstractButton* button);  // DEQALLPASSBtn1 .. 3
  void OnBandTypeImage(QWidget* image);           // the three type images of a band

  // Mouse events of the handles, the drawing area and the labels (positions in the sender's
  // coordinates). Ctrl with the left button steps Q as the right button does; Shift while
  // moving moves the handle one pixel per kFineDragPixels of the mouse; a double click on a
  // band handle sets the band's gain to 0 dB.
  static constexpr int kFineDragPixels = 4;
  // Says why a press moves nothing (the window shows it in its notice strip); none by default.
  std::function<void(const std::string&)> explainRefusal;
  static constexpr const char* kEqPassRefusal = QT_TRANSLATE_NOOP(
      "velantro",
      "EQ pass is on: this page's EQ is bypassed and its points stay put. Press \"EQ pass\" to "
      "edit them.");
  void HandlePress(int handle, Qt::MouseButton button, QPoint pos,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void HandleMove(int handle, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void HandleRelease(int handle, Qt::MouseButton button);
  void HandleDoubleClick(int handle, Qt::MouseButton button);
  void ImageMove(Qt::MouseButtons buttons, QPoint pos);
  void ImageRelease(Qt::MouseButton button);
  void LabelRelease();

  // Pieces, for the window and the tests.
  GraphRenderer& renderer() { return renderer_; }
  const PointDrag& drag() const { return drag_; }
  QWidget* innerPanel() const { return advPanel2_; }  // AdvPanel2
  QWidget* image() const { return image1_; }          // Image1
  GraphHandle* handleWidget(int i) const { return handles_[static_cast<std::size_t>(i)]; }
  QLabel* pointLabel() const { return pointLabel_; }    // EQlabel
  QLabel* eqPassLabel() const { return eqPassLabel_; }  // EQPassLabel
  // The whole panel as the command line draws it.
  QImage RenderImage() const { return renderer_.RenderPanelImage(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  // The graph's keys (EqGraphKeys.cpp): 1 .. 9 and 0 (band 10), Left and Right choose the band;
  // Up/Down step its gain by 1 dB, Alt+Up/Down by one 0.2 dB step, Shift+Up/Down its frequency
  // and Ctrl+Up/Down its Q by one step; Delete sets 0 dB.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool GraphKey(int key, Qt::KeyboardModifiers mods);
  int KeyBand() const;
  bool KeyBandShown(int band) const;
  bool ChooseKeyBand(int band);
  GraphControl KeyControl(int field) const;
  bool KeyStepBand(int field, int step, int rawDelta);
  int SectionPage() const;
  int SectionSheet() const;
  bool MusicAuto() const;
  bool BandEditLocked(int sheet) const;
  bool BandGainEditable(int handle) const;
  void RedrawLastChange();
  ParamAddress BandFieldAddress(int handle, int field) const;
  void ApplyDrag();
  void SyncWidgets();
  void SyncAxisLabels();
  void SyncHandle(int i);
  void SyncPointLabel();

  ParamStore& store_;
  GraphHost* host_ = nullptr;
  GraphRenderer renderer_;
  PointDrag drag_;
  bool started_ = false;
  GraphChange lastChange_;     // the change told last
  bool holdRedraw_ = false;    // the graph's own edit is in progress: redraw once it is done
  bool redrawQueued_ = false;  // a redraw waits for the events being handled
  QWidget* advPanel2_ = nullptr;
  GraphImage* image1_ = nullptr;
  std::array<GraphHandle*, kHandleCount> handles_{};
  GraphLabel* pointLabel_ = nullptr;
  GraphLabel* eqPassLabel_ = nullptr;
  std::array<GraphLabel*, kGainLabelCount> gainLabels_{};
  std::array<GraphLabel*, kFrequencyLabelCount> frequencyLabels_{};
};

}  // namespace velantro
