#include <cstdio>
#include <optional>
#include <string>

#include "CtlCommands.h"
#include "CtlLanguage.h"
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
  const std::string name = SayLabel(info.label);
  const std::string lowest = Say(catalog.DisplayText(info, info.lower).c_str());
  const std::string highest = Say(catalog.DisplayText(info, info.upper).c_str());
  const std::string step = StepText(catalog, info);
  if (step == "table") {
    return SayWith(
        QT_TRANSLATE_NOOP("velantro", "%1 takes %2 to %3 (the values velantroctl get shows)"),
        {name, lowest, highest});
  }
  if (step == "options") {
    return SayWith(QT_TRANSLATE_NOOP("velantro", "%1 takes %2 to %3"), {name, lowest, highest});
  }
  return SayWith(QT_TRANSLATE_NOOP("velantro", "%1 takes %2 to %3 in steps of %4"),
                 {name, lowest, highest, step});
}

// A value typed in the units the window shows it in ("2.0dB", "-3 dB", "1000Hz") as its raw
// value; nothing (and why, on stderr) when it is no such value of the parameter.
std::optional<long> RawOfDisplayValue(const ParameterCatalog& catalog, ParamAddress address,
                                      const std::string& text) {
  const std::optional<NumberWithUnit> typed = SplitNumberAndUnit(text);
  const ParamInfo* info = catalog.Find(address);
  if (!typed || info == nullptr) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro",
                                       "%1 is no value: give a raw number (decimal or 0x-hex) or "
                                       "a value with its unit (2.0dB, 1000Hz)"),
                     {text}));
    return std::nullopt;
  }
  const DisplayValue value = RawFromDisplay(catalog, *info, *typed);
  const char* why = nullptr;
  switch (value.problem) {
    case DisplayValueProblem::None:
      return value.raw;
    case DisplayValueProblem::OtherUnit:
      why = typed->unit.empty() ? QT_TRANSLATE_NOOP("velantro", "it needs its unit")
                                : QT_TRANSLATE_NOOP("velantro", "another unit");
      break;
    case DisplayValueProblem::OutsideRange:
      why = QT_TRANSLATE_NOOP("velantro", "outside the range");
      break;
    case DisplayValueProblem::NotOnAStep:
      why = QT_TRANSLATE_NOOP("velantro", "not on a step");
      break;
  }
  Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "refused value %1 (%2): %3"),
                   {text, Say(why), WhatItTakes(catalog, *info)}));
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
    Complain(Say(QT_TRANSLATE_NOOP("velantro", "usage: velantroctl set LINK ADDRESS VALUE")));
    return kExitUsage;
  }
  const ParameterCatalog catalog;
  const std::optional<ParamAddress> address = ParameterOf(args[0], catalog);
  if (!address) return kExitUsage;
  std::optional<long> value = ParseNumber(args[1]);
  if (!value) value = RawOfDisplayValue(catalog, *address, args[1]);
  if (!value) return kExitUsage;
  if (*value < 0 || *value > kMaxWireValue) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "value %1 is outside 0 to 65535"), {args[1]}));
    return kExitBadInput;
  }
  if (!ReportedBack(static_cast<ParamAddress>(*address))) {
    Complain(SayWith(
        QT_TRANSLATE_NOOP("velantro", "the unit does not report %1 back, so set cannot confirm it"),
        {args[0]}));
    return kExitBadInput;
  }

  const ParamAddress a = *address;
  const int v = static_cast<int>(*value);
  // The catalog knows what a cell is and what it takes: commands and texts are not values, and
  // a value the controls cannot reach is refused before anything is sent.
  if (const ParamInfo* info = catalog.Find(a); info != nullptr) {
    if (info->kind == ParamKind::Command || info->kind == ParamKind::Text) {
      Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "%1 %2 is not a value that set writes"),
                       {Hex(a), SayLabel(info->label)}));
      return kExitBadInput;
    }
    if (v < info->lower || v > info->upper) {
      Complain(SayWith(
          QT_TRANSLATE_NOOP("velantro", "refused value %1: %2 %3: %4..%5 (%6..%7)"),
          {std::to_string(v), Hex(a), SayLabel(info->label), std::to_string(info->lower),
           std::to_string(info->upper), Say(catalog.DisplayText(*info, info->lower).c_str()),
           Say(catalog.DisplayText(*info, info->upper).c_str())}));
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
      Complain(SayWith(
          QT_TRANSLATE_NOOP("velantro",
                            "refused value %1: %2 %3: 0..%4 while the band is %5 (%6..%7)"),
          {std::to_string(v), Hex(a), SayLabel(catalog.Find(a)->label), std::to_string(limit),
           Say(catalog.DisplayText(typeAddress, type).c_str()),
           Say(catalog.DisplayText(a, 0).c_str()), Say(catalog.DisplayText(a, limit).c_str())}));
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
    Complain(SayWith(
        QT_TRANSLATE_NOOP("velantro", "refused value: the unit acknowledged %1 = %2 but holds %3"),
        {Hex(a), std::to_string(v), std::to_string(held)}));
    return kExitBadInput;
  }
  std::printf("%s\n", SayWith(band ? QT_TRANSLATE_NOOP("velantro", "set: %1 = %2 (band frame)")
                                   : QT_TRANSLATE_NOOP("velantro", "set: %1 = %2"),
                              {Hex(a), std::to_string(v)})
                          .c_str());
  return kExitOk;
}

}  // namespace velantro::ctl
