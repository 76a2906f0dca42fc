#!/usr/bin/env bash
# Installs what is missing, builds, starts the stand-in unit on 127.0.0.1:8889 and the console
# against it. Without a display the console runs under Xvfb and a screenshot is saved instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DVELANTRO_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target velantro velantro-unit-sim velantroctl
./build/tools/velantro-unit-sim --listen 127.0.0.1 --port 8889 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 0.5
echo "example preset: $(./build/tools/velantroctl check examples/Demo.Nddt)"
if [[ -n ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
  ./build/src/ui/velantro --unit 127.0.0.1:8889
else
  echo "no display: running the console under Xvfb for 12 s and saving console.png"
  xvfb-run -a -s '-screen 0 1280x800x24' bash -c '
    ./build/src/ui/velantro --unit 127.0.0.1:8889 & c=$!
    sleep 12; import -window root console.png; kill $c; wait $c || true'
  echo "saved $(pwd)/console.png"
fi
