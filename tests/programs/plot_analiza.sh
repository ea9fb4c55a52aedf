#!/usr/bin/env bash
# plot-analiza draws a PNG of sensible size from a fresh log made by tarsel,
# without the generation count, and from the same log after tarnox, with it
# (its refusals are whole-program cases). Skipped (77) when no python3 can
# import matplotlib.
#
#   plot_analiza.sh BIN_DIR SOURCE_DIR
set -u
bin=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
py=""
for candidate in /usr/bin/python3 python3; do
  "$candidate" -c 'import matplotlib' 2> /dev/null && { py=$candidate; break; }
done
[ -n "$py" ] || { echo "skipped: no python3 that imports matplotlib"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
"$bin/tarsel" "$source/examples/tarsel.txt" < /dev/null > /dev/null || { echo "FAIL: tarsel"; exit 1; }
"$py" "$bin/plot-analiza" analiza.txt -o one.png || { echo "FAIL: one execution: status $?"; exit 1; }
"$bin/tarnox" "$source/examples/tarnox.txt" < /dev/null > /dev/null || { echo "FAIL: tarnox"; exit 1; }
"$py" "$bin/plot-analiza" analiza.txt 100 -o two.png || { echo "FAIL: two executions: status $?"; exit 1; }
for plot in one.png two.png; do
  # The PNG signature, then the IHDR chunk with the width and height.
  header=$(od -An -tx1 -N24 $plot | tr -d ' \n')
  size=$(stat -c %s $plot)
  [ "${header:0:16}" = 89504e470d0a1a0a ] && [ $((16#${header:32:8})) -ge 400 ] &&
    [ $((16#${header:40:8})) -ge 300 ] && [ "$size" -ge 10000 ] && [ "$size" -le 1000000 ] ||
    { echo "FAIL: $plot is not a PNG of sensible size: $header, $size bytes"; exit 1; }
done
