#!/usr/bin/env bash
# Runs whole-program cases and compares what they did with what was expected
# (the formats: tests/cases/README.md).
#
#   run_case.sh BIN_DIR CASE_DIR     one case: a folder
#   run_case.sh BIN_DIR TABLE        every case of a table (NAME.cases)
#
# Each command runs in a fresh folder with the programs of BIN_DIR and the
# tools first on PATH (so argv[0] is the bare name). Run as root, it runs
# without the capabilities that let root pass over file permissions, so that
# the permissions a case sets bind it as they bind a user. In the expected
# output @VERSION@ stands for the project's version (CASE_VERSION, else read
# from CMakeLists.txt) and @MAN@ for the folder of the build's manual pages
# (CASE_MAN_DIR, else share/man/man1 beside BIN_DIR). Status 77 skips a case.
set -u
bin=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
version=${CASE_VERSION:-$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")}
man=${CASE_MAN_DIR:-$(cd "$bin/.." && pwd -P)/share/man/man1}
unbound=()
[ "$(id -u)" = 0 ] && command -v setpriv > /dev/null &&
  unbound=(setpriv --bounding-set=-dac_override,-dac_read_search --)
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

# run COMMAND INPUT: runs the command in $work/run (prepared by the caller)
# with standard input from INPUT; leaves $work/out, $work/err and $status.
run() {
  (cd "$work/run" && PATH=$bin:$source/tools:$PATH exec "${unbound[@]}" timeout 120 bash -c "$1") \
    < "$2" > "$work/out" 2> "$work/err"
  status=$?
}

# same NAME WHAT EXPECTED ACTUAL: the two files hold the same bytes, once the
# expected one's placeholders are filled in.
same() {
  sed -e "s|@VERSION@|$version|g" -e "s|@MAN@|$man|g" "$3" > "$work/expected"
  cmp -s "$work/expected" "$4" && return
  echo "FAIL $1: $2 differs"; diff "$work/expected" "$4" 2>&1 | head -c 2000 | head -n 20
  failed=1
}

# no_log NAME: the case left no log behind.
no_log() {
  if [ -f "$work/run/analiza.txt" ] && [ ! -L "$work/run/analiza.txt" ]; then
    echo "FAIL $1: analiza.txt written, none expected"; failed=1
  fi
}

# skipped NAME EXPECTED_STATUS: the command asked to be skipped.
skipped() {
  [ "$status" = 77 ] && [ "$2" != 77 ] || return 1
  echo "SKIP $1: $(cat "$work/err")"
  skips=$((skips + 1))
}

# A folder: cmd, optional stdin and input files, expected/.
folder() {
  local dir=$1 name input=/dev/null f
  name=$(basename "$dir")
  mkdir "$work/run"
  for f in "$dir"/*; do
    case ${f##*/} in cmd|stdin|expected) ;; *) cp -r "$f" "$work/run/" ;; esac
  done
  [ -f "$dir/stdin" ] && input=$dir/stdin
  run "$(cat "$dir/cmd")" "$input"
  skipped "$name" "$(cat "$dir/expected/status")" && return
  same "$name" "standard output" "$dir/expected/stdout" "$work/out"
  same "$name" "exit status" "$dir/expected/status" <(echo "$status")
  if [ -f "$dir/expected/stderr" ]; then
    same "$name" "standard error" "$dir/expected/stderr" "$work/err"
  else
    same "$name" "standard error" /dev/null "$work/err"
  fi
  if [ -f "$dir/expected/analiza.txt" ]; then
    same "$name" analiza.txt "$dir/expected/analiza.txt" "$work/run/analiza.txt"
  else
    no_log "$name"
  fi
}

# A table: blocks of four lines, the name, the command, the input written to
# the file `in` (printf %b escapes; - for none), and the one line expected:
# on standard output with status 0, or after %%FAIL on standard error with
# status 1 and nothing on standard output.
table() {
  local name cmd input expected
  while IFS= read -r name; do
    case $name in ''|'#'*) continue ;; esac
    IFS= read -r cmd && IFS= read -r input && IFS= read -r expected ||
      { echo "FAIL $name: the table ends inside the case"; failed=1; return; }
    chmod -R u+w "$work" && rm -rf "$work/run" && mkdir "$work/run"
    [ "$input" = - ] || printf '%b\n' "$input" > "$work/run/in"
    run "$cmd" /dev/null
    cases=$((cases + 1))
    if [ "${expected#%%FAIL }" != "$expected" ]; then
      skipped "$name" 1 && continue
      same "$name" "standard output" /dev/null "$work/out"
      same "$name" "standard error" <(printf '%s\n' "${expected#%%FAIL }") "$work/err"
      same "$name" "exit status" <(echo 1) <(echo "$status")
    else
      skipped "$name" 0 && continue
      same "$name" "standard output" <(printf '%s\n' "$expected") "$work/out"
      same "$name" "standard error" /dev/null "$work/err"
      same "$name" "exit status" <(echo 0) <(echo "$status")
    fi
    no_log "$name"
  done
}

failed=0 skips=0 cases=0
if [ -d "$2" ]; then
  folder "$(cd "$2" && pwd)"
  [ "$skips" = 0 ] || exit 77
else
  table < "$2"
  echo "$cases cases, $skips skipped"
fi
exit $failed
