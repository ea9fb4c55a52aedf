#!/usr/bin/env bash
# cpack -G DEB makes the package: it holds the programs, the tools, the manual
# pages and the copyright file under /usr with the project's version, and,
# installed by dpkg into a fresh root, its tarsel prints the pinned output of
# the shipped example. Skipped (77) without dpkg.
#
#   package.sh CPACK BUILD_DIR SOURCE_DIR VERSION
set -u
command -v dpkg > /dev/null || { echo "SKIP: dpkg is not installed"; exit 77; }
cpack=$1 build=$2 source=$(cd "$3" && pwd) version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && "$cpack" -G DEB -B "$work" > "$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$work/genetic-search_${version}_$(dpkg --print-architecture).deb
failed=0
contents=$(dpkg-deb --contents "$deb") || exit 1
for file in bin/tarsel bin/tarnox bin/sakora bin/genetic-sweep bin/plot-analiza bin/plot-stats \
            share/man/man1/{tarsel,tarnox,sakora}.1.gz share/doc/genetic-search/copyright; do
  grep -q " \./usr/$file\( -> .*\)\?\$" <<< "$contents" || { echo "FAIL: no /usr/$file"; failed=1; }
done
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/run" &&
  touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root -i "$deb" > /dev/null || exit 1
expected=$source/tests/cases/tarsel-example/expected
(cd "$root/run" && "$root/usr/bin/tarsel" "$source/examples/tarsel.txt" < /dev/null > stdout)
cmp -s "$root/run/stdout" "$expected/stdout" || { echo "FAIL: standard output differs"; failed=1; }
cmp -s "$root/run/analiza.txt" "$expected/analiza.txt" || { echo "FAIL: analiza.txt differs"; failed=1; }
[ "$("$root/usr/bin/tarsel" --version)" = "tarsel $version" ] || { echo "FAIL: --version"; failed=1; }
"$root/usr/bin/genetic-sweep" --help > /dev/null || { echo "FAIL: genetic-sweep --help"; failed=1; }
exit $failed
