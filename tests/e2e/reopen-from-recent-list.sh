# The recent list survives a restart and reopens its file from the File menu.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

printf '[Quarn]\r\nName=Remembered\r\n' >"$work/first.Quarn"
start_editor "$work/first.Quarn"
expect_title "Quarn Editor - first.Quarn"
keys alt+f x
expect_exit

start_editor
expect_title "Quarn Editor"
# The recent item is the last one of the File menu.
keys alt+f Up Return
expect_title "Quarn Editor - first.Quarn"
keys alt+f x
expect_exit
echo "PASS: reopen-from-recent-list"
