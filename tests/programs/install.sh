#!/usr/bin/env bash
# `cmake --install` into a fresh prefix puts the three programs into bin and
# their manual pages into share/man/man1, and the installed tarsel prints the
# pinned output of the shipped example.
#
#   install.sh CMAKE BUILD_DIR SOURCE_DIR
set -u
cmake=$1 build=$2 source=$(cd "$3" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" > /dev/null || { echo "FAIL: install"; exit 1; }
failed=0
for program in tarsel tarnox sakora; do
  [ -x "$prefix/bin/$program" ] || { echo "FAIL: no bin/$program"; failed=1; }
  [ -f "$prefix/share/man/man1/$program.1" ] || { echo "FAIL: no $program.1"; failed=1; }
done
# The shipped example is the parameter file of the case tarsel-example.
cmp -s "$source/examples/tarsel.txt" "$source/tests/cases/tarsel-example/params.txt" \
  || { echo "FAIL: examples/tarsel.txt is no longer the case's params.txt"; exit 1; }
expected=$source/tests/cases/tarsel-example/expected
mkdir "$prefix/run"
(cd "$prefix/run" && "$prefix/bin/tarsel" "$source/examples/tarsel.txt" < /dev/null > stdout) \
  || { echo "FAIL: installed tarsel ended with $?"; failed=1; }
cmp -s "$prefix/run/stdout" "$expected/stdout" || { echo "FAIL: standard output differs"; failed=1; }
cmp -s "$prefix/run/analiza.txt" "$expected/analiza.txt" || { echo "FAIL: analiza.txt differs"; failed=1; }
exit $failed
