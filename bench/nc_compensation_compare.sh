#!/usr/bin/env bash
# The tool compensation of the fine pass, a 1 mm ball over a rough 20 mm square: the bounded
# NcApplyKernel against the loop it replaced (every kernel entry over whole rows), at 1001 x 1001
# and 2001 x 2001 cells, and the bounded one's growth from the one grid to the other, with the
# step halved (the ball twice as many steps wide) and with the step kept. Both sides alternate on
# one core. Run by hand from the source folder after building the RelWithDebInfo
# tree; never in CI:
#   cmake --build build/bench --target lumidrex_bench
#   bench/nc_compensation_compare.sh [build/bench] [repetitions]
set -eu
source "$(dirname "$0")/ratio_of_pair.sh"
build=${1:-build/bench}
repetitions=${2:-5}
export -f bench_seconds
ratio_of_pair "Compensation 1001^2, before / after" "$repetitions" \
  "bench_seconds $build 'BM_Compensation<true>/1001/25/0'" "bench_seconds $build 'BM_Compensation<false>/1001/25/0'"
ratio_of_pair "Compensation 2001^2, before / after" "$repetitions" \
  "bench_seconds $build 'BM_Compensation<true>/2001/50/0'" "bench_seconds $build 'BM_Compensation<false>/2001/50/0'"
ratio_of_pair "Compensation after, 2001^2 / 1001^2" "$repetitions" \
  "bench_seconds $build 'BM_Compensation<false>/2001/50/0'" "bench_seconds $build 'BM_Compensation<false>/1001/25/0'"
ratio_of_pair "Compensation after, 2001^2 / 1001^2 at one step" "$repetitions" \
  "bench_seconds $build 'BM_Compensation<false>/2001/25/0'" "bench_seconds $build 'BM_Compensation<false>/1001/25/0'"
