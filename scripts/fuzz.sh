#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (in build-fuzz/) and runs
# each for a bounded time.
#   scripts/fuzz.sh [SECONDS_PER_TARGET [TARGET...]]     (default: 60 s, all)
# Every target has its seed corpus in fuzz/corpus/TARGET, which is only
# read; what the fuzzer finds beyond it is kept in build-fuzz/corpus/TARGET
# and used again by the next run. A crash, a hang (over 20 s for one
# input) or a leak stops the run: the input is left in build-fuzz/artifacts/
# and the script fails. One line per target tells executions and coverage;
# the full output is in build-fuzz/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLARY_FUZZ=ON -DQUILLARY_TESTS=OFF
fi
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

mkdir -p build-fuzz/artifacts build-fuzz/logs
failed=()
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target"
  log="build-fuzz/logs/$target.log"
  start=$SECONDS
  if "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" \
       "build-fuzz/corpus/$target" "fuzz/corpus/$target" > "$log" 2>&1; then
    outcome=ok
  else
    outcome=FAILED
    failed+=("$target")
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$log" | tail -1)
  echo "$target: $outcome, ${runs:-?} runs in $((SECONDS - start)) s, ${coverage:-no coverage line}"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found problems in: ${failed[*]} (inputs in build-fuzz/artifacts/, output in build-fuzz/logs/)" >&2
  exit 1
fi
