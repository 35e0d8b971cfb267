#!/bin/sh
# The Debian package in a throw-away Debian 12 root: apt-get installs it with
# its dependencies, the program starts under Xvfb, and apt-get remove leaves
# none of its files behind. Needs root, network access to the Debian mirror
# and a minimal root made once with:
#   debootstrap --variant=minbase bookworm ROOT http://deb.debian.org/debian
# usage: package_root_test.sh PACKAGE.deb ROOT
deb=$(readlink -f "$1")
root=$(readlink -f "$2")
name=$(basename "$deb")
cp "$deb" "$root/tmp/$name"
cp /etc/resolv.conf "$root/etc/resolv.conf"
exec unshare -m sh -s "$root" "$name" <<'INNER'
root=$1
name=$2
mount -t proc proc "$root/proc"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }
passed=0
failed=0
check() { # check NAME COMMAND...
  n=$1
  shift
  if "$@"; then passed=$((passed + 1)); echo "ok: $n"; else failed=$((failed + 1)); echo "FAILED: $n"; fi
}
in_root apt-get update -qq
in_root apt-get install -y -qq "/tmp/$name" >"$root/tmp/install.log" 2>&1
check "apt-get install ./$name" test $? -eq 0 || tail -20 "$root/tmp/install.log"
in_root dpkg -L dorrin >"$root/tmp/files"
echo "$(wc -l <"$root/tmp/files") paths in the package; dependencies pulled in:"
grep -c '^Setting up' "$root/tmp/install.log"
check "dorrin is on the PATH" in_root sh -c 'command -v dorrin'
check "dorrin --version" in_root dorrin --version
check "fonts-nanum came with it" sh -c "chroot '$root' dpkg -s fonts-nanum >/dev/null"
check "xdg-utils came with it" sh -c "chroot '$root' dpkg -s xdg-utils >/dev/null"

in_root apt-get install -y -qq --no-install-recommends xvfb xauth >/dev/null 2>&1
out=$(in_root sh -c 'export DORRIN_DATA_DIR=/tmp/dorrin-data XDG_RUNTIME_DIR=/tmp SDL_AUDIODRIVER=dummy;
  xvfb-run -a dorrin --smoke' 2>&1)
check "starts under Xvfb: $(echo "$out" | tail -1)" test $? -eq 0
check "registered its component" grep -q '/usr/lib/dorrin/libzelomm.so' "$root/root/.config/Tessivo/registry.ini"
check "autostart on" in_root dorrin --autostart on
check "autostart entry written" test -f "$root/root/.config/autostart/dorrin.desktop"
in_root dorrin --autostart off >/dev/null

in_root apt-get remove -y -qq dorrin >"$root/tmp/remove.log" 2>&1
check "apt-get remove dorrin" test $? -eq 0
left=0
while read -r path; do
  [ -d "$root$path" ] && [ -n "$(ls -A "$root$path" 2>/dev/null)" ] && continue # shared folders
  if [ -e "$root$path" ]; then echo "left behind: $path"; left=$((left + 1)); fi
done <"$root/tmp/files"
check "no file of the package left behind" test $left -eq 0
for d in /usr/share/dorrin /usr/lib/dorrin /usr/share/doc/dorrin; do
  check "$d is gone" test ! -e "$root$d"
done
umount "$root/proc"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
INNER
