#include "link/QtLinkTimers.h"

namespace velantro {

QtLinkTimers::QtLinkTimers(QObject* parent)
    : QObject(parent), searchTimer_(this), downloadTimer_(this), holdTimer_(this) {
  searchTimer_.setInterval(kSearchIntervalMs);
  downloadTimer_.setInterval(kDownloadIntervalMs);
  holdTimer_.setInterval(kHoldIntervalMs);
  for (QTimer* timer : {&searchTimer_, &downloadTimer_, &holdTimer_}) {
    timer->setTimerType(Qt::PreciseTimer);
  }
  connect(&searchTimer_, &QTimer::timeout, this, [this] { emit timeout(LinkTimer::Search); });
  connect(&downloadTimer_, &QTimer::timeout, this, [this] { emit timeout(LinkTimer::Download); });
  connect(&holdTimer_, &QTimer::timeout, this, [this] { emit timeout(LinkTimer::Hold); });
}

QTimer& QtLinkTimers::TimerFor(LinkTimer timer) {
  switch (timer) {
    case LinkTimer::Search:
      return searchTimer_;
    case LinkTimer::Download:
      return downloadTimer_;
    case LinkTimer::Hold:
      break;
  }
  return holdTimer_;
}

const QTimer& QtLinkTimers::TimerFor(LinkTimer timer) const {
  return const_cast<QtLinkTimers*>(this)->TimerFor(timer);
}

void QtLinkTimers::Start(LinkTimer timer) { TimerFor(timer).start(); }

void QtLinkTimers::Stop(LinkTimer timer) { TimerFor(timer).stop(); }

void QtLinkTimers::SetInterval(LinkTimer timer, int ms) { TimerFor(timer).setInterval(ms); }

int QtLinkTimers::Interval(LinkTimer timer) const { return TimerFor(timer).interval(); }

bool QtLinkTimers::IsActive(LinkTimer timer) const { return TimerFor(timer).isActive(); }

}  // namespace velantro
