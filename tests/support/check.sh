# Checks of the shell tests, sourced by each: `check NAME COMMAND...` runs
# COMMAND and counts it passed or failed (naming a failure); `check_summary`
# prints the counts and is the test's result.
passed=0
failed=0
check() { # check NAME COMMAND...
  name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}
check_summary() {
  echo "$passed passed, $failed failed"
  [ $failed -eq 0 ]
}
