#pragma once

// The link setup shared by backup, restore, get and set: the same DeviceLink, change queue and
// Qt adapter (TForm3, real timers) as the console, driven from a QCoreApplication event loop.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CtlCommands.h"
#include "link/LinkInterfaces.h"
#include "model/Messages.h"
#include "model/ParamStore.h"

class QCoreApplication;

namespace velantro {
class TForm3;
class DeviceLink;
}  // namespace velantro

namespace velantro::ctl {

// LINK: --unit HOST[:PORT] or --serial DEVICE.
struct LinkTarget {
  bool serial = false;
  std::string device;
  std::string host = "127.0.0.1";
  std::string port = "8889";
};

// Takes the LINK words out of args. False (with a line on stderr) on wrong usage.
bool TakeLinkTarget(std::vector<std::string>& args, LinkTarget& target);

// A number, decimal or 0x-hex (0x0105); nothing when the text is not one.
std::optional<long> ParseNumber(const std::string& text);
// Whether the number is an address the parameter catalog knows (get and set); says so on stderr,
// quoting text, when it is not.
bool IsParameterAddress(long address, const std::string& text);
// "HOST:PORT" or the serial device.
std::string Describe(const LinkTarget& target);

class CtlLink : public LinkView, public Messages {
 public:
  // progress: draw a progress bar on stderr (backup and restore on a terminal). Every wait ends
  // by the options' timeout, counted from their start.
  CtlLink(const LinkTarget& target, const RunOptions& options, bool progress);
  ~CtlLink() override;

  // Searches and downloads the unit's whole image. False when the unit was not found or lost
  // (the reason is on stderr).
  bool ConnectAndDownload();
  // Uploads the store's DeviceImage and waits until the link is online again.
  bool Upload();
  // The furthest upload step the link has asked for (the steps before it were acknowledged), as
  // UploadPlan's progress steps count them; -1 before an upload.
  int UploadStepReached() const { return uploadStepReached_; }
  // Waits until every queued change has been acknowledged.
  bool WaitForAcknowledgements();
  // Asks the unit what it holds now: sends `request` (a page or item request) and waits until
  // the answer has filled store.DeviceImage[page][first … first + count - 1], asking again when
  // no answer comes. False when the unit does not answer.
  bool ReadBack(const Bytes& request, int page, int first, int count);
  // Sends the disconnect code and lets it leave.
  void Disconnect();
  // Says on stderr why the unit was not found or was lost, or what the command was doing when
  // --timeout ran out; returns kExitNoUnit.
  int ReportFailure();

  ParamStore store;
  DeviceLink& link();

  // LinkView.
  void SetStatus(const std::string& caption, const std::string& hint) override;
  void SetStatusCaption(const std::string& caption) override;
  void SetStatusColour(Rgb) override {}
  void SetLinkButton(LinkButtonLook) override {}
  void ShowDeviceStatus() override {}
  void HideDeviceStatus() override;
  void UpdateDeviceStatus(const std::string& statusText, int percent) override;
  void SetPortLabel(const std::string& text) override;
  void SetPortProblem(const std::string& problem) override;
  void RefreshAll() override;
  void RebuildModeList() override {}
  void ShowMainWindow() override {}
  void LogLine(const std::string&) override {}

  // Messages: boxes become lines on stderr; a link failure ends the wait.
  void Information(const std::string& text, const std::string& caption) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  bool AskOkCancel(const std::string& text, const std::string& caption) override;
  // A lasting notice (the unit lost) ends the wait like a box; a brief one (an upload finished)
  // is the window's way of saying what the command says in its own result line.
  void ShowNotice(const std::string& text, const std::string& caption, NoticeKind kind) override;

 private:
  // Runs the event loop until done() holds or the link failed; false on failure or timeout
  // (a timeout alone does not mark the link failed; the end of --timeout does).
  bool RunUntil(const std::function<bool()>& done, int timeoutMs);
  // timeoutMs, or what is left of --timeout when that is less.
  int WithinTimeout(int timeoutMs) const;
  // The message when --timeout runs out, by what the command was doing: "… while searching for
  // the unit at %2" (%1 the seconds).
  const char* TimedOutText();
  // Why the link that was given cannot be tried at all (a serial device that does not open, a
  // host name that does not resolve); empty when it can. A permission problem is kept apart.
  std::string LinkProblem();
  void ClearProgress();

  LinkTarget target_;
  RunOptions options_;
  enum class Waiting { ForTheSearch, ForTheUpload, ForTheAcknowledgement, ForTheReadBack };
  Waiting waiting_ = Waiting::ForTheSearch;
  bool timedOut_ = false;
  bool progress_;
  bool progressShown_ = false;
  bool failed_ = false;
  bool permissionDenied_ = false;
  int uploadStepReached_ = -1;
  bool serialSearchOver_ = false;  // the --serial device was tried and did not answer
  std::string linkProblem_;        // the --serial device may not be opened by this user
  std::string lastMessage_;
  LinkConfig config_;
  int argc_ = 1;
  std::string argv0_ = "velantroctl";
  std::vector<char*> argv_;
  std::unique_ptr<QCoreApplication> app_;
  std::unique_ptr<TForm3> form3_;
};

}  // namespace velantro::ctl
