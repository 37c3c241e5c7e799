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
wait_window '^Select program$' >/dev/null
keys Return
# A refused name leaves the dialog open behind an error box.
expect_only_main_window
keys ctrl+s
expect_bytes "$work/lister.Quarn" '[Quarn]\r\nName=Lister\r\nProgram=/usr/bin/ls\r\n'
keys alt+f x
expect_exit
echo "PASS: executable-dialog"
