# Go opens the saved definition in the launcher's window; Run (F5) runs the
# program with the option's value as one argument, and Save output writes
# what it printed.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
app_folder
# No desktop's default application for definition files: Go starts the
# launcher beside the editor.
export XDG_DATA_DIRS="$work/no-data"

printf '[Quarn]\r\nName=Greeting\r\nProgram=sh\r\n[Script]\r\nType=String\r\nValue=echo "hello, $0"; echo second\r\nFormat=-c %%s\r\n[Who]\r\nType=String\r\nValue=new user\r\n' \
    >"$work/greet.Quarn"
# A definition that runs as written draws no finding.
findings=$("$QUARNED" --check "$work/greet.Quarn") || fail "--check found: $findings"
start_editor "$work/greet.Quarn"
expect_title "Quarn Editor - greet.Quarn"
keys ctrl+g
wait_launcher '^Greeting$'
keys F5
settle
keys alt+u
wait_launcher '^Save output$'
type_text "$work/output.txt"
keys Return
for _ in $(seq 1 50); do
    grep -q "^second$" "$work/output.txt" 2>/dev/null && break
    sleep 0.1
done
grep -qx "hello, new user" "$work/output.txt" || fail "the output is: $(cat "$work/output.txt" 2>&1)"
grep -q "^Exited with status 0 after" "$work/output.txt" || fail "no end in: $(cat "$work/output.txt")"
wait_launcher '^Greeting$'
keys ctrl+w
expect_launcher_exit
focus_window "$main_window"
keys alt+f x
expect_exit
echo "PASS: go-run-in-launcher"
