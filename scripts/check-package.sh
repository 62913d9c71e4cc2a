#!/usr/bin/env bash
# Installs the .deb that 'cmake --workflow --preset package' made, runs the installed horner once
# with piped input, checks its result line and exit status, and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=$(ls build/release/horner_*.deb)
sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
sudo_if_needed dpkg -i "$deb" >/dev/null
trap 'sudo_if_needed dpkg -r horner >/dev/null' EXIT

status=0
output=$(printf '2\n1 0 1\n0 1\n' | /usr/bin/horner) || status=$?
grep -q 'Значение полинома: y=0 0j' <<<"$output"
[ "$status" -eq 0 ]
[ -f /usr/share/man/man1/horner.1.gz ] || [ -f /usr/share/man/man1/horner.1 ]
echo "package: $(basename "$deb") installs a horner that runs (status $status)"
