#!/usr/bin/env bash
# Starts a sound server for the sound-card test: a PulseAudio null sink
# "quillary_air" whose monitor is the default input, so what one engine plays
# another hears. Prints the PortAudio device name to test with ("pulse"), or
# nothing when no server can be started (the test then skips).
set -u
command -v pulseaudio >/dev/null 2>&1 || exit 0
if ! pactl info >/dev/null 2>&1; then
  pulseaudio --start --exit-idle-time=-1 >/dev/null 2>&1 || exit 0
fi
if ! pactl list short sinks 2>/dev/null | grep -q quillary_air; then
  pactl load-module module-null-sink sink_name=quillary_air >/dev/null 2>&1 || exit 0
fi
pactl set-default-sink quillary_air >/dev/null 2>&1 || exit 0
pactl set-default-source quillary_air.monitor >/dev/null 2>&1 || exit 0
echo pulse
