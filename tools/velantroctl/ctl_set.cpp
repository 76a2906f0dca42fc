#include <cstdio>
#include <optional>
#include <string>

#include "CtlCommands.h"
#include "CtlLink.h"
#include "binding/DisplayUnits.h"
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

// "Music EQ 3 gain takes -24.0 dB to 12.0 dB in steps of 0.2 dB".
std::string WhatItTakes(const ParameterCatalog& catalog, const ParamInfo& info) {
  std::string text = info.label + " takes " + RangeText(catalog, info);
  const std::string step = StepText(catalog, info);
  if (step == "table") return text + " (the values velantroctl get shows)";
  if (step == "options") return text;
  return text + " in steps of " + step;
}

// A value typed in the units the window shows it in ("2.0dB", "-3 dB", "1000Hz") as its raw
// value; nothing (and why, on stderr) when it is no such value of the parameter.
std::optional<long> RawOfDisplayValue(const ParameterCatalog& catalog, ParamAddress address,
                                      const std::string& text) {
  const std::optional<NumberWithUnit> typed = SplitNumberAndUnit(text);
  const ParamInfo* info = catalog.Find(address);
  if (!typed || info == nullptr) {
    std::fprintf(stderr,
                 "velantroctl: %s is no value: give a raw number (decimal or 0x-hex) or a value "
                 "with its unit (2.0dB, 1000Hz)\n",
                 text.c_str());
    return std::nullopt;
  }
  const DisplayValue value = RawFromDisplay(catalog, *info, *typed);
  const char* why = nullptr;
  switch (value.problem) {
    case DisplayValueProblem::None:
      return value.raw;
    case DisplayValueProblem::OtherUnit:
      why = typed->unit.empty() ? "it needs its unit" : "another unit";
      break;
    case DisplayValueProblem::OutsideRange:
      why = "outside the range";
      break;
    case DisplayValueProblem::NotOnAStep:
      why = "not on a step";
      break;
  }
  std::fprintf(stderr, "velantroctl: refused value %s (%s): %s\n", text.c_str(), why,
               WhatItTakes(catalog, *info).c_str());
  return std::nullopt;
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
  const ParameterCatalog catalog;
  const std::optional<ParamAddress> address = ParameterOf(args[0], catalog);
  if (!address) return kExitUsage;
  std::optional<long> value = ParseNumber(args[1]);
  if (!value) value = RawOfDisplayValue(catalog, *address, args[1]);
  if (!value) return kExitUsage;
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

  const ParamAddress a = *address;
  const int v = static_cast<int>(*value);
  // The catalog knows what a cell is and what it takes: commands and texts are not values, and
  // a value the controls cannot reach is refused before anything is sent.
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
