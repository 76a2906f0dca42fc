#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/ParamAddress.h"

namespace velantro {

// The send half of SetParam / SetBand: the change queue implements it. The store calls it only
// when SuppressSend is clear and LinkOnline() answers true.
class ChangeSink {
 public:
  virtual ~ChangeSink() = default;
  virtual bool LinkOnline() const = 0;
  // Effective address and value of an ordinary write.
  virtual void QueueValue(ParamAddress effective, int value) = 0;
  // Effective address of a band field; the band frame reads the band from ViewValues when built.
  virtual void QueueBand(ParamAddress effective) = 0;
};

using ViewTable = std::array<std::array<int32_t, kViewRowSize>, kPageCount>;
using DeviceTable = std::array<std::array<int32_t, kDeviceRowSize>, kPageCount>;

// The console's image of the unit's parameters: ViewValues as the window shows them, DeviceImage
// in the unit's own layout, the view selectors that connect the two, and the text items.
class ParamStore {
 public:
  ViewTable ViewValues{};
  DeviceTable DeviceImage{};

  // View selectors.
  int MicGroup = 0;         // 0 group A, 1 group B
  int MainOutputPage = 6;   // 6 main or 9 SUR
  int AuxOutputPage = 7;    // 7 AUX1 or 8 AUX2
  int EffectEqPage = 4;     // 4 echo or 5 reverb

  uint8_t LayoutFlag = 0;    // music setting latched from 0x0001
  int32_t SuppressSend = 0;  // 1: writes store but send nothing

  // Text items received from the unit.
  std::array<std::string, 9> ModeNames{};
  std::string SystemPassword;
  std::string KeyLockPassword;
  std::string DeviceCode;  // management code, 8 hex digits

  void SetChangeSink(ChangeSink* sink) { sink_ = sink; }
  ChangeSink* changeSink() const { return sink_; }

  // Resolves a view address to the address the unit stores the value under.
  ParamAddress EffectiveAddress(ParamAddress address) const;
  // Position of a value in the DeviceImage row of a page.
  static int DeviceIndex(int page, int index, int layoutFlag);

  // Ordinary write: stores in both tables, then hands (effective address, value) to the sink.
  void SetParam(ParamAddress address, int value);
  // Band field write: stores like SetParam, then hands the effective address to the band queue.
  void SetBand(ParamAddress address, int value);
  // Stores like SetParam and sends nothing: a value the console corrects while it only shows.
  void Keep(ParamAddress address, int value);

  // Recomputes ViewValues from DeviceImage through the view selectors.
  void RebuildViewValues(int layoutFlag);

  // Bounds-checked readers and writers; out-of-row accesses read 0 and write nothing.
  int32_t View(ParamAddress address) const;
  int32_t View(int page, int index) const;
  int32_t Device(int page, int index) const;
  bool SetView(int page, int index, int32_t value);
  bool SetDevice(int page, int index, int32_t value);

  static bool InViewRow(int page, int index) {
    return page >= 0 && page < kPageCount && index >= 0 && index < kViewRowSize;
  }
  static bool InDeviceRow(int page, int index) {
    return page >= 0 && page < kPageCount && index >= 0 && index < kDeviceRowSize;
  }

 private:
  // Steps 1 to 3 shared by SetParam and SetBand; returns false when nothing was stored.
  bool Store(ParamAddress address, int value, ParamAddress& effective);
  bool ShouldSend() const;

  ChangeSink* sink_ = nullptr;
};

}  // namespace velantro
