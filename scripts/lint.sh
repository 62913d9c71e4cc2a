#!/usr/bin/env bash
# Format check and static analysis, both required clean in CI. clang-tidy reads the compile
# commands of the test build, so run 'cmake --workflow --preset test' first. The Windows-only
# files have no Linux compile commands and are checked by the Windows build's warnings alone.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "format: ${#sources[@]} files clean"

mapfile -t analysed < <(git ls-files 'src/*.cpp' 'tests/*.cpp' | grep -v windows)
run-clang-tidy -quiet -p build/test "${analysed[@]}" >build/clang-tidy.log 2>&1 || {
    cat build/clang-tidy.log
    exit 1
}
echo "clang-tidy: ${#analysed[@]} files clean"
