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
main_window() { xdotool search --name " Dorrin " 2>/dev/null | head -n1; }
# Tab i of the strip, a press with the left button (window coordinates).
tab() { xdotool mousemove --window "$1" $((3 + $2 * 58 + 29)) 29 click 1 2>/dev/null; }

killed=0 failures=0 files=0 entries=0
t=1
while [ $t -le "$trials" ]; do
  "$dorrin" >"$data/log" 2>&1 &
  pid=$!
  i=0
  while [ -z "$(main_window)" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
  win=$(main_window)
  # Shown and taking input.
  i=0
  while ! xwininfo -id "$win" 2>/dev/null | grep -q "Map State: IsViewable" && [ $i -lt 100 ]; do
    sleep 0.05
    i=$((i + 1))
  done
  sleep 0.2
  if [ -z "$win" ]; then
    echo "trial $t: the organiser did not start"
    cat "$data/log"
    failures=$((failures + 1))
    kill -9 $pid 2>/dev/null
    wait $pid 2>/dev/null
    t=$((t + 1))
    continue
  fi
  # A random moment 0 to 2 s into a stream of writes.
  delay=$(awk -v s="$t$$" 'BEGIN { srand(s); printf "%.3f", rand() * 2 }')
  (sleep "$delay"; kill -9 $pid 2>/dev/null) &
  killer=$!
  n=0
  while kill -0 $pid 2>/dev/null && [ $n -lt 40 ]; do
    tab "$win" 5 || break                  # week page: settings written
    sleep 0.05
    # A line of the strips from today on: an entry is changed, or one added.
    xdotool mousemove --window "$win" 118 $((112 + (n % 6) * 19)) click 1 2>/dev/null || break
    xdotool key --window "$win" ctrl+a 2>/dev/null
    xdotool type --window "$win" --delay 0 "kill test $t $n" 2>/dev/null
    xdotool key --window "$win" Return 2>/dev/null || break # the entry stored
    sleep 0.05
    tab "$win" $((n % 5)) || break         # a launcher page: settings written
    n=$((n + 1))
  done
  [ -n "$DORRIN_KILL_TRACE" ] && echo "trial $t: killed after $delay s, $n rounds"
  wait $killer 2>/dev/null
  kill -9 $pid 2>/dev/null
  wait $pid 2>/dev/null
  killed=$((killed + 1))
  result=$("$check" "$data" '^kill test [0-9]+ [0-9]+$')
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
  "$entries week entries stored, $left temporaries left"
rm -rf "$data"
[ $failures -eq 0 ]
