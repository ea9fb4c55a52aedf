#!/usr/bin/env bash
# Times tarsel, tarnox and sakora on the workloads in bench/workloads next to
# the same workloads written with DEAP, in alternation, and prints a table of
# median seconds, ratios (DEAP time / our time) and peak memory.
#
#   bench/compare.sh [--repeats R] [--quick] [--before BIN_DIR] [--deap DIR] BIN_DIR
#
# --before BIN_DIR  also run that build (for instance the one before a
#                   change) on every workload and check that it prints the same
#                   bytes (standard output and analiza.txt) as BIN_DIR
# --deap DIR        the folder with funcopt_deap.py and knapsack_deap.py
#                   (default: ../shared/peers/deap beside the checkout); without
#                   them, or without a python3 that imports deap
#                   (apt-get install python3-deap), only our times are shown
# --quick           the small workloads only
# Needs GNU time (/usr/bin/time, Debian package "time").
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repeats=3 quick=0 before="" deap="$here/../../shared/peers/deap"
while [ $# -gt 1 ]; do
  case $1 in
    --repeats) repeats=$2; shift 2 ;;
    --quick) quick=1; shift ;;
    --before) before=$(cd "$2" && pwd); shift 2 ;;
    --deap) deap=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
bin=$(cd "${1:?usage: compare.sh [options] BIN_DIR}" && pwd)
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (apt-get install time)" >&2; exit 2; }

python=""
if [ -f "$deap/funcopt_deap.py" ]; then
  for candidate in /usr/bin/python3 python3; do
    if command -v "$candidate" > /dev/null && "$candidate" -c 'import deap' 2> /dev/null; then
      python=$candidate
      break
    fi
  done
fi
[ -n "$python" ] || echo "(no DEAP scripts or no python3 that imports deap: our times only)" >&2

workloads=(funcopt_small knapsack_50)
[ "$quick" = 1 ] || workloads+=(funcopt_medium funcopt_large knapsack_200)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
raw="$work/raw.tsv"

# measure NAME WORKLOAD COMMAND...: runs COMMAND in a fresh folder, appends
# "name workload seconds kilobytes" to the raw table.
measure() {
  local name=$1 workload=$2 dir="$work/run"
  shift 2
  rm -rf "$dir" && mkdir "$dir"
  (cd "$dir" && /usr/bin/time -f "%e %M" -o "$work/time" "$@" < /dev/null > /dev/null 2>&1)
  read -r seconds kb < "$work/time"
  printf '%s\t%s\t%s\t%s\n' "$name" "$workload" "$seconds" "$kb" >> "$raw"
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

if [ -n "$before" ]; then
  for w in "${workloads[@]}"; do
    case $w in
      funcopt_*) same_bytes tarsel "$w"; same_bytes tarnox "$w" ;;
      knapsack_*) same_bytes sakora "$w" ;;
    esac
  done
fi

for ((r = 1; r <= repeats; r++)); do
  for w in "${workloads[@]}"; do
    file="$here/workloads/$w.txt"
    echo "[$(date +%H:%M:%S)] repetition $r of $repeats: $w" >&2
    case $w in
      funcopt_*)
        measure tarsel "$w" "$bin/tarsel" "$file"
        measure tarnox "$w" "$bin/tarnox" "$file"
        [ -z "$python" ] || measure deap "$w" "$python" "$deap/funcopt_deap.py" "$file" --log analiza.txt
        ;;
      knapsack_*)
        measure sakora "$w" "$bin/sakora" "$file"
        [ -z "$python" ] || measure deap "$w" "$python" "$deap/knapsack_deap.py" "$file"
        ;;
    esac
  done
done

python3 - "$raw" "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    name, workload, seconds, kb = line.split("\t")
    rows.setdefault((workload, name), []).append((float(seconds), int(kb)))
print("machine: %s CPUs, load average at the end %s" % (sys.argv[2], sys.argv[3]))
print()
print("| workload | program | runs | median s | min..max s | peak MiB | DEAP median s | DEAP / ours |")
print("|---|---|---|---|---|---|---|---|")
workloads = []
for workload, _ in rows:
    if workload not in workloads:
        workloads.append(workload)
for workload in workloads:
    deap = rows.get((workload, "deap"))
    deap_median = statistics.median(s for s, _ in deap) if deap else None
    for name in ("tarsel", "tarnox", "sakora", "deap"):
        times = rows.get((workload, name))
        if not times:
            continue
        secs = [s for s, _ in times]
        median = statistics.median(secs)
        peak = max(kb for _, kb in times) / 1024
        ratio = "%.1f" % (deap_median / median) if deap_median and name != "deap" and median > 0 else "-"
        print("| %s | %s | %d | %.2f | %.2f..%.2f | %.1f | %s | %s |" % (
            workload, name, len(secs), median, min(secs), max(secs), peak,
            "%.2f" % deap_median if deap_median else "-", ratio))
PY
