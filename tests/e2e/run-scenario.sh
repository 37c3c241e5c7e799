#!/usr/bin/env bash
# run-scenario.sh QUARNED SCENARIO: runs tests/e2e/SCENARIO.sh in a virtual
# X server of its own against the QuarnEd executable.
#
# The server picks a free display itself and reports it (-displayfd), so two
# servers started one after another, or beside other X servers on the
# machine, never race for a display number. It listens on its local socket
# only and without cookies, so no shared authority file is locked or
# written. It never resets: a reset when the last client leaves (the probe
# below) would drop a client that connects at that moment, such as the
# editor. It is ended when the scenario ends, however it ends.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export QUARNED=$1
scenario="$here/$2.sh"
[ -f "$scenario" ] || { echo "no scenario $2" >&2; exit 2; }

server_dir=$(mktemp -d)
server_pid=""
stop_server() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
        server_pid=""
    fi
}
trap 'stop_server; rm -rf "$server_dir"' EXIT
trap 'exit 130' INT TERM HUP

# start_server: starts Xvfb and waits until it answers; sets DISPLAY.
# Fails when the server ends early or does not answer within 10 s.
start_server() {
    local number="" _
    : >"$server_dir/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$server_dir/display" >"$server_dir/server.log" 2>&1 &
    server_pid=$!
    for _ in $(seq 1 200); do
        # The number is written, with a newline, once the server accepts clients.
        number=$(sed -n '1{/^[0-9][0-9]*$/p}' "$server_dir/display")
        if [ -n "$number" ] && [ "$(wc -l <"$server_dir/display")" -ge 1 ] \
            && xdpyinfo -display ":$number" >/dev/null 2>&1; then
            export DISPLAY=":$number"
            return 0
        fi
        kill -0 "$server_pid" 2>/dev/null || break
        sleep 0.05
    done
    echo "X server did not start: $(cat "$server_dir/server.log")" >&2
    stop_server
    return 1
}

# Clients must not read (or wait for a lock on) the user's authority file.
export XAUTHORITY="$server_dir/Xauthority"
started=0
for _ in 1 2 3; do
    if start_server; then started=1; break; fi
done
[ "$started" = 1 ] || { echo "FAIL: no X server after three attempts" >&2; exit 1; }

code=0
bash "$scenario" || code=$?
exit "$code"
