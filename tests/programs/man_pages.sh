#!/usr/bin/env bash
# The manual pages format without a single groff warning and hold the
# sections a reader looks for. Skipped (77) when groff is not installed.
#
#   man_pages.sh MAN_DIR
set -u
command -v groff > /dev/null || { echo "SKIP: groff is not installed"; exit 77; }
failed=0
for page in tarsel tarnox sakora genetic-sweep plot-analiza; do
  file=$1/$page.1
  warnings=$(groff -ww -man -z "$file" 2>&1) || { echo "FAIL $page: groff failed"; failed=1; }
  [ -z "$warnings" ] || { echo "FAIL $page:"; echo "$warnings"; failed=1; }
  for section in NAME SYNOPSIS DESCRIPTION FILES "EXIT STATUS" EXAMPLES; do
    grep -qx "\.SH \"\{0,1\}$section\"\{0,1\}" "$file" || { echo "FAIL $page: no $section"; failed=1; }
  done
done
exit $failed
