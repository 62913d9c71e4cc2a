#!/usr/bin/env bash
# Checks the packages that 'cmake --workflow --preset package' made, without installing anything
# on this machine: the .deb is unpacked into a temporary folder and its horner run from there on
# the sample input, the manual page must render without a warning in the C and a UTF-8 locale,
# the .tar.gz must hold exactly the expected files, and lintian must find nothing to report.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=$(ls build/package/horner_*.deb)
tgz=$(ls build/package/horner-*-Linux.tar.gz)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

dpkg-deb -x "$deb" "$scratch/deb"
status=0
output=$(printf '2\n1 0 1\n0 1\n' | "$scratch/deb/usr/bin/horner") || status=$?
grep -q 'Значение полинома: y=0 0j' <<<"$output" || fail "the packaged horner printed: $output"
[ "$status" -eq 0 ] || fail "the packaged horner exited with $status"

zcat "$scratch/deb/usr/share/man/man1/horner.1.gz" >"$scratch/horner.1"
for device in ps ascii utf8; do
    warnings=$(LC_ALL=C groff -man -ww -z -T"$device" "$scratch/horner.1" 2>&1)
    [ -z "$warnings" ] || fail "the manual page warns on $device: $warnings"
done
# The Russian page as man shows it in a Russian locale: preconv reads its coding line.
russian_page=$scratch/deb/usr/share/man/ru/man1/horner.1.gz
warnings=$(LC_ALL=ru_RU.UTF-8 MANWIDTH=80 man --warnings -l "$russian_page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the Russian manual page warns: $warnings"
LC_ALL=ru_RU.UTF-8 MANWIDTH=80 man -l "$russian_page" 2>/dev/null | grep -q 'КОД ЗАВЕРШЕНИЯ' ||
    fail "the Russian manual page does not render in ru_RU.UTF-8"

expected="bin/horner
share/doc/horner/LICENSE
share/doc/horner/README.md
share/doc/horner/changelog.gz
share/doc/horner/copyright
share/man/man1/horner.1.gz
share/man/ru/man1/horner.1.gz"
listing=$(tar tzf "$tgz" | grep -v '/$' | sed 's|^[^/]*/||' | LC_ALL=C sort)
[ "$listing" = "$expected" ] || fail "$(basename "$tgz") holds:
$listing"

# lintian warns that it runs as root, which CI does; its findings are what counts.
lintian_status=0
lintian --fail-on error,warning --info "$deb" >"$scratch/lintian" 2>&1 || lintian_status=$?
findings=$(grep -v 'running with root privileges' "$scratch/lintian" || true)
[ "$lintian_status" -eq 0 ] && [ -z "$findings" ] || fail "lintian (status $lintian_status): $findings"

echo "package: $(basename "$deb") runs from its unpacked tree (status $status), lintian is clean;"
echo "package: $(basename "$tgz") holds $(wc -l <<<"$listing") files, the licence among them"
