#pragma once

// Everything the EQ graph panel shows, held and drawn without widgets: the background grid, the
// page's band model and summed curve, the 17 point handles, the point label, the "EQ PASS"
// notice and the axis labels. The graph widget mirrors this state in its child widgets and paints
// them with the same primitives; the command line paints the whole panel with RenderPanel. So the
// window and `velantroctl curve --png` draw the same picture.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <memory>

#include "eq/GraphGeometry.h"

class QPainter;

namespace velantro {

// The notice over a page whose EQ is passed through, in the console's language when shown.
inline constexpr const char* kEqPassNoticeText = QT_TRANSLATE_NOOP("velantro", "EQ PASS");

class ParamStore;
class PageBandModel;

// Design-time layout of the panel (AdvPanel1) and of its drawing area (AdvPanel2 / Image1).
constexpr int kPanelDesignWidth = 1135;
constexpr int kPanelDesignHeight = 344;
constexpr int kAreaLeft = 40;
constexpr int kAreaTop = 13;
constexpr int kAreaDesignWidth = 1080;
constexpr int kAreaDesignHeight = 309;
// The drawing area is anchored on all four sides: these margins stay when the panel resizes.
constexpr int kAreaRightMargin = kPanelDesignWidth - kAreaLeft - kAreaDesignWidth;    // 15
constexpr int kAreaBottomMargin = kPanelDesignHeight - kAreaTop - kAreaDesignHeight;  // 22

// Colours of the panel and the grid.
inline const QColor kPanelColour{10, 10, 10};
inline const QColor kInnerPanelColour{12, 12, 12};
inline const QColor kAreaFillColour{5, 5, 5};
inline const QColor kMajorLineColour{110, 110, 110};
inline const QColor kMiddleLineColour{64, 64, 64};
inline const QColor kMinorLineColour{23, 23, 23};
inline const QColor kCurveColour{0, 204, 255, 255};
inline const QColor kPointLabelColour{255, 255, 102};
constexpr int kMajorPenWidth = 2;
constexpr double kCurvePenWidth = 1.8;
constexpr double kCurveTension = 0.4;

QSize PanelSizeForArea(QSize area);
QSize AreaSizeForPanel(QSize panel);

// A point handle: position of its top-left corner in the drawing area, its size, visibility.
struct HandleView {
  bool visible = false;
  QPoint pos;
  int size = kBandHandleSize;
  QRect rect() const { return {pos, QSize(size, size)}; }
};

// A text element: text, rectangle (in its parent's coordinates) and visibility.
struct TextView {
  QString text;
  QRect rect;
  bool visible = true;
};

enum class TextStyle {
  AxisLabel,    // white, bold, 11 pixels (the window font)
  PointLabel,   // RGB(255,255,102), bold, 12 pixels, centred lines
  EqPassLabel,  // white, bold, 35 pixels
};

QFont FontFor(TextStyle style);
// Size of a label that fits its text (all lines of a multi-line text).
QSize TextSize(TextStyle style, const QString& text);
// Draws a label's text into `rect` the way the graph's labels look.
void PaintText(QPainter& painter, const QRect& rect, const QString& text, TextStyle style);
// Draws handle `handle` (0 .. 16) into `rect`: a small round marker, grey when dimmed.
void PaintHandle(QPainter& painter, int handle, const QRect& rect, bool dimmed = false);
// While the page's EQ pass is on its band handles take no drag: they show dimmed. The crossover
// handles still move.
bool BandHandleDimmed(int handle, bool eqPassOn);
// Draws a cardinal spline through `points` (as GDI+ DrawCurve does, tension 0.4) with the curve
// pen, anti-aliased.
void DrawCardinalSpline(QPainter& painter, const QPoint* points, int count, double tension);

// Text formats of the point label: "#0.0", "#0.00".
QString FormatFixed(double value, int decimals);

class GraphRenderer {
 public:
  // The renderer reads the band values of `store` (ViewValues and the view selectors).
  explicit GraphRenderer(const ParamStore& store,
                         QSize areaSize = {kAreaDesignWidth, kAreaDesignHeight});
  ~GraphRenderer();
  GraphRenderer(const GraphRenderer&) = delete;
  GraphRenderer& operator=(const GraphRenderer&) = delete;

  // The drawing area gets a new, empty bitmap of this size (call BuildGraphBackground after).
  void SetAreaSize(QSize size);
  QSize areaSize() const { return area_.size(); }
  QSize panelSize() const { return PanelSizeForArea(areaSize()); }

  // Mode 0 builds the background and creates the axis labels, mode 1 builds it again and moves
  // the labels, mode 2 copies the saved background into the drawing area (erasing the curve).
  void BuildGraphBackground(int mode);

  // Redraws the curve of `page`: point 20 recomputes every entry and places every handle, any
  // other point recomputes that entry and updates the point label for it. Nothing happens while
  // `refreshInProgress` or for page 10 and above; while `dragging` no handle is moved.
  void DrawPageCurves(int point, int page, bool refreshInProgress = false, bool dragging = false);

  // The drawing area as it is now (background, curve).
  const QImage& areaImage() const { return area_; }
  const QImage& savedBackground() const { return background_; }
  const GraphScale& scale() const { return scale_; }
  // Integer curve points of the last draw (463: point 462 is computed but not drawn).
  const std::array<QPoint, 463>& curvePoints() const { return curve_; }

  HandleView& handle(int i) { return handles_[static_cast<std::size_t>(i)]; }
  const HandleView& handle(int i) const { return handles_[static_cast<std::size_t>(i)]; }
  // The point label EQlabel, in drawing-area coordinates. It stays inside the drawing area and
  // clear of the handles on view where there is room; it hides when a full redraw no longer
  // shows its handle.
  TextView& pointLabel() { return pointLabel_; }
  const TextView& pointLabel() const { return pointLabel_; }
  // The "EQ PASS" notice, in drawing-area coordinates; hidden by default.
  TextView& eqPassNotice() { return eqPassNotice_; }
  const TextView& eqPassNotice() const { return eqPassNotice_; }
  // Axis labels EQLabelY0 .. 6 and EQLabelX11 .. 20, in panel coordinates. Empty before mode 0.
  const std::array<TextView, kGainLabelCount>& gainLabels() const { return gainLabels_; }
  const std::array<TextView, kFrequencyLabelCount>& frequencyLabels() const {
    return frequencyLabels_;
  }
  bool labelsCreated() const { return labelsCreated_; }

  // The page band model of the last draw (entries, their controls and responses).
  PageBandModel& model() { return *model_; }
  const PageBandModel& model() const { return *model_; }
  // c and X of the last model load (c = last EQ entry, X = crossover entries).
  int lastEqEntry() const { return lastEq_; }
  int crossoverCount() const { return crossovers_; }

  // Paints the whole panel (AdvPanel1 with the drawing area, handles, labels) at (0, 0).
  void RenderPanel(QPainter& painter) const;
  QImage RenderPanelImage() const;

 private:
  void DrawGrid(QImage& image) const;
  void PlaceAxisLabels();
  void UpdatePointLabel(int entry);
  QRect PlacePointLabel(int handle, QSize size, bool above) const;
  int EntryShownBy(int handle) const;
  void MoveHandleOf(int entry);
  void DrawCurve();

  const ParamStore& store_;
  std::unique_ptr<PageBandModel> model_;
  GraphScale scale_;
  QImage area_;
  QImage background_;
  std::array<QPoint, 463> curve_{};
  std::array<HandleView, kHandleCount> handles_{};
  TextView pointLabel_;
  TextView eqPassNotice_;
  std::array<TextView, kGainLabelCount> gainLabels_{};
  std::array<TextView, kFrequencyLabelCount> frequencyLabels_{};
  bool labelsCreated_ = false;
  int lastEq_ = -1;
  int crossovers_ = 0;
  // Page and handle the point label belongs to; a full redraw of that page refreshes it.
  int labelPage_ = -1;
  int labelHandle_ = kNoHandle;
};

}  // namespace velantro
