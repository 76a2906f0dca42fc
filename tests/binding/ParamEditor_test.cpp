// The one writer of operator edits: what it stores, what it sends and the records it leaves.

#include "binding/ParamEditor.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/ParamStore.h"
#include "support/Recorders.h"

namespace velantro::test {
namespace {

struct RecordingListener : EditListener {
  std::vector<EditRecord> records;
  std::vector<GraphChange> changes;
  void OnEdit(const EditRecord& record) override { records.push_back(record); }
  void OnGraphChange(GraphChange change) override { changes.push_back(change); }
};

class ParamEditorTest : public ::testing::Test {
 protected:
  ParamEditorTest() {
    store.SetChangeSink(&sink);
    editor.AddListener(&heard);
  }
  ParamStore store;
  RecordingSink sink{store};
  ParamEditor editor{store};
  RecordingListener heard;
};

TEST_F(ParamEditorTest, AnEditLeavesOneRecordWithItsValuesAndOrigin) {
  store.SetView(0, 0x15, 120);
  editor.SetBandField(0x0015, 150, EditOrigin::Key);
  editor.SetValue(0x0A03, 2, EditOrigin::Click);
  ASSERT_EQ(heard.records.size(), 2u);
  EXPECT_EQ(heard.records[0].origin, EditOrigin::Key);
  EXPECT_EQ(heard.records[0].cells, (std::vector<EditCell>{{0x0015, 120, 150}}));
  EXPECT_EQ(heard.records[1].origin, EditOrigin::Click);
  EXPECT_EQ(heard.records[1].cells, (std::vector<EditCell>{{0x0A03, 0, 2}}));
  // Both tables hold the values, and each went to the unit once.
  EXPECT_EQ(store.View(0x0015), 150);
  EXPECT_EQ(store.Device(0, ParamStore::DeviceIndex(0, 0x15, 0)), 150);
  EXPECT_EQ(sink.sent.size(), 2u);
}

TEST_F(ParamEditorTest, TheConsolesOwnWritesAndUnchangedValuesMakeNoRecord) {
  store.SetView(10, 3, 2);
  editor.SetValue(0x0A03, 2, EditOrigin::Click);  // the value it held
  editor.Keep(0x0A04, 1);
  editor.StoreBoth(0x0005, 90, EditOrigin::System);
  editor.SetValue(0x0A05, 1, EditOrigin::System);  // a mode recall: sent, but no edit
  editor.SetMicGroup(1);
  editor.WriteStartValues();
  EXPECT_TRUE(heard.records.empty());
  EXPECT_EQ(store.MicGroup, 1);
  EXPECT_EQ(store.View(0x0005), 90);
}

TEST_F(ParamEditorTest, WritesInOneScopeMakeOneRecordKeepingTheFirstBefore) {
  store.SetView(0, 0x0B, 100);
  {
    const EditScope scope(editor, EditOrigin::Reset);
    editor.SetBandField(0x000B, 110, EditOrigin::Slider);
    editor.SetBandField(0x000B, 130, EditOrigin::Slider);
    editor.SetValue(0x0003, 1, EditOrigin::Click);
    EXPECT_TRUE(heard.records.empty());  // told once the whole edit is done
  }
  ASSERT_EQ(heard.records.size(), 1u);
  EXPECT_EQ(heard.records[0].origin, EditOrigin::Reset);
  EXPECT_EQ(heard.records[0].cells, (std::vector<EditCell>{{0x000B, 100, 130}, {0x0003, 0, 1}}));
}

TEST_F(ParamEditorTest, ATakenImageIsOneRecordOfTheShownValuesEachReadInItsOwnLayout) {
  constexpr int kSecondSetting = kMusicSecondSetOffset;
  store.DeviceImage[0][6] = 120;  // music EQ 1 gain, first setting
  store.DeviceImage[6][0] = 50;   // main output music level, sing layout
  DeviceTable image = store.DeviceImage;
  image[0][1] = 1;                     // disco: the values move up
  image[0][6 + kSecondSetting] = 140;  // the gain as the disco layout keeps it
  image[6][1] = 50;                    // the same level, one slot on
  image[6][0] = 99;                    // a cell the disco layout does not show
  image[4][7] = 77;
  editor.TakeImage(image, EditOrigin::Preset);

  ASSERT_EQ(heard.records.size(), 1u);
  EXPECT_EQ(heard.records[0].origin, EditOrigin::Preset);
  EXPECT_EQ(heard.records[0].cells,
            (std::vector<EditCell>{{0x0001, 0, 1}, {0x0006, 120, 140}, {0x0407, 0, 77}}));
  EXPECT_EQ(store.DeviceImage, image);
  EXPECT_TRUE(sink.sent.empty());  // the upload carries the image
}

TEST_F(ParamEditorTest, EqResetOfAPageIsOneRecordOfWhatItChanged) {
  store.SetView(0, 0x0B, 150);  // music band 2 at +6 dB
  editor.ResetEqBands(0, EditOrigin::Reset);
  ASSERT_EQ(heard.records.size(), 1u);
  const EditRecord& r = heard.records[0];
  EXPECT_EQ(r.origin, EditOrigin::Reset);
  // The gain of band 2 is among the cells, with what it was.
  bool gain = false;
  for (const EditCell& c : r.cells) gain |= c == EditCell{0x000B, 150, 120};
  EXPECT_TRUE(gain);
  // Every cell is a band field of the music page, and each of the ten bands left as one frame.
  for (const EditCell& c : r.cells) EXPECT_EQ(PageOf(c.address), 0);
  EXPECT_EQ(sink.Bands().size(), 10u);
  // The start-up defaults of every page are the console's own.
  heard.records.clear();
  editor.ResetEqBands(kAllPages, EditOrigin::Reset);
  EXPECT_TRUE(heard.records.empty());
}

}  // namespace
}  // namespace velantro::test

namespace velantro::test {
namespace {

// Undo, redo and revert write a record's cells back: each lands where the unit keeps it whatever
// the view shows now, band fields go as one band frame a band, and the write is itself a record.
TEST_F(ParamEditorTest, WrittenBackCellsLandWhereTheUnitKeepsThemOneBandFrameABand) {
  const std::vector<EditCell> cells{
      {0x030D, 120, 95},   // MIC B EQ 2 gain
      {0x030E, 16, 20},    // the same band's Q
      {0x0914, 0, 7},      // SUR LPF frequency, a plain value
      {0x0512, 120, 130},  // Reverb EQ 1 gain
  };
  for (const EditCell& cell : cells) {
    const int page = PageOf(cell.address);
    store.SetView(page, IndexOf(cell.address), cell.before);
    store.SetDevice(page, ParamStore::DeviceIndex(page, IndexOf(cell.address), 0), cell.before);
  }
  // The view shows MIC A, the main output and the echo EQ.
  store.MicGroup = 0;
  store.MainOutputPage = 6;
  store.EffectEqPage = 4;
  store.SetView(1, 0x0D, 111);
  store.SetView(6, 0x14, 5);
  store.SetView(4, 0x12, 4);

  editor.WriteCells(cells, true, EditOrigin::Undo);

  EXPECT_EQ(store.Device(3, 0x0D), 95);
  EXPECT_EQ(store.Device(3, 0x0E), 20);
  EXPECT_EQ(store.Device(9, ParamStore::DeviceIndex(9, 0x14, 0)), 7);
  EXPECT_EQ(store.Device(5, 0x12), 130);
  // What the window shows of MIC A, main and echo stays as it was, and so do the selectors.
  EXPECT_EQ(store.View(1, 0x0D), 111);
  EXPECT_EQ(store.View(6, 0x14), 5);
  EXPECT_EQ(store.View(4, 0x12), 4);
  EXPECT_EQ(store.MicGroup, 0);
  EXPECT_EQ(store.MainOutputPage, 6);
  EXPECT_EQ(store.EffectEqPage, 4);
  // One band frame a band, a value frame for the plain value, at the unit's addresses.
  EXPECT_EQ(sink.Bands(), (std::vector<ParamAddress>{0x030B, 0x0510}));
  EXPECT_EQ(sink.Values(), (std::vector<std::pair<ParamAddress, int>>{{0x0914, 7}}));
  ASSERT_EQ(heard.records.size(), 1u);
  EXPECT_EQ(heard.records[0].origin, EditOrigin::Undo);
  EXPECT_EQ(heard.records[0].cells, cells);

  // Back again, with MIC B, SUR and the reverb EQ on view: the view shows what was written.
  store.MicGroup = 1;
  store.MainOutputPage = 9;
  store.EffectEqPage = 5;
  editor.WriteCells(cells, false, EditOrigin::Undo);
  EXPECT_EQ(store.Device(3, 0x0D), 120);
  EXPECT_EQ(store.View(1, 0x0D), 120);
  EXPECT_EQ(store.View(6, 0x14), 0);
  EXPECT_EQ(store.View(4, 0x12), 120);
}

}  // namespace
}  // namespace velantro::test
