#!/bin/sh
# horner.exe under wine in a real terminal (tmux), typed at as a person would, with a Russian and
# with a Western locale (wine then has the code pages of such a Windows): the Russian text is
# legible on the screen; after the last answer, even with an extra Enter, it still waits; the key
# is not echoed; one key ends it with status 0, and what the shell writes next starts a line of
# its own. An error line on the console is legible and, after answers typed ahead, on a line of
# its own. With its output in a file it ends without a key; an error sent to a file is there in
# code page 866, not on the screen; with input from a pipe the error is on a line of its own too.
# The rest of a line typed as the key never reaches the next command of a batch file. Ctrl+C at
# the wait is the key; at a prompt it interrupts.
# Usage: key_wait.sh WINE PROGRAM
set -eu
wine=$1
program=$2
scratch=$(mktemp -d)
tmux() { command tmux -L "horner-key-wait-$$" -f /dev/null "$@"; }
trap 'tmux kill-server 2>/dev/null || true; rm -rf "$scratch"' EXIT
fail() { echo "key_wait, $row: $1; the screen:" >&2; tmux capture-pane -p -t "$session" >&2; exit 1; }
# Waits up to 30 seconds for a condition, a command given as the arguments.
within_30s() {
    tries=0
    until "$@"; do
        [ $((tries += 1)) -le 300 ] || return 1
        sleep 0.1
    done
}
shows() { tmux capture-pane -p -t "$session" | grep -qF -- "$1"; }
shows_line() { tmux capture-pane -p -t "$session" | grep -qxF -- "$1"; }
# Wine's console reads the terminal byte by byte once it runs; a line typed before that would
# be echoed by the terminal and reach it with the terminal's own line end translation. The first
# prompt can be on the screen a moment before that, on a loaded machine.
console_ready() { stty -F "$(tmux display-message -p -t "$session" '#{pane_tty}')" -a | grep -q -- -icanon; }
# Once the question $1 is on the screen, types the keys that follow and Enter.
answer() {
    within_30s shows "$1" || fail "'$1' never appeared"
    within_30s console_ready || fail "wine's console never took the terminal"
    shift
    tmux send-keys -t "$session" "$@" Enter
}

# Runs the program in a fresh terminal, in the locale given, its output redirected as given; the
# shell then writes its exit status on the next line.
session=0
start() {
    session=$((session + 1))
    tmux new-session -d -s "$session" -x 120 -y 30 \
        "LC_ALL=$1 $wine '$program' $2; echo \"status \$?\"; sleep 600"
    # the server ends with its last session
    tmux kill-session -t "$((session - 1))" 2>/dev/null || true
}

error_a0="Ошибка: введено 'x',"
expected_a0="а ожидался коэффициент a0 - число, например 2, -0.5 или 1e-3"
letter_hint="Из букв в числе допустима только латинская e, как в 1e5"
for locale in ru_RU.UTF-8 C.UTF-8; do
    row="$locale, at the console"
    start "$locale" ""
    # capture-pane drops the blank after each question, so the answers wait for what precedes it.
    answer 'уравнения:' 2
    answer 'a()=' '1 0 1'
    answer 'корня:' '0 1' Enter
    within_30s shows 'Значение полинома: y=0 0j' || fail "no legible result"
    shows_line 'Нажмите любую клавишу' || fail "no legible request for a key"
    sleep 1
    ! shows 'status' || fail "the program ended before a fresh key was pressed"
    tmux send-keys -t "$session" q
    within_30s shows_line 'status 0' || fail "the key did not end the wait with status 0"
    ! tmux capture-pane -p -t "$session" | sed -n '/y=0 0j/,$p' | grep -q q || fail "the key was echoed"

    row="$locale, error at the console after answers typed ahead"
    start "$locale" ""
    answer 'уравнения:' '1 x'
    within_30s shows_line "$error_a0" || fail "no legible error line of its own"
    shows_line 'a()=' || fail "the error line continued the prompt's line"
    tmux send-keys -t "$session" q
    within_30s shows_line 'status 1' || fail "the key did not end the wait with status 1"

    row="$locale, error in a file after answers typed ahead"
    start "$locale" "2> '$scratch/err.txt'"
    answer 'уравнения:' '1 x'
    # the line end before the error line went with it, into the file
    within_30s shows 'a()= Нажмите любую клавишу' || fail "no request for a key after the error"
    ! shows 'Ошибка' || fail "the error reached the screen"
    tmux send-keys -t "$session" C-c
    within_30s shows_line 'status 1' || fail "Ctrl+C at the wait did not keep the run's status 1"
    printf '%s\r\n' "$error_a0" "$expected_a0" "$letter_hint" | iconv -t CP866 |
        cmp -s - "$scratch/err.txt" ||
        fail "the file does not begin with the error, in CP866 with CR LF"

    # Typed at the console, a character reaches the program as typed, whatever code page the
    # console has, and the error shows it so: Cyrillic letters with the hint that names the slip,
    # and the signs of code page 1251 as Windows' own table reads them (0x98 is no character; the
    # no-break space and the soft hyphen are escaped, as invisible). A character beyond the 16
    # bits of one UTF-16 unit is not tried: wine's console writes each half of its surrogate pair
    # to the terminal as a replacement character, its own echo included, and its
    # ReadConsoleOutputCharacterW reads nothing back here.
    signs=$(printf '\200\201\202\203\204\205\206\207\210\211\212\213\214\215\216\217\220\221\222\223\224\225\226\227\231\232\233\234\235\236\237' |
        iconv -f CP1251 -t UTF-8)
    more_signs=$(printf '\241\242\243\244\245\246\247\250\251\252\253\254\256\257\260\261\262\263\264\265\266\267\270\271\272\273\274\275\276\277' |
        iconv -f CP1251 -t UTF-8)
    for typed in '1е5:Буква е здесь русская, наберите латинскую: 1e5' \
        '1ю5:Набрано в русской раскладке, а нужно: 1.5' \
        "$signs:$letter_hint" "$more_signs:$letter_hint"; do
        row="$locale, ${typed%%:*} typed at the console"
        start "$locale" ""
        answer 'уравнения:' 0
        within_30s shows 'a()=' || fail "'a()=' never appeared"
        within_30s console_ready || fail "wine's console never took the terminal"
        tmux send-keys -t "$session" -l "${typed%%:*}"
        tmux send-keys -t "$session" Enter
        within_30s shows_line "Ошибка: введено '${typed%%:*}'," || fail "the word is not shown as typed"
        within_30s shows_line "${typed#*:}" || fail "no hint, or not the hint that names the slip"
        tmux send-keys -t "$session" q
        within_30s shows_line 'status 1' || fail "the key did not end the wait with status 1"
    done

    # Input from a pipe is not echoed: even a line that comes after the prompt has not ended the
    # prompt's line on the console. Wine's console then takes its keys from that pipe, so no key
    # can end this run: the next start ends its session.
    row="$locale, input from a pipe, error at the console"
    rm -f "$scratch/pipe" && mkfifo "$scratch/pipe"
    exec 3<>"$scratch/pipe"
    start "$locale" "< '$scratch/pipe'"
    printf '1\r\n' >&3
    within_30s shows 'a()=' || fail "'a()=' never appeared"
    printf 'x\r\n' >&3
    within_30s shows_line "$error_a0" || fail "the error continued the prompt's line"
    shows_line 'a()=' || fail "the prompt's line is not left as it was"
    exec 3>&-

    # What follows the key on its line is not left for the next command of a batch file.
    row="$locale, a line typed as the key, then set /p"
    cp "$program" "$scratch/horner.exe"
    printf '@echo off\r\nhorner.exe\r\nset /p rest=next?\r\necho rest=[%%rest%%]\r\n' \
        >"$scratch/keys.bat"
    session=$((session + 1))
    tmux new-session -d -s "$session" -x 120 -y 30 -c "$scratch" \
        "LC_ALL=$locale $wine cmd /c keys.bat; echo \"status \$?\"; sleep 600"
    tmux kill-session -t "$((session - 1))" 2>/dev/null || true
    answer 'уравнения:' 0
    answer 'a()=' 1
    answer 'корня:' '0 0'
    within_30s shows_line 'Нажмите любую клавишу' || fail "no request for a key"
    # in one write, as a paste comes, so that the console gets the whole line at once
    tmux send-keys -t "$session" -l "abc$(printf '\r')"
    within_30s shows 'next?' || fail "set /p never asked"
    tmux send-keys -t "$session" zz Enter
    within_30s shows 'rest=[zz]' || fail "the rest of the key's line reached set /p"

    # Not tried, as wine cannot make them: Ctrl+Break (tmux has no such key, and wine's
    # GenerateConsoleCtrlEvent, the other way to raise it, reports failure), and Ctrl+Z then Enter
    # as the end of the input (wine's console drops the Ctrl+Z that a terminal sends it).
    row="$locale, Ctrl+C at a prompt"
    start "$locale" ""
    answer 'уравнения:' 2
    within_30s shows 'a()=' || fail "'a()=' never appeared"
    tmux send-keys -t "$session" C-c
    # 58 is the low byte of STATUS_CONTROL_C_EXIT, on a line after the prompt's
    within_30s shows_line 'status 58' || fail "Ctrl+C at a prompt did not end as interrupted"

    row="$locale, output in a file"
    start "$locale" "> '$scratch/out.txt'"
    within_30s console_ready || fail "wine's console never took the terminal"
    tmux send-keys -t "$session" '2 1 0 1 0 1' Enter
    within_30s shows_line 'status 0' || fail "it waited for a key that nobody was asked for"
done
echo "key_wait: legible, waited after the last answer and an extra Enter, took one unechoed key;"
echo "key_wait: an error line of its own after answers typed ahead, on the console or in a file;"
echo "key_wait: with output in a file it did not wait; an error in a file is CP866 with CR LF;"
echo "key_wait: Cyrillic and code page 1251's signs typed at the console are shown as typed;"
echo "key_wait: input from a pipe puts the error on a line of its own; the key's line is dropped;"
echo "key_wait: Ctrl+C is the key at the wait, an interruption at a prompt; under two locales"
