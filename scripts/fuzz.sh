#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang into build-fuzz/ (or the folder
# given as $1) and runs each over its seed corpus for a while ($2 seconds,
# 20 by default). Fails when a harness finds a crash, a hang or a sanitizer
# report; what it found is left in <folder>/fuzz-findings/.
#   scripts/fuzz.sh [folder] [seconds] [harness...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-fuzz}
seconds=${2:-20}
shift 2 || shift $# || true
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=(fuzz_fen fuzz_book fuzz_settings fuzz_session fuzz_pgn fuzz_gamefile)

cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVANE_FUZZ=ON -DORVANE_SANITIZE=OFF -DORVANE_BUILD_QT=OFF -DORVANE_BUILD_TESTS=OFF \
  -DORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target "${harnesses[@]}" fuzz_seeds -- -j"$(nproc)"

# Inputs longer than this only slow a harness down. A PGN input of 512
# bytes holds a few games or one of some 60 plies (a FEN tag reaches any
# position sooner); at 1024 the replays ran at half the speed.
max_len() {
  case "$1" in
    fuzz_session) echo 128 ;;
    fuzz_pgn) echo 512 ;;
    *) echo 4096 ;;
  esac
}

findings="$dir/fuzz-findings"
rm -rf "$findings"
mkdir -p "$findings"
failed=()
for h in "${harnesses[@]}"; do
  # New inputs go to a scratch corpus, so the seeds stay as they were made.
  corpus=$(mktemp -d)
  log="$findings/$h.log"
  status=0
  "$dir/bin/$h" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len "$h")" \
    -print_final_stats=1 -artifact_prefix="$findings/$h-" "$corpus" "$dir/seeds/$h" >"$log" 2>&1 || status=$?
  rm -rf "$corpus"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ "$status" -ne 0 ]; then
    failed+=("$h")
    echo "$h: FAILED after ${runs:-?} runs (exit status $status); see $log"
    grep -E "property failed|ERROR:|SUMMARY:|runtime error" "$log" | head -5 || true
  else
    echo "$h: ${runs:-?} runs in ${seconds} s, nothing found"
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzzing found faults in: ${failed[*]}"; exit 1; }
