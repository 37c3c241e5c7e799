# A program without an extension is hidden behind the real launcher. Its
# copy, started under the program's name, runs the program in its place
# without a display, and opens the window with one; the button restores it.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
app_folder
mkdir -p "$work/bin"
printf '#!/bin/sh\nprintf "%%s|" "$@"\nexit 5\n' >"$work/bin/greet"
chmod +x "$work/bin/greet"
cp "$work/bin/greet" "$work/original"

start_editor "$work/bin/greet"
expect_title "Quarn Editor - greet.Quarn*"
keys alt+h
hidden="$work/bin/.greet.hidden-by-Quarn"
expect_bytes "$work/bin/greet.Quarn" "[Quarn]\r\nProgram=$hidden\r\n"
cmp -s "$hidden" "$work/original" || fail "the program was not hidden as $hidden"
cmp -s "$work/bin/greet" "$work/app/QuarnExe" || fail "no launcher copy under the program's name"

status=0
output=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/bin/greet" "a b" c) || status=$?
[ "$status" -eq 5 ] || fail "the hidden program's exit status came back as $status"
[ "$output" = "a b|c|" ] || fail "the hidden program printed '$output'"

"$work/bin/greet" x >"$work/launcher.log" 2>&1 &
wait_launcher '^greet\.Quarn$'
keys ctrl+w
expect_launcher_exit

focus_window "$main_window"
keys alt+h
# The undo compares the launcher copy with the launcher, a large file in a
# sanitizer build: wait for it.
for _ in $(seq 1 100); do
    [ -e "$hidden" ] || break
    sleep 0.1
done
[ -e "$hidden" ] && fail "the hidden program is still there"
cmp -s "$work/bin/greet" "$work/original" || fail "the program was not restored"
keys alt+f x
expect_exit
echo "PASS: hide-and-pass-through"
