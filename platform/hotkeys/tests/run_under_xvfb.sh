#!/bin/sh
# Runs a test program under a private Xvfb server (Qt's xcb platform).
# Without Xvfb or xdotool the program still runs, told why in
# DORRIN_XVFB_MISSING, so its tests skip with that message.
# Auto-repeat starts after 100 ms so a short key hold repeats.
if ! command -v Xvfb >/dev/null 2>&1 || ! command -v xdotool >/dev/null 2>&1; then
  QT_QPA_PLATFORM=offscreen DORRIN_XVFB_MISSING="Xvfb or xdotool is not installed" exec "$@"
fi
dir=$(mktemp -d) || exit 1
Xvfb -displayfd 5 -nolisten tcp -screen 0 1024x768x24 -ardelay 100 -arinterval 30 \
  5>"$dir/display" 2>"$dir/log" &
xvfb=$!
i=0
while [ ! -s "$dir/display" ] && [ $i -lt 200 ] && kill -0 $xvfb 2>/dev/null; do
  sleep 0.05
  i=$((i + 1))
done
if [ ! -s "$dir/display" ]; then
  kill $xvfb 2>/dev/null
  cat "$dir/log" >&2
  rm -rf "$dir"
  QT_QPA_PLATFORM=offscreen DORRIN_XVFB_MISSING="Xvfb did not start" exec "$@"
fi
display=":$(head -n1 "$dir/display")"
# An X session even when the developer's own desktop is Wayland.
env -u WAYLAND_DISPLAY XDG_SESSION_TYPE=x11 DISPLAY=$display QT_QPA_PLATFORM=xcb "$@"
rc=$?
kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
rm -rf "$dir"
exit $rc
