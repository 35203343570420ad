#!/usr/bin/env bash
# Compares our slicer with Debian's slic3r on the ring's band (ring_band writes both inputs):
# per-layer areas, and the time per layer (slic3r's includes reading the STL and its start-up).
# Our layer k lies where slic3r cuts its layer k, at mid-layer. Run by hand from the source
# folder after building the RelWithDebInfo tree; never in CI:
#   cmake --build build/rel --target ring_band
#   bench/slic3r/compare_with_slic3r.sh [build/rel]
# Installs the Debian package slic3r where missing.
set -eu
source "$(dirname "$0")/../../scripts/install-deps.sh"
lumidrex_packages+=(slic3r)
lumidrex_install_deps
build=${1:-build/rel}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ours=$("$build/bench/ring_band" "$work/ring.stl" "$work/ring.slc")
start=$(date +%s.%N)
slic3r --export-svg --nozzle-diameter 2 --layer-height 0.1 --first-layer-height 0.1 "$work/ring.stl" \
  -o "$work/ring.svg" >/dev/null
end=$(date +%s.%N)
theirs=$(echo "$end - $start" | bc)

python3 - "$work/ring.slc" "$work/ring.svg" "$ours" "$theirs" <<'PY'
import re, statistics, struct, sys

def shoelace(points):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1])) / 2

def our_layers(path):
    data = open(path, "rb").read()
    at = data.index(b"\x1a") + 1 + 256
    at += 1 + 16 * data[at]
    layers = []
    while at + 8 <= len(data):
        z, count = struct.unpack_from("<fI", data, at)
        at += 8
        if count == 0xFFFFFFFF:
            break
        area = 0.0
        for _ in range(count):
            n, _gaps = struct.unpack_from("<II", data, at)
            at += 8
            ring = [struct.unpack_from("<ff", data, at + 8 * i) for i in range(n)]
            at += 8 * n
            area += shoelace(ring[:-1])
        layers.append((z, area))
    return layers

def their_layers(path):
    text = open(path).read()
    layers = []
    for z, body in re.findall(r'<g id="layer\d+" slic3r:z="([^"]+)">(.*?)</g>', text, re.S):
        area = 0.0
        for kind, points in re.findall(r'slic3r:type="(contour|hole)" points="([^"]+)"', body):
            ring = [tuple(map(float, p.split(","))) for p in points.split()]
            area += abs(shoelace(ring)) * (1 if kind == "contour" else -1)
        layers.append((float(z) * 1e6, area))
    return layers

ours, theirs = our_layers(sys.argv[1]), their_layers(sys.argv[2])
pairs = [(a, b) for (_, a), (_, b) in zip(ours, theirs) if b > 0]
diffs = [abs(a - b) / b for a, b in pairs]
print(f"layers: ours {len(ours)}, slic3r {len(theirs)}")
print(f"area difference per layer: median {statistics.median(diffs):.4%}, largest {max(diffs):.4%}")
print(f"total area: ours {sum(a for a, _ in pairs):.3f}, slic3r {sum(b for _, b in pairs):.3f} mm2")
print(f"time per layer: ours {float(sys.argv[3]) / len(ours) * 1e3:.3f} ms, "
      f"slic3r {float(sys.argv[4]) / len(theirs) * 1e3:.3f} ms (with start-up)")
PY
