#pragma once

// A small window for the binding tests: two music band columns, a MIC feedback bar, echo phase,
// the main output music level with its phase, one AUX band type box, the system page's music
// volume trio, the mode list, the music input level group, tabs, point labels and the EQ PASS
// notice. Widgets are made with the pages' own factory and named as the pages name them, so
// kinds, roles and the control table's bindings (scales, positions) are the real ones;
// addresses are left to BuildBindingTables except where the layout gives them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "binding/ControlBinding.h"
#include "link/Frames.h"
#include "model/Messages.h"
#include "model/ParamStore.h"
#include "model/Scales.h"
#include "support/Recorders.h"
#include "ui/PageKit.h"
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
  void BandColumn(PageKit& kit, const QString& prefix, const QString& spinPrefix, int n, int x) {
    const QString num = QString::number(n);
    kit.Bar(prefix + "EQGainBar" + num, -1, 180, QRect(x, 0, 20, 100), Qt::Vertical);
    kit.Image(prefix + "PEQBtn" + num, -1, 0, TypePicture::Peq, QPoint(x, 105));
    kit.Image(prefix + "LSQBtn" + num, -1, 1, TypePicture::Lsq, QPoint(x, 120));
    kit.Image(prefix + "HSQBtn" + num, -1, 2, TypePicture::Hsq, QPoint(x, 135));
    kit.Combo(prefix + "ModeBox" + num, -1, {"PEQ", "LSEQ", "HSEQ"}, QRect(x, 150, 60, 18));
    kit.Edit(prefix + "GainEdit" + num, -1, QRect(x, 170, 50, 18));
    kit.Spin(spinPrefix + "GainUpDownBtn" + num, -1, QPoint(x + 52, 170));
    kit.Edit(prefix + "FreEdit" + num, -1, QRect(x, 190, 50, 18));
    kit.Spin(spinPrefix + "FreUpDownBtn" + num, -1, QPoint(x + 52, 190));
    kit.Edit(prefix + "QEdit" + num, -1, QRect(x, 210, 50, 18));
    kit.Spin(spinPrefix + "QUpDownBtn" + num, -1, QPoint(x + 52, 210));
  }

  void BuildWindow() {
    QWidget* root = root_.get();
    PageKit kit(root);
    // Music strip and the buttons above the graph.
    auto* strip = new QWidget(root);
    strip->setObjectName("MusScrollBox");
    strip->setGeometry(0, 30, 400, 240);
    PageKit mus(strip);
    for (int n = 1; n <= 2; ++n) BandColumn(mus, "Mus", "Mus", n, 71 * (n - 1));
    kit.Toggle("MusEQAllpassBtn", -1, "EQ pass", QRect(420, 30, 60, 20));
    kit.Button("AutoModeBtn", "Auto", QRect(420, 60, 60, 20));
    kit.Button("ManulModeBtn", "Manual", QRect(480, 60, 60, 20));
    kit.Button("SingModeBtn", "Sing", QRect(420, 90, 60, 20));
    kit.Button("DiscoModeBtn", "Disco", QRect(480, 90, 60, 20));
    for (int n = 1; n <= 2; ++n) {
      auto* label = new QLabel(QString::number(n), root);
      label->setObjectName(QStringLiteral("MusEQPointLabel%1").arg(n));
    }
    for (int n = 1; n <= 8; ++n) {
      auto* label = new QLabel(QString::number(n), root);
      label->setObjectName(QStringLiteral("MainEQPointLabel%1").arg(n));
    }
    auto* notice = new QLabel("EQ PASS", root);
    notice->setObjectName("EQPassLabel");
    notice->hide();

    // MIC feedback eliminator and high-pass spin buttons.
    kit.Bar("MicFBEBar", -1, 30, QRect(600, 30, 100, 18));
    kit.Pane("MicFBEPane", -1, QRect(710, 30, 60, 18));
    kit.Spin("MicFBEUpDownBtn", -1, QPoint(775, 30));
    kit.Bar("MicHPFreBar", -1, 143, QRect(600, 50, 100, 18));
    kit.Pane("MicHPFrePane", -1, QRect(710, 50, 60, 18));
    kit.Spin("MicHPFreUpDownBtn", -1, QPoint(775, 50));

    // Echo phase, main output music level and phase, AUX band 1 type box.
    kit.Phase("EchoEffPhaseBtn", -1, QPoint(600, 80));
    kit.Bar("MainMusLevelBar", -1, 100, QRect(600, 100, 100, 18));
    kit.Pane("MainMusLevelPane", -1, QRect(710, 100, 60, 18));
    kit.Phase("MainMusPhaseBtn", -1, QPoint(780, 100));
    kit.Combo("SubModeBox1", -1, {"PEQ", "LSEQ", "HSEQ"}, QRect(600, 120, 60, 18));

    // System page: the music volume trio, the normal bar of the section strip, modes, options.
    kit.Bar("SysMusStartVolBar", -1, 82, QRect(800, 150, 100, 18));
    kit.Pane("SysMusStartVolPane", -1, QRect(910, 150, 40, 18));
    kit.Bar("SysMusMaxVolBar", -1, 82, QRect(800, 170, 100, 18));
    kit.Pane("SysMusMaxVolPane", -1, QRect(910, 170, 40, 18));
    kit.Bar("SysMusNormalVolBar", -1, 82, QRect(800, 190, 100, 18));
    kit.Pane("SysMusNormalVolPane", -1, QRect(910, 190, 40, 18));
    kit.Combo("SysModeBox", -1, {}, QRect(800, 210, 120, 18));
    auto* modeLabel = new QLabel(root);
    modeLabel->setObjectName("CurrentModeLabel");
    auto* levels = kit.Group("SignRzGroup", "Music Gain", QRect(800, 230, 200, 40));
    PageKit lk(levels);
    lk.Option("SysMusInputLevel", 0x0A03, QPoint(5, 15), "0dB");
    lk.Option("SysMusInputLevel2", 0x0A03, QPoint(65, 15), "3dB");
    lk.Option("SysMusInputLevel3", 0x0A03, QPoint(125, 15), "6dB");
    kit.Group("SysUserMangerGrop", "Choose", QRect(800, 280, 200, 40));

    for (int i = 1; i <= 9; ++i) {
      auto* tab =
          kit.Button(QStringLiteral("FormTabBtn%1").arg(i), "tab", QRect(60 * (i - 1), 0, 58, 24));
      tab->setProperty("tab", true);
    }
  }

  std::unique_ptr<QWidget> root_;
};

}  // namespace velantro::test
