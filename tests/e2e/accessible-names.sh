# What a screen reader finds: every control a user can reach in the editor's
# window (both pages, the controls of a listed and of a check-box option),
# its help window and About box, and the launcher's window has a name, and
# no two buttons side by side share one. The windows are walked over the
# accessibility bus (accessible-names.py). Alt+S in the help window and
# Escape in the About box work as on the desktop.
here=$(cd "$(dirname "$0")" && pwd)
# The accessibility bus is found through a session bus of the scenario's own.
if [ -z "${QUARNED_E2E_SESSION_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FAIL: dbus-run-session is missing" >&2; exit 1; }
    exec env QUARNED_E2E_SESSION_BUS=1 dbus-run-session -- bash "$0"
fi
source "$here/lib.sh"
# The system's Python, which the distribution's pyatspi belongs to.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || fail "Python's pyatspi (python3-pyatspi, at-spi2-core) is missing"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# walk PID TITLE-REGEX [SELECTED]: the window's controls all have names.
walk() {
    "$python" "$here/accessible-names.py" "$@" || fail "controls without a name in '$2' (above)"
}

printf '[Quarn]\r\nName=Tool\r\nProgram=/bin/ls\r\n[Mode]\r\nType=Select\r\nValue1=fast\r\nValue2=slow\r\n[Verbose]\r\nType=True\r\nFormat=-v\r\n' \
    >"$work/tool.Quarn"
start_editor "$work/tool.Quarn"
walk "$editor_pid" '^Quarn Editor - ' 'Program settings'
# The Options page shows the listed option's values, then the check-box
# option's choice of a default.
keys alt+o
walk "$editor_pid" '^Quarn Editor - ' 'Mode'
keys Down
walk "$editor_pid" '^Quarn Editor - ' 'Verbose'
# The preview beside the pages is the launcher's window, without its letters.
keys F6
walk "$editor_pid" '^Quarn Editor - ' 'Verbose'
keys F6
keys F1
wait_window '^Quarn Editor Help$' >/dev/null
walk "$editor_pid" '^Quarn Editor Help$' 'Contents'
# Alt+S reaches the index's search field from the contents too.
keys alt+s
walk "$editor_pid" '^Quarn Editor Help$' 'Index'
keys Escape
expect_only_main_window
keys ctrl+shift+F1
wait_window '^About ' >/dev/null
walk "$editor_pid" '^About '
keys Escape
expect_only_main_window
keys alt+f x
expect_exit

"${QUARNEXE:?path of the QuarnExe executable}" "$work/tool.Quarn" >"$work/launcher.log" 2>&1 &
wait_launcher '^Tool$'
walk "$launcher_pid" '^Tool$' 'Mode'
keys Down
walk "$launcher_pid" '^Tool$' 'Verbose'
keys ctrl+w
expect_launcher_exit
echo "PASS: accessible-names"
