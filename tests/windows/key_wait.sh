#!/bin/sh
# horner.exe under wine in a real terminal (tmux), typed at as a person would: after the last
# answer and its line end it still waits; the key is not echoed; one key ends it with status 0.
# Wine shows the Cyrillic garbled on its console, so only the ASCII parts of the screen are read.
# Usage: key_wait.sh WINE PROGRAM
set -eu
tmux() { command tmux -L "horner-key-wait-$$" -f /dev/null "$@"; }
trap 'tmux kill-server 2>/dev/null || true' EXIT
fail() { echo "key_wait: $1; the screen:" >&2; tmux capture-pane -p -t test >&2; exit 1; }
# Waits up to 30 seconds for a condition, a command given as the arguments.
within_30s() {
    tries=0
    until "$@"; do
        [ $((tries += 1)) -le 300 ] || return 1
        sleep 0.1
    done
}
shows() { tmux capture-pane -p -t test | grep -qF -- "$1"; }
ended() { [ "$(tmux display-message -p -t test '#{pane_dead}')" = 1 ]; }

tmux new-session -d -s test -x 120 -y 30 "$1 '$2'" \; set-option -t test remain-on-exit on
# capture-pane drops the blank after each question, so the answers wait for what precedes it.
for step in ':/2' 'a()=/1 0 1' 'a()= 1 0 1/0 1'; do
    within_30s shows "${step%/*}" || fail "'${step%/*}' never appeared"
    tmux send-keys -t test "${step#*/}" Enter
done
within_30s shows 'y=0 0j' || fail "no result"
sleep 1
! ended || fail "the program ended before a key was pressed"
tmux send-keys -t test q
within_30s ended || fail "the key did not end the wait"
status=$(tmux display-message -p -t test '#{pane_dead_status}')
[ "$status" = 0 ] || fail "exit status $status"
! tmux capture-pane -p -t test | sed -n '/y=0 0j/,$p' | grep -q q || fail "the key was echoed"
echo "key_wait: waited after the last answer, took one unechoed key, status 0"
