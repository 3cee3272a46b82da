#!/usr/bin/env bash
# Makes sure what building, running and testing Zorvex needs is installed (Debian 12).
# Run as yourself: with everything installed it changes nothing and needs no root. Missing
# packages are installed with apt-get: directly as root, through sudo otherwise; without
# sudo it prints the command to run as root and stops.
set -euo pipefail

# Real package names only: a virtual one is never reported as installed.
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev
  qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick libx11-dev
  dpkg-dev file desktop-file-utils
  ser2net
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
((${#missing[@]})) || exit 0

echo "Missing packages: ${missing[*]}"
install=(apt-get install -y -q --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo > /dev/null; then
  as_root=(sudo)
else
  echo "Install them as root, then run this again:" >&2
  echo "  su -c 'apt-get update && ${install[*]}'" >&2
  exit 1
fi
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive "${install[@]}"
