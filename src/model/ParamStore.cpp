#include "model/ParamStore.h"

namespace velantro {

ParamAddress ParamStore::EffectiveAddress(ParamAddress address) const {
  const int p = PageOf(address);
  const int i = IndexOf(address);
  if (p == 1 && MicGroup == 1) {
    // Indexes 1 to 3 are shared by both MIC groups.
    return (i >= 1 && i <= 3) ? address : MakeAddress(3, i);
  }
  if (p == 6) return MakeAddress(MainOutputPage, i);
  if (p == 7) return MakeAddress(AuxOutputPage, i);
  if ((p == 4 || p == 5) && i >= 14) return MakeAddress(EffectEqPage, i);
  return address;
}

int ParamStore::DeviceIndex(int page, int index, int layoutFlag) {
  const int f = layoutFlag != 0 ? 1 : 0;
  if (page == 0) return index >= 2 ? index + kMusicSecondSetOffset * f : index;
  if (page >= 6 && page <= 9) return index <= 15 ? index + f : index;
  return index;
}

int32_t ParamStore::View(ParamAddress address) const {
  return View(PageOf(address), IndexOf(address));
}

int32_t ParamStore::View(int page, int index) const {
  return InViewRow(page, index) ? ViewValues[page][index] : 0;
}

int32_t ParamStore::Device(int page, int index) const {
  return InDeviceRow(page, index) ? DeviceImage[page][index] : 0;
}

bool ParamStore::SetView(int page, int index, int32_t value) {
  if (!InViewRow(page, index)) return false;
  ViewValues[page][index] = value;
  return true;
}

bool ParamStore::SetDevice(int page, int index, int32_t value) {
  if (!InDeviceRow(page, index)) return false;
  DeviceImage[page][index] = value;
  return true;
}

bool ParamStore::Store(ParamAddress address, int value, ParamAddress& effective) {
  const int page = PageOf(address);
  const int index = IndexOf(address);
  // A caller-supplied address outside the pages or the view row is refused as a whole, so no
  // partial write lands anywhere.
  if (address < 0 || address > 0xFFFF || !InViewRow(page, index)) return false;
  ViewValues[page][index] = value;
  effective = EffectiveAddress(address);
  const int ep = PageOf(effective);
  const int ei = IndexOf(effective);
  SetView(ep, ei, value);
  SetDevice(ep, DeviceIndex(ep, ei, LayoutFlag), value);
  return true;
}

bool ParamStore::ShouldSend() const {
  return SuppressSend == 0 && sink_ != nullptr && sink_->LinkOnline();
}

void ParamStore::SetParam(ParamAddress address, int value) {
  ParamAddress effective = 0;
  if (!Store(address, value, effective)) return;
  if (ShouldSend()) sink_->QueueValue(effective, value);
}

void ParamStore::SetBand(ParamAddress address, int value) {
  ParamAddress effective = 0;
  if (!Store(address, value, effective)) return;
  if (ShouldSend()) sink_->QueueBand(effective);
}

void ParamStore::Keep(ParamAddress address, int value) {
  ParamAddress effective = 0;
  Store(address, value, effective);
}

void ParamStore::RebuildViewValues(int flag) {
  for (int p = 0; p < kPageCount; ++p) {
    for (int j = 0; j < PageValueCount(p); ++j) {
      int source = p;
      if (p == 1 && MicGroup == 1) {
        if (j >= 1 && j <= 3) continue;
        source = 3;
      } else if (p == 6) {
        source = MainOutputPage;
      } else if (p == 7) {
        source = AuxOutputPage;
      } else if (p == 4 && j >= 14) {
        source = EffectEqPage;
      }
      ViewValues[p][j] = Device(source, DeviceIndex(source, j, flag));
    }
  }
}

}  // namespace velantro
