#!/usr/bin/env bash
# A program on its shipped example under valgrind's memcheck: no invalid read
# or write, no use of an uninitialised value, no lost block, and the same
# output and log as without valgrind. Memory still reachable at exit is fine:
# the store lives until the process ends. Skipped (status 77) without valgrind.
#
#   valgrind.sh BIN_DIR PROGRAM INPUT_FILE
set -u
command -v valgrind > /dev/null || { echo "skipped: valgrind is not installed"; exit 77; }
bin=$(cd "$1" && pwd)
prog=$2
input=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir plain checked
(cd plain && exec "$bin/$prog" "$input") < /dev/null > plain.out 2> plain.err
(cd checked && exec valgrind -q --error-exitcode=99 --track-origins=yes --leak-check=full \
  --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect \
  "$bin/$prog" "$input") < /dev/null > checked.out 2> checked.err
status=$?
failed=0
if [ "$status" != 0 ] || [ -s checked.err ]; then
  echo "FAIL memcheck: status $status"
  head -n 60 checked.err
  failed=1
fi
cmp -s plain.out checked.out || { echo "FAIL the output differs under valgrind"; failed=1; }
if [ -e plain/analiza.txt ] || [ -e checked/analiza.txt ]; then
  cmp -s plain/analiza.txt checked/analiza.txt || { echo "FAIL the log differs under valgrind"; failed=1; }
fi
exit $failed
