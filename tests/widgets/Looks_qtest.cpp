// The console's looks: every button state keeps its caption readable on the dark window.

#include <gtest/gtest.h>

#include <QColor>
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

}  // namespace
}  // namespace velantro
