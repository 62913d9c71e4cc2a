#!/bin/sh
# Keeps one wineserver running for a whole test run under wine: each start of a Windows program
# then costs tens of milliseconds instead of seconds. The first start also creates the prefix.
set -eu
case "${1:-}" in
    start)
        # The server and wine's helper processes outlive this script; with the test's output
        # streams left open, the test runner would wait for them.
        mkdir -p "$WINEPREFIX"
        wineserver -p </dev/null >/dev/null 2>&1
        wine cmd.exe /c exit </dev/null >/dev/null 2>&1
        ;;
    stop)
        wineserver -k 2>/dev/null || true
        ;;
    *)
        echo "usage: $0 start|stop" >&2
        exit 2
        ;;
esac
