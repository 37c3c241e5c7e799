# The Executable button's dialog, preset from the Program field, accepts an
# existing program as it stands: Return takes /usr/bin/ls without adding an
# extension or reporting that the file was not found.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

printf '[Quarn]\r\nName=Lister\r\n' >"$work/lister.Quarn"
start_editor "$work/lister.Quarn"
expect_title "Quarn Editor - lister.Quarn"
# From Caption past the Executable button into the Program field.
keys Tab Tab
type_text "/usr/bin/ls"
keys alt+e
dialog=$(wait_window '^Select program$')
keys Return
# On a busy machine the window system may still have given the keys to the
# main window, which the modal dialog blocks, and the key is lost: the
# dialog, still the only other window, is given the focus and the key again.
other_windows() {
    xdotool search --onlyvisible --pid "$editor_pid" 2>/dev/null | grep -vx "$main_window" || true
}
for _ in $(seq 1 20); do
    [ "$(other_windows)" = "$dialog" ] || break
    sleep 0.1
done
if [ "$(other_windows)" = "$dialog" ]; then
    focus_window "$dialog"
    keys Return
fi
# A refused name leaves the dialog open behind an error box.
expect_only_main_window
keys ctrl+s
expect_bytes "$work/lister.Quarn" '[Quarn]\r\nName=Lister\r\nProgram=/usr/bin/ls\r\n'
keys alt+f x
expect_exit
echo "PASS: executable-dialog"
