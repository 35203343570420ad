#!/usr/bin/env bash
# Times our exchange readers and writers against outside programs on the same files, which
# exchange_peer writes once (the inputs of bench/exchange_bench.cpp). Each line gives both times
# and theirs / ours. Run by hand from the source folder after building the RelWithDebInfo tree;
# never in CI:
#   cmake --build build/rel --target exchange_peer iges_peer
#   bench/exchange_peer_compare.sh [build/rel]
# Installs the Debian packages it compares with where missing.
set -eu
source "$(dirname "$0")/ratio_of_pair.sh"
source "$(dirname "$0")/../scripts/install-deps.sh"
lumidrex_packages+=(admesh python3-ezdxf)
lumidrex_install_deps
build=${1:-build/rel}
peer=$build/bench/exchange_peer
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$peer" write "$work"

compare() {
  printf '%-38s ours %7.3f s   %-16s %7.3f s   ratio %6.2f\n' "$1" "$2" "$3" "$4" "$(echo "$4 / $2" | bc -l)"
}

# StlImport against admesh on the binary STL; admesh also matches shared vertices to find its edges.
ours=$("$peer" time stl "$work/torus.stl")
theirs=$(command_seconds env LC_ALL=C admesh "$work/torus.stl")
compare "STL import, 1,000,000 facets" "$ours" admesh "$theirs"

# DxfImport against ezdxf.readfile on the polyface, timed inside Python without its start-up.
ours=$("$peer" time dxf "$work/torus.dxf")
theirs=$(/usr/bin/python3 -c '
import sys, time, ezdxf
start = time.perf_counter()
ezdxf.readfile(sys.argv[1])
print(time.perf_counter() - start)' "$work/torus.dxf")
compare "DXF import, 1,000,000-face polyface" "$ours" ezdxf.readfile "$theirs"

# Dxf3DFaceWriter against ezdxf writing the same triangles, read from the STL beforehand, as R12
# 3DFACE entities: building the entities and saving them, timed inside Python.
ours=$("$peer" time faces "$work/faces.dxf")
theirs=$(/usr/bin/python3 -c '
import struct, sys, time, ezdxf
data = open(sys.argv[1], "rb").read()
count = struct.unpack_from("<I", data, 80)[0]
corners = [struct.unpack_from("<9f", data, 84 + 50 * i + 12) for i in range(count)]
start = time.perf_counter()
doc = ezdxf.new("R12")
space = doc.modelspace()
for c in corners:
    a, b, d = c[0:3], c[3:6], c[6:9]
    space.add_3dface([a, b, d, d], dxfattribs={"layer": "1"})
doc.saveas(sys.argv[2])
print(time.perf_counter() - start)' "$work/torus.stl" "$work/ezdxf-faces.dxf")
compare "DXF 3DFACE export, 1,000,000 facets" "$ours" "ezdxf R12" "$theirs"

# IgesImport against OpenCASCADE reading and transferring the same 500 x 500 net (the test peer,
# whose time includes its start-up).
ours=$("$peer" time iges "$work/net.igs")
theirs=$(command_seconds "$build/tests/iges_peer" read "$work/net.igs")
compare "IGES import, 500 x 500 net" "$ours" "OpenCASCADE" "$theirs"
