#!/usr/bin/env bash
# Runs whole-program cases and compares what they did with what was expected
# (the formats: tests/cases/README.md).
#
#   run_case.sh BIN_DIR CASE_DIR     one case: a folder
#   run_case.sh BIN_DIR TABLE        every case of a table (NAME.cases)
#
# Each command runs in a fresh folder with the programs and the tools of
# BIN_DIR first on PATH (so argv[0] is the bare name). Run as root, it runs
# without the capabilities that let root pass over file permissions, so that
# the permissions a case sets bind it as they bind a user. Any file under
# expected/ beside stdout, stderr, status and analiza.txt must equal the file
# of that name left in the run folder (a statistics file). In the expected
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

# A folder: cmd, optional stdin and input files, expected/. NAME names it in
# the report.
folder() {
  local dir=$1 name=$2 input=/dev/null err=/dev/null f
  chmod -R u+w "$work" && rm -rf "$work/run" && mkdir "$work/run"
  for f in "$dir"/*; do
    case ${f##*/} in cmd|stdin|expected) ;; *) cp -r "$f" "$work/run/" ;; esac
  done
  [ -f "$dir/stdin" ] && input=$dir/stdin
  (cd "$work/run" && PATH=$bin:$PATH exec "${unbound[@]}" timeout 120 \
    bash -c "$(cat "$dir/cmd")") < "$input" > "$work/out" 2> "$work/err"
  status=$?
  if [ "$status" = 77 ] && [ "$(cat "$dir/expected/status")" != 77 ]; then
    echo "SKIP $name: $(cat "$work/err")"; skips=$((skips + 1)); return
  fi
  [ -f "$dir/expected/stderr" ] && err=$dir/expected/stderr
  same "$name" "standard output" "$dir/expected/stdout" "$work/out"
  same "$name" "exit status" "$dir/expected/status" <(echo "$status")
  same "$name" "standard error" "$err" "$work/err"
  if [ -f "$dir/expected/analiza.txt" ]; then
    same "$name" analiza.txt "$dir/expected/analiza.txt" "$work/run/analiza.txt"
  elif [ -f "$work/run/analiza.txt" ] && [ ! -L "$work/run/analiza.txt" ]; then
    echo "FAIL $name: analiza.txt written, none expected"; failed=1
  fi
  for f in "$dir"/expected/*; do
    case ${f##*/} in stdout|status|stderr|analiza.txt) ;; *) same "$name" "${f##*/}" "$f" "$work/run/${f##*/}" ;; esac
  done
}

# same NAME WHAT EXPECTED ACTUAL: the two files hold the same bytes, once the
# expected one's placeholders are filled in.
same() {
  sed -e "s|@VERSION@|$version|g" -e "s|@MAN@|$man|g" "$3" > "$work/expected"
  cmp -s "$work/expected" "$4" && return
  echo "FAIL $1: $2 differs"; diff "$work/expected" "$4" 2>&1 | head -c 2000 | head -n 20
  failed=1
}

# A table: blocks of four lines, the name, the command, the input written to
# the file `in` (printf %b escapes; - for none), and the one line expected:
# on standard output with status 0, or after %%FAIL on standard error with
# status 1 and nothing on standard output. Each becomes a folder.
table() {
  local name cmd input line dir=$work/case
  while IFS= read -r name; do
    case $name in ''|'#'*) continue ;; esac
    IFS= read -r cmd && IFS= read -r input && IFS= read -r line ||
      { echo "FAIL $name: the table ends inside the case"; failed=1; return; }
    rm -rf "$dir" && mkdir -p "$dir/expected" && echo "$cmd" > "$dir/cmd"
    [ "$input" = - ] || printf '%b\n' "$input" > "$dir/in"
    if [ "${line#%%FAIL }" != "$line" ]; then
      printf '%s\n' "${line#%%FAIL }" > "$dir/expected/stderr"
      : > "$dir/expected/stdout" && echo 1 > "$dir/expected/status"
    else
      printf '%s\n' "$line" > "$dir/expected/stdout" && echo 0 > "$dir/expected/status"
    fi
    folder "$dir" "$name"
    cases=$((cases + 1))
  done
}

failed=0 skips=0 cases=0
if [ -d "$2" ]; then
  folder "$(cd "$2" && pwd)" "$(basename "$2")"
  [ "$skips" = 0 ] || exit 77
else
  table < "$2"
  echo "$cases cases, $skips skipped"
fi
exit $failed
