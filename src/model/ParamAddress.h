#pragma once

#include <array>
#include <cstdint>

namespace velantro {

// A parameter address: page * 256 + index, held in a plain int.
using ParamAddress = int;

constexpr int kPageCount = 11;  // pages 0 … 10
constexpr int kViewRowSize = 129;
constexpr int kDeviceRowSize = 145;
constexpr int kBandValueCount = 5;
constexpr int kSystemPage = 10;
constexpr int kDeqPage = 2;

constexpr int PageOf(ParamAddress a) { return (a >> 8) & 0xFF; }
constexpr int IndexOf(ParamAddress a) { return a & 0xFF; }
constexpr ParamAddress MakeAddress(int page, int index) { return page * 256 + index; }

struct PageInfo {
  int valueCount;        // PageValueCount
  int bandCount;         // EQ bands
  int firstBand;         // index of the first band value (-1: none / DEQ layout)
  int bandFrameAddress;  // address band frames of the page carry (-1: none)
};

// Pages: 0 music, 1 MIC A, 2 DEQ, 3 MIC B, 4 echo, 5 reverb, 6 main, 7 AUX1, 8 AUX2, 9 SUR,
// 10 system.
constexpr std::array<PageInfo, kPageCount> kPages{{
    {54, 10, 4, 0x0002},
    {83, 15, 6, 0x0104},
    {37, 3, -1, 0x0200},
    {83, 9, 6, 0x0304},
    {41, 5, 16, 0x040E},
    {41, 5, 16, 0x050E},
    {116, 7, 34, 0x0620},
    {71, 7, 31, 0x071D},
    {71, 7, 31, 0x081D},
    {116, 7, 34, 0x0920},
    {35, 0, -1, -1},
}};

constexpr int PageValueCount(int page) {
  return page >= 0 && page < kPageCount ? kPages[page].valueCount : 0;
}

// The page whose controls and EQ graph show a page's values: MIC group B is shown through the
// MIC page, reverb through the effect page, AUX2 through AUX1 and SUR through the main output.
// Every other page (and any other target) is shown through itself.
constexpr int ShownPage(int page) {
  switch (page) {
    case 3:
      return 1;
    case 5:
      return 4;
    case 8:
      return 7;
    case 9:
      return 6;
    default:
      return page;
  }
}

// Music page: the second music setting's values lie this many slots above the first.
constexpr int kMusicSecondSetOffset = 52;
// Page 0 is uploaded with both music settings: PageValueCount + 52 values.
constexpr int kMusicUploadValueCount = 54 + kMusicSecondSetOffset;

// System page addresses.
namespace sysaddr {
constexpr ParamAddress ModeName = 0x0A00;
constexpr ParamAddress ModeSave = 0x0A01;
constexpr ParamAddress CurrentMode = 0x0A02;
constexpr ParamAddress MusicInputLevel = 0x0A03;
constexpr ParamAddress SystemPassword = 0x0A04;
constexpr ParamAddress KeyLockPassword = 0x0A05;
constexpr ParamAddress MusicStartVolume = 0x0A06;
constexpr ParamAddress UserOrAdmin = 0x0A0C;
constexpr ParamAddress AutoKeyLock = 0x0A0D;
constexpr ParamAddress MusicInputSelect = 0x0A0E;
constexpr ParamAddress PageUpload = 0x0A0F;
constexpr ParamAddress PageRequest = 0x0A10;
constexpr ParamAddress Remote = 0x0A11;
constexpr ParamAddress MusicNormalVolume = 0x0A20;
constexpr ParamAddress MicNormalVolume = 0x0A21;
constexpr ParamAddress EffectNormalVolume = 0x0A22;
constexpr ParamAddress LinkControl = 0x0A30;
constexpr ParamAddress DeviceCode = 0x0A40;
}  // namespace sysaddr

}  // namespace velantro
