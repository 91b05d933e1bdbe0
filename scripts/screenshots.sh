#!/bin/sh
# Builds Quorlin, starts the real program on Qt's offscreen platform with the bundled example
# project filled in, walks its four pages and runs the conversion with the Kalvex beside it.
# Saves docs/images/page0.png to page3.png and log.png, the log after the run.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
ensure_packages $BUILD_PACKAGES
root=$(pwd)
cmake --preset default >/dev/null
cmake --build --preset default --target Kalvex Quorlin quorlin_snapshot_hook

# The pictures show the sample's paths, so it lies in a folder of a plausible name rather than a
# random one; an existing folder of that name is left alone.
work=/tmp/projects
if ! mkdir "$work" 2>/dev/null; then
  echo "screenshots.sh: $work exists; remove it or move it away first" >&2
  exit 1
fi
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/zintra" "$root/docs/images"
cp -R examples/sensor_node "$work/sensor_node"

cd "$work"
QT_QPA_PLATFORM=offscreen \
QUORLIN_SNAPSHOT_DIR="$root/docs/images" \
QUORLIN_SAMPLE_PROJECT="$work/sensor_node/sensor_node.gpj" \
QUORLIN_SAMPLE_FOLDER="$work/zintra" \
QUORLIN_SAMPLE_NAME=sensor_node \
QUORLIN_SAMPLE_COMPILER="$work/sensor_node/config/sn200.p_c" \
QUORLIN_SAMPLE_ANALYSER="$work/sensor_node/config/misra.p_a" \
LD_PRELOAD="$root/build/default/tests/wizard/libquorlin_snapshot_hook.so" \
  "$root/build/default/bin/Quorlin"
