#!/bin/sh
# walk_quorlin.sh QUORLIN HOOK SAMPLE WORK [PICTURES]: runs the built Quorlin as the README
# says, from the new folder WORK (or a fresh temporary one when WORK is "-") and with no Kalvex
# on the search path, through a conversion of a copy of the sample project folder SAMPLE into
# WORK/zintra. With PICTURES, the hook saves the pages and the log there. Passes when the
# Kalvex beside Quorlin converted the project; removes WORK at the end.
# A Windows QUORLIN (Quorlin.exe) runs under Wine in the prefix WALK_QUORLIN_WINE (an absolute
# path; a WORK in its drive_c is seen on drive C:), with no Kalvex on Windows' search path; HOOK
# is then the plugin in a folder "generic", and the platform plugins come from the Qt folder
# WALK_QUORLIN_QT_PLUGINS (a Windows path) unless QT_QPA_PLATFORM names another platform than
# the offscreen one.
set -eu
quorlin=$1
hook=$2
sample=$3
work=$4
pictures=${5:-}
runner=$(cd "$(dirname "$0")/../../cmake" && pwd)/wine-run.sh
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
wine_prefix=${WALK_QUORLIN_WINE:-}
# host PATH: the path as the program sees it (on Windows, on drive C: when it lies in the
# prefix's drive_c, else on drive Z:, the host's root).
host() {
  if [ -z "$wine_prefix" ]; then
    printf '%s' "$1"
    return
  fi
  case "$1" in
    "$wine_prefix/drive_c/"*) printf 'C:/%s' "${1#"$wine_prefix/drive_c/"}" | tr / '\\' ;;
    *) printf 'Z:%s' "$1" | tr / '\\' ;;
  esac
}
if [ -n "$pictures" ]; then
  QUORLIN_SNAPSHOT_DIR=$(host "$pictures")
  export QUORLIN_SNAPSHOT_DIR
fi
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export QUORLIN_SAMPLE_PROJECT="$(host "$work/$name/$name.gpj")"
export QUORLIN_SAMPLE_FOLDER="$(host "$work/zintra")"
export QUORLIN_SAMPLE_NAME="$name"
export QUORLIN_SAMPLE_COMPILER="$(host "$work/$name/config/sn200.p_c")"
export QUORLIN_SAMPLE_ANALYSER="$(host "$work/$name/config/misra.p_a")"
if [ -n "$wine_prefix" ]; then
  plugins=$(host "$(dirname "$(dirname "$hook")")")
  if [ "$QT_QPA_PLATFORM" = offscreen ]; then
    plugins="$plugins;$WALK_QUORLIN_QT_PLUGINS"
    # The offscreen platform reads fonts from one folder; Windows' own are not there under Wine.
    QT_QPA_FONTDIR=$(host /usr/share/fonts/truetype/liberation)
    export QT_QPA_FONTDIR
  fi
  unset WINEPATH
  QT_PLUGIN_PATH="$plugins" QT_QPA_GENERIC_PLUGINS=quorlinsnapshot \
    sh "$runner" "$wine_prefix" "$quorlin"
else
  # The hook is not the first library of a sanitized program; its runtime may not insist on that.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
  PATH="$work/empty" LD_PRELOAD="$hook" "$quorlin"
fi
test -f "$work/zintra/$name.prj"
test -f "$work/settings.txt"
