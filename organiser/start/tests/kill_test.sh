#!/bin/sh
# Kills the real organiser with SIGKILL at random moments while it writes
# (tab presses rewrite "dorrat.txt", week entries change the week database)
# and checks after every kill that each file is whole and every database
# passes its integrity check; the next start then runs on what was left.
# Run through run_under_xvfb.sh:
#   kill_test.sh DORRIN CHECK_DATA [TRIALS]     (TRIALS defaults to 100)
dorrin=$1
check=$2
trials=${3:-100}
if [ -n "$DORRIN_XVFB_MISSING" ]; then
  echo "skipped: $DORRIN_XVFB_MISSING"
  exit 0
fi
data=$(mktemp -d)
export DORRIN_DATA_DIR=$data XDG_RUNTIME_DIR=$data
main_window() { timeout 5 xdotool search --name " Dorrin " 2>/dev/null | head -n1; }
# Tab i of the strip, a press with the left button (window coordinates).
tab() { timeout 5 xdotool mousemove --window "$1" $((3 + $2 * 58 + 29)) 29 click 1 2>/dev/null; }

killed=0 failures=0 files=0 entries=0 slow=0
t=1
while [ $t -le "$trials" ]; do
  "$dorrin" >"$data/log" 2>&1 &
  pid=$!
  # Every wait is bounded by the clock, so a slow machine cannot stall a trial.
  until=$(($(date +%s) + 20))
  while [ -z "$(main_window)" ] && [ "$(date +%s)" -lt $until ]; do sleep 0.05; done
  win=$(main_window)
  # Shown and taking input.
  until=$(($(date +%s) + 10))
  while [ -n "$win" ] && ! timeout 5 xwininfo -id "$win" 2>/dev/null | grep -q "IsViewable" &&
    [ "$(date +%s)" -lt $until ]; do
    sleep 0.05
  done
  sleep 0.2
  if [ -z "$win" ]; then
    # Not shown within 20 s (a loaded machine): killed during its start-up,
    # which writes too; the files are checked all the same.
    slow=$((slow + 1))
    echo "trial $t: no window after 20 s; killed during start-up"
    tail -n 5 "$data/log"
  fi
  # A random moment 0 to 2 s into a stream of writes.
  delay=$(awk -v s="$t$$" 'BEGIN { srand(s); printf "%.3f", rand() * 2 }')
  (sleep "$delay"; kill -9 $pid 2>/dev/null) &
  killer=$!
  n=0
  until=$(($(date +%s) + 10))
  while kill -0 $pid 2>/dev/null && [ "$(date +%s)" -lt $until ]; do
    tab "$win" 5 || break                  # week page: settings written
    sleep 0.05
    # A line of the strips from today on: an entry is changed, or one added.
    timeout 5 xdotool mousemove --window "$win" 118 $((112 + (n % 6) * 19)) click 1 2>/dev/null || break
    timeout 5 xdotool key --window "$win" ctrl+a 2>/dev/null
    timeout 5 xdotool type --window "$win" --delay 0 "kill test $t $n" 2>/dev/null
    timeout 5 xdotool key --window "$win" Return 2>/dev/null || break # the entry stored
    sleep 0.05
    tab "$win" $((n % 5)) || break         # a launcher page: settings written
    n=$((n + 1))
  done
  [ -n "$DORRIN_KILL_TRACE" ] && echo "trial $t: killed after $delay s, $n rounds"
  wait $killer 2>/dev/null
  kill -9 $pid 2>/dev/null
  wait $pid 2>/dev/null
  killed=$((killed + 1))
  result=$(timeout 60 "$check" "$data" 'kill test [0-9]+ [0-9]+$')
  rc=$?
  files=$((files + $(echo "$result" | awk '/^checked/ { print $2 }')))
  entries=$(echo "$result" | awk '/^checked/ { print $6 }')
  if [ $rc -ne 0 ]; then
    echo "trial $t (killed after $delay s):"
    echo "$result"
    failures=$((failures + 1))
  fi
  t=$((t + 1))
done
left=$(ls "$data" | grep -c '^dorrat\.txt\.' || true)
echo "kill test: $killed kills, $files files checked, $failures failures," \
  "$entries week entries stored, $left temporaries left, $slow slow starts"
rm -rf "$data"
[ $failures -eq 0 ]
