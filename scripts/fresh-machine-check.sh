#!/usr/bin/env bash
# What a newcomer does on a fresh machine, checked: clones this repository
# (its committed HEAD) into a temporary folder and runs the README's two
# commands there with a clean environment. ./test.sh must pass; ./run.sh must
# build and start Quillary, which then waits at the device chooser (shown on
# Qt's offscreen platform) until it is stopped after 20 seconds.
# The logs of both are kept in a temporary folder the script names.
# Usage: scripts/fresh-machine-check.sh [--quick]   (--quick: test.sh --quick)
set -uo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
# The clone goes; the two logs stay in $work for a look afterwards.
trap 'rm -rf "$work/quillary" "$work/home"' EXIT
git clone --quiet "$repo" "$work/quillary" || exit 1
mkdir -p "$work/home"
clean_env=(env -i HOME="$work/home" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
           LANG=C.UTF-8 TERM=dumb)
cd "$work/quillary"

start=$(date +%s)
"${clean_env[@]}" ./test.sh "$@" >"$work/test.log" 2>&1
test_result=$?
echo "./test.sh: exit $test_result after $(( $(date +%s) - start )) s"
grep -E "tests passed|tests failed" "$work/test.log" || tail -20 "$work/test.log"

start=$(date +%s)
"${clean_env[@]}" QT_QPA_PLATFORM=offscreen timeout 600 bash -c '
  ./run.sh & quillary=$!
  # run.sh installs and builds first (nothing left to do after test.sh),
  # then execs the program: it must still be running 20 seconds later.
  sleep 20
  if kill -0 $quillary 2>/dev/null; then kill -TERM $quillary; wait $quillary; exit 0; fi
  wait $quillary; exit 1' >"$work/run.log" 2>&1
run_result=$?
echo "./run.sh: $([ $run_result -eq 0 ] && echo "Quillary started and ran until stopped" || echo "failed ($run_result)") after $(( $(date +%s) - start )) s"
[ $run_result -eq 0 ] || tail -20 "$work/run.log"
echo "logs: $work/test.log, $work/run.log"
[ $test_result -eq 0 ] && [ $run_result -eq 0 ]
