#include <cstdio>

#include "CtlCommands.h"
#include "CtlLink.h"
#include "binding/ParameterCatalog.h"
#include "link/DeviceLink.h"
#include "link/Frames.h"
#include "model/Scales.h"

namespace velantro::ctl {

namespace {

constexpr long kMaxWireValue = 65535;

// Whether the unit answers a request for the address with its value: every parameter page (a
// page request), and on the system page the items a download reads as values. The rest of the
// system page (link control, uploads, names, passwords, the device code) cannot be confirmed.
bool ReportedBack(ParamAddress address) {
  if (PageOf(address) != kSystemPage) return true;
  const auto within = [address](ParamAddress low, ParamAddress high) {
    return address >= low && address <= high;
  };
  return within(sysaddr::ModeSave, sysaddr::MusicInputLevel) ||
         within(sysaddr::MusicStartVolume, sysaddr::MusicInputSelect) ||
         address == sysaddr::Remote ||
         within(sysaddr::MusicNormalVolume, sysaddr::EffectNormalVolume);
}

}  // namespace

// velantroctl set LINK ADDRESS VALUE: one write (a band frame for a band field), acknowledged,
// then read back from the unit, then the disconnect code. A unit that acknowledges the write
// but holds another value has refused it.
int RunSet(const std::vector<std::string>& words, const RunOptions& options) {
  std::vector<std::string> args = words;
  LinkTarget target;
  if (!TakeLinkTarget(args, target) || args.size() != 2) {
    std::fputs("velantroctl: usage: velantroctl set LINK ADDRESS VALUE\n", stderr);
    return kExitUsage;
  }
  const std::optional<long> address = ParseNumber(args[0]);
  const std::optional<long> value = ParseNumber(args[1]);
  if (!address || !value) {
    std::fputs("velantroctl: usage: velantroctl set LINK ADDRESS VALUE (decimal or 0x-hex)\n",
               stderr);
    return kExitUsage;
  }
  if (!IsParameterAddress(*address, args[0])) return kExitUsage;
  if (*value < 0 || *value > kMaxWireValue) {
    std::fprintf(stderr, "velantroctl: value %s is outside 0 to 65535\n", args[1].c_str());
    return kExitBadInput;
  }
  if (!ReportedBack(static_cast<ParamAddress>(*address))) {
    std::fprintf(stderr,
                 "velantroctl: the unit does not report %s back, so set cannot confirm it\n",
                 args[0].c_str());
    return kExitBadInput;
  }

  const ParamAddress a = static_cast<ParamAddress>(*address);
  const int v = static_cast<int>(*value);
  // The catalog knows what a cell is and what it takes: commands and texts are not values, and
  // a value the controls cannot reach is refused before anything is sent.
  const ParameterCatalog catalog;
  if (const ParamInfo* info = catalog.Find(a); info != nullptr) {
    if (info->kind == ParamKind::Command || info->kind == ParamKind::Text) {
      std::fprintf(stderr, "velantroctl: 0x%04X %s is not a value that set writes\n",
                   static_cast<unsigned>(a), info->label.c_str());
      return kExitBadInput;
    }
    if (v < info->lower || v > info->upper) {
      std::fprintf(stderr, "velantroctl: refused value %d: 0x%04X %s: %d..%d (%s..%s)\n", v,
                   static_cast<unsigned>(a), info->label.c_str(), info->lower, info->upper,
                   catalog.DisplayText(*info, info->lower).c_str(),
                   catalog.DisplayText(*info, info->upper).c_str());
      return kExitBadInput;
    }
  }

  CtlLink session(target, options, false);
  if (!session.ConnectAndDownload()) return session.ReportFailure();
  // Fields of real EQ bands travel as band frames; the crossover and high-pass entries that the
  // graph draws as extra bands are plain values.
  const bool band = IsRealBandField(a, session.store.MicGroup);
  // A band's Q takes as many steps as the band's type allows (a shelf fewer than a PEQ), which
  // only the unit's image tells.
  if (const BandLocation where = LocateBand(a, session.store.MicGroup);
      band && (where.field == kBandFieldPeqQ || where.field == kBandFieldShelfQ)) {
    const ParamAddress typeAddress = a - where.field;
    const int type = session.store.View(typeAddress);
    const int limit = QLimitForType(type);
    if (v > limit) {
      session.Disconnect();
      std::fprintf(
          stderr, "velantroctl: refused value %d: 0x%04X %s: 0..%d while the band is %s (%s..%s)\n",
          v, static_cast<unsigned>(a), catalog.Find(a)->label.c_str(), limit,
          catalog.DisplayText(typeAddress, type).c_str(), catalog.DisplayText(a, 0).c_str(),
          catalog.DisplayText(a, limit).c_str());
      return kExitBadInput;
    }
  }
  if (band) {
    session.store.SetBand(a, v);
  } else {
    session.store.SetParam(a, v);
  }
  if (!session.WaitForAcknowledgements()) return session.ReportFailure();

  // The cell of the unit's image the write went to, asked for again.
  const ParamAddress effective = session.store.EffectiveAddress(a);
  const int page = PageOf(effective);
  const int slot = ParamStore::DeviceIndex(page, IndexOf(effective), session.store.LayoutFlag);
  const Bytes request = page == kSystemPage ? BuildItemRequest(effective) : BuildPageRequest(page);
  if (!session.ReadBack(request, page, slot, 1)) return session.ReportFailure();
  const int held = session.store.Device(page, slot);
  session.Disconnect();
  if (held != v) {
    std::fprintf(stderr,
                 "velantroctl: refused value: the unit acknowledged 0x%04X = %d but holds %d\n",
                 static_cast<unsigned>(a), v, held);
    return kExitBadInput;
  }
  std::printf("set: 0x%04X = %d%s\n", static_cast<unsigned>(a), v, band ? " (band frame)" : "");
  return kExitOk;
}

}  // namespace velantro::ctl
