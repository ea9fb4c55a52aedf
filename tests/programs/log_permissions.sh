#!/usr/bin/env bash
# The log cannot be written for want of permission: a working folder without
# write permission, and a log that may not be written to. Either is status 1
# with "Cannot open analiza.txt" at the first generation; a log that was there
# keeps its content. Skipped (status 77) as root, for whom permissions do not bind.
#
#   log_permissions.sh BIN_DIR PROGRAM
[ "$(id -u)" = 0 ] && { echo "skipped: running as root"; exit 77; }
. "$(dirname "$0")/temporary_folder.sh"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
printf -- '-2 2 6 20 10 20 0.01\n' > p

# expect NAME: status 1, one line on standard error.
expect() {
  if [ "$status" != 1 ] || [ "$(cat err)" != "Cannot open analiza.txt" ]; then
    echo "FAIL $1: status $status, standard error: $(head -c 300 err)"
    failed=1
  fi
}

mkdir locked
chmod a-w locked
(cd locked && exec "$bin/$prog" ../p) > out 2> err < /dev/null; status=$?
expect "folder without write permission"
[ -e locked/analiza.txt ] && { echo "FAIL a log appeared in the locked folder"; failed=1; }

printf '  1.000000  -3.000000\n' > analiza.txt
chmod a-w analiza.txt
"$bin/$prog" p > out 2> err < /dev/null; status=$?
expect "log without write permission"
[ "$(cat analiza.txt)" = "  1.000000  -3.000000" ] || { echo "FAIL the log changed"; failed=1; }
exit $failed
