// The EQ graph as the operator sees it: grid, axis labels, curve, handles and the point label,
// checked by pixels on the drawn images.

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QTest>
#include <utility>
#include <vector>

#include "eq/EqGraphPanel.h"
#include "eq/GraphRenderer.h"
#include "eq/GraphTestHost.h"
#include "model/ParamStore.h"

namespace velantro::test {
namespace {

// How strongly a pixel shows the curve's cyan: grid and background are grey, so blue - red is 0.
int Cyan(QRgb pixel) { return qBlue(pixel) - qRed(pixel); }

// Row of the strongest curve pixel in column x; -1 when the column shows no curve.
int CurveRow(const QImage& area, int x) {
  int best = -1, bestCyan = 60;
  for (int y = 0; y < area.height(); ++y) {
    const int c = Cyan(area.pixel(x, y));
    if (c > bestCyan) {
      bestCyan = c;
      best = y;
    }
  }
  return best;
}

class GraphRender : public ::testing::Test {
 protected:
  GraphRender() { WriteDefaultBands(store); }
  ParamStore store;
};

TEST_F(GraphRender, OnlyTheMinus24ZeroAndPlus12LinesAreTwoPixelsWide) {
  GraphRenderer renderer(store);
  const QImage& grid = renderer.savedBackground();
  const int h = grid.height();
  // A column between the 20 Hz and 30 Hz lines, crossed by no vertical line.
  const int x = ToPixel(renderer.scale().FrequencyToX(25));
  const auto colourAt = [&](int y) { return grid.pixel(x, y) & 0xFFFFFF; };
  const QRgb major = kMajorLineColour.rgb() & 0xFFFFFF;
  const QRgb middle = kMiddleLineColour.rgb() & 0xFFFFFF;
  const QRgb minor = kMinorLineColour.rgb() & 0xFFFFFF;
  const QRgb fill = kAreaFillColour.rgb() & 0xFFFFFF;
  for (int db = -23; db <= 11; ++db) {
    const int y = ToPixel(GainToY(db, h));
    int rows = 0;
    for (int r = y - 2; r <= y + 2; ++r) rows += colourAt(r) != fill;
    const QRgb expected = db == 0 ? major : (db % 3 == 0 ? middle : minor);
    EXPECT_EQ(colourAt(y), expected) << db;
    EXPECT_EQ(rows, db == 0 ? 2 : 1) << db;
  }
  // The +12 and -24 dB lines with the top and bottom borders: two rows of major grey each.
  EXPECT_EQ(colourAt(0), major);
  EXPECT_EQ(colourAt(1), major);
  EXPECT_EQ(colourAt(h - 1), major);
  EXPECT_EQ(colourAt(h - 2), major);
  EXPECT_EQ(colourAt(h - 3), fill);
}

TEST_F(GraphRender, VerticalLinesAndBorders) {
  GraphRenderer renderer(store);
  const QImage& grid = renderer.savedBackground();
  const int y = ToPixel(GainToY(-10.4, grid.height()));  // a row with no horizontal line
  const auto colourAt = [&](int x) { return grid.pixel(x, y) & 0xFFFFFF; };
  EXPECT_EQ(colourAt(0), kMajorLineColour.rgb() & 0xFFFFFF);
  EXPECT_EQ(colourAt(grid.width() - 1), kMiddleLineColour.rgb() & 0xFFFFFF);
  EXPECT_EQ(colourAt(ToPixel(renderer.scale().FrequencyToX(1000))),
            kMajorLineColour.rgb() & 0xFFFFFF);
  EXPECT_EQ(colourAt(ToPixel(renderer.scale().FrequencyToX(500))),
            kMiddleLineColour.rgb() & 0xFFFFFF);
  EXPECT_EQ(colourAt(ToPixel(renderer.scale().FrequencyToX(1500))),
            kAreaFillColour.rgb() & 0xFFFFFF);
}

TEST_F(GraphRender, FlatPageDrawsItsCurveOnTheZeroDbLine) {
  GraphRenderer renderer(store);
  renderer.DrawPageCurves(kFullRedrawPoint, 0);
  const QImage& area = renderer.areaImage();
  const int zero = ToPixel(GainToY(0, area.height()));
  for (int x = 5; x < area.width() - 10; x += 7) {
    EXPECT_NEAR(CurveRow(area, x), zero, 1) << x;
  }
  for (int i = 0; i < kHandleCount; ++i) {
    EXPECT_EQ(renderer.handle(i).visible, i < 10) << i;
    if (i < 10) {
      EXPECT_NEAR(renderer.handle(i).pos.y() + 7, zero, 1) << i;
    }
  }
}

TEST_F(GraphRender, PeakAtOneKilohertzReachesTheTopAtItsX) {
  store.SetView(0, 5, 204);  // band 1 at 1000 Hz
  store.SetView(0, 6, 180);  // +12 dB
  GraphRenderer renderer(store);
  renderer.DrawPageCurves(kFullRedrawPoint, 0);
  const QImage& area = renderer.areaImage();
  // The top of the curve: its highest row, and the middle of the columns that reach it.
  int topY = area.height(), first = -1, last = -1;
  for (int x = 0; x < area.width(); ++x) {
    const int y = CurveRow(area, x);
    if (y < 0) continue;
    if (y < topY) {
      topY = y;
      first = last = x;
    } else if (y == topY) {
      last = x;
    }
  }
  EXPECT_NEAR((first + last) / 2.0, renderer.scale().FrequencyToX(1000), 2.0);
  EXPECT_NEAR(topY, GainToY(12, area.height()), 1.0);
  // The band's handle sits on the peak.
  const QPoint centre = renderer.handle(0).pos + QPoint(7, 7);
  EXPECT_NEAR(centre.x(), renderer.scale().FrequencyToX(1000), 1.0);
  EXPECT_NEAR(centre.y(), 0, 1);
}

TEST_F(GraphRender, HandlesShownPerPage) {
  struct Case {
    int page;
    int micGroup;
    int lastBand;  // EP1 .. EP(lastBand + 1)
    bool hpf, lpf;
  };
  for (const Case& c :
       {Case{0, 0, 9, false, false}, Case{1, 0, 14, true, false}, Case{1, 1, 8, true, false},
        Case{4, 0, 4, true, true}, Case{6, 0, 6, true, true}, Case{7, 0, 6, true, true},
        Case{2, 0, 2, false, false}}) {
    store.MicGroup = c.micGroup;
    GraphRenderer renderer(store);
    renderer.DrawPageCurves(kFullRedrawPoint, c.page);
    for (int i = 0; i < kBandHandleCount; ++i) {
      EXPECT_EQ(renderer.handle(i).visible, i <= c.lastBand) << c.page << " EP" << i + 1;
    }
    EXPECT_EQ(renderer.handle(kHighPassHandle).visible, c.hpf) << c.page;
    EXPECT_EQ(renderer.handle(kLowPassHandle).visible, c.lpf) << c.page;
  }
}

TEST_F(GraphRender, PointLabelAboveForACutBelowOtherwise) {
  store.SetView(0, 11, 105);  // band 2 at -3.0 dB
  GraphRenderer renderer(store);
  renderer.DrawPageCurves(kFullRedrawPoint, 0);
  renderer.DrawPageCurves(1, 0);
  const HandleView& ep2 = renderer.handle(1);
  EXPECT_EQ(renderer.pointLabel().text, QStringLiteral("-3.0 dB\rQ:1.00\r62.5 Hz"));
  EXPECT_EQ(renderer.pointLabel().rect.bottom(), ep2.pos.y() - 2);  // top = handle top - h - 1
  EXPECT_NEAR(renderer.pointLabel().rect.center().x(), ep2.rect().center().x(), 1);

  renderer.DrawPageCurves(0, 0);  // band 1 at 0.0 dB
  const HandleView& ep1 = renderer.handle(0);
  EXPECT_EQ(renderer.pointLabel().text, QStringLiteral("0.0 dB\rQ:1.00\r31.9 Hz"));
  EXPECT_EQ(renderer.pointLabel().rect.top(), ep1.pos.y() + ep1.size);
}

TEST_F(GraphRender, FullRedrawKeepsThePointLabelCurrent) {
  GraphRenderer renderer(store);
  renderer.DrawPageCurves(kFullRedrawPoint, 0);
  renderer.DrawPageCurves(0, 0);
  store.SetView(0, 6, 150);  // new values arrive (a download, a preset)
  renderer.DrawPageCurves(kFullRedrawPoint, 0);
  EXPECT_EQ(renderer.pointLabel().text, QStringLiteral("6.0 dB\rQ:1.00\r31.9 Hz"));
  EXPECT_EQ(renderer.pointLabel().rect.top(), renderer.handle(0).pos.y() + 14);
}

TEST_F(GraphRender, CrossoverLabelsAndSwitchedOffFilters) {
  // MIC high-pass value 0: code 100, "OFF", handle at 19 Hz on the 0 dB line.
  store.SetView(1, 0, 0);
  GraphRenderer renderer(store);
  renderer.DrawPageCurves(kFullRedrawPoint, 1);
  renderer.DrawPageCurves(15, 1);
  const HandleView& hpf = renderer.handle(kHighPassHandle);
  EXPECT_EQ(renderer.pointLabel().text, QStringLiteral("OFF"));
  EXPECT_EQ(hpf.pos.x(), ToPixel(renderer.scale().FrequencyToX(19) - 12));
  EXPECT_EQ(hpf.pos.y(), ToPixel(GainToY(0, 309) - 12));
  EXPECT_EQ(renderer.pointLabel().rect.top(), hpf.pos.y() + 24);  // below the handle, not on it

  // Main output low-pass at index 300 shows its frequency; 362 is off at 20 600 Hz.
  store.SetView(6, 20, 300);
  renderer.DrawPageCurves(kFullRedrawPoint, 6);
  renderer.DrawPageCurves(8, 6);
  EXPECT_EQ(renderer.pointLabel().text, QStringLiteral("6350.0 Hz"));
  store.SetView(6, 20, 362);
  renderer.DrawPageCurves(8, 6);
  EXPECT_EQ(renderer.pointLabel().text, QStringLiteral("OFF"));
  EXPECT_EQ(renderer.handle(kLowPassHandle).pos.x(),
            ToPixel(renderer.scale().FrequencyToX(20600) - 12));
}

TEST_F(GraphRender, PointLabelStaysInsideTheAreaAndOffEveryHandle) {
  struct Case {
    const char* what;
    int page;
    std::vector<std::pair<int, int>> values;  // view index, raw value
    int entry;
  };
  const Case cases[] = {
      {"main high-pass at 20600 Hz, the right edge", 6, {{17, 362}}, 7},
      {"main low-pass at 6350 Hz", 6, {{20, 300}}, 8},
      {"MIC high-pass off at 19 Hz", 1, {{0, 0}}, 15},
      {"band at 20600 Hz", 0, {{5, 361}}, 0},
      {"band at 19.7 Hz and +12 dB, the top left corner", 0, {{5, 0}, {6, 180}}, 0},
      {"band at 19.7 Hz and -24 dB, the bottom left corner", 0, {{5, 0}, {6, 0}}, 0},
      {"band with another band's handle just under it", 0, {{5, 204}, {10, 204}, {11, 100}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ParamStore values;
    WriteDefaultBands(values);
    for (auto [index, raw] : c.values) values.SetView(c.page, index, raw);
    GraphRenderer renderer(values);
    renderer.DrawPageCurves(kFullRedrawPoint, c.page);
    renderer.DrawPageCurves(c.entry, c.page);
    const QRect label = renderer.pointLabel().rect;
    EXPECT_TRUE(renderer.pointLabel().visible);
    EXPECT_TRUE(QRect(QPoint(0, 0), renderer.areaSize()).contains(label)) << label.x();
    for (int i = 0; i < kHandleCount; ++i) {
      const HandleView& h = renderer.handle(i);
      if (h.visible) {
        EXPECT_FALSE(label.intersects(h.rect())) << "handle " << i;
      }
    }
  }
}

TEST_F(GraphRender, FullRedrawKeepsTheLabelOnItsHandleOrHidesIt) {
  struct Case {
    int entry;      // labelled in MIC group A
    bool shownInB;  // group B still shows its handle
  };
  for (const Case& c : {Case{15, true}, Case{11, false}}) {
    SCOPED_TRACE(c.entry);
    store.MicGroup = 0;
    store.SetView(1, 0, 140);
    GraphRenderer renderer(store);
    renderer.DrawPageCurves(kFullRedrawPoint, 1);
    renderer.DrawPageCurves(c.entry, 1);
    // Group B comes on view: its high-pass is entry 9, it shows bands 1 to 9 only.
    store.MicGroup = 1;
    store.SetView(1, 0, 50);
    renderer.DrawPageCurves(kFullRedrawPoint, 1);
    EXPECT_EQ(renderer.pointLabel().visible, c.shownInB);
    if (!c.shownInB) continue;
    const HandleView& hpf = renderer.handle(kHighPassHandle);
    EXPECT_EQ(renderer.pointLabel().text,
              QString::fromStdString(std::string(FrequencyText(49)) + " Hz"));
    EXPECT_NEAR(renderer.pointLabel().rect.center().x(), hpf.rect().center().x(), 1);
    EXPECT_EQ(renderer.pointLabel().rect.top(), hpf.pos.y() + hpf.size);
  }
}

TEST_F(GraphRender, DeqChannelWithEqPassDrawsFlatWithItsHandleOnZero) {
  store.SetView(2, 4, 180);  // channel 1 at +12 dB
  store.SetView(2, 1, 1);    // ... with its EQ pass on
  GraphRenderer renderer(store);
  renderer.DrawPageCurves(kFullRedrawPoint, 2);
  const QImage& area = renderer.areaImage();
  const int zero = ToPixel(GainToY(0, area.height()));
  const int x = ToPixel(renderer.scale().FrequencyToX(FrequencyHz(72)));
  EXPECT_NEAR(CurveRow(area, x), zero, 1);
  EXPECT_EQ(renderer.handle(0).pos.y(), ToPixel(GainToY(0, 309) - 7));
}

TEST_F(GraphRender, AxisLabelsSitOnTheirLinesAndFollowAResize) {
  GraphRenderer renderer(store);
  for (QSize area : {QSize(1080, 309), QSize(700, 200)}) {
    renderer.SetAreaSize(area);
    renderer.BuildGraphBackground(1);
    const auto& y = renderer.gainLabels();
    EXPECT_EQ(y[0].text, QStringLiteral("-24dB"));
    EXPECT_EQ(y[4].text, QStringLiteral("0dB"));
    EXPECT_EQ(y[6].text, QStringLiteral("12dB"));
    for (int i = 0; i < kGainLabelCount; ++i) {
      const double line = ToPixel(GainToY(-24 + 6 * i, area.height())) + kAreaTop;
      EXPECT_NEAR(y[static_cast<std::size_t>(i)].rect.top() +
                      y[static_cast<std::size_t>(i)].rect.height() / 2,
                  line, 1)
          << i;
      EXPECT_EQ(y[static_cast<std::size_t>(i)].rect.right() + 1, kAreaLeft - 2) << i;
    }
    const auto& x = renderer.frequencyLabels();
    EXPECT_EQ(x[5].text, QStringLiteral("1KHz"));
    EXPECT_NEAR(x[5].rect.left() + x[5].rect.width() / 2,
                ToPixel(renderer.scale().FrequencyToX(1000)) + kAreaLeft, 1);
    EXPECT_EQ(x[5].rect.top(), kAreaTop + area.height());
    EXPECT_EQ(renderer.panelSize(), PanelSizeForArea(area));
  }
}

TEST_F(GraphRender, PanelWidgetShowsWhatTheRendererDraws) {
  store.SetView(0, 6, 150);  // band 1 at +6 dB
  store.SetView(0, 31, 90);  // band 6 at -6 dB
  EqGraphPanel panel(store);
  panel.DrawPageCurves(kFullRedrawPoint, 0);
  panel.DrawPageCurves(5, 0);
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  EXPECT_EQ(panel.objectName(), QStringLiteral("AdvPanel1"));
  EXPECT_EQ(panel.size(), QSize(1135, 344));
  EXPECT_EQ(panel.image()->geometry(), QRect(0, 0, 1080, 309));
  EXPECT_EQ(panel.innerPanel()->geometry(), QRect(40, 13, 1080, 309));
  auto* ep6 = panel.findChild<QWidget*>(QStringLiteral("EP6"));
  ASSERT_NE(ep6, nullptr);
  EXPECT_TRUE(ep6->isVisible());
  EXPECT_EQ(ep6->geometry(), panel.renderer().handle(5).rect());
  EXPECT_FALSE(panel.findChild<QWidget*>(QStringLiteral("EP11"))->isVisible());
  EXPECT_FALSE(panel.findChild<QWidget*>(QStringLiteral("HPF"))->isVisible());
  auto* label = panel.findChild<QLabel*>(QStringLiteral("EQlabel"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("-6.0 dB\rQ:1.00\r1020.0 Hz"));
  ASSERT_NE(panel.findChild<QLabel*>(QStringLiteral("EQLabelX20")), nullptr);
  EXPECT_EQ(panel.findChild<QLabel*>(QStringLiteral("EQLabelY3"))->text(), QStringLiteral("-6dB"));

  const QImage grabbed = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage drawn = panel.RenderImage();
  ASSERT_EQ(grabbed.size(), drawn.size());
  int differing = 0;
  for (int y = 0; y < drawn.height(); ++y) {
    for (int x = 0; x < drawn.width(); ++x) differing += grabbed.pixel(x, y) != drawn.pixel(x, y);
  }
  EXPECT_EQ(differing, 0);
}

TEST_F(GraphRender, ResizeRebuildsGridLabelsAndCurve) {
  GraphTestHost host(store);
  EqGraphPanel panel(store);
  panel.SetHost(&host);
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  panel.resize(835, 235);  // drawing area 780 x 200
  EXPECT_EQ(panel.image()->size(), QSize(780, 200));
  EXPECT_EQ(panel.renderer().areaImage().size(), QSize(780, 200));
  EXPECT_NEAR(panel.renderer().scale().k, 780.0 / 462.0, 1e-12);
  const int zero = ToPixel(GainToY(0, 200));
  EXPECT_NEAR(CurveRow(panel.renderer().areaImage(), 400), zero, 1);
  EXPECT_EQ(panel.findChild<QLabel*>(QStringLiteral("EQLabelX11"))->y(), kAreaTop + 200);
  EXPECT_TRUE(panel.handleWidget(9)->isVisibleTo(&panel));
  EXPECT_EQ(panel.handleWidget(9)->y(), ToPixel(GainToY(0, 200) - 7));
}

}  // namespace
}  // namespace velantro::test
