#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds the
# same suite with the address and undefined-behaviour sanitizers (in
# build-sanitize/) and runs it again, and the engine's threaded tests under
# ThreadSanitizer (in build-tsan/), and runs every fuzz target for a few
# seconds (build-fuzz/). "./test.sh --quick" skips all but the first run.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
# A sound server with a null sink, for the test that runs two engines
# through a real PortAudio device (skipped when none can be started, failed
# instead under CI=true).
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

  # Every test labelled "threads" (every engine test: tests/CMakeLists.txt)
  # under ThreadSanitizer; only the engine and its tests are built there.
  # Any report fails the test that caused it.
  [ -f build-tsan/build.ninja ] || cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLARY_TSAN=ON
  cmake --build build-tsan -j "$(nproc)" --target test_psk psktool
  # (The suppressions' path is taken here: inside the subshell $PWD is
  # build-tsan/.)
  tsan_supp="$PWD/tests/sanitizers/tsan.supp"
  (cd build-tsan && TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$tsan_supp" \
     ctest -L threads --output-on-failure -j "$(nproc)" --timeout 900)

  # Every fuzz target for a few seconds (clang, in build-fuzz/).
  scripts/fuzz.sh 5
fi
