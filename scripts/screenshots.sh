#!/bin/sh
# Builds Quorlin, starts the real program on Qt's offscreen platform with the bundled example
# project filled in, walks its four pages and runs the conversion with the Kalvex beside it.
# Saves docs/images/page0.png to page3.png and log.png, the log after the run. The project's
# copy lies in build/screenshots/projects while it runs.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
ensure_packages $BUILD_PACKAGES
root=$(pwd)
work=$root/build/screenshots
rm -rf "$work"
mkdir -p "$work" docs/images
cmake --preset default >/dev/null
cmake --build --preset default --target Kalvex Quorlin quorlin_snapshot_hook
sh tests/wizard/walk_quorlin.sh "$root/build/default/bin/Quorlin" \
  "$root/build/default/tests/wizard/libquorlin_snapshot_hook.so" \
  "$root/examples/sensor_node" "$work/projects" "$root/docs/images"
rm -rf "$work"
