#!/usr/bin/env bash
# The whole check: the layer rule, the sanitized test build and its tests, the optimised build with
# its tests and a short benchmark run, then each fuzzer briefly. Fails on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
# No folder includes one on a higher level.
tools/check-layers.sh

cmake --preset ci
cmake --build --preset ci
ctest --preset ci -j "$(nproc)"

# The later builds take the ci build's sample data set rather than build the generator again, and
# build only what they run.
shared_data=(-DKV_SAMPLEDATA="$PWD/build/ci/sampledata")

# The player's build with the tests and benchmarks: optimisation brings warnings, and sometimes
# faults, of its own. The benchmarks run just long enough to show they still build and run.
cmake --preset opt "${shared_data[@]}" >/dev/null
cmake --build --preset opt --target kestrivon_tests kestrivon_bench
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build/opt/tests/kestrivon_tests --gtest_brief=1
build/opt/bench/kestrivon_bench --benchmark_min_time=0.01

# The fuzzers, all at once: each runs KV_FUZZ_SECONDS (default 30) over its corpus, seeded
# read-only from fuzz/corpus/<name>. A crash, a leak, an input slower than 10 s or one that needs
# more than 2 GB is a finding: its report is printed whole, the input that caused it is kept in
# build/fuzz/artifacts, and the run fails.
cmake --preset fuzz "${shared_data[@]}" >/dev/null
cmake --build --preset fuzz --target fuzzers
rm -rf build/fuzz/logs
mkdir -p build/fuzz/artifacts build/fuzz/logs
fuzz_one() {
  local fuzzer=$1 name=${1##*/kestrivon_fuzz_}
  # Absolute: the play fuzzer works in the sample data's folder.
  local corpus=$PWD/build/fuzz/corpus/$name seeds=$PWD/fuzz/corpus/$name
  mkdir -p "$corpus"
  local dirs=("$corpus")
  [ -d "$seeds" ] && dirs+=("$seeds")
  local status=0
  "$fuzzer" -max_total_time="${KV_FUZZ_SECONDS:-30}" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$PWD/build/fuzz/artifacts/$name-" -print_final_stats=1 "${dirs[@]}" \
    >"build/fuzz/logs/$name.log" 2>&1 || status=$?
  echo "$status" >"build/fuzz/logs/$name.status"
}
export -f fuzz_one
export KV_FUZZ_SECONDS
printf '%s\n' build/fuzz/fuzz/kestrivon_fuzz_* | xargs -P "$(nproc)" -I{} bash -c 'fuzz_one {}'
findings=0
for status in build/fuzz/logs/*.status; do
  name=$(basename "$status" .status)
  log=build/fuzz/logs/$name.log
  if [ "$(cat "$status")" = 0 ]; then
    echo "== $name: $(grep -m1 '^stat::number_of_executed_units' "$log" | tr -dc 0-9) runs, no finding"
  else
    echo "== $name: FINDING (exit $(cat "$status")), its report:"
    cat "$log"
    findings=$((findings + 1))
  fi
done
[ "$findings" -eq 0 ] || { echo "$findings fuzzer(s) found a fault" >&2; exit 1; }
