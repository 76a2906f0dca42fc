// velantroctl curve FILE --page P --png OUT.png [--size WxH]: the page's EQ graph panel as the
// console shows it, drawn by the console's own graph renderer.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <memory>

#include "CtlCommands.h"
#include "CurveCommand.h"
#include "eq/GraphRenderer.h"
#include "model/ParamStore.h"

namespace velantro::ctl {

namespace {

constexpr int kMinSide = 16;
constexpr int kMaxSide = 8000;

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

}  // namespace

int RenderCurvePng(const CurveRequest& request, const ParamStore& store, const PageBandModel&) {
  const int width = request.width > 0 ? request.width : kAreaDesignWidth;
  const int height = request.height > 0 ? request.height : kAreaDesignHeight;
  if (width < kMinSide || height < kMinSide || width > kMaxSide || height > kMaxSide) {
    std::fprintf(stderr, "velantroctl curve: --size must be from %dx%d to %dx%d\n", kMinSide,
                 kMinSide, kMaxSide, kMaxSide);
    return kExitUsage;
  }
  const int graphPage = ShownPage(request.page);
  if (graphPage < 0 || graphPage >= kSystemPage) {
    std::fprintf(stderr, "velantroctl curve: page %d has no EQ graph\n", request.page);
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

  GraphRenderer renderer(store, QSize(width, height));
  // What choosing the section shows: the whole page, then the label of its first band (the
  // selected band of a graph that nobody has touched yet).
  renderer.DrawPageCurves(kFullRedrawPoint, graphPage);
  renderer.DrawPageCurves(0, graphPage);
  renderer.eqPassNotice().visible = EqPassOn(store, graphPage);
  const QImage image = renderer.RenderPanelImage();
  if (!image.save(QString::fromStdString(request.pngPath), "PNG")) {
    std::fprintf(stderr, "velantroctl curve: cannot write %s\n", request.pngPath.c_str());
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace velantro::ctl
