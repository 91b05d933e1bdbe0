#!/bin/sh
# screenshots.sh [windows]: builds Quorlin, starts the real program with the bundled example
# project filled in, walks its four pages and runs the conversion with the Kalvex beside it.
# Saves docs/images/page0.png to page3.png and log.png, the log after the run, drawn on Qt's
# offscreen platform. With "windows", builds the Windows programs instead and saves
# docs/images/windows-page0.png and windows-log.png, drawn by Windows' own platform under Wine
# on a virtual X server. The project's copy lies in build/screenshots/projects while it runs.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
root=$(pwd)
work=$root/build/screenshots
rm -rf "$work"
mkdir -p "$work" docs/images

if [ "${1:-}" != windows ]; then
  ensure_packages $BUILD_PACKAGES
  require_commands cmake
  cmake --preset default >/dev/null
  cmake --build --preset default --target Kalvex Quorlin quorlin_snapshot_hook
  sh tests/wizard/walk_quorlin.sh "$root/build/default/bin/Quorlin" \
    "$root/build/default/tests/wizard/libquorlin_snapshot_hook.so" \
    "$root/examples/sensor_node" "$work/projects" "$root/docs/images"
  rm -rf "$work"
  exit 0
fi

ensure_packages $WINDOWS_PACKAGES $SCREENSHOT_PACKAGES
require_commands cmake xvfb-run
sh scripts/qt-windows.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Kalvex Quorlin quorlin_snapshot_hook
mkdir "$work/pictures"
# A prefix of its own, so that the test prefix keeps no display settings.
QT_QPA_PLATFORM=windows WALK_QUORLIN_WINE="$work/wine" xvfb-run -a -s "-screen 0 1280x1024x24" \
  sh tests/wizard/walk_quorlin.sh "$root/build/windows/bin/Quorlin.exe" \
  "$root/build/windows/tests/wizard/hook/generic/libquorlin_snapshot_hook.dll" \
  "$root/examples/sensor_node" "$work/projects" "$work/pictures"
cp "$work/pictures/page0.png" docs/images/windows-page0.png
cp "$work/pictures/log.png" docs/images/windows-log.png
rm -rf "$work"
