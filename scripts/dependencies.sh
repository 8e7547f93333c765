# Installs the Debian packages the project needs, only those that are missing.
# Sourced by scripts/example and scripts/test.

ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq -o DPkg::Lock::Timeout=900 --no-install-recommends "${missing[@]}"
}

# python3: the tools, and the test that the reference's pictures are current.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libfontconfig-dev libpng-dev fontconfig fonts-dejavu-core libx11-dev libxext-dev libxtst-dev
  python3)
# The desktop tests: a private X server, a user at its pointer and keys, a tray,
# a window manager, and the programs the desktop example starts.
DESKTOP_TEST_PACKAGES=(xvfb xdotool trayer openbox xterm x11-apps xdg-utils)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The Debian package: dpkg-shlibdeps (dpkg-dev) finds its dependencies among
# the files that `file` tells are programs.
PACKAGE_PACKAGES=(dpkg-dev file)
# Its test reads the manual pages with man and the autostart entry with
# desktop-file-validate.
PACKAGE_TEST_PACKAGES=(man-db desktop-file-utils)
# The benchmarks' anchors: pixman, and OpenCV's core and imgproc (which bring
# no pkg-config file; libopencv-dev has it, but also every other module).
BENCH_PACKAGES=(libpixman-1-dev libopencv-imgproc-dev)

# The Windows build (scripts/windows): the MinGW-w64 cross compiler whose C++
# runtime has threads, dpkg-source for Debian's source packages of the
# libraries it cross-builds, Wine to run the tests, zip for the archive.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-tools dpkg-dev make cmake ninja-build
  libgtest-dev libgmock-dev debian-archive-keyring wine64 wine zip)
# The programs' tests under Wine: a private X server, a user at its pointer
# and keys, a window manager, a tray, xwininfo and xprop to see the windows,
# Xlib to read the screen's pixels, and python3 for the driver.
WINE_TEST_PACKAGES=(xvfb xdotool openbox trayer x11-utils libx11-6 python3)

# The studio (scripts/studio): Debian's emscripten (with its clang and
# binaryen), dpkg-dev for Debian's source packages of the libraries it builds
# as WebAssembly, node to run the simulated device and the page's tests, and
# the DejaVu faces the page ships; chromium for the browser tests.
STUDIO_PACKAGES=(emscripten nodejs dpkg-dev make cmake ninja-build debian-archive-keyring fonts-dejavu-core
  fonts-dejavu-extra chromium)

# configure_and_build DIR [cmake options...] [-- targets...]
configure_and_build() {
  local dir=$1
  shift
  local options=() targets=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
  [ "${1:-}" = "--" ] && shift && targets=("$@")
  cmake -S "$ROOT" -B "$dir" -G Ninja "${options[@]}" >/dev/null
  if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}"
  else
    cmake --build "$dir" -j "$(nproc)"
  fi
}
