#!/usr/bin/env bash
# Makes a recording of a busy band for the Simulator: ten BPSK31 stations,
# each at its own frequency and level, calling at its own time, one of them
# sending a picture command. With QUILLARY_SIM_INPUT=OUT.wav the Simulator
# plays it over its band noise, looped, in place of its demo station; the
# band window then has a band to read.
# Usage: scripts/busy-band.sh OUT.wav   (needs build/psktool and sox)
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:?usage: scripts/busy-band.sh OUT.wav}")"
psktool="$repo/build/psktool"
[ -x "$psktool" ] || { echo "build psktool first (scripts/build.sh build)" >&2; exit 1; }
command -v sox >/dev/null || { echo "sox is missing: sudo apt-get install sox" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Hz, level (1 = full scale), seconds before it keys, text.
stations=(
  "540|0.10|0|CQ CQ CQ de DL1ABC DL1ABC DL1ABC pse k"
  "710|0.05|6|QRL? de JA1QRP"
  "930|0.16|2|CQ DX CQ DX de 9A2AB 9A2AB k"
  "1180|0.07|11|G4XYZ de W1AW tnx fer the call, rst 599 599 hw?"
  "1420|0.12|4|CQ de OH2BH OH2BH OH2BH pse k"
  "1600|0.14|1|QRV de QX9ZZ QX9ZZ|:QX9ZZ/PHOTO"
  "1870|0.04|8|CQ CQ de VK2DEF VK2DEF k"
  "2130|0.09|3|PA3XYZ de SP5ABC ur pic was fb, tnx|:SP5ABC/HYBRID"
  "2390|0.06|13|CQ de EA7XYZ EA7XYZ pse k"
  "2650|0.11|5|F5ABC de K1ABC gm om, name is Bob"
)
mix=()
n=0
for station in "${stations[@]}"; do
  IFS='|' read -r hz level delay text command <<< "$station"
  n=$((n + 1))
  { printf '%s\r\n' "$text"; [ -n "${command:-}" ] && printf '%s\r\n' "$command"; printf '%s\r\n' "$text"; } |
    "$psktool" encode --mode BPSK31 --freq "$hz" -o "$work/$n.wav"
  sox "$work/$n.wav" "$work/$n-late.wav" pad "$delay" 6
  mix+=(-v "$level" "$work/$n-late.wav")
done
sox -m "${mix[@]}" "$out"
echo "$out"
