#!/usr/bin/env bash
# Checks the packages that 'cmake --workflow --preset package' made, and the Windows .zip of
# 'cmake --workflow --preset windows', without installing anything on this machine: the .deb is
# unpacked into a temporary folder and its horner run from there on the sample input, the manual
# pages must render without a warning in the C and a UTF-8 locale, the .tar.gz and the .zip must
# hold exactly the expected files, every artefact must carry the version and the release date of
# CMakeLists.txt, and lintian must find nothing to report. Without a .zip the Windows checks are
# skipped, except in CI.
set -euo pipefail
cd "$(dirname "$0")/.."

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

version=$(sed -n 's/^project(horner VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
date=$(sed -n 's/^set(HORNER_RELEASE_DATE "\(.*\)")$/\1/p' CMakeLists.txt)
[ -n "$version" ] && [ -n "$date" ] || fail "no version or release date in CMakeLists.txt"
# Noon UTC of the release date, an hour later for each earlier release of the same day.
hour=$((11 + $(grep -c "^horner [^ ]* ($date)\$" CHANGELOG)))
rfc2822=$(LC_ALL=C date -u -d "$date $hour:00" '+%a, %d %b %Y %H:%M:%S +0000')
epoch=$(sed -n 's/^set(HORNER_RELEASE_EPOCH \([0-9]*\))$/\1/p' CMakeLists.txt)
[ "$epoch" = "$(date -u -d "$date $hour:00" +%s)" ] ||
    fail "HORNER_RELEASE_EPOCH is '$epoch', not $hour:00 UTC of $date: $(date -u -d "$date $hour:00" +%s)"
# The artefact of this release, named with its version (PATTERN with the version for %s); an
# artefact of another version beside it is not looked at.
artefact() {
    local pattern found
    pattern=$(printf "$1" "$version")
    found=$(ls $pattern 2>/dev/null || true)
    [ "$(wc -w <<<"$found")" -eq 1 ] ||
        fail "no single $pattern; there are: $(ls $(printf "$1" '*') 2>/dev/null | tr '\n' ' ')"
    echo "$found"
}
deb=$(artefact 'build/package/horner_%s_*.deb')
tgz=$(artefact 'build/package/horner-%s-Linux.tar.gz')

dpkg-deb -x "$deb" "$scratch/deb"
status=0
output=$(printf '2\n1 0 1\n0 1\n' | "$scratch/deb/usr/bin/horner") || status=$?
grep -q 'Значение полинома: y=0 0j' <<<"$output" || fail "the packaged horner printed: $output"
[ "$status" -eq 0 ] || fail "the packaged horner exited with $status"

# The version and date where a user or dpkg reads them.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the .deb's control says $(dpkg-deb -f "$deb" Version)"
changelog=$(zcat "$scratch/deb/usr/share/doc/horner/changelog.gz")
[ "$(head -n 1 <<<"$changelog")" = "horner ($version) unstable; urgency=medium" ] ||
    fail "the changelog begins: $(head -n 1 <<<"$changelog")"
grep -m 1 '^ -- ' <<<"$changelog" | grep -q "  $rfc2822\$" || fail "the changelog's top entry is not dated $rfc2822"
for page in man/man1 man/ru/man1; do
    title=$(zcat "$scratch/deb/usr/share/$page/horner.1.gz" | grep '^\.TH ')
    [[ "$title" == ".TH HORNER 1 \"$date\" \"horner $version\" "* ]] || fail "$page/horner.1 has $title"
done

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

zip=$(ls build/windows/horner-*-win32.zip 2>/dev/null || true)
if [ -n "$zip" ] || [ "${CI:-}" = true ]; then
    zip=$(artefact 'build/windows/horner-%s-win32.zip')
    mkdir "$scratch/zip"
    (cd "$scratch/zip" && cmake -E tar xf "$OLDPWD/$zip")
    zip_listing=$(cd "$scratch/zip" && find . -type f | sed 's|^\./[^/]*/||' | LC_ALL=C sort | tr '\n' ' ')
    [ "$zip_listing" = "LICENSE.txt README.ru.txt horner.exe " ] ||
        fail "$(basename "$zip") holds: $zip_listing"
    heading=$(head -n 1 "$scratch"/zip/*/README.ru.txt | sed 's/^\xef\xbb\xbf//')
    [[ "$heading" == "horner $version ($date) "* ]] || fail "README.ru.txt begins: $heading"
else
    echo "package: no Windows .zip built; its checks are skipped"
fi

# lintian warns that it runs as root, which CI does; its findings are what counts.
lintian_status=0
lintian --fail-on error,warning --info "$deb" >"$scratch/lintian" 2>&1 || lintian_status=$?
findings=$(grep -v 'running with root privileges' "$scratch/lintian" || true)
[ "$lintian_status" -eq 0 ] && [ -z "$findings" ] || fail "lintian (status $lintian_status): $findings"

echo "package: $(basename "$deb") runs from its unpacked tree (status $status), lintian is clean;"
echo "package: $(basename "$tgz") holds $(wc -l <<<"$listing") files, the licence among them;"
echo "package: every artefact carries version $version of $date"
