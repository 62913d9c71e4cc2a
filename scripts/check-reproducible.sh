#!/usr/bin/env bash
# Builds the release artefacts of the current commit twice, in two fresh clones at paths of
# different depth, under different time zones, umasks and locales, and requires them identical
# byte for byte: the Linux program, the .deb, the .tar.gz, horner.exe and the Windows .zip.
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

build "$scratch/first" UTC 0022 C.UTF-8
build "$scratch/second/one/level/deeper" Pacific/Kiritimati 0077 ru_RU.UTF-8

differ=0
for pattern in "${artefacts[@]}"; do
    first=$(cd "$scratch/first" && ls $pattern)
    if cmp -s "$scratch/first/$first" "$scratch/second/one/level/deeper/$first"; then
        echo "reproducible: $(sha256sum "$scratch/first/$first" | cut -c1-16)  $first"
    else
        echo "reproducible: $first differs between the two builds" >&2
        differ=1
    fi
done
exit $differ
