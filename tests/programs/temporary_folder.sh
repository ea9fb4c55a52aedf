# Sourced by the fault tests called as `SCRIPT BIN_DIR PROGRAM ...`: sets bin
# (absolute) and prog, enters a fresh temporary folder that is removed at
# exit, and starts with failed=0.
set -u
bin=$(cd "$1" && pwd)
prog=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failed=0
