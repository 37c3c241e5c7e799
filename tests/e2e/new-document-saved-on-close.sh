# A new document typed into and closed from the File menu asks whether to
# save it; Yes leads to the real Save As dialog, where a typed name gets the
# ".Quarn" extension.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

start_editor
expect_title "Quarn Editor"
type_text "My tool"
keys alt+f x
wait_window '^Quarn Editor$' >/dev/null
# The prompt: Yes is the default button.
keys Return
wait_window '^Save definition file$' >/dev/null
type_text "$work/made"
keys Return
expect_exit
expect_bytes "$work/made.Quarn" '[Quarn]\r\nName=My tool\r\n'
expect_setting 0 "$work/made.Quarn"
echo "PASS: new-document-saved-on-close"
