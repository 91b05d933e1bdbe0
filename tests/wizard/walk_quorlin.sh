#!/bin/sh
# walk_quorlin.sh QUORLIN HOOK SAMPLE WORK [PICTURES]: runs the built Quorlin as the README
# says, from the new folder WORK (or a fresh temporary one when WORK is "-") and with no Kalvex
# on the search path, through a conversion of a copy of the sample project folder SAMPLE into
# WORK/zintra. With PICTURES, the hook saves the pages and the log there. Passes when the
# Kalvex beside Quorlin converted the project; removes WORK at the end.
set -eu
quorlin=$1
hook=$2
sample=$3
work=$4
pictures=${5:-}
if [ "$work" = - ]; then
  work=$(mktemp -d)
elif ! mkdir "$work" 2>/dev/null; then
  echo "walk_quorlin.sh: $work exists; remove it or move it away first" >&2
  exit 1
fi
trap 'rm -rf "$work"' EXIT
name=$(basename "$sample")
cp -R "$sample" "$work/$name"
mkdir "$work/zintra" "$work/empty"
cd "$work"
if [ -n "$pictures" ]; then
  export QUORLIN_SNAPSHOT_DIR="$pictures"
fi
# The hook is not the first library of a sanitized program; its runtime may not insist on that.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
QT_QPA_PLATFORM=offscreen \
PATH="$work/empty" \
QUORLIN_SAMPLE_PROJECT="$work/$name/$name.gpj" \
QUORLIN_SAMPLE_FOLDER="$work/zintra" \
QUORLIN_SAMPLE_NAME="$name" \
QUORLIN_SAMPLE_COMPILER="$work/$name/config/sn200.p_c" \
QUORLIN_SAMPLE_ANALYSER="$work/$name/config/misra.p_a" \
LD_PRELOAD="$hook" \
  "$quorlin"
test -f "$work/zintra/$name.prj"
test -f "$work/settings.txt"
