#!/usr/bin/env bash
# tools/genetic-sweep on a small tarsel grid: folders and runs.csv equal tarsel run by
# hand; over two stand-in machines (an ssh stand-in running the jobs here) the
# files are the same; --resume after an interruption runs only what is missing;
# bad input gets one line and status 1, nothing started or lost. Skipped (77)
# without GNU parallel or rsync.
#
#   genetic_sweep.sh BIN_DIR
set -u
bin=$(cd "$1" && pwd)
command -v parallel > /dev/null && command -v rsync > /dev/null ||
  { echo "SKIP: needs GNU parallel and rsync"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
echo "-2 2 6 10 20 20 0.01" > base.txt
grid=(base.txt --set VEL_POP=10,20 --set p_mut=0.01,0.05)

echo "folder,VEL_POP,p_mut,run,x,f" > expected.csv
for pop in 10 20; do
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
diff -r -x '*.csv' -x joblog -x sweep.json hand local || fail "the folders differ from the runs by hand"

# Each stand-in machine has a home of its own and the programs on its PATH.
cat > ssh <<EOF
#!/bin/sh
while [ "\${1#-}" != "\$1" ]; do shift; done
mkdir -p "$work/\$1" && cd "$work/\$1" && shift && [ "\$1" = -- ] && shift
HOME=\$PWD PATH="$bin:\$PATH" exec sh -c "\$*"
EOF
chmod +x ssh
printf '1/%s one\n1/%s two\n' "$work/ssh" "$work/ssh" > machines
"$bin/genetic-sweep" tarsel "${grid[@]}" -o remote --sshloginfile machines > /dev/null ||
  fail "sweep over machines: status $?"
diff -r -x joblog local remote || fail "the sweep over machines differs from the local one"
[ "$(cut -f2 remote/joblog | grep -c '/ssh ')" = 4 ] || fail "not every job ran on a machine"

# A stand-in tarsel tells GNU parallel, once, to start no new job.
mkdir stop && cat > stop/tarsel <<EOF
#!/bin/sh
echo "\$PWD" >> "$work/ran"
[ "\$PARALLEL_SEQ" = 2 ] && rm "$work/stop-once" 2> /dev/null && kill -HUP "\$PARALLEL_PID"
exec "$bin/tarsel" "\$@"
EOF
chmod +x stop/tarsel && touch stop-once
"$bin/genetic-sweep" stop/tarsel "${grid[@]}" -j 1 -o resumed > /dev/null 2>&1 && fail "interrupted: status 0"
[ "$(wc -l < ran)" = 2 ] || fail "the interrupted sweep ran $(wc -l < ran) settings, not 2"
"$bin/genetic-sweep" stop/tarsel "${grid[@]}" -j 1 -o resumed --resume > /dev/null || fail "--resume: $?"
[ "$(wc -l < ran)" = 4 ] && [ -z "$(sort ran | uniq -d)" ] || fail "--resume ran: $(cat ran)"
diff -r -x joblog local resumed || fail "the resumed sweep differs from the local one"

cp -r local kept
while IFS='|' read -r path args message; do
  # shellcheck disable=SC2086
  PATH=$path "$bin/genetic-sweep" $args > out 2> err
  status=$?
  [ "$status" = 1 ] && [ "$(cat err)" = "genetic-sweep: $message" ] && [ ! -s out ] ||
    fail "genetic-sweep $args: status $status, $(cat err)"
done << EOF
$PATH|tarsel base.txt --set VEL_POP=10 --set foo=1 -o new|tarsel has no value named 'foo' (it has dg, gg, p, VEL_POP, numiter, M, p_mut)
$PATH|tarsel base.txt --set VEL_POP=1.5 -o new|VEL_POP takes whole numbers, not '1.5'
$PATH|tarnox base.txt --set p_mut=0.1,x -o new|p_mut takes decimal numbers, not 'x'
$PATH|tarsel base.txt --set VEL_POP= -o new|--set VEL_POP= leaves the grid empty: give values after VEL_POP=
$PATH|tarsel base.txt --set VEL_POP=10,20 --set p_mut=0.01,0.05 -o local|local holds a sweep already: add --resume to finish it, or name another folder
$PATH|tarsel base.txt --set VEL_POP=10 -o local --resume|local holds another sweep (tarsel VEL_POP=10,20 p_mut=0.01,0.05): name another folder
$PATH|missing/tarsel base.txt --set VEL_POP=10 -o new|missing/tarsel is not an executable file
/nonexistent|tarsel base.txt --set VEL_POP=10 -o new|GNU parallel is not installed (Debian: apt-get install parallel)
EOF
[ ! -e new ] || fail "a refused sweep made its folder"
diff -r kept local > /dev/null || fail "a refused sweep changed the earlier one"
exit $failed
