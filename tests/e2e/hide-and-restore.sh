# A program is hidden behind a copy of the launcher with the Hide button's
# accelerator, and restored by pressing it again.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

# The launcher lives beside the editor, so the editor runs from a folder of
# the test's own.
mkdir -p "$work/app" "$work/bin"
cp "$QUARNED" "$work/app/QuarnEd"
printf '#!/bin/sh\necho launcher\n' >"$work/app/QuarnExe"
chmod +x "$work/app/QuarnExe"
QUARNED="$work/app/QuarnEd"
printf '#!/bin/sh\necho tool\n' >"$work/bin/tool.sh"
chmod +x "$work/bin/tool.sh"

# Opening a program without a definition file adopts it as the program, an
# unsaved change.
start_editor "$work/bin/tool.sh"
expect_title "Quarn Editor - tool.Quarn*"
keys alt+h
[ -x "$work/bin/tool.Quarnsh" ] || fail "the program was not moved aside"
cmp -s "$work/bin/tool.Quarnsh" <(printf '#!/bin/sh\necho tool\n') || fail "the hidden program changed"
cmp -s "$work/bin/tool.sh" "$work/app/QuarnExe" || fail "no launcher copy under the program's name"
[ -x "$work/bin/tool.sh" ] || fail "the launcher copy is not executable"
expect_bytes "$work/bin/tool.Quarn" "[Quarn]\r\nProgram=$work/bin/tool.Quarnsh\r\n"

keys alt+h
[ -e "$work/bin/tool.Quarnsh" ] && fail "the hidden program is still there"
cmp -s "$work/bin/tool.sh" <(printf '#!/bin/sh\necho tool\n') || fail "the program was not restored"
expect_bytes "$work/bin/tool.Quarn" "[Quarn]\r\nProgram=$work/bin/tool.sh\r\n"

keys alt+f x
expect_exit
echo "PASS: hide-and-restore"
