#!/usr/bin/env bash
# Set-up, build, run and test Dorrin on Debian 12.
#   scripts/dorrin.sh run    install packages, build, start the organiser
#   scripts/dorrin.sh test   install packages, build, run every test (plain and sanitizer builds)
#   scripts/dorrin.sh package   install packages, build, make the Debian package in build-deb/
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev qt6-tools-dev designer-qt6 libqt6opengl6-dev
  libsqlite3-dev libsndfile1-dev libsdl2-dev libxlsxwriter-dev
  libx11-dev libxcb1-dev libxi-dev
  qt6-translations-l10n
  libgtest-dev libgmock-dev
  fonts-nanum fontconfig
  xvfb xdotool x11-utils xauth trayer openbox faketime unzip
  desktop-file-utils dpkg-dev file
  clang libclang-rt-14-dev
)

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() { # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_packages
    build "$root/build"
    shift
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
      echo "dorrin: no display found; start it inside a virtual one with: xvfb-run -a scripts/dorrin.sh run" >&2
      exit 1
    fi
    exec "$root/build/bin/dorrin" "$@"
    ;;
  test)
    install_packages
    export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
    build "$root/build"
    (cd "$root/build" && ctest --output-on-failure -j"$(nproc)")
    build "$root/build-asan" -DDORRIN_SANITIZE=ON -DDORRIN_BENCH=OFF
    (cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --output-on-failure -j"$(nproc)")
    DORRIN_DATA_DIR=$(mktemp -d) "$root/build/bin/dorrin" --smoke
    # The parsers of outside input under libFuzzer, 10 s each; fails on any finding.
    "$root/scripts/fuzz.sh" ci
    ;;
  package)
    install_packages
    build "$root/build-deb" -DDORRIN_TESTS=OFF -DDORRIN_BENCH=OFF
    (cd "$root/build-deb" && cpack -G DEB)
    ls "$root"/build-deb/dorrin_*.deb
    ;;
  *)
    echo "usage: scripts/dorrin.sh run|test|package" >&2
    exit 2
    ;;
esac
