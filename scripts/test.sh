#!/bin/sh
# Builds everything and runs the whole suite, once plainly and once under the Address and
# UndefinedBehavior sanitizers; then the Windows build under Wine (building Qt for Windows first
# if this machine has none yet), the format check and the packages. Installs what is missing
# first. Fails if anything fails.
# With --linux, only the plain and sanitized Linux builds and their suites, for quick work.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
case "${1:-}" in
  "") linux_only= ;;
  --linux) linux_only=yes ;;
  *) echo "usage: sh scripts/test.sh [--linux]" >&2; exit 2 ;;
esac

if [ -n "$linux_only" ]; then
  ensure_packages $BUILD_PACKAGES
else
  ensure_packages $BUILD_PACKAGES $RELEASE_PACKAGES
fi
require_commands cmake ctest

if [ -z "$linux_only" ]; then
  echo "== format =="
  sh scripts/format.sh --check
fi

for preset in default sanitize; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
done
[ -z "$linux_only" ] || exit 0

# Kalvex.exe and Quorlin.exe cross-built with MinGW-w64; their tests run under Wine on Windows
# paths. Qt for Windows is built once per machine (half an hour or more the first time).
ensure_packages $WINDOWS_PACKAGES
echo "== windows =="
sh scripts/qt-windows.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows -j2

echo "== packages =="
sh scripts/check-packages.sh
