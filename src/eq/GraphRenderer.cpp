#include "eq/GraphRenderer.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "eq/PageBandModel.h"
#include "eq/PointLabelText.h"
#include "model/ParamStore.h"
#include "model/Scales.h"

namespace velantro {

namespace {

constexpr int kSystemPageNumber = 10;
constexpr int kEffectReverbPage = 5;
constexpr int kEffectEchoPage = 4;
// The smallest drawing area the scales still work with (H - 1 must not be 0).
constexpr int kMinimumAreaSide = 2;
// Space between a point label and its handle when the label sits above or beside it.
constexpr int kPointLabelGap = 1;
// The "EQ PASS" notice sits centred near the top of the drawing area.
constexpr int kEqPassNoticeTop = 8;

QStringList LinesOf(const QString& text) {
  // The point label separates its lines with a carriage return.
  QString normalised = text;
  normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return normalised.split(QLatin1Char('\n'));
}

QColor TextColour(TextStyle style) {
  return style == TextStyle::PointLabel ? kPointLabelColour : QColor(Qt::white);
}

QPen LinePen(GridLineKind kind) {
  switch (kind) {
    case GridLineKind::Major:
      return QPen(kMajorLineColour, kMajorPenWidth, Qt::SolidLine, Qt::FlatCap);
    case GridLineKind::Middle:
      return QPen(kMiddleLineColour, 1, Qt::SolidLine, Qt::FlatCap);
    case GridLineKind::Minor:
      break;
  }
  return QPen(kMinorLineColour, 1, Qt::SolidLine, Qt::FlatCap);
}

QString Number(double value, int decimals) {
  return QString::fromStdString(FormatNumber(value, decimals));
}

}  // namespace

QSize PanelSizeForArea(QSize area) {
  return {area.width() + kAreaLeft + kAreaRightMargin,
          area.height() + kAreaTop + kAreaBottomMargin};
}

QSize AreaSizeForPanel(QSize panel) {
  return {panel.width() - kAreaLeft - kAreaRightMargin,
          panel.height() - kAreaTop - kAreaBottomMargin};
}

QFont FontFor(TextStyle style) {
  QFont font(style == TextStyle::EqPassLabel ? QStringLiteral("Microsoft YaHei")
                                             : QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setBold(true);
  switch (style) {
    case TextStyle::AxisLabel:
      font.setPixelSize(11);
      break;
    case TextStyle::PointLabel:
      font.setPixelSize(12);
      break;
    case TextStyle::EqPassLabel:
      font.setPixelSize(35);
      break;
  }
  return font;
}

QSize TextSize(TextStyle style, const QString& text) {
  const QFontMetrics metrics(FontFor(style));
  const QStringList lines = LinesOf(text);
  int width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  return {width, metrics.height() * static_cast<int>(lines.size())};
}

void PaintText(QPainter& painter, const QRect& rect, const QString& text, TextStyle style) {
  painter.save();
  painter.setFont(FontFor(style));
  painter.setPen(TextColour(style));
  const QFontMetrics metrics(painter.font());
  const QStringList lines = LinesOf(text);
  int top = rect.top();
  for (const QString& line : lines) {
    painter.drawText(QRect(rect.left(), top, rect.width(), metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, line);
    top += metrics.height();
  }
  painter.restore();
}

bool BandHandleDimmed(int handle, bool eqPassOn) { return eqPassOn && handle < kBandHandleCount; }

void PaintHandle(QPainter& painter, int handle, const QRect& rect, bool dimmed) {
  const bool crossover = handle >= kHighPassHandle;
  const QColor lit = crossover ? QColor(40, 170, 80) : QColor(235, 120, 20);
  const QColor fill = dimmed ? QColor(70, 70, 70) : lit;
  const QColor ink = dimmed ? QColor(150, 150, 150) : QColor(255, 255, 255);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(ink, 1.2));
  painter.setBrush(fill);
  const QRectF circle = QRectF(rect).adjusted(0.8, 0.8, -0.8, -0.8);
  painter.drawEllipse(circle);
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setBold(true);
  font.setPixelSize(crossover ? 9 : 8);
  painter.setFont(font);
  painter.setPen(ink);
  const QString text = handle == kHighPassHandle  ? QStringLiteral("HP")
                       : handle == kLowPassHandle ? QStringLiteral("LP")
                                                  : QString::number(handle + 1);
  painter.drawText(rect, Qt::AlignCenter, text);
  painter.restore();
}

void DrawCardinalSpline(QPainter& painter, const QPoint* points, int count, double tension) {
  if (count < 2) return;
  // A cardinal spline is a chain of cubic Béziers: the control points of segment i leave P(i)
  // along P(i+1) - P(i-1) and reach P(i+1) along P(i+2) - P(i), scaled by tension / 3; the ends
  // repeat their own point as the missing neighbour.
  const double t = tension / 3.0;
  QPainterPath path;
  path.moveTo(points[0]);
  for (int i = 0; i + 1 < count; ++i) {
    const QPointF p0 = points[i > 0 ? i - 1 : 0];
    const QPointF p1 = points[i];
    const QPointF p2 = points[i + 1];
    const QPointF p3 = points[i + 2 < count ? i + 2 : count - 1];
    path.cubicTo(p1 + (p2 - p0) * t, p2 - (p3 - p1) * t, p2);
  }
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kCurveColour, kCurvePenWidth, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  painter.drawPath(path);
  painter.restore();
}

QString FormatFixed(double value, int decimals) { return Number(value, decimals); }

// ---------------------------------------------------------------------------------------------

GraphRenderer::GraphRenderer(const ParamStore& store, QSize areaSize)
    : store_(store), model_(std::make_unique<PageBandModel>()) {
  for (int i = 0; i < kHandleCount; ++i) handles_[static_cast<std::size_t>(i)].size = HandleSize(i);
  eqPassNotice_.text = QCoreApplication::translate("velantro", kEqPassNoticeText);
  eqPassNotice_.visible = false;
  SetAreaSize(areaSize);
  BuildGraphBackground(0);
}

GraphRenderer::~GraphRenderer() = default;

void GraphRenderer::SetAreaSize(QSize size) {
  size = size.expandedTo(QSize(kMinimumAreaSide, kMinimumAreaSide));
  area_ = QImage(size, QImage::Format_RGB32);
  area_.fill(Qt::black);
  scale_.height = size.height();
}

void GraphRenderer::BuildGraphBackground(int mode) {
  if (mode == 2) {
    // Copy the saved grid back into the drawing area's own buffer.
    if (area_.size() != background_.size() || area_.format() != background_.format()) {
      area_ = background_.copy();
    } else {
      std::memcpy(area_.bits(), background_.constBits(),
                  static_cast<std::size_t>(background_.sizeInBytes()));
    }
    return;
  }
  scale_.k = HorizontalScale(area_.width());
  scale_.height = area_.height();
  area_.fill(kAreaFillColour);
  DrawGrid(area_);
  background_ = area_.copy();
  if (mode == 0) labelsCreated_ = true;
  PlaceAxisLabels();
}

void GraphRenderer::DrawGrid(QImage& image) const {
  const int w = image.width();
  const int h = image.height();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (int db = static_cast<int>(kGainAxisBottomDb); db <= static_cast<int>(kGainAxisTopDb); ++db) {
    const int y = ToPixel(scale_.GainToY(db));
    painter.setPen(LinePen(HorizontalLineKind(db)));
    painter.drawLine(0, y, w, y);
  }
  const auto vertical = [&](double x) { painter.drawLine(QLineF(x, 0, x, h)); };
  painter.setPen(LinePen(GridLineKind::Major));
  vertical(0);
  for (double hz : kMajorVerticalHz) vertical(ToPixel(scale_.FrequencyToX(hz)));
  painter.setPen(LinePen(GridLineKind::Middle));
  for (double hz : kMiddleVerticalHz) vertical(ToPixel(scale_.FrequencyToX(hz)));
  vertical(kGridSteps * scale_.k - 1);
  painter.setPen(LinePen(GridLineKind::Major));
  const int top = ToPixel(scale_.GainToY(kGainAxisTopDb)) + 1;
  painter.drawLine(0, top, w, top);
  const int bottom = ToPixel(scale_.GainToY(kGainAxisBottomDb));
  painter.drawLine(0, bottom, w, bottom);
}

void GraphRenderer::PlaceAxisLabels() {
  if (!labelsCreated_) return;
  for (int i = 0; i < kGainLabelCount; ++i) {
    TextView& label = gainLabels_[static_cast<std::size_t>(i)];
    const int db = static_cast<int>(kGainAxisBottomDb) + 6 * i;
    label.text = QString::number(db) + QStringLiteral("dB");
    const QSize size = TextSize(TextStyle::AxisLabel, label.text);
    const int left = kAreaLeft - size.width() - 2;
    const int top = ToPixel(scale_.GainToY(db)) + kAreaTop - size.height() / 2;
    label.rect = QRect(QPoint(left, top), size);
  }
  for (int i = 0; i < kFrequencyLabelCount; ++i) {
    TextView& label = frequencyLabels_[static_cast<std::size_t>(i)];
    label.text = QString::fromLatin1(kFrequencyLabelText[i]);
    const QSize size = TextSize(TextStyle::AxisLabel, label.text);
    const int left =
        ToPixel(scale_.FrequencyToX(kFrequencyLabelHz[i])) + kAreaLeft - size.width() / 2;
    label.rect = QRect(QPoint(left, kAreaTop + area_.height()), size);
  }
  const QSize notice = TextSize(TextStyle::EqPassLabel, eqPassNotice_.text);
  eqPassNotice_.rect =
      QRect(QPoint((area_.width() - notice.width()) / 2, kEqPassNoticeTop), notice);
}

void GraphRenderer::DrawPageCurves(int point, int page, bool refreshInProgress, bool dragging) {
  if (refreshInProgress || page < 0 || page >= kSystemPageNumber) return;
  if (page == kEffectReverbPage) page = kEffectEchoPage;
  if (GraphPageOf(page) < 0) return;
  const int loaded =
      point == kFullRedrawPoint ? model_->Load(store_, page) : model_->Update(store_, page, point);
  lastEq_ = loaded % 100;
  crossovers_ = loaded / 100;
  if (point == kFullRedrawPoint) {
    for (int i = 0; i < kHandleCount; ++i) {
      bool shown = i <= lastEq_;
      if (i == kHighPassHandle) shown = crossovers_ >= 1;
      if (i == kLowPassHandle) shown = crossovers_ >= 2;
      handles_[static_cast<std::size_t>(i)].visible = shown;
    }
  }
  const int last = lastEq_ + crossovers_;
  BuildGraphBackground(2);
  if (!dragging) {
    if (point == kFullRedrawPoint) {
      for (int i = 0; i <= last; ++i) MoveHandleOf(i);
    } else if (point >= 0 && point <= last) {
      MoveHandleOf(point);
    }
  }
  if (point != kFullRedrawPoint) {
    UpdatePointLabel(point);
    labelPage_ = page;
  } else if (page == labelPage_ && pointLabel_.visible) {
    // A full redraw after new values (a download, a preset, a refresh, the other MIC group)
    // would otherwise leave the label showing old values at an old place. The label follows its
    // handle: the MIC groups' high-pass is entry 15 in one and entry 9 in the other.
    const int entry = EntryShownBy(labelHandle_);
    if (entry >= 0) {
      UpdatePointLabel(entry);
    } else {
      pointLabel_.visible = false;
    }
  }
  DrawCurve();
}

// The model entry whose handle `handle` is on this page, or -1 when the page does not show it.
int GraphRenderer::EntryShownBy(int handle) const {
  if (handle < 0 || handle >= kHandleCount || !handles_[static_cast<std::size_t>(handle)].visible) {
    return -1;
  }
  if (handle < kBandHandleCount) return handle <= lastEq_ ? handle : -1;
  for (int i = lastEq_ + 1; i <= lastEq_ + crossovers_; ++i) {
    if (HandleOfEntry(i, model_->entry(i).code) == handle) return i;
  }
  return -1;
}

void GraphRenderer::MoveHandleOf(int entry) {
  const BandModelEntry& e = model_->entry(entry);
  const int handle = HandleOfEntry(entry, e.code);
  if (handle < 0 || handle >= kHandleCount) return;
  HandleView& view = handles_[static_cast<std::size_t>(handle)];
  const int half = view.size / 2;
  view.pos = QPoint(ToPixel(scale_.FrequencyToX(e.frequency) - half),
                    ToPixel(scale_.GainToY(e.gain) - half));
}

void GraphRenderer::UpdatePointLabel(int entry) {
  if (entry < 0 || entry >= kBandModelEntryCount) return;
  const BandModelEntry& e = model_->entry(entry);
  // A label's word ("OFF") in the console's language; numbers have no translation and stay.
  const QString text = QCoreApplication::translate("velantro", PointLabelText(e).c_str());
  const int handle = e.code < kCodeHighPassFamily   ? entry
                     : e.code >= kCodeLowPassFamily ? kLowPassHandle
                                                    : kHighPassHandle;
  const QSize size = TextSize(TextStyle::PointLabel, text);
  // A cut's label goes above its handle, everything else below.
  const bool above = e.code < kCodeHighPassFamily && e.gain < 0;
  pointLabel_.text = text;
  pointLabel_.rect = PlacePointLabel(handle, size, above);
  pointLabel_.visible = true;
  labelHandle_ = handle;
}

// The label's place by its handle: centred below it (above it for a cut), else on the other side,
// else to its right or left; each moved inside the drawing area. The first place that covers no
// handle on view wins, then the first that keeps its own handle clear: a label the drawing
// area cuts off or a handle hidden under a label cannot be read.
QRect GraphRenderer::PlacePointLabel(int handle, QSize size, bool above) const {
  const QRect own = handles_[static_cast<std::size_t>(handle)].rect();
  const int centreX = own.left() + own.width() / 2 - size.width() / 2;
  const int centreY = own.top() + own.height() / 2 - size.height() / 2;
  const QPoint below(centreX, own.bottom() + 1);
  const QPoint over(centreX, own.top() - size.height() - kPointLabelGap);
  const QPoint candidates[] = {
      above ? over : below,
      above ? below : over,
      QPoint(own.right() + 1 + kPointLabelGap, centreY),
      QPoint(own.left() - size.width() - kPointLabelGap, centreY),
  };
  const auto inside = [&](QPoint topLeft) {
    const int maxLeft = std::max(0, area_.width() - size.width());
    const int maxTop = std::max(0, area_.height() - size.height());
    return QRect(QPoint(std::clamp(topLeft.x(), 0, maxLeft), std::clamp(topLeft.y(), 0, maxTop)),
                 size);
  };
  const auto coversAHandle = [&](const QRect& label) {
    for (const HandleView& h : handles_) {
      if (h.visible && label.intersects(h.rect())) return true;
    }
    return false;
  };
  for (QPoint candidate : candidates) {
    const QRect label = inside(candidate);
    if (!coversAHandle(label)) return label;
  }
  for (QPoint candidate : candidates) {
    const QRect label = inside(candidate);
    if (!label.intersects(own)) return label;
  }
  return inside(candidates[0]);
}

void GraphRenderer::DrawCurve() {
  const double k = HorizontalScale(area_.width());
  const EqResponse& total = model_->total();
  for (int p = 0; p < kGridPoints; ++p) {
    curve_[static_cast<std::size_t>(p)] =
        QPoint(ToPixel(p * k), ToPixel(scale_.GainToY(total[static_cast<std::size_t>(p)])));
  }
  QPainter painter(&area_);
  DrawCardinalSpline(painter, curve_.data(), kGridSteps, kCurveTension);
}

void GraphRenderer::RenderPanel(QPainter& painter) const {
  painter.save();
  const QSize panel = panelSize();
  painter.fillRect(QRect(QPoint(0, 0), panel), kPanelColour);
  const QRect area(QPoint(kAreaLeft, kAreaTop), area_.size());
  painter.fillRect(area, kInnerPanelColour);
  painter.drawImage(area.topLeft(), area_);
  // Handles and the labels of the drawing area are clipped to it, as children of AdvPanel2.
  painter.save();
  painter.setClipRect(area);
  painter.translate(area.topLeft());
  for (int i = 0; i < kHandleCount; ++i) {
    const HandleView& h = handles_[static_cast<std::size_t>(i)];
    if (h.visible) PaintHandle(painter, i, h.rect(), BandHandleDimmed(i, eqPassNotice_.visible));
  }
  if (pointLabel_.visible) {
    PaintText(painter, pointLabel_.rect, pointLabel_.text, TextStyle::PointLabel);
  }
  if (eqPassNotice_.visible) {
    PaintText(painter, eqPassNotice_.rect, eqPassNotice_.text, TextStyle::EqPassLabel);
  }
  painter.restore();
  for (const TextView& label : gainLabels_) {
    if (label.visible) PaintText(painter, label.rect, label.text, TextStyle::AxisLabel);
  }
  for (const TextView& label : frequencyLabels_) {
    if (label.visible) PaintText(painter, label.rect, label.text, TextStyle::AxisLabel);
  }
  painter.restore();
}

QImage GraphRenderer::RenderPanelImage() const {
  QImage image(panelSize(), QImage::Format_RGB32);
  QPainter painter(&image);
  RenderPanel(painter);
  return image;
}

}  // namespace velantro
