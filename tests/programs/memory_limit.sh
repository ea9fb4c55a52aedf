#!/usr/bin/env bash
# Memory too small: a store that cannot be allocated ends the program with
# status 1 and one line on standard error, never a crash; a problem file that
# declares 2000000000 items but holds three values is refused for the missing
# fourth value without reserving memory for the declared count first.
#
#   memory_limit.sh BIN_DIR PROGRAM
#
# The limit is `ulimit -v` (256 MB of address space). A sanitized build
# reserves far more address space than that for itself, so there the
# sanitizer's allocator refuses single allocations above 256 MB instead (with
# a warning of its own, which is set aside), and only the cases that need one
# such allocation run.
. "$(dirname "$0")/temporary_folder.sh"
sanitized=0
LC_ALL=C grep -q __asan_init "$bin/$prog" && sanitized=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:allocator_may_return_null=1:max_allocation_size_mb=256

# limited NAME FILE: runs the program on FILE with the memory limit.
limited() {
  local name=$1 file=$2
  mkdir "$name"
  (cd "$name" && { [ "$sanitized" = 1 ] || ulimit -v 262144; } && exec timeout 120 "$bin/$prog" "$file") \
    < /dev/null > "$name.out" 2> "$name.all"
  status=$?
  grep -v '^==[0-9]*==WARNING: AddressSanitizer failed to allocate ' "$name.all" > "$name.err"
}

# expect NAME STATUS STDERR STDOUT
expect() {
  if [ "$status" != "$2" ] || [ "$(cat "$1.err")" != "$3" ] || [ "$(cat "$1.out")" != "$4" ]; then
    echo "FAIL $1: status $status, standard error: $(head -c 300 "$1.err")"
    echo "     standard output: $(head -c 300 "$1.out")"
    failed=1
  fi
}

# store VEL_POP N: a parameter or problem file for a store of VEL_POP rows of
# about N bytes, one generation, one run.
store() {
  if [ "$prog" = sakora ]; then
    printf '%s 1 20 0.01 1 %s\n' "$1" "$2"
    for _ in 1 2; do seq "$2" | tr '\n' ' '; echo; done
    echo 5
  else
    # 10^p x (1 - 0) needs p x log2(10) bits, rounded up.
    printf '0 1 %s %s 1 20 0.01\n' "$(($2 * 3 / 10))" "$1"
  fi
}

# Announced before the store in sakora; nothing before it in the optimisers.
announced() {
  [ "$prog" = sakora ] && printf 'Procitao prvi dio i N %s' "$1"
}

# The table of rows alone is beyond the limit: its first allocation fails.
store 100000000 20 > rows.txt
limited rows "$work/rows.txt"
expect rows 1 "Not enough memory for the population (VEL_POP=100000000, N=20)" "$(announced 20)"

if [ "$sanitized" = 0 ]; then
  # A million rows of about a kilobyte: the memory runs out part way.
  store 1000000 1000 > full.txt
  limited full "$work/full.txt"
  n=$([ "$prog" = sakora ] && echo 1000 || echo 997)
  expect full 1 "Not enough memory for the population (VEL_POP=1000000, N=$n)" "$(announced $n)"
fi

if [ "$prog" = sakora ]; then
  printf '10 10 20 0.01 1 2000000000 1 2 3\n' > declared.txt
  limited declared "$work/declared.txt"
  expect declared 1 "weight 4 of 2000000000 is missing" ""
fi
exit $failed
