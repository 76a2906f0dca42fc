#!/usr/bin/env bash
# Builds the Debian package velantro_VERSION_ARCH.deb in the repository's top folder; install it
# with `sudo apt install ./velantro_*.deb`.
#   BUILD_DIR=build scripts/package.sh   packages an existing build folder as it is configured
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps (dpkg-dev) and file work out the package's library dependencies.
bash scripts/install-deps.sh dpkg-dev file

if [[ -n ${BUILD_DIR:-} ]]; then
  build=$BUILD_DIR
  cmake -S . -B "$build" >/dev/null
else
  build=build-package
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELANTRO_TESTS=OFF -DVELANTRO_BENCH=OFF \
    >/dev/null
fi
cmake --build "$build" -j"$(nproc)"
rm -f velantro_*.deb "$build"/package/velantro_*.deb
cpack --config "$build/CPackConfig.cmake" -B "$(cd "$build" && pwd)/package" >/dev/null
cp "$build"/package/velantro_*.deb .
ls velantro_*.deb
