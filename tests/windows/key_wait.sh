#!/bin/sh
# horner.exe under wine in a real terminal (tmux), typed at as a person would: after the last
# answer and its line end it still waits; the key is not echoed; one key ends it with status 0.
# Wine shows the Cyrillic garbled on its console, so only the ASCII parts of the screen are read.
# Usage: key_wait.sh WINE PROGRAM
set -eu
wine=$1
program=$2
socket="horner-key-wait-$$"
tmux() { command tmux -L "$socket" -f /dev/null "$@"; }
trap 'tmux kill-server 2>/dev/null || true' EXIT

screen() { tmux capture-pane -p -t test; }
fail() {
    echo "key_wait: $1; the screen:" >&2
    screen >&2
    exit 1
}
# Waits up to 30 seconds for the screen to show a text.
wait_for() {
    tries=0
    until screen | grep -qF -- "$1"; do
        tries=$((tries + 1))
        [ "$tries" -le 300 ] || fail "'$1' never appeared"
        sleep 0.1
    done
}
dead() { [ "$(tmux display-message -p -t test '#{pane_dead}')" = 1 ]; }

tmux new-session -d -s test -x 120 -y 30 "$wine '$program'" \; set-option -t test remain-on-exit on
wait_for ':'  # the end of the first question; capture-pane drops trailing blanks
tmux send-keys -t test 2 Enter
wait_for 'a()='
tmux send-keys -t test '1 0 1' Enter
wait_for 'a()= 1 0 1'
tmux send-keys -t test '0 1' Enter
wait_for 'y=0 0j'
sleep 1
! dead || fail "the program ended before a key was pressed"
tmux send-keys -t test q
tries=0
until dead; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || fail "the key did not end the wait"
    sleep 0.1
done
status=$(tmux display-message -p -t test '#{pane_dead_status}')
[ "$status" = 0 ] || fail "exit status $status"
! screen | sed -n '/y=0 0j/,$p' | grep -q q || fail "the key was echoed"
echo "key_wait: waited after the last answer, took one unechoed key, status 0"
