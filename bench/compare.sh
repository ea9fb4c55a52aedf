#!/usr/bin/env bash
# Times tarsel, tarnox and sakora on the workloads in bench/workloads next to
# the same workloads written with the peer libraries in bench/peers (GAlib in
# C++, DEAP in Python), whichever are installed, in alternation, and prints a
# table of median seconds, peak memory and each time over ours.
#
#   bench/compare.sh [--repeats R] [--quick] [--before BIN_DIR] BIN_DIR
#
# --before BIN_DIR  also time that build (for instance the one before a
#                   change), after checking that it prints the same bytes
#                   (standard output and analiza.txt) as BIN_DIR on every
#                   workload
# --quick           the small workloads only
# --repeats R       runs of each program per workload (default 3; 0 with
#                   --before only compares the bytes)
# Needs GNU time (/usr/bin/time, Debian package "time"); the peers need
# libga-dev and g++, or python3-deap.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repeats=3 quick=0 before=""
while [ $# -gt 1 ]; do
  case $1 in
    --repeats) repeats=$2; shift 2 ;;
    --quick) quick=1; shift ;;
    --before) before=$(cd "$2" && pwd); shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
bin=$(cd "${1:?usage: compare.sh [options] BIN_DIR}" && pwd)
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (apt-get install time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
raw="$work/raw.tsv"
: > "$raw"

# The peers that can run here.
galib="" deap=""
if [ -f /usr/include/ga/ga.h ] &&
  g++ -O2 -Wno-register -o "$work/galib_peer" "$here/peers/galib_peer.cpp" -lga 2> "$work/galib.err"; then
  galib="$work/galib_peer"
else
  echo "(GAlib peer not timed: needs libga-dev and g++)" >&2
fi
for candidate in /usr/bin/python3 python3; do
  if command -v "$candidate" > /dev/null && "$candidate" -c 'import deap' 2> /dev/null; then
    deap="$candidate $here/peers/deap_peer.py"
    break
  fi
done
[ -n "$deap" ] || echo "(DEAP peer not timed: needs a python3 that imports deap, python3-deap)" >&2

workloads=(funcopt_small knapsack_50)
[ "$quick" = 1 ] || workloads+=(funcopt_medium funcopt_large knapsack_200)

# measure NAME WORKLOAD COMMAND...: runs COMMAND in a fresh folder, appends
# "name workload start end kilobytes" to the raw table (the wall clock around
# the process, finer than GNU time's hundredths).
measure() {
  local name=$1 workload=$2 dir="$work/run" start
  shift 2
  rm -rf "$dir" && mkdir "$dir"
  start=$EPOCHREALTIME
  (cd "$dir" && /usr/bin/time -f "%M" -o "$work/kb" "$@" < /dev/null > /dev/null 2>&1)
  printf '%s\t%s\t%s\t%s\t%s\n' "$name" "$workload" "$start" "$EPOCHREALTIME" "$(cat "$work/kb")" >> "$raw"
}

# same_bytes PROGRAM WORKLOAD: the two builds print the same bytes.
same_bytes() {
  local prog=$1 file="$here/workloads/$2.txt" side
  for side in a b; do
    rm -rf "$work/$side" && mkdir "$work/$side"
  done
  (cd "$work/a" && "$bin/$prog" "$file" < /dev/null > out)
  (cd "$work/b" && "$before/$prog" "$file" < /dev/null > out)
  if diff -r "$work/a" "$work/b" > /dev/null; then
    echo "same bytes: $prog $2"
  else
    echo "DIFFERENT BYTES: $prog $2"
    return 1
  fi
}

programs() {
  case $1 in
    funcopt_*) echo tarsel tarnox ;;
    knapsack_*) echo sakora ;;
  esac
}

if [ -n "$before" ]; then
  for w in "${workloads[@]}"; do
    for prog in $(programs "$w"); do
      same_bytes "$prog" "$w"
    done
  done
fi

for ((r = 1; r <= repeats; r++)); do
  for w in "${workloads[@]}"; do
    file="$here/workloads/$w.txt"
    echo "[$(date +%H:%M:%S)] repetition $r of $repeats: $w" >&2
    for prog in $(programs "$w"); do
      measure "$prog" "$w" "$bin/$prog" "$file"
      [ -z "$before" ] || measure "$prog before" "$w" "$before/$prog" "$file"
    done
    [ -z "$galib" ] || measure GAlib "$w" "$galib" "${w%%_*}" "$file"
    # shellcheck disable=SC2086
    [ -z "$deap" ] || measure DEAP "$w" $deap "${w%%_*}" "$file"
  done
done

python3 - "$raw" "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    name, workload, start, end, kb = line.rstrip("\n").split("\t")
    rows.setdefault(workload, {}).setdefault(name, []).append((float(end) - float(start), int(kb)))
print("machine: %s CPUs, load average at the end %s" % (sys.argv[2], sys.argv[3]))
print()
print("time / ours: the median over that of our program (\"X before\" over X; a peer")
print("over tarsel or sakora, which breed as the peers do).")
print()
print("| workload | program | runs | median s | min..max s | peak MiB | time / ours |")
print("|---|---|---|---|---|---|---|")
for workload, programs in rows.items():
    median = {name: statistics.median(s for s, _ in times) for name, times in programs.items()}
    for name, times in programs.items():
        ours = name[:-len(" before")] if name.endswith(" before") else \
            None if name in ("tarsel", "tarnox", "sakora") else "sakora" if "sakora" in median else "tarsel"
        ratio = "%.2f" % (median[name] / median[ours]) if ours else "-"
        secs = [s for s, _ in times]
        print("| %s | %s | %d | %.3f | %.3f..%.3f | %.1f | %s |" % (
            workload, name, len(secs), median[name], min(secs), max(secs),
            max(kb for _, kb in times) / 1024, ratio))
PY
