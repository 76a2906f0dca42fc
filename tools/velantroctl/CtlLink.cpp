#include "CtlLink.h"

#include <unistd.h>
#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#endif

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostInfo>
#include <QSerialPort>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "CtlCommands.h"
#include "CtlLanguage.h"
#include "binding/ParameterCatalog.h"
#include "link/DeviceLink.h"
#include "link/Unit3.h"

namespace velantro::ctl {

namespace {

constexpr int kLinkTimeoutMs = 120000;  // far beyond any search, download or upload
constexpr int kPollMs = 5;
constexpr int kBarWidth = 30;
constexpr size_t kCaptionColumns = 24;  // the transfer's caption after the bar
// A read-back answer gets what the download gives one (11 ticks of 100 ms), three times.
constexpr int kReadBackAnswerMs = 1100;
constexpr int kReadBackTries = 3;
// No 16-bit value from the unit looks like this: marks the cells still waiting for an answer.
constexpr int32_t kNotHeard = -1;

// The group that owns the device, which the user has to join to open it ("dialout" for the
// usual serial and USB adapters on Debian).
std::string OwningGroup(const std::string& device) {
#ifdef _WIN32
  (void)device;
  return {};
#else
  struct stat info {};
  if (::stat(device.c_str(), &info) != 0) return {};
  const struct group* owner = ::getgrgid(info.st_gid);
  return owner != nullptr && owner->gr_gid != 0 ? owner->gr_name : std::string();
#endif
}

// Whether this user lacks the right to open the device (not in the group that owns it), as
// opposed to a device that is busy or missing. A name without a folder is a device in /dev.
bool LacksPermission(const std::string& device) {
#ifdef _WIN32
  (void)device;
  return false;
#else
  const std::string path = device.starts_with('/') ? device : "/dev/" + device;
  return ::access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
#endif
}

}  // namespace

bool TakeLinkTarget(std::vector<std::string>& args, LinkTarget& target) {
  int found = 0;
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word != "--unit" && word != "--serial") {
      rest.push_back(word);
      continue;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "%1 needs a value"), {word}));
      return false;
    }
    const std::string value = args[++i];
    ++found;
    if (word == "--serial") {
      target.serial = true;
      target.device = value;
      continue;
    }
    target.serial = false;
    const size_t colon = value.rfind(':');
    if (colon == std::string::npos) {
      target.host = value;
    } else {
      target.host = value.substr(0, colon);
      target.port = value.substr(colon + 1);
    }
    const std::optional<long> port = ParseNumber(target.port);
    if (target.host.empty() || !port || *port < 1 || *port > 65535) {
      Complain(Say(
          QT_TRANSLATE_NOOP("velantro", "--unit needs HOST[:PORT] with a port from 1 to 65535")));
      return false;
    }
  }
  if (found != 1) {
    Complain(Say(QT_TRANSLATE_NOOP("velantro",
                                   "give exactly one of --unit HOST[:PORT] or --serial DEVICE")));
    return false;
  }
  args = rest;
  return true;
}

std::optional<long> ParseNumber(const std::string& text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  // A minus sign is taken (decimal only), so that "-1" is a refused value rather than a typo.
  const size_t first = !hex && !digits.empty() && digits[0] == '-' ? 1 : 0;
  if (digits.size() <= first) return std::nullopt;
  for (size_t i = first; i < digits.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(digits[i]);
    if (hex ? !std::isxdigit(c) : !std::isdigit(c)) return std::nullopt;
  }
  // Out of range saturates, which every caller refuses as a value.
  return std::strtol(digits.c_str(), nullptr, hex ? 16 : 10);
}

bool IsParameterAddress(long address, const std::string& text) {
  // The catalog knows every cell a control shows and the System settings; a cell past a page's
  // values is in no download's answer, so nothing could be read back or shown from it.
  if (address >= 0 && address <= 0xFFFF &&
      ParameterCatalog().Find(static_cast<ParamAddress>(address)) != nullptr) {
    return true;
  }
  Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "%1 is not a parameter address"), {text}));
  return false;
}

std::string Describe(const LinkTarget& target) {
  return target.serial ? target.device : target.host + ":" + target.port;
}

CtlLink::CtlLink(const LinkTarget& target, const RunOptions& options, bool progress)
    : target_(target), options_(options), progress_(progress) {
  if (QCoreApplication::instance() == nullptr) {
    argv_ = {argv0_.data(), nullptr};
    app_ = std::make_unique<QCoreApplication>(argc_, argv_.data());
  }
  // With --serial no network port is given: the search's step to the network then ends at once
  // (a box that SetPortLabel has already answered), and no connection is ever made.
  config_.host = target_.serial ? std::string() : target_.host;
  config_.portText = target_.serial ? std::string() : target_.port;
  config_.paced = options_.paced;
  // The link's own texts (its failure messages, the transfer's caption) in the language in use.
  config_.LanguageSetting = LanguageInUse();
  std::vector<std::string> extra;
  if (target_.serial) extra.push_back(target_.device);
  form3_ = std::make_unique<TForm3>(store, config_, *this, *this, extra);
}

CtlLink::~CtlLink() {
  form3_.reset();
  app_.reset();
}

DeviceLink& CtlLink::link() { return form3_->link(); }

int CtlLink::WithinTimeout(int timeoutMs) const {
  if (!options_.timeoutSeconds) return timeoutMs;
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - options_.start;
  const double leftMs = *options_.timeoutSeconds * 1000.0 - elapsed.count();
  return static_cast<int>(std::clamp(std::ceil(leftMs), 0.0, static_cast<double>(timeoutMs)));
}

bool CtlLink::RunUntil(const std::function<bool()>& done, int timeoutMs) {
  if (done()) return true;
  const int bound = WithinTimeout(timeoutMs);
  bool timeUp = false;
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(kPollMs);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done() || failed_) loop.quit();
  });
  QTimer limit;
  limit.setSingleShot(true);
  limit.setTimerType(Qt::PreciseTimer);
  QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
    timeUp = true;
    loop.quit();
  });
  poll.start();
  limit.start(bound);
  loop.exec();
  if (done()) return !failed_;
  // The end of --timeout ends the command; the end of a wait of its own does not.
  if (timeUp && bound < timeoutMs && !failed_) failed_ = timedOut_ = true;
  return false;
}

const char* CtlLink::TimedOutText() {
  switch (waiting_) {
    case Waiting::ForTheSearch:
      return link().LinkAnswer() == 1 ? QT_TRANSLATE_NOOP("velantro",
                                                          "timed out after %1 s (--timeout) while "
                                                          "downloading from the unit at %2")
                                      : QT_TRANSLATE_NOOP("velantro",
                                                          "timed out after %1 s (--timeout) while "
                                                          "searching for the unit at %2");
    case Waiting::ForTheUpload:
      return QT_TRANSLATE_NOOP(
          "velantro", "timed out after %1 s (--timeout) while uploading to the unit at %2");
    case Waiting::ForTheAcknowledgement:
      return QT_TRANSLATE_NOOP("velantro",
                               "timed out after %1 s (--timeout) while waiting for "
                               "the acknowledgement from the unit at %2");
    case Waiting::ForTheReadBack:
      return QT_TRANSLATE_NOOP("velantro",
                               "timed out after %1 s (--timeout) while reading back "
                               "from the unit at %2");
  }
  return QT_TRANSLATE_NOOP("velantro", "timed out after %1 s (--timeout) with the unit at %2");
}

std::string CtlLink::LinkProblem() {
  if (target_.serial) {
    // Opened once to learn why it cannot be, before the search would quietly skip it.
    QSerialPort probe(QString::fromStdString(target_.device));
    if (probe.open(QIODevice::ReadWrite)) return {};
    if (probe.error() == QSerialPort::PermissionError && LacksPermission(target_.device)) {
      SetPortProblem(TForm3::kPermissionDenied);
      return {};
    }
    return SayWith(QT_TRANSLATE_NOOP("velantro", "cannot open the serial device %1: %2"),
                   {target_.device, probe.errorString().toStdString()});
  }
  const QHostInfo host = QHostInfo::fromName(QString::fromStdString(target_.host));
  if (host.error() == QHostInfo::NoError && !host.addresses().isEmpty()) return {};
  return SayWith(QT_TRANSLATE_NOOP("velantro", "the host name %1 does not resolve (%2)"),
                 {target_.host, host.errorString().toStdString()});
}

bool CtlLink::ConnectAndDownload() {
  linkProblem_ = LinkProblem();
  if (!linkProblem_.empty() || permissionDenied_) {
    failed_ = true;
    return false;
  }
  // Only the device asked for: no other serial port is touched and no network is tried.
  link().SetPortList(target_.serial ? std::vector<std::string>{target_.device}
                                    : std::vector<std::string>{});
  link().Connect();
  waiting_ = Waiting::ForTheSearch;
  const bool ok = RunUntil([this] { return link().LinkOnline(); }, kLinkTimeoutMs);
  ClearProgress();
  if (!ok) link().Disconnect();
  return ok;
}

bool CtlLink::Upload() {
  link().StartUpload();
  waiting_ = Waiting::ForTheUpload;
  const bool ok = RunUntil([this] { return link().LinkOnline(); }, kLinkTimeoutMs);
  ClearProgress();
  if (!ok) link().Disconnect();
  return ok;
}

bool CtlLink::WaitForAcknowledgements() {
  const ChangeQueue& queue = link().queue();
  waiting_ = Waiting::ForTheAcknowledgement;
  return RunUntil(
      [&] {
        return link().LinkOnline() && queue.ReadyToSend == 1 && queue.valueCount() == 0 &&
               queue.bandCount() == 0 && queue.RepeatLast == 0 &&
               queue.PendingEvent == LinkEvent::None;
      },
      kLinkTimeoutMs);
}

bool CtlLink::ReadBack(const Bytes& request, int page, int first, int count) {
  auto& row = store.DeviceImage[static_cast<size_t>(page)];
  const auto cells = std::span(row).subspan(static_cast<size_t>(first), static_cast<size_t>(count));
  std::fill(cells.begin(), cells.end(), kNotHeard);
  const auto answered = [cells] { return std::ranges::find(cells, kNotHeard) == cells.end(); };
  waiting_ = Waiting::ForTheReadBack;
  for (int attempt = 0; attempt < kReadBackTries && !failed_; ++attempt) {
    link().Transmit(request);
    if (RunUntil(answered, kReadBackAnswerMs)) return true;
  }
  return false;
}

void CtlLink::Disconnect() {
  progress_ = false;
  link().Disconnect();
  form3_->Flush();
}

void CtlLink::SetStatus(const std::string& caption, const std::string&) {
  SetStatusCaption(caption);
}

void CtlLink::SetStatusCaption(const std::string&) {}

void CtlLink::HideDeviceStatus() { ClearProgress(); }

void CtlLink::UpdateDeviceStatus(const std::string& statusText, int percent) {
  if (waiting_ == Waiting::ForTheUpload && link().direction() == Direction::Write) {
    uploadStepReached_ = std::max(uploadStepReached_, link().step());
  }
  if (!progress_) return;
  const int filled = std::clamp(percent, 0, 100) * kBarWidth / 100;
  std::string bar(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(kBarWidth - filled), '-');
  // The caption padded to 24 columns: a Chinese character takes two.
  const size_t width = DisplayWidth(statusText);
  const std::string padding(width < kCaptionColumns ? kCaptionColumns - width : 0, ' ');
  std::fprintf(stderr, "\r[%s] %3d%% %s%s", bar.c_str(), percent, statusText.c_str(),
               padding.c_str());
  std::fflush(stderr);
  progressShown_ = true;
}

void CtlLink::ClearProgress() {
  if (!progressShown_) return;
  std::fprintf(stderr, "\r%*s\r", kBarWidth + 32, "");
  std::fflush(stderr);
  progressShown_ = false;
}

void CtlLink::SetPortLabel(const std::string& text) {
  // With --serial the search ends with the device: moving on to the network means no answer.
  if (target_.serial && text == linktext::kNetworkPort && !failed_) {
    failed_ = serialSearchOver_ = true;
    link().Disconnect();
  }
}

void CtlLink::SetPortProblem(const std::string& problem) {
  // No answer can come through a device that does not open: end the wait at once.
  if (target_.serial && problem == TForm3::kPermissionDenied) {
    permissionDenied_ = true;
    failed_ = true;
  }
}

void CtlLink::RefreshAll() {
  // What the window's full refresh does to the store: ViewValues rebuilt without sending.
  store.SuppressSend = 1;
  store.RebuildViewValues(store.LayoutFlag);
  store.LayoutFlag = static_cast<uint8_t>(store.ViewValues[0][1]);
  store.SuppressSend = 0;
}

void CtlLink::Information(const std::string& text, const std::string&) {
  // Every box the link shows ends the wait: unit lost, link failed, or a bad port field. The
  // box after a --serial search ran out is the empty network port's: the search said it all.
  if (serialSearchOver_) return;
  ClearProgress();
  failed_ = true;
  lastMessage_ = text;
}

void CtlLink::ShowNotice(const std::string& text, const std::string& caption, NoticeKind kind) {
  if (kind == NoticeKind::Lasting) Information(text, caption);
}

int CtlLink::ReportFailure() {
  ClearProgress();
  const std::string where = Describe(target_);
  if (timedOut_) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%g", *options_.timeoutSeconds);
    Complain(SayWith(TimedOutText(), {seconds, where}));
    // A unit that is there but slow still hears that we are gone.
    Disconnect();
    return kExitNoUnit;
  }
  if (!linkProblem_.empty()) {
    Complain(linkProblem_);
    return kExitNoUnit;
  }
  if (permissionDenied_) {
    const std::string owner = OwningGroup(target_.device);
    const std::string group = owner.empty() ? "dialout" : owner;
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "permission denied: this user may not open %1"),
                     {where}));
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro",
                                       "the usual fix is membership of the group that owns the "
                                       "device (%1): sudo usermod -aG %1 $USER, then log in again"),
                     {group}));
    return kExitNoUnit;
  }
  // A failed transfer names what it could not get through on the line after "Off Line!".
  const size_t newline = lastMessage_.find('\n');
  if (newline != std::string::npos) {
    Complain(lastMessage_.substr(newline + 1) + " (" + where + ")");
  } else if (link().LinkAnswer() == 1) {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "the unit at %1 stopped answering (%2)"),
                     {where, lastMessage_.empty() ? Say(QT_TRANSLATE_NOOP("velantro", "timed out"))
                                                  : lastMessage_}));
  } else {
    Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "no unit answers at %1"), {where}));
  }
  return kExitNoUnit;
}

bool CtlLink::AskYesNo(const std::string& text, const std::string&) {
  Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "%1 (no)"), {text}));
  return false;
}

bool CtlLink::AskOkCancel(const std::string& text, const std::string&) {
  Complain(SayWith(QT_TRANSLATE_NOOP("velantro", "%1 (cancel)"), {text}));
  return false;
}

}  // namespace velantro::ctl
