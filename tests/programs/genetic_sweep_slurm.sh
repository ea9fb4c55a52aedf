#!/usr/bin/env bash
# BIN_DIR/genetic-sweep --slurm on a real single-node Slurm cluster in a
# temporary folder (tests/support/slurm-cluster): a task cancelled while it
# runs fails naming Slurm's word, one stopped at the time limit keeps its
# checkpoint, and --resume --slurm goes on from them to the results of a
# sweep on this machine; Ctrl-C cancels the array and leaves the queue empty.
# Skipped (77) without GNU parallel or what the cluster needs.
#
#   genetic_sweep_slurm.sh BIN_DIR
set -u
bin=$(cd "$1" && pwd)
cluster=$(cd "$(dirname "$0")/../support" && pwd)/slurm-cluster
. "$(dirname "$0")/genetic_sweep_lib.sh"
parallel --version 2> /dev/null | grep -q '^GNU parallel' || { echo "SKIP: needs GNU parallel"; exit 77; }
work=$(mktemp -d)
trap '"$cluster" stop "$work/cluster" > /dev/null; rm -rf "$work"' EXIT
started=$("$cluster" start "$work/cluster")
case $? in 0) eval "$started" ;; 77) echo "SKIP: $started"; exit 77 ;; *) exit 1 ;; esac
cd "$work" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
without_seconds() { cut -d , --complement -f 6 "$1/summary.csv"; }

echo "-2 2 6 10 20 20 0.01" > base.txt
sweep() { "$bin/genetic-sweep" tarsel base.txt --set VEL_POP=20,3000 --set numiter=20,100 "$@"; }
sweep -o local > /dev/null || fail "local sweep: status $?"
# The longest task, cancelled once it runs.
sweep -o slurm --slurm > out 2>&1 &
wait_for "[ -s slurm/VEL_POP=3000/numiter=100/checkpoint ]"
scancel "$(cat slurm/slurm/job)_3"
wait $! && fail "a task cancelled: status 0"
grep -qx 'failed: VEL_POP=3000/numiter=100: Slurm ended its task: CANCELLED; its checkpoint continues it with --resume' out ||
  fail "a task cancelled: $(cat out)"
sweep -o slurm --slurm --resume --timeout 0.1 > out 2>&1 && fail "a time limit: status 0"
grep -q '^failed: VEL_POP=3000/numiter=100: stopped at the time limit, after [0-9.]* s; its checkpoint continues it with --resume$' out ||
  fail "a time limit: $(cat out)"
sweep -o slurm --slurm --resume > out 2>&1 || fail "--resume --slurm: $(cat out)"
cmp -s local/runs.csv slurm/runs.csv && cmp -s <(without_seconds local) <(without_seconds slurm) &&
  diff -r -x seconds -x joblog -x slurm -x summary.csv local slurm > /dev/null ||
  fail "the sweep on Slurm differs from the one on this machine"

ctrl_c "squeue -h -t R | grep -q ." "$bin/genetic-sweep" tarsel base.txt --set VEL_POP=3000 \
  --set numiter=100,101,102 -j 1 -o stopped --slurm > out 2>&1 && fail "Ctrl-C: status 0"
grep -qx 'failed: VEL_POP=3000/numiter=102: the sweep was stopped before it ended' out &&
  [ -z "$(squeue -h -j "$(cat stopped/slurm/job)")" ] || fail "Ctrl-C: $(cat out; squeue)"
exit $failed
