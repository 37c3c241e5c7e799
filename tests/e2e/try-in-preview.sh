# The preview (F6) shows the launcher's window for the document as it is
# being edited; Run in preview (Ctrl+F5) runs the edited Format's command
# without a save.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

printf '[Quarn]\r\nProgram=sh\r\n[Script]\r\nType=String\r\nValue=echo "$0" >%s/result.txt\r\nFormat=-c %%s\r\n' \
    "$work" >"$work/tool.Quarn"
cp "$work/tool.Quarn" "$work/stored.Quarn"
start_editor "$work/tool.Quarn"
expect_title "Quarn Editor - tool.Quarn"
keys F6 alt+o
# From the value box to the format box, at its end.
keys alt+v Tab End
type_text " edited"
keys ctrl+F5
for _ in $(seq 1 100); do
    [ -s "$work/result.txt" ] && break
    sleep 0.1
done
[ "$(cat "$work/result.txt" 2>&1)" = "edited" ] ||
    fail "the run in the preview wrote: $(cat "$work/result.txt" 2>&1)"
cmp -s "$work/tool.Quarn" "$work/stored.Quarn" || fail "the run saved the definition"
keys alt+f x
wait_window '^Quarn Editor$' >/dev/null
# The prompt: No discards the edit.
keys alt+n
expect_exit
expect_setting Preview 1
cmp -s "$work/tool.Quarn" "$work/stored.Quarn" || fail "the definition changed"
echo "PASS: try-in-preview"
