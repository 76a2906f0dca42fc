#include "binding/ParameterCatalog.h"

#include <gtest/gtest.h>

#include <map>

#include "binding/ControlTable.h"

namespace velantro::test {
namespace {

struct CatalogCase {
  ParamAddress address;
  const char* label;
  int lower;
  int upper;
  ParamKind kind;
  int raw;
  const char* shown;
};

// One row per page at least: the label, the raw range and the text of one raw value.
const CatalogCase kCases[] = {
    {0x0002, "page 0 index 2", 0, 0xFFFF, ParamKind::Value, 7, "7"},
    {0x0004, "Music EQ 1 type", 0, 2, ParamKind::BandField, 1, "LSEQ"},
    {0x0005, "Music EQ 1 frequency", 0, 361, ParamKind::BandField, 361, "20600.0 Hz"},
    {0x0006, "Music EQ 1 gain", 0, 180, ParamKind::BandField, 120, "0.0 dB"},
    {0x0007, "Music EQ 1 Q", 0, 100, ParamKind::BandField, 16, "1.00"},
    {0x0008, "Music EQ 1 shelf Q", 0, 24, ParamKind::BandField, 10, "0.71"},
    {0x0035, "Music EQ 10 shelf Q", 0, 24, ParamKind::BandField, 0, "0.40"},
    {0x0100, "MIC A HPF frequency", 0, 143, ParamKind::Value, 0, "Off"},
    {0x0103, "MIC A noise gate", 0, 10, ParamKind::Value, 5, "5"},
    {0x0150, "MIC A EQ 15 shelf Q", 0, 24, ParamKind::BandField, 24, "1.60"},
    {0x0203, "DEQ 1 frequency", 0, 361, ParamKind::BandField, 0, "19.7 Hz"},
    {0x0207, "DEQ 1 work mode", 0, 2, ParamKind::Value, 2, "Above"},
    {0x020C, "DEQ 1 dynamic mode", 0, 2, ParamKind::Value, 1, "Mid"},
    {0x0224, "DEQ 3 dynamic mode", 0, 2, ParamKind::Value, 2, "Slow"},
    {0x0300, "MIC B HPF frequency", 0, 143, ParamKind::Value, 1, "19.7Hz"},
    {0x0306, "MIC B EQ 1 type", 0, 2, ParamKind::BandField, 0, "PEQ"},
    {0x0332, "MIC B EQ 9 shelf Q", 0, 24, ParamKind::BandField, 10, "0.71"},
    {0x0333, "page 3 index 51", 0, 0xFFFF, ParamKind::Value, 3, "3"},
    {0x0401, "Echo level", 0, 100, ParamKind::Value, 50, "50 %"},
    {0x0406, "Echo pre-delay", 0, 125, ParamKind::Value, 10, "20 ms"},
    {0x0411, "Echo EQ 1 frequency", 0, 361, ParamKind::BandField, 0, "19.7 Hz"},
    {0x040B, "Echo mode", 0, 1, ParamKind::Value, 0, "1"},
    {0x0504, "Reverb time", 0, 80, ParamKind::Value, 8, "500 ms"},
    {0x0511, "Reverb EQ 1 frequency", 0, 361, ParamKind::BandField, 0, "19.7 Hz"},
    {0x0610, "Main output HPF type", 0, 4, ParamKind::Value, 3, "3"},
    {0x0611, "Main output HPF frequency", 0, 362, ParamKind::Value, 0, "Off"},
    {0x0614, "Main output LPF frequency", 0, 362, ParamKind::Value, 362, "Off"},
    {0x0623, "Main output EQ 1 frequency", 0, 361, ParamKind::BandField, 0, "19.7 Hz"},
    {0x0645, "page 6 index 69", 0, 0xFFFF, ParamKind::Value, 0, "0"},
    {0x061A, "Main output limiter mode", 0, 2, ParamKind::Value, 0, "Fast"},
    {0x071B, "AUX1 output delay", 0, 500, ParamKind::Value, 100, "10.0 ms"},
    {0x0720, "AUX1 output EQ 1 frequency", 0, 361, ParamKind::BandField, 0, "19.7 Hz"},
    {0x081B, "AUX2 output delay", 0, 500, ParamKind::Value, 5, "0.5 ms"},
    {0x0800, "AUX2 output music level", 0, 100, ParamKind::Value, 50, "100 %"},
    {0x0911, "SUR output HPF frequency", 0, 362, ParamKind::Value, 0, "Off"},
    {0x091F, "SUR output tone", 0, 1, ParamKind::Value, 1, "1"},
    {0x0A00, "Mode name", 0, 0xFFFF, ParamKind::Text, 0, "0"},
    {0x0A01, "Mode save", 0, 0xFFFF, ParamKind::Command, 0, "0"},
    {0x0A02, "Current mode", 0, 8, ParamKind::Value, 3, "3"},
    {0x0A03, "Music input gain", 0, 2, ParamKind::Value, 2, "6dB"},
    {0x0A04, "System password", 0, 0xFFFF, ParamKind::Text, 0, "0"},
    {0x0A06, "Music start volume", 0, 82, ParamKind::Value, 40, "40"},
    {0x0A0D, "Auto key lock", 0, 1, ParamKind::Value, 1, "Enable"},
    {0x0A0F, "Page upload", 0, 0xFFFF, ParamKind::Command, 0, "0"},
    {0x0A10, "Page request", 0, 0xFFFF, ParamKind::Command, 0, "0"},
    {0x0A11, "Infrared remote", 0, 1, ParamKind::Value, 1, "ON"},
    {0x0A22, "Effect normal volume", 0, 70, ParamKind::Value, 70, "70"},
    {0x0A30, "Link control", 0, 0xFFFF, ParamKind::Command, 0, "0"},
    {0x0A40, "Management code", 0, 0xFFFF, ParamKind::Text, 0, "0"},
};

TEST(ParameterCatalog, NamesRangesAndShowsEachPagesCells) {
  const ParameterCatalog catalog;
  for (const CatalogCase& c : kCases) {
    const ParamInfo* info = catalog.Find(c.address);
    ASSERT_NE(info, nullptr) << std::hex << c.address;
    EXPECT_EQ(info->label, c.label) << std::hex << c.address;
    EXPECT_EQ(info->lower, c.lower) << c.label;
    EXPECT_EQ(info->upper, c.upper) << c.label;
    EXPECT_EQ(info->kind, c.kind) << c.label;
    EXPECT_EQ(catalog.DisplayText(c.address, c.raw), c.shown) << c.label;
  }
}

TEST(ParameterCatalog, KnowsEveryCellOfEveryPageAndNothingElse) {
  const ParameterCatalog catalog;
  for (int page = 0; page < kPageCount; ++page) {
    for (int index = 0; index < PageValueCount(page); ++index) {
      const ParamInfo* info = catalog.Find(MakeAddress(page, index));
      ASSERT_NE(info, nullptr) << page << " " << index;
      EXPECT_FALSE(info->label.empty());
      EXPECT_LE(info->lower, info->upper) << info->label;
    }
    EXPECT_EQ(catalog.Find(MakeAddress(page, PageValueCount(page))), nullptr) << page;
  }
  EXPECT_EQ(catalog.Find(-1), nullptr);
  EXPECT_EQ(catalog.Find(0x0B00), nullptr);
}

// Labels name one parameter each: two cells never share a label.
TEST(ParameterCatalog, EveryLabelNamesOneCell) {
  const ParameterCatalog catalog;
  std::map<std::string, ParamAddress> seen;
  for (const ParamInfo& info : catalog.Entries()) {
    const auto [it, fresh] = seen.emplace(info.label, info.address);
    EXPECT_TRUE(fresh) << info.label << " at " << std::hex << info.address << " and " << it->second;
  }
}

}  // namespace
}  // namespace velantro::test
