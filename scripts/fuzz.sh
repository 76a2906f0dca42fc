#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each one for SECONDS (default
# 30), one after the other, from seeds made of known-good frames and examples/Demo.Nddt.
#   scripts/fuzz.sh [SECONDS] [frame_decode|receivers|preset ...]
# New inputs collect in build-fuzz/fuzz-corpus/<target>; a failing input is saved as
# build-fuzz/fuzz-artifacts/<target>-crash-… and can be replayed with
#   build-fuzz/fuzz/<target>_fuzzer build-fuzz/fuzz-artifacts/<target>-crash-…
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
[[ $# -gt 0 ]] && shift
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=(frame_decode receivers preset)
build=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=${FUZZ_BUILD_JOBS:-2}

# clang with the libFuzzer and sanitizer runtimes.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
  >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
  echo "installing clang and its fuzzer runtime"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang \
    libclang-rt-dev >/dev/null
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -DVELANTRO_FUZZ=ON -DVELANTRO_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target velantro_fuzz_seeds \
  "${targets[@]/%/_fuzzer}"

seeds=$build/fuzz-seeds
rm -rf "$seeds"
"$build/fuzz/velantro_fuzz_seeds" "$seeds" examples/Demo.Nddt
mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"

status=0
for target in "${targets[@]}"; do
  corpus=$build/fuzz-corpus/$target
  log=$build/fuzz-logs/$target.log
  mkdir -p "$corpus"
  if "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-artifacts/$target-" "$corpus" "$seeds/$target" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cover=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 || true)
  echo "$target: $result, ${runs:-?} runs in ${seconds} s, ${cover:-cov: ?}, corpus $(ls "$corpus" | wc -l) inputs"
  if [[ $result != ok ]]; then
    grep -E 'ERROR|property failed|runtime error|SUMMARY|Test unit written' "$log" | head -n 20 || true
    echo "full log: $log"
  fi
done
exit $status
