#!/usr/bin/env bash
# Configures (Release) and builds into ./build: the targets given, or everything.
#   scripts/build.sh [target ...]      e.g. scripts/build.sh zorvex zorvex-monitor-sim
set -euo pipefail
cd "$(dirname "$0")/.."
# Built through sudo, the tree belongs to root and the user can no longer build or run in it.
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    echo "Warning: building with sudo; the build tree will belong to root. Run the scripts as" >&2
    echo "$SUDO_USER instead (they ask for sudo themselves when a package is missing)." >&2
fi
# A build tree left by a run as root cannot be built on by a normal user; say how to mend it.
if [ -d build ] && not_mine="$(find build -maxdepth 2 ! -type l ! -writable -print -quit)" &&
    [ -n "$not_mine" ]; then
    echo "Cannot write $not_mine (made by another user, e.g. an earlier run as root)." >&2
    echo "Take the build tree back with:  sudo chown -R \"\$(id -un):\" build" >&2
    exit 1
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" ${1:+--target "$@"}
