#!/usr/bin/env bash
# cpack -G DEB makes the package: it holds the programs, the tools, the
# manual pages, the changelog, the copyright file and the examples under /usr
# with the project's version; lintian finds nothing to report; and, installed
# by dpkg into a fresh root, its tarsel prints the pinned output of the
# shipped example. Skipped (77) without dpkg, and after the other checks
# without lintian.
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
doc=share/doc/genetic-search
for file in bin/tarsel bin/tarnox bin/sakora bin/genetic-sweep bin/plot-analiza bin/plot-stats \
            share/man/man1/{tarsel,tarnox,sakora,genetic-sweep,plot-analiza,plot-stats}.1.gz \
            $doc/copyright $doc/changelog.gz \
            $doc/examples/tarsel.txt $doc/examples/knapsack/small.txt; do
  grep -q " \./usr/$file\( -> .*\)\?\$" <<< "$contents" || { echo "FAIL: no /usr/$file"; failed=1; }
done
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/run" &&
  touch "$root/var/lib/dpkg/status"
# Its log as well: dpkg keeps that in the machine's /var/log whatever the root.
dpkg --root="$root" --log="$root/dpkg.log" --force-depends --force-not-root -i "$deb" > /dev/null 2>&1 ||
  exit 1
expected=$source/tests/cases/tarsel-example/expected
(cd "$root/run" && "$root/usr/bin/tarsel" "$root/usr/$doc/examples/tarsel.txt" < /dev/null > stdout)
cmp -s "$root/run/stdout" "$expected/stdout" || { echo "FAIL: standard output differs"; failed=1; }
cmp -s "$root/run/analiza.txt" "$expected/analiza.txt" || { echo "FAIL: analiza.txt differs"; failed=1; }
[ "$("$root/usr/bin/tarsel" --version)" = "tarsel $version" ] || { echo "FAIL: --version"; failed=1; }
[ "$("$root/usr/bin/genetic-sweep" --version)" = "genetic-sweep $version" ] ||
  { echo "FAIL: genetic-sweep --version"; failed=1; }
if ! command -v lintian > /dev/null; then
  [ "$failed" = 0 ] && { echo "SKIP: lintian is not installed"; exit 77; }
elif ! lintian --fail-on error,warning "$deb" 2> /dev/null; then
  echo "FAIL: lintian reports the package"; failed=1
fi
exit $failed
