#!/usr/bin/env bash
# Installs the build into a scratch prefix, validates the desktop entry and
# the AppStream metadata, and runs the installed command line program with
# the build tree out of its reach.
#   tst_install.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

fail=0
expect() { [[ -e $prefix/$1 ]] || { echo "FAIL: $1 is not installed"; fail=1; }; }
expect bin/halvix
expect bin/halvix-cli
expect "share/applications/$id.desktop"
expect "share/metainfo/$id.metainfo.xml"
expect "share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 32 48 64 128 256; do
  png=share/icons/hicolor/${size}x${size}/apps/$id.png
  expect "$png"
  # A PNG's width and height sit at bytes 16..23 of its header.
  if [[ -e $prefix/$png ]]; then
    dims=$(od -An -tu1 -j16 -N8 "$prefix/$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [[ $dims == "${size}x${size}" ]] || { echo "FAIL: $png is $dims"; fail=1; }
  fi
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail=1
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" || fail=1
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  { echo "FAIL: the metadata's release is not $version"; fail=1; }

# Run from a copy outside the build tree, with a data folder of its own.
got=$(cd "$tmp" && env -i HOME="$tmp/home" PATH=/usr/bin:/bin "$prefix/bin/halvix-cli" --version)
[[ $got == *"$version"* ]] || { echo "FAIL: installed halvix-cli --version printed '$got'"; fail=1; }
if ldd "$prefix/bin/halvix" "$prefix/bin/halvix-cli" | grep -q "not found"; then
  echo "FAIL: an installed program misses a shared library"; fail=1
fi
exit $fail
