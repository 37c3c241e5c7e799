# A three-option definition built with the keyboard alone: options added
# with Insert, named by typing, one moved with Ctrl+U, the default mark set
# with the space bar, and the file saved with Ctrl+S.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

# A program without a definition file: the document gets its name, and has
# unsaved changes.
start_editor "$work/demo"
expect_title "Quarn Editor - demo.Quarn*"
keys alt+c
type_text "Demo"
keys alt+o Insert
type_text "Alpha"
keys shift+Tab Insert
type_text "Beta"
keys alt+v
type_text "b"
keys alt+n shift+Tab Insert
type_text "Gamma"
keys shift+Tab ctrl+u
# From the option list to the "Default option" box of a String option.
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab space
keys ctrl+s
expect_bytes "$work/demo.Quarn" "[Quarn]\r\nName=Demo\r\nProgram=$work/demo\r\nFirst=1\r\n[Alpha]\r\nType=String\r\n[Gamma]\r\nType=String\r\n[Beta]\r\nType=String\r\nValue=b\r\n"
keys alt+f x
expect_exit
echo "PASS: keyboard-only-definition"
