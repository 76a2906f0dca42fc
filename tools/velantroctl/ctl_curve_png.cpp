// velantroctl curve FILE --page P --png OUT.png [--size WxH]: the page's EQ graph panel as the
// console shows it, drawn by the console's own graph renderer.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "CtlCommands.h"
#include "CtlLanguage.h"
#include "CurveCommand.h"
#include "eq/GraphRenderer.h"
#include "model/ParamStore.h"

namespace velantro::ctl {

namespace {

constexpr int kMinSide = 16;  // of the drawing area
constexpr int kMaxSide = 8000;
// A line above the panel names the file and the page, so a picture says what it shows.
constexpr int kTitleHeight = 22;
constexpr int kTitleIndent = 8;

std::string SizeText(QSize size) {
  return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

// The value just before a page's first band is its EQ pass; the "EQ PASS" notice shows while it
// is on. The DEQ page has none.
bool EqPassOn(const ParamStore& store, int graphPage) {
  switch (graphPage) {
    case 0:
    case 1:
    case 4:
    case 6:
    case 7:
      return store.View(graphPage, kPages[static_cast<std::size_t>(graphPage)].firstBand - 1) != 0;
    default:
      return false;
  }
}

// The picture: the title line, then the graph panel as the console shows it for the page with
// no band chosen (the window's point label belongs to an operator's selection).
QImage CurvePicture(const ParamStore& store, int graphPage, QSize size, const QString& title) {
  GraphRenderer renderer(store,
                         AreaSizeForPanel(QSize(size.width(), size.height() - kTitleHeight)));
  renderer.DrawPageCurves(kFullRedrawPoint, graphPage);
  renderer.pointLabel().visible = false;
  renderer.eqPassNotice().visible = EqPassOn(store, graphPage);
  QImage image(size, QImage::Format_RGB32);
  image.fill(kPanelColour);
  QPainter painter(&image);
  PaintText(painter, QRect(kTitleIndent, 0, size.width() - kTitleIndent, kTitleHeight), title,
            TextStyle::AxisLabel);
  painter.translate(0, kTitleHeight);
  renderer.RenderPanel(painter);
  return image;
}

}  // namespace

int RenderCurvePng(const CurveRequest& request, const ParamStore& store, const PageBandModel&) {
  const QSize least = PanelSizeForArea(QSize(kMinSide, kMinSide)) + QSize(0, kTitleHeight);
  const QSize most(kMaxSide, kMaxSide);
  const QSize size =
      request.width > 0
          ? QSize(request.width, request.height)
          : PanelSizeForArea(QSize(kAreaDesignWidth, kAreaDesignHeight)) + QSize(0, kTitleHeight);
  if (size.width() < least.width() || size.height() < least.height() ||
      size.width() > most.width() || size.height() > most.height()) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "curve: --size must be from %1 to %2"),
                     {SizeText(least), SizeText(most)}));
    return kExitUsage;
  }
  const int graphPage = ShownPage(request.page);
  if (graphPage < 0 || graphPage >= kSystemPage) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "curve: page %1 has no EQ graph"),
                     {std::to_string(request.page)}));
    return kExitUsage;
  }

  // Text needs a GUI application; without a display the offscreen platform draws the same.
  std::unique_ptr<QGuiApplication> app;
  int argc = 1;
  char name[] = "velantroctl";
  char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  }

  const std::string fileName = std::filesystem::path(request.file).filename().string();
  const QString title = QString::fromStdString(
      SayWith(QT_TRANSLATE_NOOP("velantro", "%1  —  page %2 %3"),
              {fileName, std::to_string(request.page), Say(CurvePageName(request.page))}));
  const QImage image = CurvePicture(store, graphPage, size, title);
  if (!image.save(QString::fromStdString(request.pngPath), "PNG")) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "curve: cannot write %1"), {request.pngPath}));
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace velantro::ctl
