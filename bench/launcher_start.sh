#!/usr/bin/env bash
# launcher_start.sh QUARNEXE: the time from starting the launcher to its
# window shown on a virtual X server, for definitions of 10 and 10,000
# options; the median of seven starts each. Needs Xvfb and xdotool.
set -euo pipefail
launcher=$(realpath "$1")
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
chmod 700 "$work"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
server=$!
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
export DISPLAY=":$(head -n 1 "$work/display")"

definition() { # OPTIONS FILE
    {
        printf '[Quarn]\r\nName=Start %s\r\nProgram=true\r\n' "$1"
        for i in $(seq 1 "$1"); do
            printf '[Option %s]\r\nType=Select\r\nValue=a\r\nValue1=a\r\nValue2=b\r\nFormat=--o%s=%%s\r\n' "$i" "$i"
        done
    } >"$2"
}

for options in 10 10000; do
    definition "$options" "$work/start$options.Quarn"
    times=()
    for _ in 1 2 3 4 5 6 7; do
        start=$(date +%s%N)
        "$launcher" "$work/start$options.Quarn" &
        pid=$!
        until xdotool search --onlyvisible --name "^Start $options\$" >/dev/null 2>&1; do :; done
        times+=($((($(date +%s%N) - start) / 1000000)))
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    done
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 4p)
    echo "start to window shown, $options options: $median ms (runs: ${times[*]})"
done
