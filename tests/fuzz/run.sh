#!/usr/bin/env bash
# Runs one fuzz target for a bounded time from seeds taken from the
# whole-program cases and the examples, and fails on any crash, sanitizer
# report, leak, timeout or broken property. Prints how many inputs it
# executed; the inputs of a failure are kept in findings/TARGET/ beside the
# target's folder.
#
#   run.sh FUZZ_TARGET [SECONDS]      (default: FUZZ_SECONDS, else 60)
set -u
target=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
name=${target##*/fuzz_}
seconds=${2:-${FUZZ_SECONDS:-60}}
here=$(cd "$(dirname "$0")" && pwd)
cases=$here/../cases
work=$(mktemp -d)
# The executions' scratch files in memory where possible: every input makes some.
scratch=$(mktemp -d -p /dev/shm 2> /dev/null || mktemp -d -p "$work")
trap 'rm -rf "$work" "$scratch"' EXIT
findings=$(dirname "$target")/../findings/$name
rm -rf "$findings" && mkdir -p "$findings" "$work/corpus" "$work/seeds"

# seed FILE: one more seed.
seed() { cp "$1" "$work/seeds/$(cksum < "$1" | tr ' ' -)"; }
# Parameter files feed the parameter file and the console (seven answers);
# problem files the problem file.
case $name in
  params|console) programs='tarsel|tarnox' examples=("$here"/../../examples/*.txt) ;;
  problem) programs=sakora examples=("$here"/../../examples/knapsack/*.txt) ;;
esac
for file in "${examples[@]}"; do seed "$file"; done
for dir in "$cases"/*/; do
  [[ $(basename "$dir") =~ ^($programs)- ]] || continue
  for file in "$dir"*; do
    case ${file##*/} in cmd|expected) ;; stdin) [ "$name" = console ] && seed "$file" ;; *) seed "$file" ;; esac
  done
done
# The inputs of the tables: every third line of a block.
for table in "$cases"/*.cases; do
  awk '/^(#|$)/ { n = 0; next } { if (++n == 2) cmd = $1; else if (n == 3) print cmd "\t" $0 }' "$table"
done | while IFS=$'\t' read -r program input; do
  [[ $program =~ ^($programs)$ ]] && [ "$input" != - ] || continue
  printf '%b\n' "$input" > "$work/input" && seed "$work/input"
done

TMPDIR=$scratch "$target" -max_total_time="$seconds" -timeout=10 -max_len=4096 \
  -dict="$here/numbers.dict" -print_final_stats=1 -artifact_prefix="$findings/" \
  "$work/corpus" "$work/seeds" > "$work/log" 2>&1
status=$?
echo "fuzz_$name: $(ls "$work/seeds" | wc -l) seeds," \
  "$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log") inputs in $seconds s, status $status"
if [ "$status" -ne 0 ] || [ -n "$(ls "$findings")" ]; then
  grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)' "$work/log" | tail -n 60
  echo "inputs kept in $(cd "$findings" && pwd)"
  exit 1
fi
