#!/bin/sh
# screenshots.sh [windows]: builds Quorlin, starts the real program with the bundled example
# project filled in, walks its four pages and runs the conversion with the Kalvex beside it.
# Saves docs/images/page0.png to page3.png and log.png, the log after the run, drawn on Qt's
# offscreen platform. With "windows", builds the Windows programs instead and saves
# docs/images/windows-page0.png and windows-log.png, drawn by Windows' own platform under Wine
# on a virtual X server. The pictures show the project's copy in a neutral folder: on Linux
# /home/user/projects, in a /home that only the walk sees (where the system lets root make one;
# else build/screenshots/projects), on Windows C:\Projects, in the prefix's drive C:.
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
  set -- "$root/build/default/bin/Quorlin" \
    "$root/build/default/tests/wizard/libquorlin_snapshot_hook.so" "$root/examples/sensor_node"
  case "$root/" in
    /home/*) private_home= ;;
    *) unshare -m mount -t tmpfs kalvex-probe /home 2>/dev/null && private_home=yes || private_home= ;;
  esac
  if [ -n "$private_home" ]; then
    # shellcheck disable=SC2016
    unshare -m sh -c 'mount -t tmpfs kalvex-home /home && mkdir /home/user &&
      HOME=/home/user exec sh tests/wizard/walk_quorlin.sh "$@"' walk "$@" /home/user/projects \
      "$root/docs/images"
  else
    echo "screenshots: no private /home here; the pictures show $work/projects"
    sh tests/wizard/walk_quorlin.sh "$@" "$work/projects" "$root/docs/images"
  fi
  rm -rf "$work"
  exit 0
fi

ensure_packages $WINDOWS_PACKAGES $SCREENSHOT_PACKAGES
require_commands cmake xvfb-run
sh scripts/qt-windows.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Kalvex Quorlin quorlin_snapshot_hook
mkdir -p "$work/pictures" "$work/wine/drive_c"
# A prefix of its own, so that the test prefix keeps no display settings.
QT_QPA_PLATFORM=windows WALK_QUORLIN_WINE="$work/wine" xvfb-run -a -s "-screen 0 1280x1024x24" \
  sh tests/wizard/walk_quorlin.sh "$root/build/windows/bin/Quorlin.exe" \
  "$root/build/windows/tests/wizard/hook/generic/libquorlin_snapshot_hook.dll" \
  "$root/examples/sensor_node" "$work/wine/drive_c/Projects" "$work/pictures"
cp "$work/pictures/page0.png" docs/images/windows-page0.png
cp "$work/pictures/log.png" docs/images/windows-log.png
rm -rf "$work"
