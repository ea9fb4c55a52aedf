#!/usr/bin/env bash
# sakora on the shipped examples, public instances with known optima among
# them, and on a small problem with most of the population replaced: every
# run reports a packing of N bits worth from 0 up to the optimum, and worth
# exactly the value printed beside it (its profit when its weight is within
# the capacity, else 0, totalled here from the file); one line per run, and
# the average of those values.
#
#   knapsack_optima.sh BIN_DIR EXAMPLES_DIR
set -u
bin=$(cd "$1" && pwd)
examples=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# small.txt with 9 of its 10 strings replaced: the best row is rewritten by
# the last breeding of nearly every run.
sed '1s/.*/10 50 90 0.01 10/' "$examples/small.txt" > "$work/crowded.txt"
failed=0
while read -r file optimum; do
  case $file in ''|'#'*) continue ;; esac
  out=$("$bin/sakora" "$file" < /dev/null)
  status=$?
  verdict=$(printf '%s\n' "$out" | awk -v opt="$optimum" -v data="$(cat "$file")" '
    BEGIN { split(data, v); runs = v[5]; n = v[6]; cap = v[7 + 2 * n] }
    /^Najbolja jedinka:/ {
      lines++
      if (NF - 3 != n) bad = bad " a line with " NF - 3 " bits;"
      w = p = 0
      for (i = 1; i <= n; i++) if ($(i + 2) == 1) { w += v[6 + i]; p += v[6 + n + i] }
      worth = w <= cap ? p : 0
      if ($NF != sprintf("%f", worth)) bad = bad " bits worth " worth " beside " $NF ";"
      if (worth < 0 || worth > opt) bad = bad " value " worth " outside 0.." opt ";"
      sum += worth
    }
    /^Prosjek profita:/ {
      if ($3 != sprintf("%f", sum / runs)) bad = bad " average " $3 " for a sum of " sum ";"
      averaged = 1
    }
    END {
      if (lines != runs) bad = bad " " lines " lines for " runs " runs;"
      if (!averaged) bad = bad " no average;"
      print bad
    }')
  if [ "$status" != 0 ] || [ -n "$verdict" ]; then
    echo "FAIL $file: status $status;$verdict"
    failed=1
  fi
done < <(sed 's|^\([^#]\)|'"$examples"'/\1|' "$examples/optima.txt"; echo "$work/crowded.txt 7")
exit $failed
