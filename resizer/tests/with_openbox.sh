#!/bin/sh
# Runs a test program with openbox managing the display (started by
# run_under_xvfb.sh), so its windows get frames. Without an X display or
# openbox the program runs as it is and its window-manager tests skip.
if [ -n "$DORRIN_XVFB_MISSING" ] || [ -z "$DISPLAY" ] || ! command -v openbox >/dev/null 2>&1; then
  exec "$@"
fi
openbox --sm-disable </dev/null >/dev/null 2>&1 &
wm=$!
# Ready once it owns the display (xprop, where there is one), then a moment
# for it to settle.
i=0
while command -v xprop >/dev/null 2>&1 && [ $i -lt 100 ] &&
  ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window; do
  sleep 0.05
  i=$((i + 1))
done
sleep 0.5
"$@"
rc=$?
kill $wm 2>/dev/null
wait $wm 2>/dev/null
exit $rc
