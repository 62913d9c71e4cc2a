#!/usr/bin/env bash
# Installs from Debian's archive what the builds and tests need and a fresh machine may lack.
# Usage: scripts/install-deps.sh [linux|windows|all]   (default: all)
# Packages already present are left alone, so a second run costs only the dpkg queries.
set -euo pipefail

what=${1:-all}
linux_packages=(cmake ninja-build g++ libgtest-dev
    clang libclang-rt-14-dev clang-tidy clang-format libbenchmark-dev dpkg-dev)
windows_packages=(g++-mingw-w64-i686 googletest wine wine32:i386 locales)

missing=()
want() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
}

case "$what" in
    linux) want "${linux_packages[@]}" ;;
    windows) want "${windows_packages[@]}" ;;
    all) want "${linux_packages[@]}" "${windows_packages[@]}" ;;
    *) echo "usage: $0 [linux|windows|all]" >&2; exit 2 ;;
esac

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    # wine32 lives in the i386 architecture.
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
        ! dpkg --print-foreign-architectures | grep -qx i386; then
        sudo_if_needed dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    sudo_if_needed apt-get update -qq
    sudo_if_needed apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine needs a Russian locale to give the console code pages 1251 and 866.
if [ "$what" != linux ] && ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    sudo_if_needed sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    sudo_if_needed locale-gen >/dev/null
fi
