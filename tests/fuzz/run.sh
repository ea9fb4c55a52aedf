#!/usr/bin/env bash
# Runs each fuzz target for a bounded time from the seed corpus, and fails on
# any crash, sanitizer report, leak, timeout or broken property. Prints how
# many inputs each target executed; the inputs of a failure are kept in
# FUZZ_BIN_DIR/../findings/TARGET/.
#
#   run.sh FUZZ_BIN_DIR [SECONDS_PER_TARGET]
set -u
bin=$(cd "$1" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
# The executions' scratch files in memory where possible: every input makes some.
scratch=$(mktemp -d -p /dev/shm 2> /dev/null || mktemp -d -p "$work")
trap 'rm -rf "$work" "$scratch"' EXIT
failed=0
for target in params console problem; do
  dir=$work/$target findings=$bin/../findings/$target
  rm -rf "$findings" && mkdir -p "$dir/corpus" "$findings"
  seeds=("$here/corpus/$target")
  # Any parameter file is also a console session of seven answers.
  [ "$target" = console ] && seeds+=("$here/corpus/params")
  TMPDIR=$scratch "$bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -max_len=4096 \
    -dict="$here/numbers.dict" -print_final_stats=1 -artifact_prefix="$findings/" \
    "$dir/corpus" "${seeds[@]}" > "$dir/log" 2>&1
  status=$?
  echo "fuzz_$target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log") inputs" \
    "in $seconds s, status $status"
  if [ "$status" -ne 0 ] || [ -n "$(ls "$findings")" ]; then
    failed=1
    grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)' "$dir/log" | tail -n 60
    echo "inputs kept in $(cd "$findings" && pwd)"
  fi
done
exit $failed
