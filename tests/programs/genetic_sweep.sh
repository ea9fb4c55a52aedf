#!/usr/bin/env bash
# tools/genetic-sweep on this machine, end to end (the pure parts are the
# unit tests in tests/tools): a tarsel grid gives the folders and runs.csv of
# tarsel run by hand, with the settings outside its limits refused in the
# table, and with --stats each folder's statistics summed up; a program
# stopped by Ctrl-C or the time limit goes on from its checkpoint with
# --resume, which runs only what did not end (results removed since too);
# bad input is refused in one line, status 1, nothing started or lost. Sweeps over machines: genetic_sweep_remote.sh; on
# Slurm: genetic_sweep_slurm.sh. Skipped (77) without GNU parallel.
#
#   genetic_sweep.sh BIN_DIR
set -u
bin=$(cd "$1" && pwd)
parallel --version 2> /dev/null | grep -q '^GNU parallel' || { echo "SKIP: needs GNU parallel"; exit 77; }
. "$(dirname "$0")/genetic_sweep_lib.sh"
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
      local/summary.csv)" = 2 ] || fail "summary.csv: $(cat local/summary.csv)"
# --stats: the same folders with a stats.csv in those done, each run's figures in runs.csv.
"$bin/genetic-sweep" tarsel "${grid[@]}" --stats -o stats > /dev/null || fail "--stats: status $?"
same local stats && [ "$(ls stats/*/*/stats.csv | wc -l)" = 4 ] &&
  [ "$(grep -c ',[0-9]\+,0\.[0-9]\+$' stats/runs.csv)" = 40 ] || fail "--stats: $(cat stats/runs.csv)"

long_tarsel long
long=(long/tarsel base.txt --set VEL_POP=10,20 -j 1 -o cut)
ctrl_c "[ -s starts ]" "$bin/genetic-sweep" "${long[@]}" > out 2>&1 && fail "Ctrl-C: status 0"
grep -q '^failed: VEL_POP=10: tarsel was stopped by SIGTERM; its checkpoint continues it with --resume$' out &&
  grep -q '^failed: VEL_POP=20: the sweep was stopped before it ended$' out || fail "Ctrl-C: $(cat out)"
"$bin/genetic-sweep" "${long[@]}" --resume --timeout 0.5 > out 2>&1 && fail "a time limit: status 0"
[ "$(grep -c 'stopped at the time limit, after [0-9.]* s; its checkpoint continues it with --resume$' \
      out)" = 2 ] || fail "a time limit: $(cat out)"
"$bin/genetic-sweep" "${long[@]}" --resume > out 2>&1 || fail "--resume from checkpoints: $(cat out)"
[ "$(sed 's/ [0-9]*$//' starts | tr '\n' ' ')" = "fresh from fresh from from " ] ||
  fail "--resume from checkpoints ran: $(cat starts)"
same local/VEL_POP=10/p_mut=0.01 cut/VEL_POP=10 && same local/VEL_POP=20/p_mut=0.01 cut/VEL_POP=20 ||
  fail "the folders resumed from checkpoints differ from the local ones"
# Results removed since are run again, and only they.
rm cut/VEL_POP=20/analiza.txt && "$bin/genetic-sweep" "${long[@]}" --resume > out 2>&1 &&
  [ "$(tail -n 1 starts)" = fresh ] && [ "$(wc -l < starts)" = 6 ] || fail "results removed: $(cat starts)"

cp -r local kept
while IFS='|' read -r path args message; do
  # shellcheck disable=SC2086
  PATH=$path "$bin/genetic-sweep" $args > out 2> err
  status=$?
  [ "$status" = 1 ] && [ "$(cat err)" = "genetic-sweep: $message" ] && [ ! -s out ] ||
    fail "genetic-sweep $args: status $status, $(cat err)"
done << EOF
$PATH|tarsel base.txt --set VEL_POP=1.5 -o new|tarsel cannot read VEL_POP=1.5: value 4 (VEL_POP, the population size) is not a whole number: "1.5"
$PATH|tarsel,tarnox base.txt --set p_mut=0.1,x -o new|tarsel cannot read p_mut=x: value 7 (the mutation probability) is not a decimal number: "x"
$PATH|sakora base.txt --set VEL_POP=10 -o new|sakora cannot read base.txt: weight 1 of 20 is not a whole number: "0.01"
$PATH|tarsel base.txt --set VEL_POP=10,20 --set p_mut=0.01,0.05 -o local|local holds a sweep already: add --resume to finish it, or name another folder
$PATH|tarsel base.txt --set VEL_POP=10 -o local --resume|local holds another sweep (tarsel VEL_POP=0,10,20 p_mut=0.01,0.05): name another folder
$PATH|tarsel base.txt --set VEL_POP=0,10,20 --set p_mut=0.01,0.05 -o local --resume --stats|local holds this sweep without --stats: finish it without --stats, or name another folder
/nonexistent|tarsel base.txt --set VEL_POP=10 -o new|GNU parallel is not installed (Debian: apt-get install parallel)
/nonexistent|tarsel base.txt --set VEL_POP=10 -o new --slurm|Slurm's client is not installed: sbatch is not on PATH (Debian: apt-get install slurm-client)
EOF
[ ! -e new ] || fail "a refused sweep made its folder"
diff -r kept local > /dev/null || fail "a refused sweep changed the earlier one"
exit $failed
