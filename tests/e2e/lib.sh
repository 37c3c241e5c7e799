# Helpers for driving the real QuarnEd window with real X key and mouse
# events (xdotool) inside a virtual X server. Sourced by the scenarios,
# which run-scenario.sh starts with DISPLAY set to a server of their own.
set -euo pipefail

: "${QUARNED:?path of the QuarnEd executable}"
work=$(mktemp -d)
trap 'stop_drag_source; stop_launcher; stop_editor; rm -rf "$work"' EXIT

# Nothing of the user's environment reaches the editor: settings go to a
# temporary folder, and Qt's own dialogs are used whatever the desktop.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORMTHEME QT_QPA_PLATFORM
settings="$XDG_CONFIG_HOME/Morvath/QuarnEd.conf"
editor_pid=""
drag_pid=""
launcher_pid=""

fail() {
    echo "FAIL: $*" >&2
    if command -v import >/dev/null 2>&1; then
        import -window root "$work/failure.png" 2>/dev/null && echo "screen: $work/failure.png" >&2
        cp "$work/failure.png" "${TMPDIR:-/tmp}/quarned-e2e-failure.png" 2>/dev/null || true
    fi
    exit 1
}

# start_editor [ARGS...]: starts the editor and waits for its main window.
start_editor() {
    "$QUARNED" "$@" >"$work/editor.log" 2>&1 &
    editor_pid=$!
    main_window=""
    for _ in $(seq 1 100); do
        main_window=$(xdotool search --onlyvisible --pid "$editor_pid" --name '^Quarn Editor' 2>/dev/null | head -n 1 || true)
        [ -n "$main_window" ] && break
        kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended at start-up: $(cat "$work/editor.log")"
        sleep 0.1
    done
    [ -n "$main_window" ] || fail "no main window appeared"
    focus_window "$main_window"
}

stop_editor() {
    if [ -n "${editor_pid:-}" ] && kill -0 "$editor_pid" 2>/dev/null; then
        kill "$editor_pid" 2>/dev/null || true
        wait "$editor_pid" 2>/dev/null || true
    fi
    editor_pid=""
}

# Gives a window the keyboard focus, with the pointer over it.
focus_window() {
    local window=$1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    settle
}

# all_asleep PID...: every thread of these processes sleeps. An event the X
# server sends wakes a thread at once, and xdotool has its requests carried
# out before it ends: a process none of whose threads runs has handled
# what was sent, and waits for nothing but its own timers.
all_asleep() {
    local pid stat
    for pid in "$@"; do
        for stat in /proc/"$pid"/task/*/stat; do
            stat=$(cat "$stat" 2>/dev/null) || continue
            stat=${stat##*) }
            case ${stat%% *} in
            S | I | T | t | Z | X) ;;
            *) return 1 ;;
            esac
        done
    done
}

# settle: lets the editor, and the launcher and the drag source when they
# run, handle what was sent: waits until all of them sleep at two looks in
# a row.
settle() {
    local pids=() pid quiet=0
    for pid in "${editor_pid:-}" "${launcher_pid:-}" "${drag_pid:-}"; do
        [ -n "$pid" ] && pids+=("$pid")
    done
    [ ${#pids[@]} -gt 0 ] || return 0
    for _ in $(seq 1 500); do
        if all_asleep "${pids[@]}"; then quiet=$((quiet + 1)); else quiet=0; fi
        [ "$quiet" -ge 2 ] && return 0
        sleep 0.02
    done
    fail "still busy after 10 s"
}

# keys KEY...: presses each key (xdotool names: ctrl+s, alt+f, Return, ...),
# each once the one before has been handled.
keys() {
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        settle
    done
}

# type_text TEXT: types the text into the focused control.
type_text() {
    xdotool type --delay 30 -- "$1"
    settle
}

# wait_window TITLE-REGEX: waits for a window of the editor with that title
# and gives it the focus; prints its id.
wait_window() {
    local pattern=$1 window=""
    for _ in $(seq 1 100); do
        window=$(xdotool search --onlyvisible --pid "$editor_pid" --name "$pattern" 2>/dev/null | tail -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window titled $pattern"
    focus_window "$window" >/dev/null
    echo "$window"
}

# expect_title TEXT: the main window's title, waited for.
expect_title() {
    local title=""
    for _ in $(seq 1 50); do
        title=$(xdotool getwindowname "$main_window" 2>/dev/null || true)
        [ "$title" = "$1" ] && return 0
        sleep 0.1
    done
    fail "title is '$title', expected '$1'"
}

# expect_exit: the editor ends, with exit code 0.
expect_exit() {
    local code=0
    for _ in $(seq 1 100); do
        kill -0 "$editor_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$editor_pid" 2>/dev/null && fail "the editor is still running"
    wait "$editor_pid" || code=$?
    editor_pid=""
    [ "$code" -eq 0 ] || fail "the editor ended with exit code $code"
}

# expect_bytes FILE PRINTF-FORMAT: the file holds exactly these bytes,
# waited for: on a busy machine the editor may not have written it yet.
expect_bytes() {
    local file=$1 expected="$work/expected-bytes"
    printf "$2" >"$expected"
    for _ in $(seq 1 50); do
        cmp -s "$file" "$expected" && return 0
        sleep 0.1
    done
    echo "--- expected"; od -c "$expected" | head -40
    echo "--- actual"; od -c "$file" 2>/dev/null | head -40
    fail "$file does not hold the expected bytes"
}

# expect_setting KEY VALUE: the value stored in the editor's settings file.
expect_setting() {
    grep -qxF "$1=$2" "$settings" 2>/dev/null || fail "setting $1 is not '$2': $(cat "$settings" 2>/dev/null)"
}

# expect_only_main_window: every other window of the editor (dialog, message
# box) has closed, waited for; the main window gets the focus back.
expect_only_main_window() {
    local windows=""
    for _ in $(seq 1 50); do
        windows=$(xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null | grep -vx "$main_window" || true)
        [ -z "$windows" ] && break
        sleep 0.1
    done
    if [ -n "$windows" ]; then
        fail "windows still open: $(for w in $windows; do printf "'%s' " "$(xdotool getwindowname "$w")"; done)"
    fi
    focus_window "$main_window"
}

# main_window_point XPERCENT YPERCENT: sets point_x and point_y to the screen
# point at these percentages of the main window's width and height.
main_window_point() {
    eval "$(xdotool getwindowgeometry --shell "$main_window")"
    point_x=$((X + WIDTH * $1 / 100))
    point_y=$((Y + HEIGHT * $2 / 100))
}

# drag_file FILE X Y: drags FILE, as a file manager does, from a window of
# quarn_drag_source and drops it at screen point X,Y. The pointer moves in
# steps so that the target sees the drag enter and move before the drop.
# The source stays until the next drag: the target may still be fetching
# the dropped data from it.
drag_file() {
    local file=$1 x=$2 y=$3 source_window="" step
    stop_drag_source
    "${QUARN_DRAG_SOURCE:?path of quarn_drag_source}" "$file" >"$work/drag.log" 2>&1 &
    drag_pid=$!
    for _ in $(seq 1 100); do
        source_window=$(xdotool search --onlyvisible --pid "$drag_pid" --name '^Drag source$' 2>/dev/null | head -n 1 || true)
        [ -n "$source_window" ] && break
        sleep 0.1
    done
    [ -n "$source_window" ] || fail "no drag source window: $(cat "$work/drag.log")"
    eval "$(xdotool getwindowgeometry --shell "$source_window")"
    local from_x=$((X + WIDTH / 2)) from_y=$((Y + HEIGHT / 2))
    xdotool mousemove "$from_x" "$from_y"
    settle
    xdotool mousedown 1
    settle
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((from_x + (x - from_x) * step / 8)) $((from_y + (y - from_y) * step / 8))
        settle
    done
    xdotool mouseup 1
    settle
}

stop_drag_source() {
    if [ -n "${drag_pid:-}" ]; then
        kill "$drag_pid" 2>/dev/null || true
        wait "$drag_pid" 2>/dev/null || true
    fi
    drag_pid=""
}

# wait_launcher TITLE-REGEX: waits for a window of the launcher (started by
# the editor or by the scenario) with that title and gives it the focus;
# sets launcher_window and launcher_pid.
wait_launcher() {
    local pattern=$1
    launcher_window=""
    for _ in $(seq 1 100); do
        launcher_window=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        [ -n "$launcher_window" ] && break
        sleep 0.1
    done
    [ -n "$launcher_window" ] || fail "no launcher window titled $pattern"
    launcher_pid=$(xdotool getwindowpid "$launcher_window")
    focus_window "$launcher_window"
}

# expect_launcher_exit: the launcher's process ends.
expect_launcher_exit() {
    for _ in $(seq 1 100); do
        kill -0 "$launcher_pid" 2>/dev/null || { launcher_pid=""; return 0; }
        sleep 0.1
    done
    fail "the launcher is still running"
}

stop_launcher() {
    if [ -n "${launcher_pid:-}" ] && kill -0 "$launcher_pid" 2>/dev/null; then
        kill "$launcher_pid" 2>/dev/null || true
    fi
    launcher_pid=""
}

# app_folder: copies both programs into a folder of the scenario's own, so
# that the editor finds the launcher beside it; QUARNED then names the copy.
app_folder() {
    mkdir -p "$work/app"
    cp "$QUARNED" "$work/app/QuarnEd"
    cp "${QUARNEXE:?path of the QuarnExe executable}" "$work/app/QuarnExe"
    QUARNED="$work/app/QuarnEd"
}
