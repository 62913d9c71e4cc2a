#!/bin/sh
# Keeps one wineserver running for a whole test run under wine: each start of a Windows program
# then costs tens of milliseconds instead of seconds. The first start also creates the prefix.
# 'run PROGRAM...' runs a Windows program with that server, as CTest does when it lists the cases
# of a test program before the run; the server ends a minute after its last program. WINELOADER,
# where it is set, names the wine to use (wine64); else it is 'wine'.
set -eu
wine=${WINELOADER:-wine}
# The server and wine's helper processes outlive this script; with the caller's output streams
# left open, the test runner would wait for them, so they are started with none. Where the
# server already runs, wineserver -p fails, harmlessly.
start_server() {
    mkdir -p "$WINEPREFIX"
    if wineserver -p60 </dev/null >/dev/null 2>&1; then
        "$wine" cmd.exe /c exit </dev/null >/dev/null 2>&1
    fi
}
case "${1:-}" in
    start)
        start_server
        ;;
    run)
        shift
        start_server
        # Now and then wine64 fails to start a program at all: it ends at once, before the program
        # has written a byte (seen once in several runs of 430 programs). Such a start is made once
        # more; a program that wrote anything has run, and its failure stands.
        output=$(mktemp)
        errors=$(mktemp)
        trap 'rm -f "$output" "$errors"' EXIT
        for attempt in 1 2; do
            status=0
            "$wine" "$@" >"$output" 2>"$errors" || status=$?
            if [ "$status" -eq 0 ] || [ -s "$output" ] || [ -s "$errors" ]; then
                break
            fi
        done
        cat "$output"
        cat "$errors" >&2
        exit "$status"
        ;;
    stop)
        wineserver -k 2>/dev/null || true
        ;;
    *)
        echo "usage: $0 start|run PROGRAM...|stop" >&2
        exit 2
        ;;
esac
