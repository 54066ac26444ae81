#!/usr/bin/env bash
# Builds the Data.dat fuzz target with clang, libFuzzer and the address and
# undefined-behaviour sanitizers in its own build directory, and runs it for
# a bounded time on a seed corpus (generated files and the shared samples).
# Exits non-zero when the fuzzer finds a crash, leak or sanitizer report.
#   HALVIX_FUZZ_SECONDS  run time (default 60)
#   HALVIX_FUZZ_BUILD_DIR  build directory (default build-fuzz)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HALVIX_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${HALVIX_FUZZ_SECONDS:-60}

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHALVIX_FUZZ=ON -DHALVIX_SANITIZE=ON \
  -DHALVIX_BUILD_TESTS=OFF -DHALVIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_data_dat fuzz_seed_corpus

corpus="$build/fuzz-corpus"
seeds="$build/fuzz-seeds"
mkdir -p "$corpus" "$seeds"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
# The seed tool itself is built with the sanitizers; its leaks are not ours to judge.
ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/fuzz_seed_corpus" "$seeds"
samples="$root/../shared/samples"
[[ -d "$samples" ]] || samples="$root/tests/data/samples"
if [[ -d "$samples" ]]; then
  n=0
  while IFS= read -r -d '' f; do
    cp "$f" "$seeds/shared_$n.$(basename "$f")"
    n=$((n + 1))
  done < <(find "$samples" -type f \( -name Data.dat -o -name '*.json' \) -print0)
fi

# The fuzzer's running commentary goes to a log; a finding prints its end.
log="$build/fuzz.log"
if ! "$build/fuzz/fuzz_data_dat" -max_total_time="$seconds" -max_len=131072 -timeout=20 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/" "$corpus" "$seeds" \
  >"$log" 2>&1; then
  tail -n 80 "$log" >&2
  echo "fuzz: the Data.dat reader failed; see $log and the crash-* file in $build" >&2
  exit 1
fi
echo "fuzz: no crash in ${seconds} s ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?') inputs)"
