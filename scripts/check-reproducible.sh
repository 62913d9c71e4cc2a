#!/usr/bin/env bash
# Requires the release artefacts of the current commit identical byte for byte however they are
# built: the Linux program, the .deb, the .tar.gz, horner.exe and the Windows .zip. Those this
# tree has built already (as CI does, before it calls this) are compared with a build in a fresh
# clone at a deeper path, under another time zone, umask and locale; where this tree has none, or
# changes that are not committed, a first fresh clone is built too.
# Usage: scripts/check-reproducible.sh   (what is not committed is not built)
set -euo pipefail
cd "$(dirname "$0")/.."

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
artefacts=(build/package/horner build/package/horner_*.deb build/package/horner-*-Linux.tar.gz
    build/windows/horner.exe build/windows/horner-*-win32.zip)

# build FOLDER TZ UMASK LOCALE
build() {
    git clone -q . "$1"
    (
        cd "$1"
        umask "$3"
        export TZ=$2 LC_ALL=$4
        cmake --workflow --preset package >"$1.log" 2>&1
        cmake --preset windows -DBUILD_TESTING=OFF >>"$1.log" 2>&1
        cmake --build build/windows >>"$1.log" 2>&1
        (cd build/windows && cpack) >>"$1.log" 2>&1
    ) || { cat "$1.log" >&2; exit 1; }
}

first_tree=$PWD
built_here=yes
for pattern in "${artefacts[@]}"; do
    ls $pattern >/dev/null 2>&1 || built_here=no
done
[ -z "$(git status --porcelain --untracked-files=no)" ] || built_here=no
if [ "$built_here" = no ]; then
    first_tree=$scratch/first
    build "$first_tree" UTC 0022 C.UTF-8
fi
build "$scratch/second/one/level/deeper" Pacific/Kiritimati 0077 ru_RU.UTF-8

differ=0
for pattern in "${artefacts[@]}"; do
    first=$(cd "$first_tree" && ls $pattern)
    if cmp -s "$first_tree/$first" "$scratch/second/one/level/deeper/$first"; then
        echo "reproducible: $(sha256sum "$first_tree/$first" | cut -c1-16)  $first"
    else
        echo "reproducible: $first differs between the two builds" >&2
        differ=1
    fi
done
exit $differ
