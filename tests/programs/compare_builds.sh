#!/usr/bin/env bash
# Two builds of the programs must print the same bytes: runs every
# whole-program case with the executables of both folders and compares
# standard output, exit status, standard error and the log.
#
#   compare_builds.sh BIN_DIR_A BIN_DIR_B
set -u
a=$(cd "$1" && pwd)
b=$(cd "$2" && pwd)
cases=$(cd "$(dirname "$0")/../cases" && pwd)
compared=0 differ=0

# run BIN CASE OUT: runs the case with the program of BIN, results into OUT.
run() {
  local bin=$1 dir=$2 out=$3 prog args input=/dev/null
  read -r prog args < "$dir/cmd"
  [ -x "$bin/$prog" ] || return 1
  mkdir -p "$out"
  for f in "$dir"/*; do
    case $(basename "$f") in cmd|stdin|expected) ;; *) cp -r "$f" "$out/" ;; esac
  done
  [ -f "$dir/stdin" ] && input="$dir/stdin"
  # shellcheck disable=SC2086
  (cd "$out" && exec timeout 120 bash -c 'exec -a "$0" "$@"' "$prog" "$bin/$prog" $args) \
    < "$input" > "$out/.out" 2> "$out/.err"
  echo $? > "$out/.status"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for dir in "$cases"/*/; do
  [ -f "$dir/cmd" ] || continue
  name=$(basename "$dir")
  run "$a" "$dir" "$work/$name.a" || continue
  run "$b" "$dir" "$work/$name.b" || continue
  compared=$((compared + 1))
  if ! diff -r "$work/$name.a" "$work/$name.b" > /dev/null; then
    echo "DIFFER $name"
    differ=$((differ + 1))
  fi
  rm -rf "$work/$name.a" "$work/$name.b"
done
echo "$compared cases compared, $differ differ"
[ "$compared" -gt 0 ] && [ "$differ" -eq 0 ]
