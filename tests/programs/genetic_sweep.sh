#!/usr/bin/env bash
# tools/genetic-sweep on this machine: a tarsel grid gives the folders and
# runs.csv of tarsel run by hand, with the settings outside its limits refused
# in the table; --stats keeps each folder's statistics and sums them up as
# they read here; a sweep stopped part way, and results removed afterwards
# (statistics too), are run again by --resume, and only they; a time limit
# fails a slow setting; bad input is refused in one line, status 1, nothing
# started or lost. The sweeps over machines are genetic_sweep_remote.sh.
# Skipped (77) without GNU parallel.
#
#   genetic_sweep.sh BIN_DIR
set -u
bin=$(cd "$1" && pwd)
parallel --version 2> /dev/null | grep -q '^GNU parallel' || { echo "SKIP: needs GNU parallel"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
same() { diff -r -x '*.csv' -x joblog -x sweep.json -x seconds "$1" "$2" > /dev/null; }
echo "-2 2 6 10 20 20 0.01" > base.txt
grid=(base.txt --set VEL_POP=0,10,20 --set p_mut=0.01,0.05)

echo "folder,VEL_POP,p_mut,run,x,f" > expected.csv
for pop in 0 10 20; do
  for mut in 0.01 0.05; do
    dir=hand/VEL_POP=$pop/p_mut=$mut
    mkdir -p "$dir" && echo "-2 2 6 $pop 20 20 $mut" > "$dir/params.txt"
    (cd "$dir" && "$bin/tarsel" params.txt < /dev/null > stdout 2> stderr; echo $? > status)
    awk -v s="VEL_POP=$pop/p_mut=$mut,$pop,$mut" '/^Najbolja/ { print s "," ++n "," $3 "," $4 }' \
      "$dir/stdout" >> expected.csv
  done
done
"$bin/genetic-sweep" tarsel "${grid[@]}" -o local > /dev/null || fail "local sweep: status $?"
cmp -s expected.csv local/runs.csv || fail "runs.csv is not what tarsel printed by hand"
same hand local || fail "the folders differ from the runs by hand"
[ "$(grep -c ',refused,1,0\.[0-9]*,0,,,,0,The population size VEL_POP=0 must be at least 1$' \
      local/summary.csv)" = 2 ] && [ "$(grep -c ',done,0,0\.[0-9]*,10,' local/summary.csv)" = 4 ] ||
  fail "summary.csv: $(cat local/summary.csv)"

# A grid over sakora's runs keeps them beside the count of runs printed.
printf '10 5 20 0.01 3 4 2 3 4 5 3 4 5 6 5\n' > problem.txt
"$bin/genetic-sweep" sakora problem.txt --set runs=1,2 -o runs > /dev/null &&
  [ "$(cut -d , -f 2,6 runs/summary.csv | tr '\n' ' ')" = "runs,run_count 1,1 2,2 " ] ||
  fail "sakora over runs: $(cat runs/summary.csv)"

# --stats: the same folders with a stats.csv in those done, and the tables'
# columns from them as computed here: per run, the generation of the first
# row whose best is the last best_so_far, and the last diversity.
"$bin/genetic-sweep" tarsel "${grid[@]}" --stats -o stats > /dev/null || fail "--stats: status $?"
same local stats && [ "$(ls stats/*/*/stats.csv | wc -l)" = 4 ] || fail "--stats: the folders"
for f in stats/*/*/stats.csv; do
  awk -F , -v s="$(dirname "${f#stats/}")" 'NR > 1 { final[$1] = $8; end[$1] = $11; best[$1, $2] = $3 }
    END { for (r = 1; r in final; r++) {
            for (g = 0; (r, g) in best && best[r, g] != final[r]; g++);
            print s "," r "," g "," end[r] } }' "$f"
done > figures
cut -d , -f 1,4,7,8 stats/runs.csv | tail -n +2 | cmp -s - figures || fail "--stats: runs.csv"
awk -F , '{ n[$1]++; g[$1] += $3; d[$1] += $4 }
  END { for (s in n) printf "%s,%.6f,%.6f\n", s, g[s] / n[s], d[s] / n[s] }' figures | sort > means
awk -F , '$4 == "done" { print $1 "," $12 "," $13 }' stats/summary.csv | sort | cmp -s - means ||
  fail "--stats: summary.csv: $(cat stats/summary.csv)"

# A stand-in tarsel tells GNU parallel, once, to start no new job.
mkdir stop && cat > stop/tarsel <<EOF
#!/bin/sh
[ -n "\${PARALLEL_SEQ-}" ] && echo "\$PWD" >> "$work/ran"
[ "\${PARALLEL_SEQ-}" = 2 ] && rm "$work/stop-once" 2> /dev/null && kill -HUP "\$PARALLEL_PID"
exec "$bin/tarsel" "\$@"
EOF
chmod +x stop/tarsel && touch stop-once
resume() { "$bin/genetic-sweep" stop/tarsel "${grid[@]}" -j 1 -o resumed "$@" > out 2>&1; }
resume && fail "stopped part way: status 0"
grep -q '^failed: VEL_POP=20/p_mut=0.05: the sweep was stopped before it ended$' out ||
  fail "stopped part way: $(cat out)"
resume --resume || fail "--resume: $(cat out)"
[ "$(wc -l < ran)" = 6 ] && [ -z "$(sort ran | uniq -d)" ] || fail "--resume ran: $(cat ran)"
rm -r resumed/VEL_POP=10/p_mut=0.05 resumed/VEL_POP=20/p_mut=0.01/analiza.txt
resume --resume || fail "--resume after removals: $(cat out)"
[ "$(tail -n 2 ran | sed "s|$work/resumed/||" | sort | tr '\n' ' ')" = \
  "VEL_POP=10/p_mut=0.05 VEL_POP=20/p_mut=0.01 " ] && [ "$(wc -l < ran)" = 8 ] ||
  fail "--resume after removals ran: $(cat ran)"
same local resumed || fail "the resumed sweep differs from the local one"
# A stats.csv removed or cut short is run again, and the same again.
cp -r stats stats-kept && rm stats/VEL_POP=10/p_mut=0.01/stats.csv &&
  head -n 9 stats-kept/VEL_POP=20/p_mut=0.05/stats.csv > stats/VEL_POP=20/p_mut=0.05/stats.csv
"$bin/genetic-sweep" tarsel "${grid[@]}" --stats -o stats --resume > /dev/null || fail "--stats --resume"
[ "$(wc -l < stats/joblog)" = 3 ] &&
  diff -r -x seconds -x joblog -x summary.csv stats-kept stats > /dev/null ||
  fail "--stats --resume ran: $(cat stats/joblog)"

"$bin/genetic-sweep" tarsel base.txt --set numiter=1,100000000 --timeout 2 -o limit > out 2>&1 &&
  fail "a time limit: status 0"
grep -q '^numiter=100000000,100000000,failed,124,[0-9.]*,0,,,,0,"stopped at the time limit, after' \
  limit/summary.csv && grep -q '^numiter=1,1,done,0,' limit/summary.csv ||
  fail "a time limit: $(cat out limit/summary.csv)"

echo "30 50 20 0.01 3 4 2 3 4 5 3 4 5 6 5" > knapsack.txt
cp -r local kept
while IFS='|' read -r path args message; do
  # shellcheck disable=SC2086
  PATH=$path "$bin/genetic-sweep" $args > out 2> err
  status=$?
  [ "$status" = 1 ] && [ "$(cat err)" = "genetic-sweep: $message" ] && [ ! -s out ] ||
    fail "genetic-sweep $args: status $status, $(cat err)"
done << EOF
$PATH|tarsel base.txt --set VEL_POP=10 --set foo=1 -o new|tarsel has no value named 'foo' (it has dg, gg, p, VEL_POP, numiter, M, p_mut)
$PATH|tarsel base.txt --set VEL_POP=1.5 -o new|tarsel cannot read VEL_POP=1.5: value 4 (VEL_POP, the population size) is not a whole number: "1.5"
$PATH|tarsel,tarnox base.txt --set p_mut=0.1,x -o new|tarsel cannot read p_mut=x: value 7 (the mutation probability) is not a decimal number: "x"
$PATH|tarsel base.txt --set p_mut=0,01 -o new|--set p_mut=0,01: '01' starts with 0 and a digit: decimals are written after a point, as in 0.01; commas separate the values
$PATH|tarsel base.txt --set VEL_POP= -o new|--set VEL_POP= leaves the grid empty: give values after VEL_POP=
$PATH|tarsel base.txt --set VEL_POP=10,10 -o new|--set VEL_POP=10,10 lists a value twice
$PATH|sakora base.txt --set VEL_POP=10 -o new|sakora cannot read base.txt: weight 1 of 20 is not a whole number: "0.01"
$PATH|tarsel knapsack.txt --set VEL_POP=10 -o new|tarsel cannot read knapsack.txt: value 4 (VEL_POP, the population size) is not a whole number: "0.01"
$PATH|tarsel missing.txt --set VEL_POP=10 -o new|cannot read missing.txt: No such file or directory
$PATH|tarsel base.txt --set VEL_POP=10 --timeout 0 -o new|--timeout takes seconds, at least 0.001, not 0
$PATH|tarsel base.txt --set VEL_POP=10,20 --set p_mut=0.01,0.05 -o local|local holds a sweep already: add --resume to finish it, or name another folder
$PATH|tarsel base.txt --set VEL_POP=10 -o local --resume|local holds another sweep (tarsel VEL_POP=0,10,20 p_mut=0.01,0.05): name another folder
$PATH|tarsel base.txt --set VEL_POP=0,10,20 --set p_mut=0.01,0.05 -o local --resume --stats|local holds this sweep without --stats: finish it without --stats, or name another folder
$PATH|missing/tarsel base.txt --set VEL_POP=10 -o new|missing/tarsel is not an executable file
$PATH|tarsel base.txt --set VEL_POP=10 --sshloginfile missing -o new|cannot read missing: No such file or directory
/nonexistent|tarsel base.txt --set VEL_POP=10 -o new|GNU parallel is not installed (Debian: apt-get install parallel)
EOF
[ ! -e new ] || fail "a refused sweep made its folder"
diff -r kept local > /dev/null || fail "a refused sweep changed the earlier one"
exit $failed
