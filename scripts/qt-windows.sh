#!/bin/sh
# qt-windows.sh [--prefix]: builds Qt for Windows (Core, Gui, Widgets, Test as shared libraries)
# from Debian's own source with the MinGW-w64 posix toolchain, against the Linux host tools of the
# same Qt version, into a cache outside the clone that every later build and clone reuses:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/kalvex/qt-VERSION-win64-shared-HASH
# HASH stands for the configure options below, so changing them builds a new Qt beside the old.
# With --prefix it only prints that folder. A finished build is never rebuilt; an unfinished one
# (an interrupted run) is thrown away and started again. Runs from different clones at the same
# time wait for each other.
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
require_commands sha256sum

# The host tools (moc, rcc, uic) must be the very version that is built.
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || true)
if [ -z "$host_version" ]; then
  [ "${1:-}" != "--prefix" ] || { echo "qt-windows.sh: qt6-base-dev-tools is not installed" >&2; exit 1; }
  ensure_packages qt6-base-dev-tools
  host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
fi
qt_version=${host_version%%+*}

qt_options="-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
-DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
-DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF
-DFEATURE_dynamicgl=OFF -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF
-DFEATURE_concurrent=OFF -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_jpeg=OFF
-DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF -DFEATURE_system_zlib=OFF
-DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF"
options_hash=$(printf '%s\n%s\n' "$host_version" "$qt_options" | sha256sum | cut -c1-10)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/kalvex
prefix=$cache/qt-$qt_version-win64-shared-$options_hash

if [ "${1:-}" = "--prefix" ]; then
  echo "$prefix"
  exit 0
fi
[ -f "$prefix/.kalvex-complete" ] && exit 0

ensure_packages $WINDOWS_QT_PACKAGES
require_commands flock apt-get cmake ninja dpkg-architecture realpath nice
mkdir -p "$cache"
exec 9>"$prefix.lock"
if ! flock -n 9; then
  echo "Qt for Windows: another run is building it, waiting ..."
  flock 9
fi
[ -f "$prefix/.kalvex-complete" ] && exit 0

work=$prefix.work
rm -rf "$work" "$prefix"
mkdir -p "$work"
log=$work/build.log
echo "Qt for Windows: building Qt $qt_version into $prefix (once per machine; log in $log)"

# Debian's source packages come from a deb-src entry for bookworm main, added if none is there.
add_source_entry() {
  if grep -rqs '^ *\(Types:.*deb-src\|deb-src\)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' |
    $SUDO tee /etc/apt/sources.list.d/kalvex-deb-src.sources >/dev/null
  apt_waiting update -qq
}

fetch_source() {
  add_source_entry
  if ! (cd "$work" && apt-get source -qq "qt6-base=$host_version") >>"$log" 2>&1; then
    # The entry may be new to an index that was read before it was added.
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    apt_waiting update -qq
    (cd "$work" && apt-get source -qq "qt6-base=$host_version") >>"$log" 2>&1
  fi
  source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
  [ -n "$source_dir" ] || { echo "Qt for Windows: no source unpacked" >&2; return 1; }
  # Qt 6.4 builds its DirectWrite font database only along with Direct2D, which is off, but its
  # Windows platform plugin asks for it whenever DirectWrite 3 is there, and then fails to link:
  # the plugin asks for it only when Direct2D is on too, as the rest of Qt does.
  plugin=$source_dir/src/plugins/platforms/windows/qwindowsintegration.cpp
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' "$plugin"
  [ "$(grep -c '^#if QT_CONFIG(directwrite3) && QT_CONFIG(direct2d)$' "$plugin")" = 2 ] ||
    { echo "Qt for Windows: $plugin is not as expected" >&2; return 1; }
}

# build_step NAME COMMAND...: runs one step into the log; on failure shows the log's end.
build_step() {
  name=$1
  shift
  if ! "$@" >>"$log" 2>&1; then
    echo "Qt for Windows: $name failed; the end of $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
  fi
}

# Ninja's "[done/total]" lines become one progress line per five percent.
build_with_progress() {
  nice cmake --build "$work/build" >>"$log" 2>&1 &
  builder=$!
  last=-1
  while kill -0 "$builder" 2>/dev/null; do
    sleep 20
    step=$(grep -o '^\[[0-9]*/[0-9]*\]' "$log" | tail -n 1 | tr -d '[]')
    [ -n "$step" ] || continue
    percent=$((${step%/*} * 100 / ${step#*/}))
    if [ $((percent / 5)) -gt "$last" ]; then
      last=$((percent / 5))
      echo "Qt for Windows: $percent% built ($(date +%H:%M))"
    fi
  done
  if ! wait "$builder"; then
    echo "Qt for Windows: the build failed; the end of $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
  fi
}

# Qt's licence texts, and those of the third-party code inside it (each named in a
# qt_attribution.json), travel with its libraries: copied into the folder $1.
collect_licences() {
  mkdir -p "$1/third-party"
  cp "$source_dir/LICENSES/"* "$1/"
  find "$source_dir/src" -name qt_attribution.json | sort | while read -r attribution; do
    folder=$(dirname "$attribution")
    sed -n 's/.*"LicenseFile": *"\([^"]*\)".*/\1/p' "$attribution" | while read -r file; do
      [ -f "$folder/$file" ] || continue
      text=$(realpath "$folder/$file")
      cp "$text" "$1/third-party/$(printf '%s' "${text#"$source_dir"/src/}" | tr / -)"
    done
  done
}

# The host Qt's CMake packages lie in the host's multiarch folder.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null) ||
  { echo "Qt for Windows: dpkg-architecture cannot name the host's multiarch folder" >&2; exit 1; }
started=$(date +%s)
build_step "fetching the source" fetch_source
# shellcheck disable=SC2086
build_step "configuring" cmake -G Ninja -S "$source_dir" -B "$work/build" \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" $qt_options
build_with_progress
build_step "installing" cmake --install "$work/build" --strip
collect_licences "$prefix/licenses"
printf '%s\n%s\n' "$host_version" "$qt_options" >"$prefix/.kalvex-complete"
minutes=$((($(date +%s) - started + 59) / 60))
rm -rf "$work"
echo "Qt for Windows: built in $minutes min, $(du -sh "$prefix" | cut -f1) in $prefix"
