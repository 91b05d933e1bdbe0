#!/bin/sh
# Builds everything and runs the whole suite, once plainly and once under the Address and
# UndefinedBehavior sanitizers; then the Windows build under Wine, the format check and the
# packages. Installs what is missing first. Fails if anything fails.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
ensure_packages $BUILD_PACKAGES $RELEASE_PACKAGES

echo "== format =="
sh scripts/format.sh --check

for preset in default sanitize; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
done

# Kalvex.exe cross-built with MinGW-w64; its tests run under Wine on Windows paths.
ensure_packages $WINDOWS_PACKAGES
echo "== windows =="
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows -j2

echo "== packages =="
sh scripts/check-packages.sh
