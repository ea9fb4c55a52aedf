#!/usr/bin/env bash
# sakora on public instances with known optima: every run reports a packing of
# N bits worth from 0 up to the optimum, one line per run, and the average of
# those values.
#
#   knapsack_optima.sh BIN_DIR EXAMPLES_DIR
set -u
bin=$(cd "$1" && pwd)
examples=$(cd "$2" && pwd)
failed=0
while read -r file optimum; do
  case $file in ''|'#'*) continue ;; esac
  out=$("$bin/sakora" "$examples/$file" < /dev/null)
  status=$?
  read -r _ _ _ _ runs n _ < <(tr -s ' \t\r\n' ' ' < "$examples/$file")
  verdict=$(printf '%s\n' "$out" | awk -v opt="$optimum" -v runs="$runs" -v n="$n" '
    /^Najbolja jedinka:/ {
      lines++
      if (NF - 3 != n) bad = bad " a line with " NF - 3 " bits;"
      v = $NF + 0
      if (v < 0 || v > opt) bad = bad " value " $NF " outside 0.." opt ";"
      sum += v
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
done < "$examples/optima.txt"
exit $failed
