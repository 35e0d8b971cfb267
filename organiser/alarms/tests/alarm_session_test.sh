#!/bin/sh
# One alarm end to end in a real X session: the organiser starts a few
# seconds before a daily alarm (wall clock set with faketime); at the alarm's
# minute the notice window appears in the screen's top-left corner with the
# message, and the sound reaches the audio device (SDL's disk driver records
# it: it must not be silence). Run through run_under_xvfb.sh;
# usage: alarm_session_test.sh DORRIN
dorrin=$1
if [ -n "$DORRIN_XVFB_MISSING" ]; then
  echo "skipped: $DORRIN_XVFB_MISSING"
  exit 0
fi
for tool in faketime xwininfo iconv od; do
  command -v $tool >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 0; }
done
data=$(mktemp -d)
trap 'kill $pid 2>/dev/null; rm -rf "$data"' EXIT
export DORRIN_DATA_DIR=$data XDG_RUNTIME_DIR=$data HOME=$data XDG_CONFIG_HOME=$data/config
chmod 700 "$data"
# The store as the original writes it: CP949, 539 items, CR LF.
{
  printf '1|yes|매일|*|*|10|0|yes|음1|yes|회의 시작 10분 전|'
  i=0
  while [ $i -lt 528 ]; do printf '|'; i=$((i + 1)); done
  printf '\r\n'
} | iconv -f UTF-8 -t CP949 >"$data/timedata.txt"

# faketime preloads its library ahead of an AddressSanitizer runtime.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$data/audio.raw FAKETIME_DONT_FAKE_MONOTONIC=1 \
  faketime -f '@2026-03-13 09:59:45' "$dorrin" >"$data/log" 2>&1 &
pid=$!

notice=
i=0
while [ -z "$notice" ] && [ $i -lt 450 ]; do
  sleep 0.1
  notice=$(xdotool search --name '스케즐 알람' 2>/dev/null | head -n1)
  i=$((i + 1))
done
failed=0
if [ -z "$notice" ]; then
  echo "FAILED: no notice window within 45 s"
  cat "$data/log"
  exit 1
fi
info=$(xwininfo -id "$notice")
echo "$info" | grep -q 'Absolute upper-left X:  0$' || { echo "FAILED: notice not at x 0"; failed=1; }
echo "$info" | grep -q 'Absolute upper-left Y:  0$' || { echo "FAILED: notice not at y 0"; failed=1; }
echo "$info" | grep -q 'Map State: IsViewable' || { echo "FAILED: notice not shown"; failed=1; }
# The sound: wait for samples that are not all zero.
i=0
while [ $i -lt 50 ]; do
  if [ -s "$data/audio.raw" ] && od -An -v -tx1 "$data/audio.raw" | tr -d ' \n' | grep -q '[1-9a-f]'; then
    break
  fi
  sleep 0.1
  i=$((i + 1))
done
[ $i -lt 50 ] || { echo "FAILED: the alarm sound was not played (silence)"; failed=1; }
if [ $failed -ne 0 ]; then
  cat "$data/log"
  exit 1
fi
echo "passed: notice at 0,0 and sound played"
