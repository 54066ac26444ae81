#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running Halvix
# needs. Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config git
  # libraries
  qtbase5-dev qtbase5-dev-tools libqt5charts5-dev libqt5svg5-dev
  qttools5-dev qttools5-dev-tools libqt5sql5-sqlite
  libjsoncpp-dev libfftw3-dev libzip-dev libpugixml-dev libsqlite3-dev
  # running the program and its GUI tests without a desktop
  xvfb xauth dbus-x11 fonts-noto-cjk
  # fuzzing the file reader (libFuzzer with clang)
  clang libfuzzer-14-dev libclang-rt-14-dev
  # checking produced reports
  poppler-utils unzip
  # validating the installed desktop entry and metadata, building the package
  desktop-file-utils appstream dpkg-dev file
)
if [[ "${HALVIX_WITH_OFFICE:-1}" == 1 ]]; then
  packages+=(libreoffice-writer-nogui)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "sudo is not installed; as root, run:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    echo "then run this command again." >&2
    exit 1
  fi
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
