#pragma once

// The window's real controls for the binding tests, without the window: every section sheet as
// the window builds it, the section strip, the buttons above the graph and the graph's EQ PASS
// notice, made by the window's own builders on a bare widget; the binding is built over them
// with a store, a recording change sink and a section number of the test's own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "binding/ControlBinding.h"
#include "eq/EqGraphPanel.h"
#include "link/Frames.h"
#include "model/Messages.h"
#include "model/ParamStore.h"
#include "model/Scales.h"
#include "support/Recorders.h"
#include "ui/Pages.h"
#include "ui/WindowControls.h"
#include "widgets/WidgetNames.h"
#include "widgets/Widgets.h"

namespace velantro::test {

class BindingFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::make_unique<QWidget>();
    root_->setObjectName("TForm1");
    root_->resize(1133, 637);
    BuildWindow();
    store.SetChangeSink(&sink);
    binding = std::make_unique<ControlBinding>(root_.get(), store, messages, section);
    binding->BuildBindingTables();
    binding->ResetEqBands(kAllPages);  // as at the first show: defaults, nothing sent
    sink.sent.clear();
  }

  void TearDown() override {
    binding.reset();
    root_.reset();
  }

  template <typename T = QWidget>
  T* W(const char* name) const {
    T* w = root_->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  // Shows the window and makes it active so that focus moves as it does for the operator.
  void ShowActive() {
    root_->show();
    QApplication::setActiveWindow(root_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(root_.get()));
  }

  // The sheet that holds `control` comes on view, as its tab would bring it.
  void ShowSheetOf(QWidget* control) {
    auto* pages = root_->findChild<QStackedWidget*>(names::kPageStack);
    for (int i = 0; pages != nullptr && i < pages->count(); ++i) {
      if (pages->widget(i)->isAncestorOf(control)) pages->setCurrentIndex(i);
    }
  }

  // The operator clicks an edit, replaces its text by typing, and presses Enter.
  void TypeInto(const char* name, const QString& text) {
    auto* edit = W<QLineEdit>(name);
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  ParamStore store;
  RecordingSink sink{store};
  RecordingMessages messages;
  int section = 0;
  std::unique_ptr<ControlBinding> binding;

 private:
  // The window's own parts, built by the window's own builders on a bare root: the section
  // sheets in their stack (the music sheet on view), the section strip, the button groups above
  // the graph, the hidden templates and the graph panel (its EQ PASS notice).
  void BuildWindow() {
    QWidget* root = root_.get();
    auto* strip = new QWidget(root);
    strip->setObjectName(names::kSectionStrip);
    strip->setGeometry(0, kTitleStripHeight, kDesignWidth, kSectionStripHeight);
    BuildSectionStrip(strip);
    auto* pages = new QStackedWidget(root);
    pages->setObjectName(names::kPageStack);
    BuildSectionPages(pages);
    pages->setGeometry(0, kPageTop, kSheetWidth, kSheetHeight);
    BuildEqPassGroup(root)->move(272, kButtonGroupsTop + kPageTop);
    BuildSingDiscoGroup(root)->move(272 + kSingleDiscoOffset, kButtonGroupsTop + kPageTop);
    BuildTemplates(root);
    graph_ = new EqGraphPanel(store, root);
    graph_->move(0, kGraphTop + kPageTop);
  }

  EqGraphPanel* graph_ = nullptr;
  std::unique_ptr<QWidget> root_;
};

}  // namespace velantro::test
