#!/usr/bin/env bash
# A program whose output cannot be written ends with status 1 and one line on
# standard error, never with 0. The optimisers' log is checked too.
#
#   output_failures.sh BIN_DIR PROGRAM
. "$(dirname "$0")/temporary_folder.sh"
if [ "$prog" = sakora ]; then
  printf '20 10 20 0.01 2 4 2 3 4 5 3 4 5 6 5\n' > p
else
  printf -- '-2 2 6 20 10 20 0.01\n' > p
fi
failed=0

# expect NAME STATUS STDERR: compares the last run's status and standard error.
expect() {
  local name=$1 want_status=$2 want_err=$3
  if [ "$status" != "$want_status" ] || [ "$(cat err)" != "$want_err" ] || [ "$(wc -l < err)" != 1 ]; then
    echo "FAIL $name: status $status, standard error: $(head -c 300 err)"
    failed=1
  fi
}

"$bin/$prog" p > /dev/full 2> err < /dev/null; status=$?
expect "file mode, standard output full" 1 "Cannot write to standard output"

"$bin/$prog" p >&- 2> err < /dev/null; status=$?
expect "standard output closed" 1 "Cannot write to standard output"

if [ "$prog" = sakora ]; then
  [ -e analiza.txt ] && { echo "FAIL sakora wrote analiza.txt"; failed=1; }
  exit $failed
fi

"$bin/$prog" > /dev/full 2> err < p; status=$?
expect "console mode, standard output full" 1 "Cannot write to standard output"

mkdir analiza.txt
"$bin/$prog" p > out 2> err < /dev/null; status=$?
expect "log is a folder" 1 "Cannot open analiza.txt"
rmdir analiza.txt

ln -s /dev/full analiza.txt
"$bin/$prog" p > out 2> err < /dev/null; status=$?
expect "log on a full disk" 1 "Cannot write analiza.txt"
rm analiza.txt

# The disk fills during the run (a file size limit of 1 KB, its signal
# ignored so that the write fails instead): the lines already in the log stay.
printf '  1.000000  -3.000000\n' > analiza.txt
(trap '' XFSZ; ulimit -f 1; exec "$bin/$prog" p) > /dev/null 2> err < /dev/null; status=$?
expect "log fills the disk" 1 "Cannot write analiza.txt"
if [ "$(head -n 1 analiza.txt)" != "  1.000000  -3.000000" ] || [ "$(wc -c < analiza.txt)" -gt 1024 ]; then
  echo "FAIL log fills the disk: the earlier line is lost or the log grew past the limit"
  failed=1
fi
rm analiza.txt

# A log that is already there keeps its lines; the run appends.
printf '  1.000000  -3.000000\n' > analiza.txt
"$bin/$prog" p > out 2> err < /dev/null; status=$?
expect_lines=$((1 + 10 * 10))
if [ "$status" != 0 ] || [ "$(head -n 1 analiza.txt)" != "  1.000000  -3.000000" ] ||
   [ "$(wc -l < analiza.txt)" != "$expect_lines" ]; then
  echo "FAIL existing log: status $status, $(wc -l < analiza.txt) lines"
  failed=1
fi
exit $failed
