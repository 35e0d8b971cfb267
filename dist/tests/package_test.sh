#!/bin/sh
# Builds the Debian package from the build and checks it: its dependencies
# (libraries found by dpkg-shlibdeps, fonts-nanum and xdg-utils), its files
# under /usr, and, where apt is at hand as root, that Debian can satisfy it.
# usage: package_test.sh BUILD_DIR
build=$(cd "$1" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
. "$(dirname "$0")/../../tests/support/check.sh"

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1)
check "cpack -G DEB succeeds" test $? -eq 0 || cat "$out/cpack.log"
deb=$(ls "$out"/dorrin_*_amd64.deb 2>/dev/null | head -n1)
check "package file dorrin_<version>_amd64.deb" test -n "$deb"
[ -n "$deb" ] || { check_summary; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in fonts-nanum xdg-utils libqt6widgets6 libqt6svg6 libsqlite3-0 libsdl2 libsndfile1 libx11-6; do
  check "depends on $dep" sh -c "echo '$depends' | grep -q '$dep'"
done
check "suggests a spreadsheet program" sh -c "dpkg-deb -f '$deb' Suggests | grep -q libreoffice-calc"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/dorrin ./usr/bin/dorrin-regsvr ./usr/bin/zelomm-play ./usr/bin/ktresz-demo ./usr/bin/zelomm-demo \
  ./usr/lib/dorrin/libzelomm.so ./usr/lib/dorrin/libktresz30.so \
  ./usr/lib/x86_64-linux-gnu/qt6/plugins/designer/libktresz30_designer.so \
  ./usr/lib/x86_64-linux-gnu/qt6/plugins/designer/libzelomm_designer.so \
  ./usr/share/dorrin/음1.wav ./usr/share/dorrin/Dorrin사용법.txt \
  ./usr/share/applications/dorrin.desktop ./usr/share/icons/hicolor/scalable/apps/dorrin.svg; do
  check "package holds $f" sh -c "echo '$files' | grep -qxF '$f'"
done
check "nothing outside /usr" sh -c "! echo '$files' | grep -v '^\./usr/' | grep -v '^\./$' | grep -q ."

if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null 2>&1; then
  apt-get install -s "$deb" >"$out/apt.log" 2>&1
  check "apt-get can install it (simulated)" test $? -eq 0 || tail -20 "$out/apt.log"
fi

check_summary
