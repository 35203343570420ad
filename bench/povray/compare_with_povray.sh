#!/usr/bin/env bash
# Times the ring picture against POV-Ray on the same ring, with the same number of samples on
# both sides: 800 x 600 against samples 1, 2400 x 1800 against samples 3. One thread each, no
# anti-aliasing. Run by hand from the source folder after building the RelWithDebInfo tree:
#   cmake --build build/rel --target ring_picture lumidrex_bench
#   bench/povray/compare_with_povray.sh [build/rel]
# Installs the Debian packages povray and hyperfine where missing; never run in CI.
set -eu
source "$(dirname "$0")/../../scripts/install-deps.sh"
lumidrex_packages+=(povray hyperfine)
lumidrex_install_deps
build=${1:-build/rel}
tool="$build/bench/ring_picture"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The scene with traced reflections and transparency, and with plain finishes.
"$tool" pov "$work/ring.pov"
"$tool" pov-plain "$work/plain.pov"
runs=${RUNS:-3}
hyperfine --warmup 1 --runs "$runs" --export-markdown "$work/samples1.md" \
  -n "povray 800x600 traced" "povray +I$work/ring.pov +O$work/pov1.png +W800 +H600 -D +WT1 -GA" \
  -n "povray 800x600 plain" "povray +I$work/plain.pov +O$work/plain1.png +W800 +H600 -D +WT1 -GA" \
  -n "ours samples 1" "$tool bmp 1 $work/ours1.bmp"
hyperfine --runs "$runs" --export-markdown "$work/samples3.md" \
  -n "povray 2400x1800 traced" "povray +I$work/ring.pov +O$work/pov3.png +W2400 +H1800 -D +WT1 -GA" \
  -n "povray 2400x1800 plain" "povray +I$work/plain.pov +O$work/plain3.png +W2400 +H1800 -D +WT1 -GA" \
  -n "ours samples 3" "$tool bmp 3 $work/ours3.bmp"
cat "$work/samples1.md" "$work/samples3.md"
# The engine alone on the same ring, for the share of the scan in our picture.
"$build/bench/lumidrex_bench" --benchmark_filter='BM_RingScanGeometry|BM_RingPictureShaded'
