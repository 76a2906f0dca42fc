#!/usr/bin/env bash
# Builds the programs and runs every test (unit, UI under the offscreen platform, end-to-end).
#   BUILD_DIR=build-asan VELANTRO_SANITIZE=ON scripts/test.sh   builds with ASan + UBSan
# Warnings are errors in the plain build; not under the sanitizers, where GCC 12 warns falsely.
# The benchmarks are not built (README, "Benchmarks and fuzzing").
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${BUILD_DIR:-build}
sanitize=${VELANTRO_SANITIZE:-OFF}
werror=ON
if [[ $sanitize == ON ]]; then werror=OFF; fi
cmake -S . -B "$build" -DVELANTRO_SANITIZE="$sanitize" -DVELANTRO_WERROR="$werror" \
  -DVELANTRO_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
if [[ $sanitize == ON ]]; then
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
