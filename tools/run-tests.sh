#!/usr/bin/env bash
# Builds the sanitized test build, runs each fuzzer briefly, then every test.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
# No folder includes one on a higher level.
tools/check-layers.sh
cmake --preset ci
cmake --build --preset ci

# The player's build must compile too: optimisation brings warnings of its own.
cmake --preset release >/dev/null
cmake --build --preset release

# The fuzzers: a short run of each over its corpus, seeded read-only from fuzz/corpus/<name>.
# Time per target: KV_FUZZ_SECONDS.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for fuzzer in build/fuzz/fuzz/kestrivon_fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus="build/fuzz/corpus/${name#kestrivon_fuzz_}"
  seeds="fuzz/corpus/${name#kestrivon_fuzz_}"
  mkdir -p "$corpus"
  echo "== $name"
  dirs=("$corpus")
  [ -d "$seeds" ] && dirs+=("$seeds")
  "$fuzzer" -max_total_time="${KV_FUZZ_SECONDS:-30}" -print_final_stats=0 "${dirs[@]}" 2>&1 | tail -n 3
done

ctest --preset ci
# Once more in one process, in a shuffled but fixed order: state one test leaves behind must not
# change another's result.
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build/ci/tests/kestrivon_tests --gtest_shuffle \
  --gtest_random_seed=20261210 --gtest_brief=1
