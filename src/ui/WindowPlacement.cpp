#include "ui/WindowPlacement.h"

#include <algorithm>

namespace velantro {

namespace {

// One axis: the length between the minimum and the room, centred in the room, or from the
// room's start when it does not fit.
struct Span {
  int start;
  int length;
};

Span Fit(int roomStart, int room, int wanted, int minimum) {
  const int length = std::max(minimum, std::min(wanted, room));
  return {roomStart + std::max(0, (room - length) / 2), length};
}

}  // namespace

QRect OpeningGeometry(const QRect& available, QSize wanted, QSize minimum) {
  const Span x = Fit(available.left(), available.width(), wanted.width(), minimum.width());
  const Span y = Fit(available.top(), available.height(), wanted.height(), minimum.height());
  return {x.start, y.start, x.length, y.length};
}

}  // namespace velantro
