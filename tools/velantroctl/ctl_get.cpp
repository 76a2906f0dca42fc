#include <cstdio>

#include "CtlCommands.h"
#include "CtlLink.h"

namespace velantro::ctl {

// velantroctl get LINK ADDRESS: downloads the image and prints ViewValues at the address, with
// the view selectors at their start values.
int RunGet(const std::vector<std::string>& words, const RunOptions& options) {
  std::vector<std::string> args = words;
  LinkTarget target;
  if (!TakeLinkTarget(args, target) || args.size() != 1) {
    std::fputs("usage: velantroctl get LINK ADDRESS\n", stderr);
    return kExitUsage;
  }
  const std::optional<long> address = ParseNumber(args[0]);
  if (!address) {
    std::fputs("usage: velantroctl get LINK ADDRESS (decimal or 0x-hex)\n", stderr);
    return kExitUsage;
  }
  if (!InParameterPages(*address, args[0])) return kExitBadInput;
  CtlLink session(target, options, false);
  if (!session.ConnectAndDownload()) return session.ReportFailure();
  const int value = session.store.View(static_cast<ParamAddress>(*address));
  session.Disconnect();
  std::printf("%d\n", value);
  return kExitOk;
}

}  // namespace velantro::ctl
