#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs each for the given seconds from its seed corpus, then prints per target the executions, the
# coverage (edges and features) and the findings. A run goes on past a finding, so one run collects
# them all; each finding's input is kept in build/fuzz/findings/<target>/.
#   scripts/fuzz.sh [seconds] [target...]        every target, 60 s each, by default
#   FUZZ_PARALLEL=4 scripts/fuzz.sh 600          four targets at a time
# A finding is a crash, a sanitizer report, a leak, one input over 10 s or over 2 GiB. A slow unit
# is only a warning: on a busy machine a quick input can stall; run the target on it alone. Keep
# a finding's minimised input (the target's -minimize_crash=1) in tests/fuzz/corpus/<target>/,
# where the test build replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install-deps.sh
# libFuzzer's runtime is only a recommendation of clang's, which the installer leaves out.
lumidrex_packages+=(clang-14 libclang-rt-14-dev)
lumidrex_install_deps

seconds=${1:-60}
[ $# -gt 0 ] && shift
parallel=${FUZZ_PARALLEL:-1}
build=build/fuzz

CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMIDREX_FUZZ=ON -DLUMIDREX_TESTS=OFF -DLUMIDREX_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in tests/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp

run() {
  local target=$1
  local work=$build/corpus/$target findings=$build/findings/$target
  mkdir -p "$work" "$findings"
  "$build/fuzz/$target" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 \
    -dict=tests/fuzz/lumidrex.dict -artifact_prefix="$findings/" \
    "$work" "tests/fuzz/corpus/$target" >"$build/$target.log" 2>&1 || true
}

summary() {
  local target=$1
  local last executions coverage features findings slow
  last=$(grep -E '^#[0-9]+: cov: ' "$build/$target.log" | tail -n 1 || true)
  executions=$(sed -E 's/^#([0-9]+):.*/\1/' <<<"$last")
  coverage=$(sed -E 's/.* cov: ([0-9]+).*/\1/' <<<"$last")
  features=$(sed -E 's/.* ft: ([0-9]+).*/\1/' <<<"$last")
  findings=$(find "$build/findings/$target" -type f ! -name 'slow-unit-*' | wc -l)
  slow=$(find "$build/findings/$target" -type f -name 'slow-unit-*' | wc -l)
  printf '%-18s %12s executions %7s edges %8s features %4s findings %4s slow\n' \
    "$target" "${executions:-?}" "${coverage:-?}" "${features:-?}" "$findings" "$slow"
}

for target in "${targets[@]}"; do
  [ -x "$build/fuzz/$target" ] || { echo "No fuzz target $target" >&2; exit 1; }
done
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n; done
  echo "Fuzzing $target for $seconds s"
  run "$target" &
done
wait

echo
for target in "${targets[@]}"; do summary "$target"; done
find "$build/findings" -type f | sed 's/^/Kept: /'
