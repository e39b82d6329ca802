#!/usr/bin/env bash
# Starts a sound server for the sound-card test: a PulseAudio null sink
# "quillary_air" whose monitor is the default input, so what one engine plays
# another hears. Prints the PortAudio device name to test with ("pulse"), or
# nothing when no server can be started, saying why on stderr (the test then
# skips, or fails under CI=true).
set -u
give_up() {
  echo "start-test-sound.sh: $1; the sound-card test cannot run" >&2
  exit 0
}
command -v pulseaudio >/dev/null 2>&1 || give_up "pulseaudio is not installed"
if ! pactl info >/dev/null 2>&1; then
  pulseaudio --start --exit-idle-time=-1 >/dev/null 2>&1 || give_up "pulseaudio did not start"
fi
if ! pactl list short sinks 2>/dev/null | grep -q quillary_air; then
  pactl load-module module-null-sink sink_name=quillary_air >/dev/null 2>&1 || give_up "no null sink"
fi
pactl set-default-sink quillary_air >/dev/null 2>&1 || give_up "the null sink cannot be the default"
pactl set-default-source quillary_air.monitor >/dev/null 2>&1 || give_up "its monitor cannot be the default input"
echo pulse
