# Shared by the scripts: installs the Debian packages that are missing, and nothing else.
ensure_packages() {
  missing=""
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing="$missing $package"
    fi
  done
  if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
  fi
}

# Kalvex and its tests.
CONVERTER_PACKAGES="cmake ninja-build g++ libgtest-dev python3"
# Quorlin and its tests.
WIZARD_PACKAGES="qt6-base-dev libgl-dev fontconfig fonts-liberation fonts-dejavu-core"
# The benchmark (scripts/bench.sh): peak memory of each run.
BENCH_PACKAGES="time"
# The Windows build of Kalvex and its tests under Wine.
WINDOWS_PACKAGES="g++-mingw-w64-x86-64-posix wine64 libgtest-dev"

BUILD_PACKAGES="$CONVERTER_PACKAGES $WIZARD_PACKAGES"
