#!/usr/bin/env bash
# The long runs of play by chance, one command each:
#   tools/long-play.sh fuzz [SECONDS]         the play fuzzer on the fuzz preset, one job (default
#                                             1800 s), then the source files its corpus reaches
#   tools/long-play.sh chance [SEEDS] [FRAMES] the chance player on the ci preset, seeds 1..SEEDS
#                                             (default 10) of FRAMES frames (default 100000) each
# A finding fails the run: the fuzzer keeps its input in build/fuzz/artifacts (play it again on
# any build with kestrivon-run --replay FILE), the chance player names its seed and frame.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

case "${1:-}" in
fuzz)
  seconds=${2:-1800}
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz --target kestrivon_fuzz_play
  mkdir -p build/fuzz/corpus/play build/fuzz/artifacts build/fuzz/play-run
  cd build/fuzz/play-run
  status=0
  ../fuzz/kestrivon_fuzz_play -max_total_time="$seconds" -jobs=1 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$root/build/fuzz/artifacts/play-" -print_final_stats=1 \
    "$root/build/fuzz/corpus/play" "$root/fuzz/corpus/play" >/dev/null 2>&1 || status=$?
  grep -E '^stat::number_of_executed_units|ERROR|fuzz_play:' fuzz-0.log || true
  # Coverage: every source file with a function the corpus enters.
  ../fuzz/kestrivon_fuzz_play -runs=0 -print_coverage=1 "$root/build/fuzz/corpus/play" \
    >coverage.log 2>&1 || true
  grep '^COVERED_FUNC' coverage.log | awk '{print $NF}' | sed 's/:[0-9]*$//' | grep -o '/src/.*' |
    grep -v '^/src/platform/sdl/' | sort -u >covered-files.txt
  echo "source files reached: $(wc -l <covered-files.txt) (list in $PWD/covered-files.txt)"
  [ "$status" -eq 0 ] || { echo "fuzz_play found a fault: see $PWD/fuzz-0.log" >&2; exit 1; }
  ;;
chance)
  seeds=${2:-10}
  frames=${3:-100000}
  cmake --preset ci >/dev/null
  cmake --build --preset ci --target kestrivon-run sampledata
  for seed in $(seq 1 "$seeds"); do
    start=$(date +%s)
    if ! build/ci/tools/kestrivon-run/kestrivon-run --play "$seed" --frames "$frames" \
      --data build/ci/sampledata >"build/ci/play-$seed.log"; then
      echo "seed $seed: FINDING (lines in build/ci/play-$seed.log)" >&2
      exit 1
    fi
    echo "seed $seed: $frames frames, nothing found ($(($(date +%s) - start)) s)"
  done
  ;;
*)
  echo "usage: tools/long-play.sh fuzz [SECONDS] | chance [SEEDS] [FRAMES]" >&2
  exit 2
  ;;
esac
