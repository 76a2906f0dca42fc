#include "ui/SignalBridge.h"

#include <QSocketNotifier>

#ifdef __linux__
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>
#endif

namespace velantro {

#ifdef __linux__

namespace {
sigset_t TerminationSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  return set;
}
}  // namespace

void SignalBridge::BlockTerminationSignals() {
  const sigset_t set = TerminationSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

SignalBridge::SignalBridge(QObject* parent) : QObject(parent) {
  const sigset_t set = TerminationSet();
  fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (fd_ < 0) return;
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SignalBridge::ReadSignal);
}

SignalBridge::~SignalBridge() {
  if (fd_ >= 0) close(fd_);
}

void SignalBridge::ReadSignal() {
  signalfd_siginfo info{};
  while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    emit terminationRequested(static_cast<int>(info.ssi_signo));
  }
}

#else

void SignalBridge::BlockTerminationSignals() {}
SignalBridge::SignalBridge(QObject* parent) : QObject(parent) {}
SignalBridge::~SignalBridge() = default;
void SignalBridge::ReadSignal() {}

#endif

}  // namespace velantro
