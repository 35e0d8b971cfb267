#!/usr/bin/env bash
# libFuzzer harnesses of the parsers of outside input (fuzz/), built with
# clang, AddressSanitizer and UBSan into build-fuzz/.
#   scripts/fuzz.sh ci                  each harness for 10 s from its seeds (CI)
#   scripts/fuzz.sh run [SECONDS] [NAME] each harness (or one) for SECONDS (600)
# Any finding fails the run; its reproducer is left in build-fuzz/findings/NAME/.
# Keep a reproducer as a seed in fuzz/corpus/NAME/ once the fault is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
dir=${DORRIN_FUZZ_BUILD:-$root/build-fuzz}
mode=${1:-}
case "$mode" in
  ci) seconds=10; only="" ;;
  run) seconds=${2:-600}; only=${3:-} ;;
  *) echo "usage: scripts/fuzz.sh ci | run [SECONDS] [NAME]" >&2; exit 2 ;;
esac

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" \
  -DDORRIN_FUZZ=ON -DDORRIN_TESTS=OFF -DDORRIN_BENCH=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target fuzzers
dir=$(cd "$dir" && pwd)

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
# Leaks are not looked for: Qt keeps process-wide caches until exit.
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
# Harnesses that write files do it in memory-backed storage where there is
# some: every durable write flushes to the disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
failed=()
for seeds in "$root"/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  [ -n "$only" ] && [ "$only" != "$name" ] && continue
  corpus="$dir/corpus/$name" findings="$dir/findings/$name"
  # Each harness runs in a scratch folder of its own: file names a harness
  # makes up (an MCI "save" to a relative name) land there, not in the
  # checkout.
  scratch="$dir/scratch/$name"
  rm -rf "$scratch"
  mkdir -p "$corpus" "$findings" "$scratch"
  log="$dir/$name.log"
  echo "== $name: ${seconds} s"
  if (cd "$scratch" && "$dir/fuzz/${name}_fuzz" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$seeds") \
      >"$log" 2>&1; then
    { grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$log" || true; } |
      sed 's/^/   /'
  else
    echo "   FINDING (see $log and $findings):"
    { grep -E "ERROR|SUMMARY|runtime error|exiting" "$log" || true; } | head -5 | sed 's/^/   /'
    failed+=("$name")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz findings in: ${failed[*]}" >&2
  exit 1
fi
