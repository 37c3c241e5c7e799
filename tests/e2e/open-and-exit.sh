# The editor opens the definition file named on its command line, shows its
# name in the title, and ends from the File menu, storing the recent list.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

printf '[Quarn]\r\nName=Tool\r\n' >"$work/tool.Quarn"
start_editor "$work/tool.Quarn"
expect_title "Quarn Editor - tool.Quarn"
keys alt+f x
expect_exit
expect_setting 0 "$work/tool.Quarn"
echo "PASS: open-and-exit"
