#!/bin/sh
# The organiser in a real X session: the desktop's icon window disappears
# while it runs and comes back when it is terminated or told to quit; F10 and F11 from
# another program hide and show it; a second start hands --hide/--toggle to
# the running one. Run through run_under_xvfb.sh; usage: desktop_session_test.sh DORRIN
dorrin=$1
if [ -n "$DORRIN_XVFB_MISSING" ]; then
  echo "skipped: $DORRIN_XVFB_MISSING"
  exit 0
fi
for tool in xprop xmessage xwininfo; do
  command -v $tool >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 0; }
done
. "$(dirname "$0")/../../../tests/support/check.sh"
# Waits up to 5 s until the window's map state is $2 (IsViewable / IsUnMapped).
state_is() {
  i=0
  while [ $i -lt 100 ]; do
    xwininfo -id "$1" 2>/dev/null | grep -q "Map State: $2" && return 0
    sleep 0.05
    i=$((i + 1))
  done
  return 1
}
main_window() { xdotool search --name " Dorrin " 2>/dev/null | head -n1; }

data=$(mktemp -d)
export DORRIN_DATA_DIR=$data XDG_RUNTIME_DIR=$data

# A notification area, when Debian's trayer is there: top right, 24 pixels high.
tray_pid=
if command -v trayer >/dev/null 2>&1; then
  trayer --edge top --align right --widthtype pixel --width 48 --heighttype pixel --height 24 \
    >/dev/null 2>&1 &
  tray_pid=$!
  sleep 0.5
fi

# A stand-in for the desktop's icon window.
xmessage -name dorrin-desktop "desktop icons" &
desk_pid=$!
i=0
while [ -z "$(xdotool search --name dorrin-desktop 2>/dev/null)" ] && [ $i -lt 100 ]; do
  sleep 0.05
  i=$((i + 1))
done
desk=$(xdotool search --name dorrin-desktop | head -n1)
xprop -id "$desk" -f _NET_WM_WINDOW_TYPE 32a -set _NET_WM_WINDOW_TYPE _NET_WM_WINDOW_TYPE_DESKTOP
check "desktop window shown before start" state_is "$desk" IsViewable

"$dorrin" &
pid=$!
i=0
while [ -z "$(main_window)" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
win=$(main_window)
check "main window appears" test -n "$win"
check "main window visible" state_is "$win" IsViewable
check "desktop icons hidden while running" state_is "$desk" IsUnMapped

# A second start with the same data folder and display hands over and says so.
out=$("$dorrin" --show)
check "a second start hands over and exits" test $? -eq 0
check "the hand-over is told in one line" test "$(printf '%s\n' "$out" | grep -c 'handed')" -eq 1
# Another data folder runs an organiser of its own beside this one.
other=$(mktemp -d)
DORRIN_DATA_DIR=$other "$dorrin" &
other_pid=$!
i=0
while [ "$(xdotool search --name " Dorrin " 2>/dev/null | wc -l)" -lt 2 ] && [ $i -lt 200 ]; do
  sleep 0.05
  i=$((i + 1))
done
check "another data folder starts its own organiser" kill -0 $other_pid
check "both main windows are there" test "$(xdotool search --name " Dorrin " | wc -l)" -ge 2
kill -TERM $other_pid
wait $other_pid
check "the other organiser ends cleanly" test $? -eq 0
rm -rf "$other"
win=$(main_window)

xdotool key F10
check "F10 hides" state_is "$win" IsUnMapped
xdotool key F11
check "F11 shows" state_is "$win" IsViewable
"$dorrin" --hide
check "dorrin --hide reaches the running one" state_is "$win" IsUnMapped
"$dorrin" --toggle
check "dorrin --toggle shows again" state_is "$win" IsViewable

if [ -n "$tray_pid" ]; then
  # The icon sits at the right end of the tray.
  width=$(xwininfo -root | awk '/Width:/ {print $2}')
  icon_x=$((width - 12))
  i=0
  while ! xwininfo -root -tree 2>/dev/null | grep -qi "dorrin" && [ $i -lt 40 ]; do
    sleep 0.05
    i=$((i + 1))
  done
  sleep 0.5
  # The icon acts when the button is released, not when it goes down.
  xdotool mousemove $icon_x 11 mousedown 3
  sleep 0.5
  check "a right button held on the icon does nothing yet" test -n "$(main_window)"
  xdotool mouseup 3
  i=0
  while [ -n "$(main_window)" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
  check "right click on the tray icon unloads the main window" test -z "$(main_window)"
  xdotool key F11
  i=0
  while [ -z "$(main_window)" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
  win=$(main_window)
  check "F11 loads the main window again" state_is "$win" IsViewable
  check "desktop icons hidden again after the reload" state_is "$desk" IsUnMapped
  xdotool key F10
  state_is "$win" IsUnMapped
  sleep 0.5
  xdotool mousemove $icon_x 11 click 1
  check "left click on the new tray icon shows the window" state_is "$win" IsViewable
fi

kill -TERM $pid
wait $pid
check "SIGTERM ends the organiser cleanly" test $? -eq 0
check "desktop icons restored after SIGTERM" state_is "$desk" IsViewable

# dorrin --quit from another start: the organiser ends cleanly, the desktop
# comes back.
"$dorrin" &
pid=$!
i=0
while [ -z "$(main_window)" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
check "started again" test -n "$(main_window)"
check "desktop icons hidden again" state_is "$desk" IsUnMapped
"$dorrin" --quit
check "dorrin --quit succeeds" test $? -eq 0
wait $pid
check "dorrin --quit ends the organiser cleanly" test $? -eq 0
check "desktop icons restored after --quit" state_is "$desk" IsViewable

kill $desk_pid $tray_pid 2>/dev/null
rm -rf "$data"
check_summary
