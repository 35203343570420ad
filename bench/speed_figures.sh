#!/usr/bin/env bash
# The speed figures against peers and bare costs, each side alternating with the other on one
# core (bench/ratio_of_pair.sh): STL import and the volume estimate against admesh on the same
# 1,000,000-facet torus, the first and a kept shaded frame against the bare draw of the same
# triangles; and the normal wire frame of 10,000 curves against one 60 Hz frame (0.0167 s). The
# tool compensation has its own script
# (nc_compensation_compare.sh). Run by hand from the source folder after building the
# RelWithDebInfo tree; never in CI:
#   cmake --build build/bench --target lumidrex_bench exchange_peer
#   bench/speed_figures.sh [build/bench] [repetitions]
set -eu
source "$(dirname "$0")/ratio_of_pair.sh"
source "$(dirname "$0")/../scripts/install-deps.sh"
lumidrex_packages+=(admesh)
lumidrex_install_deps
build=${1:-build/bench}
repetitions=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/exchange_peer" write "$work"

export -f bench_seconds command_seconds

ratio_of_pair "STL import, ours / admesh" "$repetitions" \
  "$build/bench/exchange_peer time stl $work/torus.stl" "LC_ALL=C command_seconds admesh $work/torus.stl"
ratio_of_pair "Volume and centre at 0.1, ours / admesh's volume" "$repetitions" \
  "$build/bench/exchange_peer time volume $work/torus.stl 2>/dev/null" "LC_ALL=C command_seconds admesh $work/torus.stl"
ratio_of_pair "First shaded frame / bare draw" "$repetitions" \
  "bench_seconds $build BM_FirstShadedFrame" "bench_seconds $build BM_BareTriangleSoup"
ratio_of_pair "Kept shaded frame / bare draw" "$repetitions" \
  "bench_seconds $build BM_ShadedFrameKeptContext" "bench_seconds $build BM_BareTriangleSoup"
ratio_of_pair "Normal wire frame of 10,000 curves / one 60 Hz frame" "$repetitions" \
  "bench_seconds $build BM_WireFrameNormal" "echo 0.0167"
