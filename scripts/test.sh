#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: the fuzz
# targets for a bounded time, the suite built with the sanitizers, then the
# suite of the normal build (its summary is the last thing printed).
#   HALVIX_SKIP_FUZZ=1      leaves out the fuzzers
#   HALVIX_SKIP_SANITIZE=1  leaves out the sanitizer build
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${HALVIX_BUILD_DIR:-$root/build}
if [[ -x "$root/scripts/fuzz.sh" && "${HALVIX_SKIP_FUZZ:-0}" != 1 ]]; then
  "$root/scripts/fuzz.sh"
fi
rc=0
if [[ "${HALVIX_SKIP_SANITIZE:-0}" != 1 ]]; then
  "$root/scripts/sanitize.sh" || rc=1
fi
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 300) || rc=1
"$root/scripts/test-ratio.sh"
exit $rc
