#!/usr/bin/env bash
# tools/plot-analiza on a log made by tarsel: a PNG of sensible size appears;
# a missing log, a length that is no multiple of the generations, a malformed
# line and bad arguments each give one line on standard error, a non-zero
# status and no picture. Skipped (77) when no python3 can import matplotlib.
#
#   plot_analiza.sh BIN_DIR SOURCE_DIR
set -u
bin=$(cd "$1" && pwd)
tool=$(cd "$2" && pwd)/tools/plot-analiza
example=$(cd "$2" && pwd)/examples/tarsel.txt
py=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import matplotlib' 2> /dev/null; then py=$candidate; break; fi
done
[ -n "$py" ] || { echo "SKIP: no python3 that imports matplotlib"; exit 77; }
# Debian's interpreter is the one the shebang names: run the script itself.
run=("$py" "$tool")
[ "$py" = /usr/bin/python3 ] && run=("$tool")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
"$bin/tarsel" "$example" < /dev/null > /dev/null || { echo "FAIL: tarsel"; exit 1; }
failed=0
"${run[@]}" analiza.txt 100 -o plot.png 2> err || { echo "FAIL: status $?"; cat err; failed=1; }
size=$(stat -c %s plot.png 2> /dev/null || echo 0)
# The PNG signature, then the IHDR chunk with the width and height.
header=$(od -An -tx1 -N24 plot.png 2> /dev/null | tr -d ' \n')
header=$(printf '%-48s' "$header" | tr ' ' 0)
width=$((16#${header:32:8})) height=$((16#${header:40:8}))
[ "${header:0:16}" = 89504e470d0a1a0a ] || { echo "FAIL: not a PNG"; failed=1; }
[ "$size" -ge 10000 ] && [ "$size" -le 1000000 ] || { echo "FAIL: $size bytes"; failed=1; }
[ "$width" -ge 400 ] && [ "$height" -ge 300 ] || { echo "FAIL: ${width}x$height"; failed=1; }

sed '5s/.*/  -1.1 oops/' analiza.txt > malformed.txt
refused() {  # refused WHAT ARGS...: status not 0, one line on stderr, no picture
  local what=$1; shift
  rm -f bad.png
  if "${run[@]}" "$@" 2> err; then echo "FAIL $what: status 0"; failed=1; fi
  [ "$(wc -l < err)" = 1 ] || { echo "FAIL $what: stderr:"; cat err; failed=1; }
  [ ! -e bad.png ] || { echo "FAIL $what: a picture was written"; failed=1; }
}
refused "missing log" absent.txt 100 -o bad.png
refused "no multiple" analiza.txt 99 -o bad.png
refused "malformed line" malformed.txt 100 -o bad.png
refused "generations 0" analiza.txt 0 -o bad.png
refused "no -o" analiza.txt 100
refused "extra argument" analiza.txt 100 extra -o bad.png
exit $failed
