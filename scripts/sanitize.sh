#!/usr/bin/env bash
# Builds the test suite a second time, with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (float-cast-overflow included), in its own build
# directory, and runs it. Any sanitizer report ends the process under test and
# so fails its test. Leaks of third-party code and deliberate ones are
# suppressed by scripts/lsan.supp (each line says why).
#   HALVIX_SANITIZE_BUILD_DIR  build directory (default build-asan)
#   extra arguments go to ctest (for example -R tst_database)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HALVIX_SANITIZE_BUILD_DIR:-$root/build-asan}

if ! command -v clang++ >/dev/null; then
  echo "sanitize: clang++ is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
# The fuzz targets share this build (scripts/fuzz.sh configures it alike).
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHALVIX_FUZZ=ON -DHALVIX_SANITIZE=ON -DHALVIX_BUILD_BENCH=OFF >/dev/null
# Set before the build too: it runs tools of its own (the icon renderer).
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
cmake --build "$build" --parallel "$(nproc)"

# The packaging tests check the package, not the code: not again here.
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 900 \
  -E '^tst_(package|install)$' "$@"
