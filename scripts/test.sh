#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${HALVIX_BUILD_DIR:-$root/build}
# The Data.dat reader is fuzzed with the sanitizers for a bounded time first,
# so that the test summary is the last thing printed.
if [[ -x "$root/scripts/fuzz.sh" && "${HALVIX_SKIP_FUZZ:-0}" != 1 ]]; then
  "$root/scripts/fuzz.sh"
fi
rc=0
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 300) || rc=$?
"$root/scripts/test-ratio.sh"
exit $rc
