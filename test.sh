#!/usr/bin/env bash
# Builds the test configuration (AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
lumidrex_install_deps

jobs=$(nproc)
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMIDREX_SANITIZE=ON >/dev/null
cmake --build build/test -j "$jobs"
# The G-code interpreter the NC program tests run their programs through.
lumidrex_unpack_linuxcnc build/test
ctest --test-dir build/test --output-on-failure -j "$jobs"
# The real window under a virtual X server, captured.
scripts/screenshot.sh build/test/lumidrex build/test/screenshot.png
# A sample ring switched to Rendering: the software renderer in the real window.
scripts/screenshot.sh build/test/lumidrex build/test/rendering.png build/test/database/Rings/Rings1/003.lxd d
