#pragma once

// The console's real window for a test: its own preset folder, messages recorded, no link search
// and no unit. A fixture derives from it, calls CreateWindow() and shows the window as it needs.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "support/Recorders.h"
#include "ui/Console.h"
#include "ui/MainFrm.h"
#include "ui/WindowControls.h"

namespace velantro::test {

class WindowFixture : public ::testing::Test {
 protected:
  void CreateWindow() {
    LinkSettings settings;
    settings.autoConnect = false;  // no search: these tests drive the window only
    console = std::make_unique<Console>(messages, settings);
    // The pages start from the store's own start values, as these tests expect them.
    console->documentSettings.startFromFactory = startFromFactory;
    console->programFolder = presetRoot.path().toStdString();
    console->CreateWindows();
    form = console->form1();
    // The window opens to fit the screen (WindowPlacement's tests); these tests work at the
    // design size whatever screen the platform gives.
    form->resize(kDesignWidth, kDesignHeight);
  }
  // The window goes before anything a derived fixture holds that the store may still reach.
  void TearDown() override { console.reset(); }

  bool startFromFactory = false;
  QTemporaryDir presetRoot;
  RecordingMessages messages;
  std::unique_ptr<Console> console;
  TForm1* form = nullptr;
};

}  // namespace velantro::test
