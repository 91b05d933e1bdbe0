#!/bin/sh
# Builds Quorlin, starts the real program on Qt's offscreen platform with a small sample project
# filled in, and saves a picture of each of its four pages as docs/images/page0.png to page3.png.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
ensure_packages $BUILD_PACKAGES
root=$(pwd)
cmake --preset default >/dev/null
cmake --build --preset default --target Quorlin quorlin_snapshot_hook

sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
mkdir -p "$sample/out" "$root/docs/images"
printf 'main.c\n' >"$sample/board.gpj"
printf -- '-I include\n' >"$sample/compiler.p_c"

cd "$sample"
QT_QPA_PLATFORM=offscreen \
QUORLIN_SNAPSHOT_DIR="$root/docs/images" \
QUORLIN_SAMPLE_PROJECT="$sample/board.gpj" \
QUORLIN_SAMPLE_FOLDER="$sample/out" \
QUORLIN_SAMPLE_NAME=demo \
QUORLIN_SAMPLE_COMPILER="$sample/compiler.p_c" \
LD_PRELOAD="$root/build/default/tests/wizard/libquorlin_snapshot_hook.so" \
  "$root/build/default/bin/Quorlin"
