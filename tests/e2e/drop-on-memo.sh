# Files dropped on the Information memo through the X server's drag and
# drop follow the window's drop rules rather than the memo's: a program goes
# into the Program field as a path (the memo keeps its text, no file URL is
# inserted), and a definition file is opened.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

mkdir -p "$work/bin"
printf '#!/bin/sh\n' >"$work/bin/tool"
chmod +x "$work/bin/tool"
printf '[Quarn]\r\nName=Target\r\n' >"$work/target.Quarn"
printf '[Quarn]\r\nName=Other\r\n' >"$work/other.Quarn"
start_editor "$work/target.Quarn"
expect_title "Quarn Editor - target.Quarn"

# Typing into the memo after a click on this point proves the point is on it.
main_window_point 60 68
xdotool mousemove "$point_x" "$point_y" click 1
type_text "About"
drag_file "$work/bin/tool" "$point_x" "$point_y"
focus_window "$main_window"
keys ctrl+s
expect_bytes "$work/target.Quarn" "[Quarn]\r\nName=Target\r\nProgram=$work/bin/tool\r\nInformation=1\r\nAbout\r\n\r\n"

drag_file "$work/other.Quarn" "$point_x" "$point_y"
expect_title "Quarn Editor - other.Quarn"
focus_window "$main_window"
keys alt+f x
expect_exit
echo "PASS: drop-on-memo"
