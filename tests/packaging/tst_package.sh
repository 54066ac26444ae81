#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks its name and
# dependencies, unpacks it into a scratch root and runs halvix-cli from there.
#   tst_package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$build" && cpack -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1) ||
  { cat "$tmp/cpack.log"; echo "FAIL: cpack"; exit 1; }
arch=$(dpkg --print-architecture)
deb=$tmp/out/halvix_${version}_${arch}.deb
[[ -f $deb ]] || { ls "$tmp/out"; echo "FAIL: no halvix_${version}_${arch}.deb"; exit 1; }

fail=0
depends=$(dpkg-deb -f "$deb" Depends)
for pkg in libqt5widgets5 libqt5charts5 libsqlite3-0 libjsoncpp25 libfftw3-single3 libzip4 \
  libpugixml1v5 libqt5svg5 fonts-noto-cjk; do
  [[ $depends == *"$pkg"* ]] || { echo "FAIL: Depends lacks $pkg: $depends"; fail=1; }
done
dpkg-deb -x "$deb" "$tmp/root"
for f in usr/bin/halvix usr/bin/halvix-cli usr/share/applications usr/share/metainfo; do
  [[ -e $tmp/root/$f ]] || { echo "FAIL: the package lacks /$f"; fail=1; }
done
got=$(env -i HOME="$tmp/home" PATH=/usr/bin:/bin "$tmp/root/usr/bin/halvix-cli" --version)
[[ $got == *"$version"* ]] || { echo "FAIL: packaged halvix-cli --version printed '$got'"; fail=1; }
exit $fail
