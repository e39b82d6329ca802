#!/usr/bin/env bash
# Takes docs/screenshot.png: Quillary on the Simulator under a virtual X
# server, with the transmit panel shown, once the demo station's CQ and
# picture command have been decoded. Runs in a temporary program folder.
# Usage: scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$repo/docs/screenshot.png}")"
"$repo/scripts/install-deps.sh"
"$repo/scripts/build.sh" build
"$repo/scripts/install-packages.sh" xvfb x11-utils xdotool imagemagick twm

folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
simulator="$("$repo/build/psktool" devices | awk '$2 == "Simulator" { print $1; exit }')"
printf ' %s \r\n' "$simulator" > "$folder/sound.ini"
# My call, and a window size with room for both panels.
printf '0\r\n0\r\n"N0CALL"\r\n30\r\n"50"\r\n7200\r\n9200\r\n"3"\r\n"1"\r\n"0"\r\n' > "$folder/psk.ini"

export QUILLARY_BIN="$repo/build/quillary" OUT="$out" FOLDER="$folder"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  twm >/dev/null 2>&1 &
  sleep 1
  cd "$FOLDER"
  "$QUILLARY_BIN" >/dev/null 2>&1 &
  quillary=$!
  for _ in $(seq 50); do
    window=$(xdotool search --name "Quillary ver" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  # "TX Button": 3050 twips from the left, 4665 from the top of the window
  # (15 twips a pixel).
  xdotool mousemove --window "$window" 210 311 click 1
  # The demo station calls about every half minute; its CQ and command are
  # decoded some 20 seconds after the start.
  sleep 25
  import -window "$window" -frame "$OUT"
  kill $quillary
  wait $quillary || true
'
echo "$out"
