// The section strip built on a bare widget, as the window builds it: at every width the window
// allows, the shown tabs, the three normal volumes and the link button sit side by side, none
// over another.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QWidget>
#include <vector>

#include "ui/WindowControls.h"
#include "widgets/WidgetNames.h"

namespace velantro::test {
namespace {

// The strip's shown parts from left to right.
std::vector<QWidget*> ShownLeftToRight(QWidget& strip, const SectionStripParts& parts) {
  std::vector<QWidget*> shown;
  for (int i = 1; i <= kTabCount; ++i) {
    auto* tab = strip.findChild<QPushButton*>(QString(names::kTabButton).arg(i));
    if (tab != nullptr && !tab->isHidden()) shown.push_back(tab);
  }
  for (const VolumeParts& v : parts.volumes) shown.insert(shown.end(), {v.caption, v.bar, v.pane});
  shown.push_back(parts.linkButton);
  return shown;
}

TEST(SectionStrip, KeepsEveryPartApartAtEveryWindowWidth) {
  for (const int width : {kMinimumWidth, kDesignWidth, 1600, 3840}) {
    SCOPED_TRACE(width);
    QWidget strip;
    strip.resize(width, kSectionStripHeight);
    const SectionStripParts parts = BuildSectionStrip(&strip);
    PlaceSectionStrip(parts, width);

    const std::vector<QWidget*> shown = ShownLeftToRight(strip, parts);
    ASSERT_EQ(shown.size(), 8u + 9u + 1u);  // eight tabs, three volumes, the link button
    for (size_t i = 1; i < shown.size(); ++i) {
      EXPECT_LT(shown[i - 1]->geometry().right(), shown[i]->geometry().left())
          << shown[i - 1]->objectName().toStdString() << " runs into "
          << shown[i]->objectName().toStdString();
    }
    EXPECT_LE(parts.linkButton->geometry().right(), width - 1);
    for (const VolumeParts& v : parts.volumes) EXPECT_GT(v.bar->width(), 0);
  }
}

}  // namespace
}  // namespace velantro::test
