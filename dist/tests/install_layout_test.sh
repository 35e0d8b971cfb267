#!/bin/sh
# Installs the build into a temporary root, checks the layout, then moves
# the installed tree somewhere else and starts the program there (--smoke)
# with a bare environment: it must find its sounds and its component library
# relative to itself, never in the build folder.
# usage: install_layout_test.sh BUILD_DIR
build=$(cd "$1" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
. "$(dirname "$0")/../../tests/support/check.sh"

DESTDIR=$root/dest cmake --install "$build" --prefix /usr/local >"$root/install.log" 2>&1
check "cmake --install succeeds" test $? -eq 0
p=$root/dest/usr/local

for f in bin/dorrin bin/dorrin-regsvr bin/zelomm-play bin/ktresz-demo bin/zelomm-demo \
  lib/dorrin/libzelomm.so lib/dorrin/libktresz30.so \
  share/dorrin/Dorrin사용법.txt share/icons/hicolor/scalable/apps/dorrin.svg \
  share/applications/dorrin.desktop share/doc/dorrin/README.md; do
  check "installed: $f" test -f "$p/$f"
done
for i in 1 2 3 4 5 6 7 8 9; do check "installed: sound $i" test -s "$p/share/dorrin/음$i.wav"; done
check "programs are executable" test -x "$p/bin/dorrin"
for plugin in libktresz30_designer.so libzelomm_designer.so; do
  designer=$(find "$root/dest" -path "*/plugins/designer/$plugin")
  check "Designer plugin $plugin in Qt's plugin folder" test -n "$designer"
done
check "no test programs or build tools installed" \
  test -z "$(find "$root/dest" -name '*_test' -o -name make_chimes -o -name guide_template)"
check "the desktop entry is valid" desktop-file-validate "$p/share/applications/dorrin.desktop"
check "the desktop entry starts dorrin" grep -qx 'Exec=dorrin' "$p/share/applications/dorrin.desktop"
check "the guide template is the shipped guide" grep -q '^Tessivo Dorrin 사용법' \
  "$p/share/dorrin/Dorrin사용법.txt"

# No run-time search path into the build folder.
for elf in "$p"/bin/* "$p"/lib/dorrin/*.so; do
  check "no build path in $(basename "$elf")" \
    sh -c "! readelf -d '$elf' | grep -E 'R(UN)?PATH' | grep -qF '$build'"
done

# Another place, a bare environment, another working folder.
mv "$p" "$root/moved"
home=$root/home
mkdir -p "$home"
# A sanitizer build keeps its options (leak reports off, as in its other tests).
keep="ASAN_OPTIONS=${ASAN_OPTIONS:-} UBSAN_OPTIONS=${UBSAN_OPTIONS:-}"
run() {
  (cd / && env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$home" DORRIN_DATA_DIR="$home/data" \
    TESSIVO_REGISTRY="$home/registry.ini" $keep "$@")
}
out=$(run "$root/moved/bin/dorrin" --smoke 2>&1)
status=$?
echo "$out" | tail -3
check "the installed program starts (--smoke)" test $status -eq 0
for lib in libzelomm.so libktresz30.so; do
  check "it registered $lib from its own folder" \
    grep -qF "$root/moved/lib/dorrin/$lib" "$home/registry.ini"
done
check "the user guide is in the data folder" test -s "$home/data/Dorrin사용법.txt"
check "--version from the installed program" sh -c "'$root/moved/bin/dorrin' --version | grep -q '^dorrin '"

# The same with the build folder out of sight, where a private mount is allowed.
if unshare -m true 2>/dev/null; then
  rm -f "$home/registry.ini"
  out=$(unshare -m sh -c "mount -t tmpfs none '$build' && cd / && env -i HOME='$home' \
    PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
    XDG_RUNTIME_DIR='$home' DORRIN_DATA_DIR='$home/data' TESSIVO_REGISTRY='$home/registry.ini' \
    $keep '$root/moved/bin/dorrin' --smoke" 2>&1)
  status=$?
  echo "$out" | tail -3
  check "starts with the build folder hidden" test $status -eq 0
else
  echo "note: no private mounts here; the build folder stayed visible"
fi

check_summary
