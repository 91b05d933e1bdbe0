#!/bin/sh
# wine-run.sh PREFIX PROGRAM [ARGUMENTS...]: runs a Windows program under Wine in the prefix
# PREFIX, creating it on first use. Drive D: of the prefix is the folder PREFIX/drive_d, a
# second drive for the tests; KALVEX_SCRATCH names a fresh scratch folder for the program.
# The loader is $KALVEX_WINE, else Debian's, else wine64 or wine. With KALVEX_WINE_WAIT set,
# it returns only when every program of the prefix has ended (an uninstaller that goes on in
# the background, for one).
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

loader=${KALVEX_WINE:-}
if [ -z "$loader" ]; then
  for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then loader=$candidate; break; fi
  done
fi
[ -n "$loader" ] || { echo "wine-run.sh: no Wine loader found" >&2; exit 127; }
server=$(dirname "$loader")/wineserver
[ -x "$server" ] || server=wineserver

if [ ! -f "$prefix/.kalvex-ready" ]; then
  mkdir -p "$prefix"
  (
    # Tests may start in parallel; one of them creates the prefix, the others wait for it.
    flock 9
    if [ ! -f "$prefix/.kalvex-ready" ]; then
      "$loader" wineboot --init >/dev/null 2>&1
      "$server" -w
      mkdir -p "$prefix/drive_d"
      rm -f "$prefix/dosdevices/d:"
      ln -s ../drive_d "$prefix/dosdevices/d:"
      touch "$prefix/.kalvex-ready"
    fi
  ) 9>"$prefix.lock"
fi
# A scratch folder outside the checkout for the tests' files, removed from this side when the
# program ends: Wine cannot always remove folders that a run made near the path limit.
scratch=$(mktemp -d /tmp/kalvexwine_XXXXXX)
trap 'rm -rf "$scratch"' EXIT
export KALVEX_SCRATCH="Z:$(printf '%s' "$scratch" | tr / '\\\\')"
# Wine keeps the host's QT_ variables from Windows programs, and passes WINEQT_NAME on to them
# as QT_NAME: that is how the Windows Qt programs get their QT_ settings.
for variable in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
  eval "export WINE$variable=\"\$$variable\""
done
status=0
"$loader" "$@" || status=$?
[ -z "${KALVEX_WINE_WAIT:-}" ] || "$server" -w
exit $status
