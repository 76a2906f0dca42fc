#pragma once

// Letting queued bytes leave a port or a socket before the program ends.

#include <QDeadlineTimer>
#include <QIODevice>

namespace velantro {

// One wait may move only part of the buffer; keeps waiting until it is empty or time is up.
inline void DrainWrites(QIODevice& device, const QDeadlineTimer& deadline) {
  while (device.bytesToWrite() > 0 && !deadline.hasExpired()) {
    if (!device.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return;
  }
}

}  // namespace velantro
