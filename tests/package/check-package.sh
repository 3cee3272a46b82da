#!/usr/bin/env bash
# Builds the Debian package from the current build and checks what it holds and declares.
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/zorvex_*.deb)
echo "package: $(basename "$deb")"

fail=0
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/zorvex ./usr/bin/zorvex-monitor-sim ./usr/lib/zorvex/zorvex-network.so \
            ./usr/share/zorvex/help/index.html \
            ./usr/share/applications/zorvex.desktop \
            ./usr/share/icons/hicolor/scalable/apps/zorvex.svg \
            ./usr/share/icons/hicolor/48x48/apps/zorvex.png \
            ./usr/share/icons/hicolor/256x256/apps/zorvex.png; do
  if ! grep -qF " $path" <<<"$contents"; then
    echo "missing from the package: $path"; fail=1
  fi
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zorvex ] || { echo "Package field: $(field Package)"; fail=1; }
[ "$(field Version)" = 5.0.13 ] || { echo "Version field: $(field Version)"; fail=1; }
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || { echo "Architecture: $(field Architecture)"; fail=1; }
depends=$(field Depends)
echo "depends: $depends"
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libqt6network6 qt6-qpa-plugins; do
  grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed"; fail=1; }
done

# The desktop entry must name the binary and the icon it installs.
dpkg-deb -x "$deb" "$work/root"
desktop="$work/root/usr/share/applications/zorvex.desktop"
grep -qx 'Exec=zorvex' "$desktop" || { echo "desktop entry: bad Exec"; fail=1; }
grep -qx 'Icon=zorvex' "$desktop" || { echo "desktop entry: bad Icon"; fail=1; }
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail=1
fi
# The installed tool finds its network module: a refused connection, not a missing module.
answer=$(XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
  "$work/root/usr/bin/zorvex" --identify --device socket://127.0.0.1:1 --timeout 1 2>&1 || true)
grep -q "connection refused" <<<"$answer" || { echo "network module not found: $answer"; fail=1; }
exit $fail
