#include <cstdio>
#include <string>

#include "CtlCommands.h"
#include "CtlLanguage.h"
#include "CtlLink.h"
#include "binding/ParameterCatalog.h"

namespace velantro::ctl {

// velantroctl get LINK ADDRESS (or NAME): downloads the image and prints ViewValues at the address,
// with the view selectors at their start values.
int RunGet(const std::vector<std::string>& words, const RunOptions& options) {
  std::vector<std::string> args = words;
  LinkTarget target;
  if (!TakeLinkTarget(args, target) || args.size() != 1) {
    Complain(Say(QT_TRANSLATE_NOOP("velantro", "usage: velantroctl get LINK ADDRESS")));
    return kExitUsage;
  }
  const ParameterCatalog catalog;
  const std::optional<ParamAddress> address = ParameterOf(args[0], catalog);
  if (!address) return kExitUsage;
  CtlLink session(target, options, false);
  if (!session.ConnectAndDownload()) return session.ReportFailure();
  const int value = session.store.View(*address);
  session.Disconnect();
  // The raw value first (scripts read it), then the text the window shows for it.
  const std::string shown = Say(catalog.DisplayText(*address, value).c_str());
  if (shown == std::to_string(value)) {
    std::printf("%d\n", value);
  } else {
    std::printf("%d (%s)\n", value, shown.c_str());
  }
  return kExitOk;
}

}  // namespace velantro::ctl
