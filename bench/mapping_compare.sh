#!/usr/bin/env bash
# Projection mapping of 2,000,000 items onto a 100 x 100 surface: an older build of the benchmarks
# against this one, both alternating on one core. The older tree is a build of an earlier commit
# whose BM_ProjectOntoSurface takes the item count as its argument. Run by hand from the source
# folder after building both RelWithDebInfo trees; never in CI:
#   bench/mapping_compare.sh older-build [build/bench] [repetitions]
set -eu
source "$(dirname "$0")/ratio_of_pair.sh"
older=$1
build=${2:-build/bench}
repetitions=${3:-5}
export -f bench_seconds
ratio_of_pair "Projection of 2,000,000 items, older / this build" "$repetitions" \
  "bench_seconds $older 'BM_ProjectOntoSurface/2000000'" "bench_seconds $build 'BM_ProjectOntoSurface/2000000'"
