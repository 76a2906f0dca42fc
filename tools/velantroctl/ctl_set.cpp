#include <cstdio>

#include "CtlCommands.h"
#include "CtlLink.h"
#include "binding/Scales.h"
#include "link/DeviceLink.h"

namespace velantro::ctl {

namespace {

constexpr long kMaxWireValue = 65535;

}  // namespace

// velantroctl set LINK ADDRESS VALUE: one write (a band frame for a band field), acknowledged,
// then the disconnect code.
int RunSet(const std::vector<std::string>& words) {
  std::vector<std::string> args = words;
  LinkTarget target;
  if (!TakeLinkTarget(args, target) || args.size() != 2) {
    std::fputs("usage: velantroctl set LINK ADDRESS VALUE\n", stderr);
    return kExitUsage;
  }
  const std::optional<long> address = ParseNumber(args[0]);
  const std::optional<long> value = ParseNumber(args[1]);
  if (!address || !value) {
    std::fputs("usage: velantroctl set LINK ADDRESS VALUE (decimal or 0x-hex)\n", stderr);
    return kExitUsage;
  }
  if (!InParameterPages(*address, args[0])) return kExitBadInput;
  if (*value < 0 || *value > kMaxWireValue) {
    std::fprintf(stderr, "velantroctl: value %s is outside 0 to 65535\n", args[1].c_str());
    return kExitBadInput;
  }

  CtlLink session(target, false);
  if (!session.ConnectAndDownload()) return session.ReportFailure();
  const ParamAddress a = static_cast<ParamAddress>(*address);
  const int v = static_cast<int>(*value);
  const bool band = LocateBand(a, session.store.MicGroup).isBandField() &&
                    kPages[static_cast<size_t>(PageOf(a))].bandFrameAddress >= 0;
  if (band) {
    session.store.SetBand(a, v);
  } else {
    session.store.SetParam(a, v);
  }
  if (!session.WaitForAcknowledgements()) return session.ReportFailure();
  session.Disconnect();
  std::printf("set: 0x%04X = %d%s\n", static_cast<unsigned>(a), v, band ? " (band frame)" : "");
  return kExitOk;
}

}  // namespace velantro::ctl
