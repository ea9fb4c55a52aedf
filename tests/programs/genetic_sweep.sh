#!/usr/bin/env bash
# BIN_DIR/genetic-sweep on this machine, end to end (the pure parts are the
# unit tests in tests/tools): a tarsel grid gives the folders and runs.csv of
# tarsel run by hand, with the settings outside its limits refused in the
# table, and with --stats each folder's statistics summed up; a program
# stopped by Ctrl-C or the time limit goes on from its checkpoint with
# --resume to the bytes of a sweep that ran through, and --resume runs only
# what did not end (results removed since too); bad input is refused in one
# line, status 1, nothing started or lost. Sweeps over machines: genetic_sweep_remote.sh; on
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

# A long setting, stopped by Ctrl-C and then by the time limit, goes on from
# its checkpoint to the bytes of a sweep that ran through; --resume runs only
# what did not end, results removed since too.
long=(tarsel base.txt --set VEL_POP=20,3000 --set numiter=100 -j 1)
"$bin/genetic-sweep" "${long[@]}" -o whole > /dev/null || fail "the long sweep: status $?"
ctrl_c "[ -s cut/VEL_POP=3000/numiter=100/checkpoint ]" "$bin/genetic-sweep" "${long[@]}" -o cut > out 2>&1 &&
  fail "Ctrl-C: status 0"
grep -qx 'failed: VEL_POP=3000/numiter=100: tarsel was stopped by SIGTERM; its checkpoint continues it with --resume' out ||
  fail "Ctrl-C: $(cat out)"
"$bin/genetic-sweep" "${long[@]}" -o cut --resume --timeout 0.1 > out 2>&1 && fail "a time limit: status 0"
grep -qx 'failed: VEL_POP=3000/numiter=100: stopped at the time limit, after [0-9.]* s; its checkpoint continues it with --resume' out ||
  fail "a time limit: $(cat out)"
"$bin/genetic-sweep" "${long[@]}" -o cut --resume > out 2>&1 && same whole cut ||
  fail "--resume from the checkpoint: $(cat out)"
rm cut/VEL_POP=20/numiter=100/analiza.txt && "$bin/genetic-sweep" "${long[@]}" -o cut --resume > out 2>&1 &&
  [ "$(wc -l < cut/joblog)" = 2 ] && same whole cut ||
  fail "results removed: $(cat cut/joblog)"

cp -r local kept
while IFS='|' read -r path args message; do
  # shellcheck disable=SC2086
  PATH=$path "$bin/genetic-sweep" $args > out 2> err
  status=$?
  [ "$status" = 1 ] && [ "$(cat err)" = "genetic-sweep: $message" ] && [ ! -s out ] ||
    fail "genetic-sweep $args: status $status, $(cat err)"
done << EOF
$PATH|tarsel base.txt --set VEL_POP=1.5 -o new|tarsel cannot read VEL_POP=1.5: value 4 (VEL_POP, the population size) is not a whole number: "1.5"
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
