#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and
# undefined-behaviour sanitizers in their own build directory, and runs each
# for a bounded time on its seed corpus: the committed files under
# fuzz/corpus/<name>/ (plus, for Data.dat, generated files and the shared
# samples). Exits non-zero when a fuzzer finds a crash, leak or sanitizer
# report; the input that did it is left in the build directory.
#   HALVIX_FUZZ_SECONDS    run time of every target (default: the table below)
#   HALVIX_FUZZ_TARGETS    names to run, blank-separated (default: all)
#   HALVIX_FUZZ_BUILD_DIR  build directory (default build-asan, shared with scripts/sanitize.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The sanitizer build of the test suite (scripts/sanitize.sh) is configured
# the same way: one clang build serves both.
build=${HALVIX_FUZZ_BUILD_DIR:-$root/build-asan}

# name           seconds  max_len   (the target is fuzz_<name>; add a line per reader)
targets="
data_dat         40       131072
side_json        20       16384
config_json      20       16384
install_setting  10       4096
docx             30       65536
http_reply       20       8192
"

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHALVIX_FUZZ=ON -DHALVIX_SANITIZE=ON -DHALVIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_all

export QT_QPA_PLATFORM=offscreen
# The targets write scratch files (and fsync what they replace): in memory
# they run many times faster. Each run gets its own, removed afterwards.
scratch_base=${TMPDIR:-/tmp}
if [[ -d /dev/shm && -w /dev/shm ]]; then
  scratch_base=/dev/shm
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

# Seeds of Data.dat that are generated rather than committed.
data_dat_seeds() {
  local seeds=$1
  # The seed tool itself is built with the sanitizers; its leaks are not ours to judge.
  ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/fuzz_seed_corpus" "$seeds" >/dev/null
  local samples="$root/../shared/samples"
  [[ -d "$samples" ]] || samples="$root/tests/data/samples"
  [[ -d "$samples" ]] || return 0
  local n=0 f
  while IFS= read -r -d '' f; do
    cp "$f" "$seeds/shared_$n.$(basename "$f")"
    n=$((n + 1))
  done < <(find "$samples" -type f \( -name Data.dat -o -name '*.json' \) -print0)
}

failed=0
while read -r name seconds max_len; do
  [[ -n "$name" ]] || continue
  if [[ -n "${HALVIX_FUZZ_TARGETS:-}" && " $HALVIX_FUZZ_TARGETS " != *" $name "* ]]; then
    continue
  fi
  seconds=${HALVIX_FUZZ_SECONDS:-$seconds}
  corpus="$build/fuzz-corpus/$name" # what the fuzzer found, kept between runs
  seeds="$build/fuzz-seeds/$name"
  mkdir -p "$corpus" "$seeds"
  [[ $name == data_dat ]] && data_dat_seeds "$seeds"
  committed="$root/fuzz/corpus/$name"
  [[ -d "$committed" ]] || committed=
  # The fuzzer's running commentary goes to a log; a finding prints its end.
  log="$build/fuzz_$name.log"
  scratch=$(mktemp -d "$scratch_base/halvix-fuzz.XXXXXX")
  if ! TMPDIR=$scratch "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/${name}_" \
    "$corpus" "$seeds" ${committed:+"$committed"} </dev/null >"$log" 2>&1; then
    rm -rf "$scratch"
    tail -n 80 "$log" >&2
    echo "fuzz: $name failed; see $log and the ${name}_crash-* file in $build" >&2
    failed=1
    continue
  fi
  rm -rf "$scratch"
  runs=$(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  echo "fuzz: $name: no crash in ${seconds} s ($runs inputs)"
done <<<"$targets"
exit $failed
