#!/usr/bin/env bash
# Prints test code against program code: non-blank, non-comment lines of the
# C++ sources git tracks, tests/ against everything else.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { grep -c -v -E '^\s*(//.*)?$' "$@" | awk -F: '{s += $NF} END {print s + 0}'; }
mapfile -t tests < <(git ls-files -- tests | grep -E '\.(cpp|cc|h|hpp)$')
mapfile -t program < <(git ls-files | grep -E '\.(cpp|cc|h|hpp)$' | grep -v -E '^tests/')
t=$(count /dev/null "${tests[@]}")
p=$(count /dev/null "${program[@]}")
awk -v t="$t" -v p="$p" 'BEGIN { printf "Test code: %d lines, program code: %d lines, ratio %.2f\n", t, p, (p ? t / p : 0) }'
