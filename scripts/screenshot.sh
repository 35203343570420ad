#!/usr/bin/env bash
# Shows the built Lumidrex under a virtual X server and captures the screen once its main window
# is up; fails when the program shows no window in time or the picture is one flat colour.
# With a design the program opens it; keys (xdotool names, such as "d" for Rendering) are then
# typed into its window and the picture is taken once the view has had time to redraw.
#   scripts/screenshot.sh [program] [picture] [design [keys...]]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/test/lumidrex}")
shot=$(realpath -m "${2:-build/screenshot.png}")
design=${3:+$(realpath "$3")}
keys="${*:4}"
[ -x "$program" ] || { echo "No program at $program; build it first." >&2; exit 1; }
mkdir -p "$(dirname "$shot")"

# The run keeps its settings and desktop files out of the user's own.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

export LUMIDREX_PROGRAM="$program" LUMIDREX_SHOT="$shot" LUMIDREX_DESIGN="$design" LUMIDREX_KEYS="$keys"
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export MESA_SHADER_CACHE_DIR="$scratch/mesa"
# shellcheck disable=SC2016  # the inner shell expands them
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -u
  if [ -n "$LUMIDREX_DESIGN" ]; then "$LUMIDREX_PROGRAM" "$LUMIDREX_DESIGN" & else "$LUMIDREX_PROGRAM" & fi
  pid=$!
  for _ in $(seq 1 120); do
    title=$(xwininfo -root -tree | grep -o "\"Lumidrex 5\.1[^\"]*\"" | head -n 1)
    if [ -n "$title" ]; then
      echo "Window: $title"
      # Let the first frame of the views reach the screen.
      sleep 2
      if [ -n "$LUMIDREX_KEYS" ]; then
        window=$(xdotool search --name "Lumidrex 5\.1" | head -n 1)
        xdotool windowfocus --sync "$window"
        # shellcheck disable=SC2086  # one word per key
        xdotool key --window "$window" $LUMIDREX_KEYS
        sleep 3
      fi
      import -window root "$LUMIDREX_SHOT"
      kill "$pid"
      wait "$pid" 2>/dev/null
      exit 0
    fi
    kill -0 "$pid" 2>/dev/null || { echo "Lumidrex ended before showing its window" >&2; exit 1; }
    sleep 0.5
  done
  echo "No Lumidrex window within 60 s" >&2
  kill "$pid"
  exit 1
'

colours=$(identify -format %k "$shot")
if [ "$colours" -le 1 ]; then
  echo "The screenshot $shot is one flat colour" >&2
  exit 1
fi
echo "Screenshot: $shot ($colours colours)"
