#!/usr/bin/env bash
# Compares our fine pass with LinuxCNC's image-to-gcode, which makes a raster G-code program from
# a height image, on the same height grid: the benchmark ring lying gems up, 20 mm across,
# sampled by ring_height_grid at 401 x 401 (0.05 mm) and 2001 x 2001 (0.01 mm) points; a 1 mm
# ball, one pixel per grid step, rows only, no roughing. Times our NcToolCompensate plus
# NcWritePasses against image-to-gcode's convert (its start-up and the image reading left out).
# Run by hand from the source folder after building the RelWithDebInfo tree; never in CI:
#   cmake --build build/rel --target ring_height_grid
#   bench/nc_peer_compare.sh [build/rel]
# image-to-gcode comes from the Debian package linuxcnc-uspace, unpacked into the build folder
# (not installed); Debian's python3 runs it with python3-numpy and python3-pil, installed where
# missing.
set -eu
source "$(dirname "$0")/../scripts/install-deps.sh"
lumidrex_packages+=(python3-numpy python3-pil)
lumidrex_install_deps
build=${1:-build/rel}
lumidrex_unpack_linuxcnc "$build"
linuxcnc=$build/linuxcnc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The driver: image-to-gcode imports Tk only for its options dialog, through rs274.options, so an
# empty module stands in for it.
cat >"$work/driver.py" <<'PY'
import importlib.machinery, importlib.util, os, sys, time, types
import numpy
root, grid, cells, step = sys.argv[1], sys.argv[2], int(sys.argv[3]), float(sys.argv[4])
sys.path.insert(0, os.path.join(root, "usr/lib/python3/dist-packages"))
sys.modules["rs274.options"] = types.ModuleType("rs274.options")
loader = importlib.machinery.SourceFileLoader("image_to_gcode", os.path.join(root, "usr/bin/image-to-gcode"))
found = importlib.util.spec_from_loader(loader.name, loader)
i2g = importlib.util.module_from_spec(found)
loader.exec_module(i2g)
image = numpy.fromfile(grid, dtype=numpy.float32).reshape((cells, cells))
tool = i2g.make_tool_shape(i2g.ball_tool, 1.0, step)
start = time.perf_counter()
i2g.convert(image, "G21", tool, step, 1, 2.0, 0.001, 100.0, i2g.Convert_Scan_Increasing(), None, False,
            i2g.ArcEntryCut(100.0, .125), 1000, 0, 0, 100.0)
sys.stdout.flush()
print("%.4f" % (time.perf_counter() - start), file=sys.stderr)
PY

for cells in 401 2001; do
  read -r ours step < <("$build/bench/ring_height_grid" "$cells" "$work/grid.raw" "$work/ours.nc")
  theirs=$(LD_LIBRARY_PATH="$linuxcnc/usr/lib" /usr/bin/python3 "$work/driver.py" "$linuxcnc" "$work/grid.raw" \
    "$cells" "$step" 2>&1 >"$work/theirs.ngc" | tail -1)
  printf '%d x %d at %s mm: ours %.3f s (%d lines), image-to-gcode %.3f s (%d lines), ratio %.1f\n' \
    "$cells" "$cells" "$step" "$ours" "$(wc -l <"$work/ours.nc")" "$theirs" "$(wc -l <"$work/theirs.ngc")" \
    "$(echo "$theirs / $ours" | bc -l)"
done
