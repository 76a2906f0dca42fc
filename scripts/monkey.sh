#!/usr/bin/env bash
# Operator monkey: the real console window under Xvfb, driven by seeded random mouse and keyboard
# input against velantro-unit-sim. Every frame that reaches the unit is checked, and the
# window's responsiveness is measured with _NET_WM_PING round trips. Not part of CI.
#
#   bash scripts/monkey.sh [BUILD_DIR] [SECONDS] [SEED]
#
#   BUILD_DIR  where velantro and velantro-unit-sim were built (default build)
#   SECONDS    how long to drive the window (default 300)
#   SEED       seed of the input generator and the unit (default 1)
#   MONKEY_KEEP=1 keeps the work folder (actions.log, frames.log, console.err, presets)
#   MONKEY_SIM="--delay-ms 300 --drop-acks 0.1"  switches for the stand-in unit
#   MONKEY_RESTART=60  stop the unit and start it again (same port, same state) every 60 s
#
# At the end the window saves its image as a preset and velantroctl backs the unit up: the two
# must hold the same.
#
# Needs xdotool, Xvfb (xvfb-run), ImageMagick's import, a C compiler and the X11 headers; the
# headers (libx11-dev) are installed when missing. Exit status: 0 clean run, 1 a violation, a
# hang or a crash, 2 a setup failure.
set -u -o pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" 2>/dev/null && pwd) || {
  echo "monkey: no build folder ${1:-$root/build}" >&2
  exit 2
}
seconds=${2:-300}
seed=${3:-1}
if ! [[ $seconds =~ ^[0-9]+$ && $seed =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/monkey.sh [BUILD_DIR] [SECONDS] [SEED]" >&2
  exit 2
fi
for program in "$build/src/ui/velantro" "$build/tools/velantro-unit-sim" "$build/tools/velantroctl"; do
  if [ ! -x "$program" ]; then
    echo "monkey: $program is missing; build it first (cmake --build $build --target velantro velantro-unit-sim velantroctl)" >&2
    exit 2
  fi
done
for tool in xdotool xvfb-run import python3 cc; do
  if ! command -v "$tool" >/dev/null; then
    echo "monkey: $tool is missing (apt-get install -y xdotool xvfb imagemagick python3 gcc)" >&2
    exit 2
  fi
done
if [ ! -e /usr/include/X11/Xlib.h ]; then
  sudo=
  [ "$(id -u)" = 0 ] || sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends libx11-dev >&2 || {
    echo "monkey: cannot install libx11-dev" >&2
    exit 2
  }
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/velantro-monkey.XXXXXX")
cleanup() {
  if [ "${MONKEY_KEEP:-0}" = 1 ]; then echo "monkey: work folder kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

cc -O2 -o "$work/monkey_ping" "$root/scripts/monkey_ping.c" -lX11 || exit 2

xvfb-run -a -s '-screen 0 1280x800x24 -nolisten tcp' \
  python3 "$root/scripts/monkey.py" --build "$build" --seconds "$seconds" --seed "$seed" \
  --ping "$work/monkey_ping" --work "$work" --restart-every "${MONKEY_RESTART:-0}" \
  $(for word in ${MONKEY_SIM:-}; do printf -- '--sim-arg=%s ' "$word"; done)
