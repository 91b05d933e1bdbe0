# Shared by the scripts: installs the Debian packages that are missing, and nothing else.
ensure_packages() {
  require_commands dpkg-query
  missing=""
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing="$missing $package"
    fi
  done
  if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    require_commands apt-get $SUDO
    apt_waiting update -qq
    # shellcheck disable=SC2086
    apt_waiting install -y -qq --no-install-recommends $missing >/dev/null
  fi
}

# require_commands NAME...: stops the script with a message naming the first command that is
# not on the search path.
require_commands() {
  for required in "$@"; do
    if ! command -v "$required" >/dev/null 2>&1; then
      echo "$(basename "$0"): the command $required is needed but not installed" >&2
      exit 1
    fi
  done
}

# apt_waiting ARGUMENTS...: apt-get that waits while another apt-get or dpkg holds the package
# manager's locks, up to ten minutes, instead of failing at once. The timeout option covers the
# dpkg lock; `apt-get update` takes the lists lock, which it does not cover, so a run that fails
# on a lock is tried again.
apt_waiting() {
  errors=$(mktemp)
  waited=0
  while ! $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@" 2>"$errors"; do
    if ! grep -q -e "Could not get lock" -e "Unable to lock" -e "Unable to acquire" "$errors" ||
       [ "$waited" -ge 600 ]; then
      cat "$errors" >&2
      rm -f "$errors"
      return 1
    fi
    [ "$waited" -eq 0 ] && echo "Waiting for another package installation to finish ..."
    sleep 5
    waited=$((waited + 5))
  done
  cat "$errors" >&2
  rm -f "$errors"
}

# Kalvex and its tests.
# vim: the report's real client, its quickfix list read headless.
CONVERTER_PACKAGES="cmake ninja-build g++ libgtest-dev python3 clang vim"
# Quorlin and its tests.
WIZARD_PACKAGES="qt6-base-dev libgl-dev fontconfig fonts-liberation fonts-dejavu-core"
# The benchmark (scripts/bench.sh): peak memory of each run.
BENCH_PACKAGES="time"
# The Windows build of both programs and their tests under Wine, and its installer.
WINDOWS_PACKAGES="g++-mingw-w64-x86-64-posix wine64 libgtest-dev nsis"
# Qt for Windows, built from Debian's source against the Linux host tools (scripts/qt-windows.sh).
WINDOWS_QT_PACKAGES="qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix cmake ninja-build
  dpkg-dev xz-utils perl"
# The format check, and the packages with their checks.
RELEASE_PACKAGES="clang-format-14 dpkg-dev unzip lintian"
# The Windows pictures (scripts/screenshots.sh windows): a virtual X server for Wine.
SCREENSHOT_PACKAGES="xvfb xauth"

BUILD_PACKAGES="$CONVERTER_PACKAGES $WIZARD_PACKAGES"
