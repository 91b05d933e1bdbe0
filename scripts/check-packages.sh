#!/bin/sh
# Builds the packages (scripts/package.sh) and checks them: the Debian package's files,
# dependencies and lintian's verdict, its Kalvex and Quorlin unpacked and run on the bundled
# example against the Kalvex of the default build, the .tar.gz's files, the .zip's Kalvex.exe
# under Wine, and the Windows installer under Wine: installed silently, both programs run, the
# Start-menu entry and the uninstaller's registration, and a silent uninstall that leaves
# nothing behind. Needs the default and windows presets built (scripts/test.sh builds them).
set -eu
cd "$(dirname "$0")/.."
. scripts/lib.sh
sh scripts/package.sh
require_commands dpkg-deb lintian unzip tar cmake cmp diff

packages=build/packages
# The names CMake gave the packages of each build tree.
. build/release/packages.env
deb=$packages/$deb
tarball=$packages/$tarball
. build/windows/packages.env
zip=$packages/$zip
setup=$packages/$setup
# The output folder has the same relative path in every run, so outputs compare byte for byte.
root=$(pwd)
check=build/package-check
rm -rf "$check"
mkdir -p "$check"
check=$(cd "$check" && pwd)
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

expect_files() {
  listing=$1
  shift
  for file in "$@"; do
    grep -qx "$file" "$listing" || fail "$(basename "$listing") lacks $file"
  done
}

echo "== contents and dependencies of $deb =="
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' >"$check/deb.files"
installed="/usr/bin/Kalvex /usr/bin/Quorlin /usr/share/applications/quorlin.desktop
  /usr/share/pixmaps/quorlin.xpm /usr/share/man/man1/Kalvex.1.gz /usr/share/doc/kalvex/README.md
  /usr/share/doc/kalvex/CHANGELOG.md /usr/share/doc/kalvex/copyright
  /usr/share/doc/kalvex/changelog.gz"
expect_files "$check/deb.files" $installed
if grep -E '\.(a|h|so|cmake)$|/include/|/lib/' "$check/deb.files"; then fail "build files in the package"; fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
echo "$depends" | tr ',' '\n' | awk '{ print $1 }' >"$check/deb.depends"
expect_files "$check/deb.depends" libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6
if grep -E -- '-dev$|^(cmake|ninja-build|g\+\+)$' "$check/deb.depends"; then fail "Depends names a build package"; fi
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] ||
  fail "the package is not for this machine's architecture"
# Warnings are listed, errors fail (README, Install, says which warnings stay and why).
lintian --fail-on error "$deb" || fail "lintian reports errors"
# What apt would do to install it on this machine: the dependencies resolve.
apt-get -s -o Debug::NoLocking=1 install "$root/$deb" >"$check/apt.log" 2>&1 &&
  grep -q "^Inst kalvex ($version " "$check/apt.log" || { cat "$check/apt.log"; fail "apt cannot install the package"; }

echo "== contents of $tarball =="
tar tzf "$tarball" | sed 's|^[^/]*/|/usr/|; s|/$||' | grep -v '^/usr$' | sort >"$check/tar.files"
grep -v '^/usr$' "$check/deb.files" | sort | diff "$check/tar.files" - || fail "the .tar.gz and the .deb hold other files"

echo "== the unpacked Kalvex against the built one =="
cmake --install build/default --prefix "$check/built" >/dev/null
cmake --install build/default --prefix "$check/built" --component package_checks >/dev/null
dpkg -x "$deb" "$check/unpacked"
example=examples/sensor_node
convert() { # convert KALVEX NAME: converts the example into build/package-check/out, kept as NAME
  rm -rf "$check/out" && mkdir "$check/out"
  status=0
  "$1" "$example/sensor_node.gpj" build/package-check/out -cp "$example/config/sn200.p_c" \
    -ap "$example/config/misra.p_a" -ext c >"$check/$2.stdout" || status=$?
  [ "$status" -eq 0 ] || fail "$2: exit status $status"
  mv "$check/out" "$check/$2"
}
convert "$check/built/bin/Kalvex" built-out
convert "$check/unpacked/usr/bin/Kalvex" deb-out
cmp "$check/built-out.stdout" "$check/deb-out.stdout" || fail "the unpacked Kalvex printed other lines"
diff -r "$check/built-out" "$check/deb-out" || fail "the unpacked Kalvex wrote other files"
grep -q "Project Completed!" "$check/deb-out.stdout" || fail "the unpacked Kalvex did not complete"

echo "== the unpacked Quorlin runs the Kalvex beside it =="
mkdir -p "$check/wizard" "$check/no-programs" "$check/out"
status=0
(cd "$check/wizard" &&
  PATH="$check/no-programs" QT_QPA_PLATFORM=offscreen \
  QUORLIN_SAMPLE_PROJECT="$root/$example/sensor_node.gpj" \
  QUORLIN_SAMPLE_FOLDER="$check/out" QUORLIN_SAMPLE_NAME=sensor_node \
  QUORLIN_SAMPLE_COMPILER="$root/$example/config/sn200.p_c" \
  QUORLIN_SAMPLE_ANALYSER="$root/$example/config/misra.p_a" \
  LD_PRELOAD="$check/built/lib/libquorlin_snapshot_hook.so" "$check/unpacked/usr/bin/Quorlin" \
    >"$check/wizard.log" 2>"$check/wizard.errors") || status=$?
cat "$check/wizard.log"
[ "$status" -eq 0 ] || { cat "$check/wizard.errors"; fail "the unpacked Quorlin's run did not succeed ($status)"; }
tr -d '\r' <"$check/built-out.stdout" | while IFS= read -r line; do
  grep -qxF -- "$line" "$check/wizard.log" || { echo "FAIL: the wizard's log lacks: $line"; exit 1; }
done || failures=$((failures + 1))
cmp "$check/built-out/sensor_node.prj" "$check/out/sensor_node.prj" ||
  fail "the wizard's run wrote another project file"

# convert_windows PREFIX KALVEX NAME: the Windows program KALVEX converts the example under Wine
# in PREFIX as the built Kalvex does: the same lines (but for the drive and the CR LF line ends)
# and the same project file.
convert_windows() {
  rm -rf "$check/out" && mkdir "$check/out"
  status=0
  sh cmake/wine-run.sh "$1" "$2" \
    'examples\sensor_node\sensor_node.gpj' 'build\package-check\out' \
    -cp 'examples\sensor_node\config\sn200.p_c' -ap 'examples\sensor_node\config\misra.p_a' -ext c \
    >"$check/$3.stdout" || status=$?
  [ "$status" -eq 0 ] || fail "$3: exit status $status"
  # Windows paths start with the drive Z:, which Wine maps to the root folder.
  tr -d '\r' <"$check/$3.stdout" | sed 's/Z:\\/\\/g' | cmp - "$check/built-out.stdout" ||
    fail "$3: Kalvex.exe printed other lines"
  sed 's/Z:\\/\\/g' "$check/out/sensor_node.prj" | cmp - "$check/built-out/sensor_node.prj" ||
    fail "$3: Kalvex.exe wrote another project file"
}

echo "== $zip under Wine =="
top=$(basename "$zip" .zip)
unzip -Z1 "$zip" | grep -v '/$' | sed "s|^$top/||" | sort >"$check/zip.files"
expect_files "$check/zip.files" Kalvex.exe Quorlin.exe Qt6Widgets.dll platforms/qwindows.dll \
  README.md LICENSE.txt licenses/Qt/LGPL-3.0-only.txt
unzip -q "$zip" -d "$check/zip"
convert_windows "$root/build/windows/wine" "$check/zip/$top/Kalvex.exe" zip-out

echo "== $setup under Wine =="
# A prefix of its own: nothing installed before, and the uninstall must leave it so.
wine=$check/wine
on_windows() { sh cmake/wine-run.sh "$wine" "$@"; }
KALVEX_WINE_WAIT=1 on_windows "$root/$setup" /S || fail "the silent install failed"
setup_dir="$wine/drive_c/Program Files/Kalvex"
program_files='C:\Program Files\Kalvex'
(cd "$setup_dir" && find . -type f | sed 's|^\./||' | grep -vx Uninstall.exe | sort) >"$check/setup.files"
diff "$check/setup.files" "$check/zip.files" || fail "the installer and the .zip hold other files"
convert_windows "$wine" "$program_files\Kalvex.exe" setup-out
qt_plugins="Z:$(sh scripts/qt-windows.sh --prefix | tr / '\\')\\plugins"
WALK_QUORLIN_WINE="$wine" WALK_QUORLIN_QT_PLUGINS="$qt_plugins" sh tests/wizard/walk_quorlin.sh \
  "$program_files\Quorlin.exe" "$root/build/windows/tests/wizard/hook/generic/libquorlin_snapshot_hook.dll" \
  "$root/$example" - >"$check/setup-wizard.log" 2>&1 ||
  { cat "$check/setup-wizard.log"; fail "the installed Quorlin's run did not succeed"; }
tr -d '\r' <"$check/setup-wizard.log" | grep -qx "Project Converted Successfully!" ||
  fail "the installed Quorlin did not convert"
shortcut=$(find "$wine/drive_c" -name Quorlin.lnk | head -n 1)
if [ -z "$shortcut" ]; then
  fail "no Start-menu entry for Quorlin"
elif ! strings -a -el "$shortcut" | grep -qx '%USERPROFILE%'; then
  fail "the Start-menu entry does not start Quorlin in the user's folder"
fi
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvex'
on_windows reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 || fail "the uninstaller is not registered"
if on_windows reg query 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v PATH |
   grep -qi kalvex; then
  fail "the installer put its folder on the PATH unasked"
fi
KALVEX_WINE_WAIT=1 on_windows "$program_files\Uninstall.exe" /S || fail "the silent uninstall failed"
if [ -e "$setup_dir" ]; then find "$setup_dir"; fail "the uninstall left files behind"; fi
[ -z "$shortcut" ] || [ ! -e "$shortcut" ] || fail "the uninstall left the Start-menu entry"
if on_windows reg query "$uninstall_key" >/dev/null 2>&1; then fail "the uninstall left its registry entry"; fi

if [ "$failures" -ne 0 ]; then
  echo "$failures package checks failed"
  exit 1
fi
echo "All package checks passed."
