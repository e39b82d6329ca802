#!/usr/bin/env bash
# Takes docs/band-window.png: the band window on the Simulator playing a
# busy band (scripts/busy-band.sh) under a virtual X server, once the
# stations have been read for a while. Runs in a temporary program folder.
# Usage: scripts/screenshot-band.sh [OUTPUT.png] [SECONDS]
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$repo/docs/band-window.png}")"
seconds="${2:-26}"
"$repo/scripts/install-deps.sh"
"$repo/scripts/build.sh" build
"$repo/scripts/install-packages.sh" xvfb x11-utils xdotool imagemagick twm sox

folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
"$repo/scripts/busy-band.sh" "$folder/busy-band.wav" >/dev/null
simulator="$("$repo/build/psktool" devices | awk '$2 == "Simulator" { print $1; exit }')"
printf ' %s \r\n' "$simulator" > "$folder/sound.ini"
printf '0\r\n0\r\n"N0CALL"\r\n30\r\n"50"\r\n0\r\n0\r\n"3"\r\n"1"\r\n"0"\r\n' > "$folder/psk.ini"
# Open, right of the main window: 760 x 560 pixels (15 twips a pixel).
printf '1\r\n0\r\n5300\r\n11400\r\n8400\r\n200\r\n3500\r\n' > "$folder/band.ini"

export QUILLARY_BIN="$repo/build/quillary" OUT="$out" FOLDER="$folder" SECONDS_READ="$seconds"
export QUILLARY_SIM_INPUT="$folder/busy-band.wav"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  twm >/dev/null 2>&1 &
  sleep 1
  cd "$FOLDER"
  "$QUILLARY_BIN" >/dev/null 2>&1 &
  quillary=$!
  for _ in $(seq 50); do
    window=$(xdotool search --name "^Band$" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  sleep "$SECONDS_READ"
  import -window "$window" -frame "$OUT"
  # The band noise keeps a full-colour picture large; 96 colours look the same.
  convert "$OUT" -colors 96 "PNG8:$OUT"
  kill $quillary
  wait $quillary || true
'
echo "$out"
