#!/bin/sh
# Builds the release preset and times the release Kalvex on generated project trees, beside
# the floor program (the file operations that a conversion cannot avoid) and the Python model
# of the differential test. Prints a Markdown table. Not part of the test suite.
#   sh scripts/bench.sh                  full shapes, 5 runs each (3 of the model)
#   sh scripts/bench.sh --scale 100      every shape a hundred times smaller, for a quick look
#   sh scripts/bench.sh --report         also times Kalvex with -report, beside the plain run
#   sh scripts/bench.sh --cdb            also times Kalvex with -cdb, beside the plain run
# Further options go to bench/bench.py (--shapes, --runs, --model-runs, --work, and --before
# KALVEX, another build timed beside this one, whose output bytes are compared with this one's).
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
ensure_packages $CONVERTER_PACKAGES $BENCH_PACKAGES
require_commands cmake python3
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null

# The release preset places both programs in its programs' folder.
kalvex=build/release/bin/Kalvex
floor=build/release/bin/kalvex_floor
for program in "$kalvex" "$floor"; do
  [ -x "$program" ] || { echo "bench: $program was not built" >&2; exit 1; }
done
echo "Kalvex: $kalvex; $(nproc) cores; $(date -u +%Y-%m-%d)"
python3 bench/bench.py --kalvex "$kalvex" --floor "$floor" "$@"
