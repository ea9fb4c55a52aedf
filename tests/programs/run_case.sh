#!/usr/bin/env bash
# Runs one whole-program case and compares what the program did with what was
# expected.
#
#   run_case.sh BIN_DIR CASE_DIR
#
# CASE_DIR holds:
#   cmd                    the program name, then its arguments, on one line
#                          (file arguments are relative to the case folder)
#   stdin                  optional: what standard input receives (else nothing)
#   expected/stdout        the exact standard output
#   expected/status        the exit status
#   expected/analiza.txt   optional: the exact log; when absent no log may appear
#   expected/stderr        optional: the exact standard error
#   expected/stderr-nonempty  optional: standard error must hold a line or more
#   any other file         copied into the working folder first
# The program runs in a fresh empty folder with argv[0] set to its bare name.
set -u
bin=$(cd "$1" && pwd)
dir=$2
read -r prog args < "$dir/cmd"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for f in "$dir"/*; do
  case $(basename "$f") in cmd|stdin|expected) ;; *) cp -r "$f" "$work/" ;; esac
done
input=/dev/null
[ -f "$dir/stdin" ] && input="$dir/stdin"
# shellcheck disable=SC2086
(cd "$work" && exec timeout 120 bash -c 'exec -a "$0" "$@"' "$prog" "$bin/$prog" $args) \
  < "$input" > "$work/.out" 2> "$work/.err"
status=$?
failed=0
problem() { echo "FAIL: $*"; failed=1; }
if ! cmp -s "$work/.out" "$dir/expected/stdout"; then
  problem "standard output differs"
  diff <(head -c 20000 "$dir/expected/stdout") <(head -c 20000 "$work/.out") | head -n 20
fi
expected_status=$(cat "$dir/expected/status")
[ "$status" = "$expected_status" ] || problem "exit status $status, expected $expected_status"
if [ -f "$dir/expected/analiza.txt" ]; then
  if ! cmp -s "$work/analiza.txt" "$dir/expected/analiza.txt"; then
    problem "analiza.txt differs"
    diff "$dir/expected/analiza.txt" "$work/analiza.txt" 2>&1 | head -n 10
  fi
elif [ -e "$work/analiza.txt" ]; then
  problem "analiza.txt written, none expected"
fi
if [ -f "$dir/expected/stderr" ]; then
  if ! cmp -s "$work/.err" "$dir/expected/stderr"; then
    problem "standard error differs"
    diff "$dir/expected/stderr" "$work/.err" | head -n 10
  fi
elif [ -f "$dir/expected/stderr-nonempty" ]; then
  [ -s "$work/.err" ] || problem "standard error is empty, a message was expected"
elif [ -s "$work/.err" ]; then
  problem "unexpected standard error: $(head -c 300 "$work/.err")"
fi
exit $failed
