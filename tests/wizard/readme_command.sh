#!/bin/sh
# readme_command.sh QUORLIN HOOK SAMPLE: runs the built Quorlin as the README says, from a
# folder of its own and with no Kalvex on the search path, through a conversion of the sample
# project folder SAMPLE. Passes when the Kalvex beside Quorlin converted it.
set -eu
quorlin=$1
hook=$2
sample=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$sample" "$work/project"
mkdir "$work/out" "$work/empty"
cd "$work"
# The hook is not the first library of a sanitized program; its runtime may not insist on that.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
QT_QPA_PLATFORM=offscreen \
PATH="$work/empty" \
QUORLIN_SAMPLE_PROJECT="$work/project/sensor_node.gpj" \
QUORLIN_SAMPLE_FOLDER="$work/out" \
QUORLIN_SAMPLE_NAME=demo \
QUORLIN_SAMPLE_COMPILER="$work/project/config/sn200.p_c" \
LD_PRELOAD="$hook" \
  "$quorlin"
test -f "$work/out/demo.prj"
test -f "$work/settings.txt"
