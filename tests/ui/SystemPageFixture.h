#pragma once

// The real main window on a console whose store is driven by the link harness: the stand-in
// unit answers in simulated time, and the link's view does what the window's does (full refresh
// through the binding, the auto key lock check, the mode list).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "binding/ControlBinding.h"
#include "support/LinkHarness.h"
#include "ui/Console.h"
#include "ui/DeviceCommands.h"
#include "ui/MainFrm.h"

namespace velantro::test {

class WindowLinkView : public RecordingLinkView {
 public:
  WindowLinkView(ParamStore& store, TForm1& form) : RecordingLinkView(store), form_(form) {}

  void RefreshAll() override {
    RecordingLinkView::RefreshAll();
    if (form_.binding() != nullptr) form_.binding()->RefreshAllControls(kAllPages);
    if (commands != nullptr) commands->ApplyKeyLockAtStart();
  }
  void RebuildModeList() override {
    RecordingLinkView::RebuildModeList();
    form_.RebuildModeList();
  }

  DeviceCommands* commands = nullptr;

 private:
  TForm1& form_;
};

inline LinkSettings QuietSettings() {
  LinkSettings settings;
  settings.autoConnect = false;
  return settings;
}

class SystemPageTest : public ::testing::Test {
 protected:
  SystemPageTest()
      : console(messages, QuietSettings()),
        form(console.windowContext()),
        view(console.store, form),
        harness(SimOptions{}, &view, &messages, &console.store) {}

  void SetUp() override {
    form.FirstShow();
    commands = std::make_unique<DeviceCommands>(form, form.binding()->editor(), harness.link,
                                                messages, console.CurrentSection);
    view.commands = commands.get();
  }
  void TearDown() override { view.commands = nullptr; }

  template <typename T>
  T* Find(const char* name) {
    T* widget = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void Click(const char* name) {
    auto* button = Find<QAbstractButton>(name);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // Types into a field as an operator does: click into it, then the keys one by one.
  void Type(const char* name, const QString& keys) {
    auto* field = Find<QLineEdit>(name);
    ASSERT_NE(field, nullptr);
    QTest::keyClicks(field, keys);
  }
  void Enter(const char* name) { QTest::keyClick(Find<QLineEdit>(name), Qt::Key_Return); }

  // Frames sent from `from` on, without keep-alives.
  std::vector<Bytes> Sent(size_t from) const { return harness.SentWithoutKeepAlives(from); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : messages.boxes) texts.push_back(box.text);
    return texts;
  }
  void Connect() { ASSERT_TRUE(harness.ConnectOverNetwork()); }

  RecordingMessages messages;
  Console console;
  TForm1 form;
  WindowLinkView view;
  LinkHarness harness;
  std::unique_ptr<DeviceCommands> commands;
};

}  // namespace velantro::test
