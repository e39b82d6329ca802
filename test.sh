#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds the
# same suite with the address and undefined-behaviour sanitizers (in
# build-sanitize/) and runs it again. "./test.sh --quick" skips that second run.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
# A sound server with a null sink, for the test that runs two engines
# through a real PortAudio device (skipped when none can be started).
device=$(scripts/start-test-sound.sh)
[ -n "$device" ] && export QUILLARY_SOUND_TEST_DEVICE="$device"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 600)

if [ "${1:-}" != "--quick" ]; then
  scripts/build.sh build-sanitize -DQUILLARY_SANITIZE=ON
  # Full stacks for every allocation, so the leak suppressions can name the
  # sound plugins that ALSA loads and unloads again.
  export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:fast_unwind_on_malloc=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  (cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 900)
fi
