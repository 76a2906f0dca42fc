// The control table against the window the pages build: every row names a widget that is there,
// with the scale, position and range the row gives, and every bound edit, bar, pane and spin of
// the window has its row.

#include <gtest/gtest.h>

#include <QSet>
#include <QSlider>
#include <QTemporaryDir>
#include <memory>

#include "binding/ControlBinding.h"
#include "binding/ControlTable.h"
#include "support/LinkHarness.h"
#include "support/WindowFixture.h"
#include "ui/Console.h"
#include "ui/MainFrm.h"

namespace velantro::test {
namespace {

class ControlTableWindow : public WindowFixture {
 protected:
  void SetUp() override { CreateWindow(); }
};

TEST_F(ControlTableWindow, EveryRowNamesAWidgetWithTheRowsScalePositionAndRange) {
  form->FirstShow();  // builds the binding tables
  for (const ControlSpec& row : ControlRows()) {
    const QString name = NameOf(row);
    QWidget* w = form->findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << row.name;
    // The binding the window's tables hold for it is its row's (the first, for a widget bound
    // at two cells).
    const Binding* binding = form->binding()->tables().BindingOf(w);
    ASSERT_NE(binding, nullptr) << row.name;
    const ControlSpec* first = FindControlNamed(row.name);
    switch (row.sort) {
      case ControlSort::Edit:
      case ControlSort::Pane:
        EXPECT_EQ(binding->scale, first->valueScale()) << row.name;
        break;
      case ControlSort::Image:
      case ControlSort::Option:
        EXPECT_EQ(binding->position, row.position) << row.name;
        break;
      case ControlSort::Bar:
        EXPECT_EQ(qobject_cast<QSlider*>(w)->maximum(), row.max) << row.name;
        break;
      default:
        break;
    }
    // Buttons carry the role of their row: the binding goes by it, never by their size.
    const std::string_view role = ButtonRoleName(row.sort);
    if (!role.empty()) {
      EXPECT_EQ(w->property("role").toString().toStdString(), role) << row.name;
    }
  }
}

TEST_F(ControlTableWindow, EveryBoundEditBarPaneAndSpinHasARow) {
  QSet<QString> named;
  for (const ControlSpec& row : ControlRows()) named.insert(NameOf(row));
  for (QWidget* w : form->findChildren<QWidget*>()) {
    const QString kind = w->property("kind").toString();
    const bool bound = kind == QLatin1String("edit") || kind == QLatin1String("bar") ||
                       kind == QLatin1String("pane") || kind == QLatin1String("spin");
    if (!bound || AddressOf(w) < 0) continue;
    EXPECT_TRUE(named.contains(w->objectName())) << w->objectName().toStdString();
  }
}

}  // namespace
}  // namespace velantro::test
