#include "eq/EqGraphPanel.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>
#include <algorithm>

#include "eq/PageBandModel.h"
#include "model/ParamStore.h"
#include "model/Rounding.h"
#include "model/Scales.h"
#include "model/ScopedAssign.h"
#include "widgets/Translation.h"
#include "widgets/WidgetNames.h"

namespace velantro {

namespace {

constexpr int kMusicModeIndex = 0;  // ViewValues[0][0]: 0 Auto, 1 Manual
constexpr int kMusicAuto = 0;
constexpr int kQStepPixels = 3;  // one Q step per 3 pixels over the drawing area
constexpr int kMicGroupB = 1;

// Band handles of the output sheets that edit bands; the others are crossover handles.
constexpr int kLastEffectBandHandle = 4;
constexpr int kLastOutputBandHandle = 7;
// Crossover handles of the MIC and effect sheets stop at these.
constexpr int kMicHighPassStopIndex = 143;  // 309 Hz
constexpr double kMicHighPassStopHz = 309;
constexpr int kEffectHighPassStopIndex = 206;  // beyond 1000 Hz
constexpr double kEffectHighPassStopHz = 1015;
constexpr int kEffectLowPassStopIndex = 299;  // below 5990 Hz
constexpr double kEffectLowPassStopHz = 5990;

EqGraphPanel* PanelOf(QWidget* widget) {
  for (QObject* o = widget ? widget->parent() : nullptr; o; o = o->parent()) {
    if (auto* panel = qobject_cast<EqGraphPanel*>(o)) return panel;
  }
  return nullptr;
}

QString HandleName(int i) {
  if (i == kHighPassHandle) return QStringLiteral("HPF");
  if (i == kLowPassHandle) return QStringLiteral("LPF");
  return QStringLiteral("EP%1").arg(i + 1);
}

void SetGeometryIfChanged(QWidget* widget, const QRect& rect) {
  if (widget->geometry() != rect) widget->setGeometry(rect);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

GraphHandle::GraphHandle(int number, QWidget* parent) : QWidget(parent), number_(number) {
  setObjectName(HandleName(number));
  setAttribute(Qt::WA_NoSystemBackground);
  resize(HandleSize(number), HandleSize(number));
}

void GraphHandle::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const EqGraphPanel* panel = PanelOf(this);
  PaintHandle(painter, number_, rect(),
              panel != nullptr && BandHandleDimmed(number_, panel->eqPassNoticeShown()));
}

void GraphHandle::mousePressEvent(QMouseEvent* event) {
  if (auto* panel = PanelOf(this))
    panel->HandlePress(number_, event->button(), event->position().toPoint(), event->modifiers());
}

void GraphHandle::mouseMoveEvent(QMouseEvent* event) {
  if (auto* panel = PanelOf(this))
    panel->HandleMove(number_, event->position().toPoint(), event->modifiers());
}

void GraphHandle::mouseDoubleClickEvent(QMouseEvent* event) {
  if (auto* panel = PanelOf(this)) panel->HandleDoubleClick(number_, event->button());
}

void GraphHandle::mouseReleaseEvent(QMouseEvent* event) {
  if (auto* panel = PanelOf(this)) panel->HandleRelease(number_, event->button());
}

GraphLabel::GraphLabel(TextStyle style, const QString& name, QWidget* parent)
    : QLabel(parent), style_(style) {
  setObjectName(name);
  setFont(FontFor(style));
  setAttribute(Qt::WA_NoSystemBackground);
}

void GraphLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintText(painter, rect(), text(), style_);
}

void GraphLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (auto* panel = PanelOf(this)) panel->LabelRelease();
  QLabel::mouseReleaseEvent(event);
}

GraphImage::GraphImage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Image1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphImage::paintEvent(QPaintEvent*) {
  if (auto* panel = PanelOf(this)) {
    QPainter painter(this);
    painter.drawImage(0, 0, panel->renderer().areaImage());
  }
}

void GraphImage::mouseMoveEvent(QMouseEvent* event) {
  if (auto* panel = PanelOf(this)) panel->ImageMove(event->buttons(), event->position().toPoint());
}

void GraphImage::mouseReleaseEvent(QMouseEvent* event) {
  if (auto* panel = PanelOf(this)) panel->ImageRelease(event->button());
}

// ---------------------------------------------------------------------------------------------

EqGraphPanel::EqGraphPanel(ParamStore& store, QWidget* parent)
    : QWidget(parent), store_(store), renderer_(store) {
  setObjectName(QStringLiteral("AdvPanel1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  // A keyboard stop of its own: its keys choose and change bands (EqGraphKeys.cpp).
  setFocusPolicy(Qt::StrongFocus);
  resize(kPanelDesignWidth, kPanelDesignHeight);

  advPanel2_ = new QWidget(this);
  advPanel2_->setObjectName(QStringLiteral("AdvPanel2"));
  advPanel2_->setGeometry(QRect(QPoint(kAreaLeft, kAreaTop), renderer_.areaSize()));
  QPalette inner = advPanel2_->palette();
  inner.setColor(QPalette::Window, kInnerPanelColour);
  advPanel2_->setPalette(inner);
  advPanel2_->setAutoFillBackground(true);

  image1_ = new GraphImage(advPanel2_);
  image1_->setGeometry(QRect(QPoint(0, 0), renderer_.areaSize()));
  // The handles, numbered 0 .. 16 in this order: EP1 .. EP15, HPF, LPF.
  for (int i = 0; i < kHandleCount; ++i) {
    auto* handle = new GraphHandle(i, advPanel2_);
    handle->hide();
    handles_[static_cast<std::size_t>(i)] = handle;
  }
  pointLabel_ = new GraphLabel(TextStyle::PointLabel, QStringLiteral("EQlabel"), advPanel2_);
  eqPassLabel_ =
      new GraphLabel(TextStyle::EqPassLabel, QString::fromLatin1(names::kEqPassNotice), advPanel2_);
  SetText(eqPassLabel_, kEqPassNoticeText);
  eqPassLabel_->hide();
  for (int i = 0; i < kGainLabelCount; ++i) {
    auto* label = new GraphLabel(TextStyle::AxisLabel, QStringLiteral("EQLabelY%1").arg(i), this);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    gainLabels_[static_cast<std::size_t>(i)] = label;
  }
  for (int i = 0; i < kFrequencyLabelCount; ++i) {
    auto* label = new GraphLabel(TextStyle::AxisLabel,
                                 QStringLiteral("EQLabelX%1").arg(kFirstFrequencyLabel + i), this);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    frequencyLabels_[static_cast<std::size_t>(i)] = label;
  }
  SyncWidgets();
}

EqGraphPanel::~EqGraphPanel() = default;

void EqGraphPanel::Start() { started_ = true; }

void EqGraphPanel::OnGraphChange(GraphChange change) {
  lastChange_ = change;
  // Once the events now being handled are done: a burst of edits (a bar's steps, a type change
  // that also shows its Q) is one redraw of the last band.
  if (holdRedraw_ || redrawQueued_) return;
  redrawQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        redrawQueued_ = false;
        RedrawLastChange();
      },
      Qt::QueuedConnection);
}

std::function<void(int, int)> EqGraphPanel::RedrawHook() {
  return [this](int point, int page) { DrawPageCurves(point, page); };
}

void EqGraphPanel::DrawPageCurves(int point, int page) {
  const bool refreshing = host_ != nullptr && host_->RefreshInProgress();
  renderer_.DrawPageCurves(point, page, refreshing, drag_.dragging);
  SyncWidgets();
}

void EqGraphPanel::RedrawSection() {
  const int page = SectionPage();
  DrawPageCurves(kFullRedrawPoint, page);
  const int band = host_ ? host_->SelectedBand(GraphIndex(host_->CurrentSection())) : 0;
  DrawPageCurves(band, page);
}

void EqGraphPanel::BuildGraphBackground(int mode) {
  renderer_.BuildGraphBackground(mode);
  SyncWidgets();
}

void EqGraphPanel::ShowEqPassNotice(bool visible) {
  renderer_.eqPassNotice().visible = visible;
  eqPassLabel_->setVisible(visible);
  for (GraphHandle* handle : handles_) handle->update();  // dimmed or lit
}

bool EqGraphPanel::eqPassNoticeShown() const { return renderer_.eqPassNotice().visible; }

// ---------------------------------------------------------------------------------------------
// Widgets follow the renderer's state.

void EqGraphPanel::SyncHandle(int i) {
  const HandleView& view = renderer_.handle(i);
  GraphHandle* widget = handles_[static_cast<std::size_t>(i)];
  SetGeometryIfChanged(widget, view.rect());
  if (widget->isHidden() == view.visible) widget->setVisible(view.visible);
}

void EqGraphPanel::SyncPointLabel() {
  const TextView& view = renderer_.pointLabel();
  if (pointLabel_->text() != view.text) pointLabel_->setText(view.text);
  SetGeometryIfChanged(pointLabel_, view.rect);
  if (pointLabel_->isHidden() == view.visible) pointLabel_->setVisible(view.visible);
  SetGeometryIfChanged(eqPassLabel_, renderer_.eqPassNotice().rect);
}

void EqGraphPanel::SyncAxisLabels() {
  const auto sync = [](GraphLabel* widget, const TextView& view) {
    if (widget->text() != view.text) widget->setText(view.text);
    SetGeometryIfChanged(widget, view.rect);
  };
  for (int i = 0; i < kGainLabelCount; ++i) {
    sync(gainLabels_[static_cast<std::size_t>(i)],
         renderer_.gainLabels()[static_cast<std::size_t>(i)]);
  }
  for (int i = 0; i < kFrequencyLabelCount; ++i) {
    sync(frequencyLabels_[static_cast<std::size_t>(i)],
         renderer_.frequencyLabels()[static_cast<std::size_t>(i)]);
  }
}

void EqGraphPanel::SyncWidgets() {
  for (int i = 0; i < kHandleCount; ++i) SyncHandle(i);
  SyncPointLabel();
  SyncAxisLabels();
  image1_->update();
}

void EqGraphPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QRect area(QPoint(kAreaLeft, kAreaTop), AreaSizeForPanel(size()));
  if (area.size() == renderer_.areaSize() && advPanel2_->geometry() == area) return;
  advPanel2_->setGeometry(area);
  image1_->setGeometry(QRect(QPoint(0, 0), area.size()));
  renderer_.SetAreaSize(area.size());
  renderer_.BuildGraphBackground(1);
  RedrawSection();
}

void EqGraphPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kPanelColour);
}

// ---------------------------------------------------------------------------------------------
// Section state.

int EqGraphPanel::SectionPage() const {
  return host_ ? velantro::SectionPage(host_->CurrentSection()) : 0;
}
int EqGraphPanel::SectionSheet() const {
  return host_ ? velantro::SectionSheet(host_->CurrentSection()) : 0;
}

bool EqGraphPanel::MusicAuto() const { return store_.View(0, kMusicModeIndex) == kMusicAuto; }

// Band editing on the graph needs Manual on the Music and DEQ sheets.
bool EqGraphPanel::BandEditLocked(int sheetShown) const {
  return (sheetShown == sheet::kMusic || sheetShown == sheet::kDeq) && MusicAuto();
}

ParamAddress EqGraphPanel::BandFieldAddress(int handle, int field) const {
  const int page = SectionPage();
  if (page == kDeqPage)
    return MakeAddress(kDeqPage, kDeqChannelSize * handle + kDeqFirstBandIndex + field);
  if (page < 0 || page >= kEqPageCount || kFirstBandIndex[static_cast<std::size_t>(page)] < 0) {
    return -1;
  }
  return MakeAddress(
      page, kFirstBandIndex[static_cast<std::size_t>(page)] + kBandValueCount * handle + field);
}

// ---------------------------------------------------------------------------------------------
// Dragging.

void EqGraphPanel::HandlePress(int handle, Qt::MouseButton button, QPoint pos,
                               Qt::KeyboardModifiers modifiers) {
  if (handle < 0 || handle >= kHandleCount) return;
  handles_[static_cast<std::size_t>(handle)]->setCursor(Qt::CrossCursor);
  drag_.pressPosition = pos;
  drag_.dragging = true;
  drag_.pressed = handle;
  const QPoint handlePos = renderer_.handle(handle).pos;
  drag_.fine = (modifiers & Qt::ShiftModifier) != 0;
  drag_.fineMouse = handlePos + pos;
  drag_.fineHandle = handlePos;
  if (!started_ || host_ == nullptr) return;
  drag_.qStepMode = false;
  if (BandHandleDimmed(handle, eqPassNoticeShown()) && explainRefusal) {
    explainRefusal(Translated(kEqPassRefusal).toStdString());
  }
  const int sheetShown = SectionSheet();
  const bool band = handle < kBandHandleCount;
  // Ctrl with the left button is the right button's Q step, for one-button mice and touchpads.
  const bool qStep = band && (button == Qt::RightButton ||
                              (button == Qt::LeftButton && (modifiers & Qt::ControlModifier)));
  if (qStep) {
    if (BandEditLocked(sheetShown)) return;
    const ParamAddress q = BandFieldAddress(handle, kBandFieldPeqQ);
    if (host_->IsEditBox(q)) {
      host_->SelectEdit(q);
      drag_.qStepMode = true;
      drag_.qStepButton = button;
    }
  } else if (button == Qt::LeftButton && band) {
    if (BandEditLocked(sheetShown)) return;
    host_->SelectEdit(BandFieldAddress(handle, kBandFieldGain));
  } else if (button == Qt::LeftButton) {
    // Show the crossover's label.
    const int page = SectionPage();
    int entry = -1;
    if (page == 1) {
      entry = store_.MicGroup == kMicGroupB ? kBandCount[3] : kBandCount[1];
    } else if (page == 4) {
      entry = handle == kHighPassHandle ? 5 : 6;
    } else if (page == 6 || page == 7) {
      entry = handle == kHighPassHandle ? 7 : 8;
    }
    if (entry >= 0) DrawPageCurves(entry, page);
  }
}

void EqGraphPanel::HandleMove(int handle, QPoint pos, Qt::KeyboardModifiers modifiers) {
  if (!drag_.dragging || !started_ || drag_.pressed == -1 || handle != drag_.pressed) return;
  if (host_ == nullptr) return;
  const int pressed = drag_.pressed;
  const bool band = pressed < kBandHandleCount;
  const bool noticeShown = eqPassNoticeShown();

  if (drag_.qStepMode) {
    if (!band || noticeShown) return;
    const int step = pos.x() > drag_.pressPosition.x()   ? kStepUp
                     : pos.x() < drag_.pressPosition.x() ? kStepDown
                                                         : 0;
    host_->CommitEdit(step);
    drag_.pressPosition = pos;
    drag_.dragged = pressed;
    RedrawLastChange();  // the graph's own edit shows at once
    return;
  }

  HandleView& view = renderer_.handle(pressed);
  const GraphScale& scale = renderer_.scale();
  const int h = view.size;
  const int half = h / 2;
  int left = view.pos.x();
  int top = view.pos.y();
  int dx = 0;
  int dy = 0;
  if (modifiers & Qt::ShiftModifier) {
    // Fine: the handle moves one pixel per kFineDragPixels of the mouse from where Shift began.
    const QPoint mouse = view.pos + pos;
    if (!drag_.fine) {
      drag_.fine = true;
      drag_.fineMouse = mouse;
      drag_.fineHandle = view.pos;
    }
    dx = drag_.fineHandle.x() + (mouse.x() - drag_.fineMouse.x()) / kFineDragPixels - left;
    dy = drag_.fineHandle.y() + (mouse.y() - drag_.fineMouse.y()) / kFineDragPixels - top;
  } else {
    // Back to a plain drag: the handle follows the mouse from here, without a jump.
    if (drag_.fine) {
      drag_.fine = false;
      drag_.pressPosition = pos;
    }
    dx = pos.x() - drag_.pressPosition.x();
    dy = pos.y() - drag_.pressPosition.y();
  }
  const double fi = ParseDisplayValue(Scale::BandFrequency, scale.XToFrequency(left + dx + half));
  const auto placeAt = [&](double hz) {
    left = ToPixel(scale.FrequencyToX(hz) - half);
    dx = 0;
  };

  switch (SectionSheet()) {
    case sheet::kMusic:
      if (band && (MusicAuto() || noticeShown)) return;
      break;
    case sheet::kMic:
      if (band) {
        if (noticeShown) return;
      } else {
        dy = 0;
        if (pressed == kHighPassHandle && fi >= kMicHighPassStopIndex) placeAt(kMicHighPassStopHz);
      }
      break;
    case sheet::kEffect:
      if (pressed <= kLastEffectBandHandle) {
        if (noticeShown) return;
      } else {
        dy = 0;
        if (pressed == kHighPassHandle && fi >= kEffectHighPassStopIndex) {
          placeAt(kEffectHighPassStopHz);
        } else if (pressed == kLowPassHandle && fi <= kEffectLowPassStopIndex) {
          placeAt(kEffectLowPassStopHz);
        }
      }
      break;
    case sheet::kMainOutput:
    case sheet::kAuxOutput:
      if (pressed <= kLastOutputBandHandle) {
        if (noticeShown) return;
      } else {
        dy = 0;
      }
      break;
    case sheet::kDeq:
      if (pressed < kBandCount[kDeqPage] &&
          store_.View(kDeqPage, kDeqChannelSize * pressed + 1) == 1) {
        return;
      }
      break;
    default:
      return;  // no other sheet shows the graph's handles
  }

  if (dx != 0) left += dx;
  if (dy != 0) top += dy;
  // The handle's centre stays within the drawing area vertically.
  const int areaTop = 0;
  const int areaHeight = renderer_.areaSize().height();
  top = std::clamp(top, areaTop - half, areaTop + areaHeight - half);
  if (pressed == kLowPassHandle) {
    const int areaRight = renderer_.areaSize().width();
    if (left > areaRight - half) {
      left = areaRight - half;
    } else if (left > areaRight - h) {
      left = areaRight - h;
    }
  }
  const double lowest = scale.FrequencyToX(kDragLowestHz);
  if (left < lowest - half) left = ToPixel(lowest) - half;

  drag_.pointerFrequency = static_cast<float>(RoundHalfEvenToInt(scale.XToFrequency(left + half)));
  drag_.pointerGain = static_cast<float>(scale.YToGain(top + half));
  if (drag_.pointerFrequency > kDragHighestHz) {
    drag_.pointerFrequency = static_cast<float>(kDragHighestHz);
    left = ToPixel(scale.FrequencyToX(kDragHighestHz) - half);
  }
  drag_.pointerGain = std::clamp(drag_.pointerGain, static_cast<float>(kGainAxisBottomDb),
                                 static_cast<float>(kGainAxisTopDb));
  view.pos = QPoint(left, top);
  SyncHandle(pressed);

  drag_.dragged = pressed;
  drag_.targetFrequency =
      static_cast<float>(ParseDisplayValue(Scale::BandFrequency, drag_.pointerFrequency));
  drag_.targetGain = static_cast<float>(ParseDisplayValue(Scale::BandGain, drag_.pointerGain));
  if (drag_.targetFrequency != drag_.appliedFrequency || drag_.targetGain != drag_.appliedGain) {
    ApplyDrag();
  }
}

void EqGraphPanel::ApplyDrag() {
  if (host_ == nullptr) return;
  const int d = drag_.dragged;
  // The model entry the handle belongs to: band handles are their entry, the crossover handles
  // belong to whichever crossover entry shows them.
  int entry = -1;
  if (d < kBandHandleCount) {
    if (d <= renderer_.lastEqEntry()) entry = d;
  } else {
    const int last = renderer_.lastEqEntry() + renderer_.crossoverCount();
    for (int i = renderer_.lastEqEntry() + 1; i <= last; ++i) {
      if (HandleOfEntry(i, renderer_.model().entry(i).code) == d) entry = i;
    }
  }
  const bool band = d < kBandHandleCount;
  if (entry >= 0) {
    // A band's frequency and gain together are one redraw.
    const ScopedAssign hold(holdRedraw_, true);
    const BandModelEntry& e = renderer_.model().entry(entry);
    const GraphControl frequency{e.frequencyAddress,
                                 band ? ControlTable::Main : ControlTable::Pane};
    const GraphControl gain{e.gainAddress, ControlTable::Main};
    const double tf = drag_.targetFrequency;
    const double tg = drag_.targetGain;
    const bool frequencyDiffers = drag_.targetFrequency != drag_.appliedFrequency;
    const bool gainDiffers = drag_.targetGain != drag_.appliedGain;
    // The targets are compared with what the drag applied last; the gain the band holds may
    // be the target already (typed since, or another band's drag in between).
    const bool gainMoves = store_.View(gain.address) != TruncateToInt(tg);
    if (band && frequencyDiffers && gainDiffers && gainMoves) {
      // Show and store the frequency; the gain's band frame carries it to the unit.
      host_->ApplyControlValue(frequency, 0, true, tf);
      drag_.appliedFrequency = drag_.targetFrequency;
      drag_.appliedGain = drag_.targetGain;
      host_->ApplyControlValue(gain, 0, false, tg);
    } else if (frequencyDiffers) {
      const double value = band ? tf : CrossoverControlValue(frequency.address, tf);
      host_->ApplyControlValue(frequency, 0, false, value);
      drag_.appliedFrequency = drag_.targetFrequency;
      if (!band || gainDiffers) drag_.appliedGain = drag_.targetGain;
    } else if (gainDiffers) {
      drag_.appliedGain = drag_.targetGain;
      if (band) host_->ApplyControlValue(gain, 0, false, tg);
    }
  }
  RedrawLastChange();
}

void EqGraphPanel::RedrawLastChange() {
  if (host_ == nullptr) return;
  const GraphChange change = lastChange_;
  if (change != drag_.seenChange) {
    drag_.seenChange = change;
    const BandLocation located = LocateBand(change.address, store_.MicGroup);
    DrawPageCurves(located.band, PageOf(change.address));
  }
}

// Whether the band's gain may change from the graph on the sheet shown: the sheet rules of a
// drag, for band handles.
bool EqGraphPanel::BandGainEditable(int handle) const {
  const bool noticeShown = eqPassNoticeShown();
  switch (SectionSheet()) {
    case sheet::kMusic:
      return !MusicAuto() && !noticeShown;
    case sheet::kMic:
      return !noticeShown;
    case sheet::kEffect:
      return handle <= kLastEffectBandHandle && !noticeShown;
    case sheet::kMainOutput:
    case sheet::kAuxOutput:
      return handle <= kLastOutputBandHandle && !noticeShown;
    case sheet::kDeq:
      return !MusicAuto() && handle < kBandCount[kDeqPage] &&
             store_.View(kDeqPage, kDeqChannelSize * handle + 1) != 1;
    default:
      return false;
  }
}

// A double click on a band handle puts the band back to 0 dB, through the band's gain edit like
// any other gain change.
void EqGraphPanel::HandleDoubleClick(int handle, Qt::MouseButton button) {
  if (button != Qt::LeftButton || handle < 0 || handle >= kBandHandleCount) return;
  if (!started_ || host_ == nullptr || handle > renderer_.lastEqEntry()) return;
  if (!BandGainEditable(handle)) return;
  const BandModelEntry& e = renderer_.model().entry(handle);
  host_->ApplyControlValue(GraphControl{e.gainAddress, ControlTable::Main}, 0, false,
                           kGainRawZeroDb);
  RedrawLastChange();
}

void EqGraphPanel::HandleRelease(int handle, Qt::MouseButton) {
  drag_.qStepMode = false;
  if (!drag_.dragging) return;
  drag_.dragging = false;
  if (handle >= 0 && handle < kHandleCount)
    handles_[static_cast<std::size_t>(handle)]->unsetCursor();
  if (host_ == nullptr || drag_.pressed < 0 || drag_.pressed >= kBandHandleCount) return;
  const int sheetShown = SectionSheet();
  if (sheetShown == sheet::kMusic && MusicAuto()) return;
  if (SectionPage() == kDeqPage) {
    host_->SelectEdit(BandFieldAddress(drag_.pressed, kBandFieldFrequency));
  } else {
    host_->SelectEdit(BandFieldAddress(drag_.pressed, kBandFieldGain));
  }
}

void EqGraphPanel::ImageMove(Qt::MouseButtons buttons, QPoint pos) {
  if (!(buttons & drag_.qStepButton) || !drag_.qStepMode || host_ == nullptr) return;
  if (drag_.pressed < 0 || drag_.pressed >= kBandHandleCount) return;
  if (pos.x() - drag_.pressPosition.x() >= kQStepPixels) {
    host_->CommitEdit(kStepUp);
  } else if (drag_.pressPosition.x() - pos.x() >= kQStepPixels) {
    host_->CommitEdit(kStepDown);
  } else {
    return;
  }
  drag_.dragging = false;
  drag_.pressPosition = pos;
  drag_.dragged = drag_.pressed;
  RedrawLastChange();
}

void EqGraphPanel::ImageRelease(Qt::MouseButton button) {
  if (button != drag_.qStepButton || !drag_.qStepMode) return;
  if (BandEditLocked(SectionSheet())) return;
  drag_.dragging = false;
  drag_.qStepMode = false;
  if (host_ == nullptr || drag_.pressed < 0 || drag_.pressed >= kBandHandleCount) return;
  if (SectionPage() == kDeqPage) {
    host_->SelectEdit(BandFieldAddress(drag_.pressed, kBandFieldGain));
  } else {
    host_->SelectEdit(BandFieldAddress(drag_.pressed, kBandFieldFrequency));
  }
}

void EqGraphPanel::LabelRelease() {
  drag_.dragging = false;
  drag_.qStepMode = false;
}

// ---------------------------------------------------------------------------------------------
// Buttons around the graph.

void EqGraphPanel::OnEqPassButton(QAbstractButton* button) {
  if (host_ == nullptr || button == nullptr) return;
  if (SectionSheet() == sheet::kMusic && MusicAuto()) return;
  const int value = host_->TogglePass(button, SectionPage());
  ShowEqPassNotice(value != 0);
}

void EqGraphPanel::OnEqResetButton() {
  if (host_ == nullptr || BandEditLocked(SectionSheet())) return;
  const int page = SectionPage();
  int target = page;
  if (page == 4) target = store_.EffectEqPage;
  if (page == 1 && store_.MicGroup == kMicGroupB) target = 3;
  host_->ResetEqBands(target);
  DrawPageCurves(host_->SelectedBand(GraphIndex(host_->CurrentSection())), page);
}

void EqGraphPanel::OnDeqPassButton(QAbstractButton* button) {
  if (host_ == nullptr || button == nullptr) return;
  if (SectionSheet() == sheet::kDeq && MusicAuto()) return;
  const ParamAddress address = button->property("address").toInt();
  host_->TogglePass(button, SectionPage());
  if (host_->RefreshInProgress()) return;
  const int channel = (IndexOf(address) - 1) / kDeqChannelSize;
  DrawPageCurves(channel, SectionPage());
}

void EqGraphPanel::OnBandTypeImage(QWidget* image) {
  if (host_ == nullptr || image == nullptr) return;
  host_->ChooseBandType(image);
}

}  // namespace velantro
