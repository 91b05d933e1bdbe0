#!/bin/sh
# Builds the packages into build/packages: from the release build a Debian package and a .tar.gz
# with Kalvex and Quorlin, from the Windows build an installer and a .zip with Kalvex.exe,
# Quorlin.exe and Qt. Prints their sizes.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
ensure_packages $BUILD_PACKAGES $WINDOWS_PACKAGES $RELEASE_PACKAGES
require_commands cmake cpack

packages=build/packages
rm -rf "$packages"
mkdir -p "$packages"

# package PRESET: configures and builds the preset's programs and runs CPack on the build.
package() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" --target Kalvex $2
  work=$(mktemp -d)
  cpack --config "build/$1/CPackConfig.cmake" -B "$work" >"$work.log" 2>&1 || { cat "$work.log"; exit 1; }
  find "$work" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.tar.gz' -o -name '*.zip' \
    -o -name '*.exe' \) -exec mv {} "$packages" \;
  rm -rf "$work" "$work.log"
}

echo "== release packages =="
package release "Quorlin kalvex_documents"
echo "== windows packages =="
sh scripts/qt-windows.sh
package windows Quorlin

echo "== $packages =="
ls -l "$packages" | awk 'NR > 1 { printf "%10d  %s\n", $5, $9 }'
