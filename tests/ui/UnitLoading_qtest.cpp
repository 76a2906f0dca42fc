// While a mode recall's reload reads a stored mode in over what the pages show, the pages take
// no edits and say why; every other transfer, the first download included, leaves them open. The
// real window follows the link through its own link view, the link runs against the stand-in unit
// in simulated time.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <memory>

#include "binding/BindingTables.h"
#include "eq/EqGraphPanel.h"
#include "link/Frames.h"
#include "support/LinkHarness.h"
#include "support/WindowFixture.h"
#include "widgets/WidgetNames.h"

namespace velantro::test {
namespace {

constexpr int kUnitsGain = 145;  // +5.0 dB, what the unit holds for music band 1

class UnitLoading : public WindowFixture {
 protected:
  void SetUp() override {
    CreateWindow();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    harness = std::make_unique<LinkHarness>(SimOptions{}, &console->linkView(), &messages,
                                            &console->store);
    gain = form->findChild<QLineEdit*>("MusGainEdit1");
    ASSERT_NE(gain, nullptr);
    const int index = IndexOf(AddressOf(gain));
    harness->unit.SetValue(0, ParamStore::DeviceIndex(0, index, harness->unit.MusicSetting()),
                           kUnitsGain);
  }
  void TearDown() override {
    harness.reset();
    WindowFixture::TearDown();
  }

  void StartSearch() {
    harness->serial.names.clear();
    harness->link.FillPortList();
    harness->link.Connect();
  }
  bool RunUntilDownloading() {
    return harness->RunUntil([this] { return harness->link.downloading(); }, 5000);
  }
  bool RunUntilOnline() {
    return harness->RunUntil([this] { return harness->Online(); }, 30000);
  }

  // What the operator sees of the pages: greyed with the notice over them, or open.
  void ExpectPagesWait(bool waiting, const char* when) {
    auto* notice = form->findChild<QLabel*>(names::kLoadingNotice);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->isVisible(), waiting) << when;
    if (waiting) {
      EXPECT_EQ(notice->text(), QString::fromUtf8("Loading…")) << when;
    }
    for (QWidget* part : {static_cast<QWidget*>(gain), form->findChild<QWidget*>("SysPassEdit"),
                          static_cast<QWidget*>(console->graph()),
                          form->findChild<QWidget*>("SysMusNormalVolBar")}) {
      ASSERT_NE(part, nullptr);
      EXPECT_EQ(part->isEnabled(), !waiting) << when << ": " << part->objectName().toStdString();
    }
  }

  // The operator's way into the band gain field: click, Up five times, Enter.
  void StepGainUpFiveTimes() {
    QTest::mouseClick(gain, Qt::LeftButton);
    for (int i = 0; i < 5; ++i) QTest::keyClick(gain, Qt::Key_Up);
    QTest::keyClick(gain, Qt::Key_Return);
  }

  std::vector<Bytes> BandFramesSince(size_t from) const {
    std::vector<Bytes> bands;
    for (const Bytes& frame : harness->SentWithoutKeepAlives(from)) {
      if (frame.size() > 5 && frame[3] == kCmdWrite && frame[4] == 0x00 && frame[5] == 0x02) {
        bands.push_back(frame);
      }
    }
    return bands;
  }

  std::unique_ptr<LinkHarness> harness;
  QLineEdit* gain = nullptr;
};

TEST_F(UnitLoading, TheFirstDownloadLeavesThePagesOpenAndSendsNoEditMadeMeanwhile) {
  ExpectPagesWait(false, "before the search");
  StartSearch();
  ASSERT_TRUE(RunUntilDownloading());
  // What the operator does while the unit is read is part of the console's document, which the
  // console weighs against the unit's image once the download is in.
  ExpectPagesWait(false, "first download");
  StepGainUpFiveTimes();
  EXPECT_NE(gain->text(), "0.0");

  ASSERT_TRUE(RunUntilOnline());
  ExpectPagesWait(false, "online");
  harness->Advance(500);
  EXPECT_TRUE(BandFramesSince(0).empty());
  const int index = IndexOf(AddressOf(gain));
  EXPECT_EQ(harness->unit.Value(0, ParamStore::DeviceIndex(0, index, console->store.LayoutFlag)),
            kUnitsGain);
}

TEST_F(UnitLoading, ARecallWaitsForItsReloadButALaterConnectionDoesNot) {
  StartSearch();
  ASSERT_TRUE(RunUntilOnline());
  harness->Advance(100);

  // The recall leaves at once: the pages wait from then until the reload is in.
  console->store.SetParam(sysaddr::CurrentMode, 2);
  ExpectPagesWait(true, "recall sent");
  ASSERT_TRUE(RunUntilDownloading());
  ExpectPagesWait(true, "reload");
  ASSERT_TRUE(RunUntilOnline());
  ExpectPagesWait(false, "reloaded");

  // Unlink and Connect: the console holds an image, the pages stay open all along.
  harness->link.Disconnect();
  ExpectPagesWait(false, "after Unlink");
  StartSearch();
  ASSERT_TRUE(RunUntilDownloading());
  ExpectPagesWait(false, "download after Unlink");
  ASSERT_TRUE(RunUntilOnline());
  ExpectPagesWait(false, "online again");
}

}  // namespace
}  // namespace velantro::test
