#include "model/ParamStore.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/Recorders.h"

namespace velantro::test {
namespace {

struct StoreFixture : ::testing::Test {
  ParamStore store;
  RecordingSink sink;
  void SetUp() override { store.SetChangeSink(&sink); }
};

TEST_F(StoreFixture, MicGroupBKeepsSharedValuesOnGroupA) {
  store.MicGroup = 1;
  store.SetParam(0x0102, 7);
  EXPECT_EQ(store.ViewValues[1][2], 7);
  EXPECT_EQ(store.DeviceImage[1][2], 7);
  store.SetParam(0x0105, 9);
  EXPECT_EQ(store.ViewValues[1][5], 9);
  EXPECT_EQ(store.ViewValues[3][5], 9);
  EXPECT_EQ(store.DeviceImage[3][5], 9);
  EXPECT_EQ(store.DeviceImage[1][5], 0);
  EXPECT_EQ(sink.Values(), (std::vector<std::pair<int, int>>{{0x0102, 7}, {0x0305, 9}}));
}

TEST_F(StoreFixture, EffectiveAddressFollowsSelectors) {
  struct Case {
    int mic, main, aux, eff, address, expected;
  } cases[] = {
      {0, 6, 7, 5, 0x040D, 0x040D}, {0, 6, 7, 5, 0x040E, 0x050E}, {0, 6, 7, 4, 0x0514, 0x0414},
      {0, 9, 7, 4, 0x0622, 0x0922}, {0, 6, 8, 4, 0x0701, 0x0801}, {1, 6, 7, 4, 0x0100, 0x0300},
      {1, 6, 7, 4, 0x0103, 0x0103}, {0, 6, 7, 4, 0x0105, 0x0105}, {1, 6, 7, 4, 0x0A02, 0x0A02},
  };
  for (const auto& c : cases) {
    store.MicGroup = c.mic;
    store.MainOutputPage = c.main;
    store.AuxOutputPage = c.aux;
    store.EffectEqPage = c.eff;
    EXPECT_EQ(store.EffectiveAddress(c.address), c.expected) << std::hex << c.address;
  }
}

TEST_F(StoreFixture, LayoutFlagSelectsDeviceSlot) {
  store.LayoutFlag = 1;
  store.SetParam(0x0003, 1);
  store.SetParam(0x0001, 2);
  store.SetParam(0x0604, 3);
  EXPECT_EQ(store.DeviceImage[0][55], 1);
  EXPECT_EQ(store.DeviceImage[0][1], 2);
  EXPECT_EQ(store.DeviceImage[6][5], 3);
  store.LayoutFlag = 0;
  store.SetParam(0x0604, 4);
  EXPECT_EQ(store.DeviceImage[6][4], 4);
  EXPECT_EQ(ParamStore::DeviceIndex(6, 16, 1), 16);
}

TEST_F(StoreFixture, NothingQueuedWhenSuppressedOrOffline) {
  store.SuppressSend = 1;
  store.SetParam(0x0105, 1);
  store.SuppressSend = 0;
  sink.online = false;
  store.SetBand(0x0009, 2);
  EXPECT_EQ(store.DeviceImage[1][5], 1);
  EXPECT_EQ(store.ViewValues[0][9], 2);
  EXPECT_TRUE(sink.Values().empty());
  EXPECT_TRUE(sink.Bands().empty());
  sink.online = true;
  store.SetBand(0x0009, 3);
  EXPECT_EQ(sink.Bands(), std::vector<int>{0x0009});
}

TEST_F(StoreFixture, WritesOutsideARowLandNowhere) {
  const ParamStore before = store;
  for (int address : {-1, 0x0081, 0x00FF, 0x0B00, 0x1000, 0xFFFF, 0x10000, 0x7FFFFFFF}) {
    store.SetParam(address, 5);
    store.SetBand(address, 5);
  }
  EXPECT_EQ(store.ViewValues, before.ViewValues);
  EXPECT_EQ(store.DeviceImage, before.DeviceImage);
  EXPECT_TRUE(sink.Values().empty());
  // Index 128 is the last view slot; page 0 with the second music set maps it to 180, outside
  // the device row, which must be skipped rather than overrun.
  store.LayoutFlag = 1;
  store.SetParam(0x0080, 6);
  EXPECT_EQ(store.ViewValues[0][128], 6);
  EXPECT_EQ(store.DeviceImage, before.DeviceImage);
  EXPECT_EQ(sink.Values().size(), 1u);
}

TEST_F(StoreFixture, RebuildReadsThroughSelectorsAndLayout) {
  store.DeviceImage[0][1] = 1;
  store.DeviceImage[0][2 + 52] = 11;
  store.DeviceImage[9][3] = 93;  // SUR, second setting, view index 2
  store.DeviceImage[3][10] = 310;
  store.DeviceImage[5][20] = 520;
  store.DeviceImage[4][5] = 45;
  store.MicGroup = 1;
  store.MainOutputPage = 9;
  store.EffectEqPage = 5;
  store.ViewValues[1][2] = 77;  // shared MIC value stays as it is
  store.RebuildViewValues(1);
  EXPECT_EQ(store.ViewValues[0][1], 1);
  EXPECT_EQ(store.ViewValues[0][2], 11);
  EXPECT_EQ(store.ViewValues[6][2], 93);
  EXPECT_EQ(store.ViewValues[1][10], 310);
  EXPECT_EQ(store.ViewValues[1][2], 77);
  EXPECT_EQ(store.ViewValues[4][20], 520);
  EXPECT_EQ(store.ViewValues[4][5], 45);
}

}  // namespace
}  // namespace velantro::test
