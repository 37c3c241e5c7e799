# A file named on the command line is edited by typing and saved with
# Ctrl+S; the file on disk holds exactly what the writer writes.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

printf '[Quarn]\r\nName=Old name\r\nProgram=/usr/bin/tool\r\n[Input]\r\nType=String\r\n' >"$work/tool.Quarn"
start_editor "$work/tool.Quarn"
expect_title "Quarn Editor - tool.Quarn"
# The focus is in the Caption field with its text selected: typing replaces it.
type_text "New name"
keys ctrl+s
expect_bytes "$work/tool.Quarn" '[Quarn]\r\nName=New name\r\nProgram=/usr/bin/tool\r\n[Input]\r\nType=String\r\n'
keys alt+f x
expect_exit
echo "PASS: edit-and-save"
