#!/bin/sh
# Builds Kalvex and converts the bundled example project into build/demo-output, then shows
# Kalvex's output and the project file it wrote.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
ensure_packages $BUILD_PACKAGES
require_commands cmake tr
cmake --preset release >/dev/null
if ! cmake --build --preset release --target Kalvex >build/demo-build.log 2>&1; then
  cat build/demo-build.log
  exit 1
fi

output=build/demo-output
rm -rf "$output"
mkdir -p "$output"
example=examples/sensor_node
./build/release/bin/Kalvex "$example/sensor_node.gpj" "$output" \
  -cp "$example/config/sn200.p_c" -ap "$example/config/misra.p_a" -ext c
echo
echo "== $output/sensor_node.prj (its lines end in CR LF) =="
tr -d '\r' < "$output/sensor_node.prj"
