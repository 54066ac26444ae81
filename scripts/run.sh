#!/usr/bin/env bash
# Installs what is missing, builds, and starts Halvix. On the first start it
# offers to write a sample data set that can be imported at once.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${HALVIX_BUILD_DIR:-$root/build}
samples="${XDG_DATA_HOME:-$HOME/.local/share}/Halvix/samples"
if [[ -x $build/cli/halvix-cli ]] && $build/cli/halvix-cli --help 2>/dev/null | grep -q '^ *sample'; then
  if [[ ! -d $samples ]]; then
    echo "Writing a sample data set to $samples (import it with \"Data Import\" or by dropping the folder on the list)."
    "$build/cli/halvix-cli" sample "$samples/Sample data set" --items 250 || true
  fi
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "Halvix is built, but there is no display to show its window on." >&2
  echo "Start it from a desktop session with:" >&2
  echo "  $build/app/halvix" >&2
  echo "or, on a machine without a desktop, inside a virtual display:" >&2
  echo "  xvfb-run -a $build/app/halvix" >&2
  exit 0
fi
exec "$build/app/halvix"
