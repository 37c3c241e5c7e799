# Helpers for driving the real QuarnEd window with real X key and mouse
# events (xdotool) inside a virtual X server. Sourced by the scenarios,
# which run under xvfb-run (see run-scenario.sh).
set -euo pipefail

: "${QUARNED:?path of the QuarnEd executable}"
work=$(mktemp -d)
trap 'stop_editor; rm -rf "$work"' EXIT

# Nothing of the user's environment reaches the editor: settings go to a
# temporary folder, and Qt's own dialogs are used whatever the desktop.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORMTHEME QT_QPA_PLATFORM
settings="$XDG_CONFIG_HOME/Morvath/QuarnEd.conf"
editor_pid=""

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

# Lets the editor handle what was sent.
settle() { sleep "${E2E_SETTLE:-0.4}"; }

# keys KEY...: presses each key (xdotool names: ctrl+s, alt+f, Return, ...).
keys() {
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.15
    done
    settle
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
    for _ in $(seq 1 50); do
        kill -0 "$editor_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$editor_pid" 2>/dev/null && fail "the editor is still running"
    wait "$editor_pid" || code=$?
    editor_pid=""
    [ "$code" -eq 0 ] || fail "the editor ended with exit code $code"
}

# expect_bytes FILE PRINTF-FORMAT: the file holds exactly these bytes.
expect_bytes() {
    local file=$1 expected
    expected=$(mktemp)
    printf "$2" >"$expected"
    cmp -s "$file" "$expected" || {
        echo "--- expected"; od -c "$expected" | head -40
        echo "--- actual"; od -c "$file" 2>/dev/null | head -40
        fail "$file does not hold the expected bytes"
    }
}

# expect_setting KEY VALUE: the value stored in the editor's settings file.
expect_setting() {
    grep -qxF "$1=$2" "$settings" 2>/dev/null || fail "setting $1 is not '$2': $(cat "$settings" 2>/dev/null)"
}
