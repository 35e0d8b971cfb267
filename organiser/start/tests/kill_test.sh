#!/bin/sh
# Kills the real organiser with SIGKILL at random moments while it writes
# and checks after every kill that each file is whole and every database
# passes its integrity check; the next start then runs on what was left.
# The trials take turns: tab presses (rewrite "dorrat.txt") with week entries
# (change the week database); alarm saves in the alarm editor (rewrite
# "timedata.txt"); group names committed in the phone book ("GroupName.txt").
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
# The alarm editor and the phone book (a window taken off the top is made
# anew, with another id: looked up before every use).
alarm_editor() { timeout 5 xdotool search --name "알람메모" 2>/dev/null | tail -n1; }
phone_book() { timeout 5 xdotool search --name "전화번호부" 2>/dev/null | tail -n1; }
# Tab i of the strip, a press with the left button (window coordinates).
tab() { timeout 5 xdotool mousemove --window "$1" $((3 + $2 * 58 + 29)) 29 click 1 2>/dev/null; }
double_click() {
  timeout 5 xdotool mousemove --window "$1" "$2" "$3" click --repeat 2 --delay 80 1 2>/dev/null
}
# Types text over the focused box's content.
retype() {
  timeout 5 xdotool key --window "$1" ctrl+a 2>/dev/null
  timeout 5 xdotool type --window "$1" --delay 0 "$2" 2>/dev/null
}
wait_for() { # wait_for FUNCTION: its window id, or nothing after 10 s
  until=$(($(date +%s) + 10))
  while [ -z "$($1)" ] && [ "$(date +%s)" -lt $until ]; do sleep 0.05; done
  $1
}

# One daily alarm, switched off, whose message the alarm trials rewrite.
{
  printf '1|no|매일|*|*|0|0|no|음1|yes|kill test 0 0|'
  i=0
  while [ $i -lt 528 ]; do printf '|'; i=$((i + 1)); done
  printf '\r\n'
} | iconv -f UTF-8 -t CP949 >"$data/timedata.txt"

killed=0 failures=0 files=0 entries=0 slow=0 alarm_saves=0 group_saves=0
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
  n=0
  mode=$((t % 3))
  alarms_before=$(cksum "$data/timedata.txt" 2>/dev/null)
  groups_before=$(cksum "$data/GroupName.txt" 2>/dev/null)
  if [ -n "$win" ] && [ $mode -eq 1 ]; then
    # The alarm editor, opened from today's alarm list on the memo page.
    tab "$win" 6
    sleep 0.1
    double_click "$win" 200 281
    editor=$(wait_for alarm_editor)
  elif [ -n "$win" ] && [ $mode -eq 2 ]; then
    tab "$win" 7
    wait_for phone_book >/dev/null
  fi
  # A random moment 0 to 2 s into a stream of writes.
  delay=$(awk -v s="$t$$" 'BEGIN { srand(s); printf "%.3f", rand() * 2 }')
  (sleep "$delay"; kill -9 $pid 2>/dev/null) &
  killer=$!
  until=$(($(date +%s) + 10))
  while [ $mode -eq 1 ] && kill -0 $pid 2>/dev/null && [ "$(date +%s)" -lt $until ]; do
    # Row 1 opened, its message retyped, saved: the store is rewritten.
    double_click "$editor" 400 33 || break
    timeout 5 xdotool mousemove --window "$editor" 335 461 click 1 2>/dev/null || break
    retype "$editor" "kill test $t $n"
    timeout 5 xdotool mousemove --window "$editor" 143 305 click 1 2>/dev/null || break
    sleep 0.05
    n=$((n + 1))
  done
  while [ $mode -eq 2 ] && kill -0 $pid 2>/dev/null && [ "$(date +%s)" -lt $until ]; do
    # A group cell of the second column opened, retyped, committed.
    double_click "$(phone_book)" 120 $((43 + (n % 5) * 17)) || break
    sleep 0.05
    retype "$(phone_book)" "kill test $t $n"
    timeout 5 xdotool key --window "$(phone_book)" Return 2>/dev/null || break
    sleep 0.05
    n=$((n + 1))
  done
  while [ $mode -eq 0 ] && kill -0 $pid 2>/dev/null && [ "$(date +%s)" -lt $until ]; do
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
  [ -n "$DORRIN_KILL_TRACE" ] && echo "trial $t: mode $mode, killed after $delay s, $n rounds"
  wait $killer 2>/dev/null
  kill -9 $pid 2>/dev/null
  wait $pid 2>/dev/null
  killed=$((killed + 1))
  [ "$(cksum "$data/timedata.txt" 2>/dev/null)" != "$alarms_before" ] && alarm_saves=$((alarm_saves + 1))
  [ "$(cksum "$data/GroupName.txt" 2>/dev/null)" != "$groups_before" ] && group_saves=$((group_saves + 1))
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
# Temporaries of killed writes: the next write of their file removes those
# a minute old, so only writes killed near the end may leave one here.
temporaries=$(ls "$data" | grep -E '^(dorrat\.txt|timedata\.txt|GroupName\.txt)\.[A-Za-z0-9]{6}$')
left=0
for f in $temporaries; do
  left=$((left + 1))
  echo "left: $f, $(($(date +%s) - $(stat -c %Y "$data/$f"))) s old"
done
echo "kill test: $killed kills, $files files checked, $failures failures," \
  "$entries week entries stored, alarm store rewritten in $alarm_saves and group file in" \
  "$group_saves trials, $left temporaries left, $slow slow starts"
rm -rf "$data"
[ $failures -eq 0 ]
