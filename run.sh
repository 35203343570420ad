#!/usr/bin/env bash
# Builds the Release configuration and starts Lumidrex: ./run.sh [design.lxd]
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
lumidrex_install_deps

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target lumidrex

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
No display found. To run Lumidrex without one, start it inside a virtual X server:
  xvfb-run -a -s "-screen 0 1280x1024x24" ./run.sh [design.lxd]
MSG
  exit 1
fi
exec build/release/lumidrex "$@"
