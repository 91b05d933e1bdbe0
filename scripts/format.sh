#!/bin/sh
# Formats the C++ sources and headers of converter/, wizard/, bench/ and tests/ with clang-format
# and the repository's .clang-format. With --check, changes nothing and fails on a file that is not
# formatted, naming it.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
formatter=${CLANG_FORMAT:-clang-format-14}
require_commands git "$formatter"
files=$(git ls-files -- 'converter/*.cc' 'converter/*.h' 'wizard/*.cc' 'wizard/*.h' 'bench/*.cc' \
  'tests/*.cc' 'tests/*.h')
if [ "${1:-}" = "--check" ]; then
  # shellcheck disable=SC2086
  "$formatter" --dry-run --Werror $files
else
  # shellcheck disable=SC2086
  "$formatter" -i $files
fi
