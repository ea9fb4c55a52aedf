#!/usr/bin/env bash
# Runs one whole-program case and compares what it did with what was expected.
#
#   run_case.sh BIN_DIR CASE_DIR
#
# CASE_DIR holds:
#   cmd                    one shell command line, run by bash in a fresh folder
#                          holding copies of the case's other files, with the
#                          programs of BIN_DIR and the tools first on PATH (so
#                          argv[0] is the bare name); status 77 skips the case,
#                          with standard error as the reason
#   stdin                  optional: what standard input receives (else nothing)
#   expected/stdout        the exact standard output
#   expected/status        the exit status
#   expected/stderr        optional: the exact standard error (else none at all)
#   expected/analiza.txt   optional: the exact log (else no log file may appear)
#   expected/OTHER         optional: any other file, equal to the file of that
#                          name left in the run folder (a statistics file)
# In the expected files @VERSION@ stands for the project's version
# (CASE_VERSION, else read from CMakeLists.txt) and @MAN@ for the folder of the
# build's manual pages (CASE_MAN_DIR, else share/man/man1 beside BIN_DIR).
set -u
bin=$(cd "$1" && pwd)
dir=$(cd "$2" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
tools=$source/tools
version=${CASE_VERSION:-$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")}
man=${CASE_MAN_DIR:-$(cd "$bin/.." && pwd -P)/share/man/man1}
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
mkdir "$work/run"
for f in "$dir"/*; do
  case ${f##*/} in cmd|stdin|expected) ;; *) cp -r "$f" "$work/run/" ;; esac
done
input=/dev/null
[ -f "$dir/stdin" ] && input=$dir/stdin
(cd "$work/run" && PATH=$bin:$tools:$PATH exec timeout 120 bash -c "$(cat "$dir/cmd")") \
  < "$input" > "$work/out" 2> "$work/err"
status=$?
[ "$status" = 77 ] && [ "$(cat "$dir/expected/status")" != 77 ] && { cat "$work/err"; exit 77; }
failed=0
# same WHAT EXPECTED ACTUAL: the two files hold the same bytes.
same() {
  sed -e "s|@VERSION@|$version|g" -e "s|@MAN@|$man|g" "$2" > "$work/expected"
  cmp -s "$work/expected" "$3" && return
  echo "FAIL: $1 differs"; diff "$work/expected" "$3" 2>&1 | head -c 2000 | head -n 20; failed=1
}
same "standard output" "$dir/expected/stdout" "$work/out"
same "exit status" "$dir/expected/status" <(echo "$status")
if [ -f "$dir/expected/stderr" ]; then
  same "standard error" "$dir/expected/stderr" "$work/err"
else
  same "standard error" /dev/null "$work/err"
fi
if [ -f "$dir/expected/analiza.txt" ]; then
  same analiza.txt "$dir/expected/analiza.txt" "$work/run/analiza.txt"
elif [ -f "$work/run/analiza.txt" ] && [ ! -L "$work/run/analiza.txt" ]; then
  echo "FAIL: analiza.txt written, none expected"; failed=1
fi
for f in "$dir"/expected/*; do
  case ${f##*/} in stdout|status|stderr|analiza.txt) ;; *) same "${f##*/}" "$f" "$work/run/${f##*/}" ;; esac
done
exit $failed
