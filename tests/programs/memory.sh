#!/usr/bin/env bash
# Memory: a store beyond the memory ends each program with status 1 and one
# line, never a crash, with nothing printed on standard output; a problem file that declares 2000000000 items but holds
# three values is refused without reserving memory for the count; and
# memcheck finds no error and no lost block on the shipped examples (skipped
# without valgrind, and in a sanitized build, which valgrind cannot run).
#
#   memory.sh BIN_DIR EXAMPLES_DIR
#
# The limit is `ulimit -v` (256 MB of address space). A sanitized build
# reserves far more than that for itself, so there the sanitizer's allocator
# refuses single allocations above 64 MB instead (after a warning of its own,
# set aside). The store asked for, about 1 GB, stays below the memory of any
# machine that builds, so that the estimate made before allocating lets it by.
set -u
bin=$(cd "$1" && pwd)
examples=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
sanitized=0
LC_ALL=C grep -q __asan_init "$bin/tarsel" && sanitized=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:allocator_may_return_null=1:max_allocation_size_mb=64
failed=0

# expect PROGRAM VEL_POP N STDERR [ITEMS]: the program on a file for a store of
# VEL_POP rows of about N bytes (sakora: ITEMS declared, default N) is refused.
expect() {
  local prog=$1 items=${5:-$3}
  if [ "$prog" = sakora ]; then
    { echo "$2 1 20 0.01 1 $items"; seq "$3"; seq "$3"; echo 5; } > input
  else
    echo "0 1 $(($3 * 3 / 10)) $2 1 20 0.01" > input  # p decimals need 3.3 p bits
  fi
  ( [ "$sanitized" = 1 ] || ulimit -v 262144; exec timeout 120 "$bin/$prog" input ) \
    < /dev/null > out 2> all
  local status=$?
  grep -v '^==[0-9]*==WARNING: AddressSanitizer failed to allocate ' all > err
  if [ "$status" != 1 ] || [ "$(cat err)" != "$4" ] || [ -s out ]; then
    echo "FAIL $prog $2 x $3: status $status, standard error: $(head -c 300 err)"; failed=1
  fi
}

for prog in tarsel tarnox sakora; do
  expect $prog 10000000 20 "Not enough memory for the population (VEL_POP=10000000, N=20)"
done
expect sakora 10 1 "weight 4 of 2000000000 is missing" 2000000000

if [ "$sanitized" = 0 ] && command -v valgrind > /dev/null; then
  for run in "tarsel tarsel.txt" "tarnox tarnox.txt" "sakora knapsack/f1.txt"; do
    set -- $run
    mkdir -p "$1" && (cd "$1" && valgrind -q --error-exitcode=99 --track-origins=yes \
      --leak-check=full --show-leak-kinds=definite,indirect \
      --errors-for-leak-kinds=definite,indirect "$bin/$1" "$examples/$2") \
      < /dev/null > /dev/null 2> err || { echo "FAIL memcheck $1:"; head -n 40 err; failed=1; }
  done
elif [ "$sanitized" = 0 ]; then
  echo "memcheck skipped: valgrind is not installed"
fi
exit $failed
