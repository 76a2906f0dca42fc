// The console's looks: every button state keeps its caption readable on the dark window.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMap>
#include <QMenu>
#include <algorithm>
#include <string>

#include "widgets/Looks.h"

namespace velantro {
namespace {

TEST(Looks, ContrastRatioIsTheWcagRatio) {
  EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(QColor("#777777"), Qt::white), 4.48, 0.01);
  EXPECT_NEAR(ContrastRatio(QColor("#1d6fa8"), QColor("#1d6fa8")), 1.0, 1e-9);
}

// The caption against both ends of the fill, for one look.
void ExpectReadable(const LookColours& c, const std::string& what) {
  EXPECT_GE(ContrastRatio(c.text, c.top), kMinimumTextContrast) << what << " (top)";
  EXPECT_GE(ContrastRatio(c.text, c.bottom), kMinimumTextContrast) << what << " (bottom)";
}

TEST(Looks, EveryButtonLookKeepsItsCaptionReadable) {
  const std::pair<ButtonKind, const char*> kinds[] = {{ButtonKind::Plain, "plain"},
                                                      {ButtonKind::Tab, "tab"},
                                                      {ButtonKind::Link, "link"},
                                                      {ButtonKind::Phase, "phase"},
                                                      {ButtonKind::Toggle, "toggle"}};
  const std::pair<ButtonLook, const char*> looks[] = {{ButtonLook::Normal, "normal"},
                                                      {ButtonLook::Selected, "selected"},
                                                      {ButtonLook::Down, "down"},
                                                      {ButtonLook::Inverted, "inverted"}};
  for (auto [kind, kindName] : kinds) {
    for (auto [look, lookName] : looks) {
      for (bool enabled : {true, false}) {
        ExpectReadable(ButtonColours(kind, look, enabled),
                       std::string(kindName) + " " + lookName + (enabled ? "" : " greyed"));
      }
    }
  }
  const std::pair<TypePicture, const char*> pictures[] = {
      {TypePicture::Peq, "PEQ"},     {TypePicture::Lsq, "LSQ"},
      {TypePicture::Hsq, "HSQ"},     {TypePicture::DeqOff, "DEQ off"},
      {TypePicture::Below, "Below"}, {TypePicture::Above, "Above"}};
  for (auto [picture, name] : pictures) {
    for (bool on : {true, false}) {
      ExpectReadable(TypeImageColours(picture, on), std::string(name) + (on ? " on" : " off"));
    }
  }
}

// The focus ring is seen on every kind of control: the ring against every background it is drawn
// on and against its gap, and every control's fill against the gap or, where the fill is as dark
// as the gap, against the ring.
TEST(Looks, FocusRingStandsOutFromEverythingItTouches) {
  const FocusSurroundings around = FocusSurroundingColours();
  ASSERT_FALSE(around.backgrounds.empty());
  ASSERT_FALSE(around.fills.empty());
  EXPECT_GE(ContrastRatio(kFocusRingColour, kFocusGapColour), kMinimumFocusContrast);
  for (const QColor& background : around.backgrounds) {
    EXPECT_GE(ContrastRatio(kFocusRingColour, background), kMinimumFocusContrast)
        << background.name().toStdString();
  }
  for (const QColor& fill : around.fills) {
    const double seen =
        std::max(ContrastRatio(kFocusGapColour, fill), ContrastRatio(kFocusRingColour, fill));
    EXPECT_GE(seen, kMinimumFocusContrast) << fill.name().toStdString();
  }
  // The looks the old orange border was lost on are among the fills.
  const LookColours unlink = ButtonColours(ButtonKind::Link, ButtonLook::Down);
  const LookColours tab = ButtonColours(ButtonKind::Tab, ButtonLook::Selected);
  for (const QColor& c : {unlink.top, unlink.bottom, tab.top, tab.bottom, QColor("#c8f0ff")}) {
    EXPECT_NE(std::find(around.fills.begin(), around.fills.end(), c), around.fills.end())
        << c.name().toStdString();
  }
}

// The colour most pixels of an item's row have, and the one that stands out most from it: the
// row's background and its text.
std::pair<QColor, QColor> BackgroundAndText(const QImage& image, const QRect& row) {
  QMap<QRgb, int> count;
  for (int y = row.top(); y <= row.bottom(); ++y) {
    for (int x = row.left(); x <= row.right(); ++x) ++count[image.pixel(x, y)];
  }
  const QRgb background =
      std::max_element(count.keyValueBegin(), count.keyValueEnd(), [](auto a, auto b) {
        return a.second < b.second;
      })->first;
  QColor text(background);
  for (auto it = count.keyBegin(); it != count.keyEnd(); ++it) {
    if (ContrastRatio(QColor(*it), QColor(background)) > ContrastRatio(text, QColor(background))) {
      text = QColor(*it);
    }
  }
  return {QColor(background), text};
}

// The right-click menu (undo, redo, revert, open, save) takes its colours from the console: the
// window's light text on a light menu left every item unreadable.
TEST(Looks, TheRightClickMenuIsReadableAndShowsWhatIsGreyed) {
  const QString before = qApp->styleSheet();
  qApp->setStyleSheet(ConsoleStyleSheet());
  QMenu menu;
  QAction* undo = menu.addAction("Undo Music EQ 2 gain");
  QAction* redo = menu.addAction("Redo");
  redo->setEnabled(false);
  menu.popup(QPoint(10, 10));
  const QImage image = menu.grab().toImage();
  const auto [undoBackground, undoText] = BackgroundAndText(image, menu.actionGeometry(undo));
  const auto [redoBackground, redoText] = BackgroundAndText(image, menu.actionGeometry(redo));
  menu.close();
  qApp->setStyleSheet(before);
  EXPECT_GE(ContrastRatio(undoText, undoBackground), kMinimumTextContrast)
      << undoText.name().toStdString() << " on " << undoBackground.name().toStdString();
  EXPECT_GE(ContrastRatio(redoText, redoBackground), kMinimumTextContrast);
  // Greyed is told apart from the items that can be chosen.
  EXPECT_LT(ContrastRatio(redoText, redoBackground), ContrastRatio(undoText, undoBackground));
}

}  // namespace
}  // namespace velantro
