#!/bin/sh
# The shipped horner.exe read with binutils, without running it, so that every machine checks it,
# also one that cannot start 32-bit programs. The expectations come from the PE format and from
# Microsoft's documentation, and the version from the project.
# Usage: shipped_exe.sh CHECK EXE, with OBJDUMP, WINDRES, VERSION, DESCRIPTION and COPYRIGHT set.
set -eu
check=$1
exe=$2
fail() { echo "shipped_exe $check: $1" >&2; exit 1; }
# The PE headers, each run of blanks and tabs made one blank.
headers() { "$OBJDUMP" -p "$exe" | tr -s ' \t' '  '; }
has() { grep -qF -- "$1" || fail "$2"; }

case "$check" in
pe32_console_program)
    "$OBJDUMP" -f "$exe" | has 'architecture: i386,' "not a program for Intel 80386"
    headers | has 'Magic 010b (PE32)' "not PE32: a 64-bit or no executable"
    headers | has 'Subsystem 00000003 (Windows CUI)' "not a console program"
    ;;
imports_only_windows_dlls)
    # What every Windows from 7 on has in System32, and nothing that would have to be shipped
    # beside the program, as MinGW's own run-time DLLs would.
    imports=$(headers | sed -n 's/^ DLL Name: //p' | tr 'A-Z' 'a-z')
    [ -n "$imports" ] || fail "no imports found"
    for dll in $imports; do
        case "$dll" in
        kernel32.dll | user32.dll | advapi32.dll | msvcrt.dll | ntdll.dll | shell32.dll) ;;
        *) fail "imports $dll, which Windows does not have" ;;
        esac
    done
    ;;
aslr_and_dep)
    # Address space layout randomisation needs the base relocations, not only the flag.
    "$OBJDUMP" -f "$exe" | has 'HAS_RELOC' "no base relocations, so no ASLR"
    headers | has 'DYNAMIC_BASE' "no ASLR (DYNAMIC_BASE)"
    headers | has 'NX_COMPAT' "no DEP (NX_COMPAT)"
    ;;
version_information)
    resources=$("$WINDRES" -J coff -O rc -i "$exe")
    for value in "\"FileVersion\", \"$VERSION\"" "\"ProductVersion\", \"$VERSION\"" \
        "\"ProductName\", \"horner\"" "\"OriginalFilename\", \"horner.exe\"" \
        "\"FileDescription\", \"$DESCRIPTION\"" "\"LegalCopyright\", \"$COPYRIGHT\""; do
        printf '%s\n' "$resources" | has "VALUE $value" "no version information $value"
    done
    ;;
manifest)
    resources=$("$WINDRES" -J coff -O rc -i "$exe")
    # Started as the user who starts it, and declared for Windows 7, 8, 8.1 and 10 and 11, the
    # identifiers Microsoft gives them; no code page of its own.
    for expected in 'level=""asInvoker""' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
        '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' \
        '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
        printf '%s\n' "$resources" | has "$expected" "the manifest lacks $expected"
    done
    ! printf '%s\n' "$resources" | grep -q 'activeCodePage>' || fail "the manifest sets a code page"
    ;;
texts_in_code_page_1251)
    # The dialogue's fixed texts, as a Windows program holds them: code page 1251.
    for text in 'Программа демонстрирует расчет полиномов по схеме Горнера' \
        'с комплексными корнями' 'Задайте порядок уравнения: ' \
        'Задайте коэффициенты полинома через пробел:' \
        'от a0 при X в N-ой степени до aN свободный член' \
        'Задайте через пробел действительное и компл. значение корня: ' \
        'Значение полинома: ' 'Нажмите любую клавишу'; do
        held=$(printf '%s' "$text" | iconv -f UTF-8 -t CP1251)
        LC_ALL=C grep -qaF -- "$held" "$exe" || fail "'$text' is not held in code page 1251"
    done
    ;;
*)
    echo "usage: $0 CHECK EXE" >&2
    exit 2
    ;;
esac
