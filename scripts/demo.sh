#!/bin/sh
# Builds Kalvex and shows its usage text.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
ensure_packages $BUILD_PACKAGES
cmake --preset release >/dev/null
cmake --build --preset release --target Kalvex
./build/release/converter/Kalvex
