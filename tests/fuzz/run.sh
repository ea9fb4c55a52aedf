#!/usr/bin/env bash
# Runs each fuzz target for a bounded time from the seed corpus in the
# repository, and fails on any crash, sanitizer report, leak, timeout or
# broken property. Prints how many inputs each target executed. The inputs of
# a failure are kept in FUZZ_BIN_DIR/../findings/TARGET/.
#
#   run.sh FUZZ_BIN_DIR [SECONDS_PER_TARGET]
set -u
bin=$(cd "$1" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
# The executions' scratch files: in memory where possible, since every input
# creates and removes a few.
scratch=$(mktemp -d -p /dev/shm 2> /dev/null || mktemp -d -p "$work")
trap 'rm -rf "$work" "$scratch"' EXIT
failed=0
for target in params console problem; do
  seeds=("$here/corpus/$target")
  # Any parameter file is also a console session of seven answers.
  [ "$target" = console ] && seeds+=("$here/corpus/params")
  dir=$work/$target
  mkdir -p "$dir/corpus" "$dir/findings"
  # New inputs go to the first folder, a scratch one; the seeds stay as they are.
  TMPDIR=$scratch "$bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -max_len=4096 \
    -dict="$here/numbers.dict" -print_final_stats=1 -artifact_prefix="$dir/findings/" \
    "$dir/corpus" "${seeds[@]}" > "$dir/log" 2>&1
  status=$?
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log")
  echo "fuzz_$target: ${executed:-?} inputs in $seconds s, $(ls "$dir/corpus" | wc -l) new corpus entries, status $status"
  if [ "$status" -ne 0 ] || [ -n "$(ls "$dir/findings")" ]; then
    failed=1
    grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)' "$dir/log" | tail -n 60
    mkdir -p "$bin/../findings/$target"
    cp "$dir/findings/"* "$bin/../findings/$target/" 2> /dev/null
    echo "inputs kept in $(cd "$bin/.." && pwd)/findings/$target"
  fi
done
exit $failed
