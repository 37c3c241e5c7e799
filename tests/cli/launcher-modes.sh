#!/usr/bin/env bash
# launcher-modes.sh QUARNEXE: the launcher's modes that need no display.
# --help and --version; no file is a usage error; --dry-run prints the
# command Run would start, quoted for a shell; and a copy of the launcher
# under a program's name runs the program hidden beside it in its place,
# with its arguments, streams and exit status.
source "$(dirname "$0")/lib.sh"
launcher=$(realpath "$1")
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"

# run EXPECTED-CODE COMMAND...: runs it, output in $out, errors in $err.
run() {
    local code=$1 status
    shift
    out=$(timeout 20 "$@" 2>"$work/errors")
    status=$?
    err=$(cat "$work/errors")
    [ "$status" -eq "$code" ] || fail "$* ended with $status, expected $code: $err"
}

run 0 "$launcher" --help
grep -qxF "Usage: QuarnExe FILE [ARG...]" <<<"$out" || fail "--help prints: $out"
run 0 "$launcher" --version
[ "$out" = "QuarnExe 1.02.2" ] || fail "--version prints '$out'"
run 2 "$launcher"
[ -z "$out" ] && grep -qF "Usage: QuarnExe" <<<"$err" || fail "no file: '$out' / '$err'"
run 2 "$launcher" "$work/none.Quarn"
grep -qF "$work/none.Quarn" <<<"$err" || fail "a window without a display: $err"

# --dry-run: the definition's values and the ARGs, each word quoted where a
# shell needs it, and the folder the program runs in.
mkdir -p "$work/my dir" "$work/bin"
printf '[Quarn]\r\nProgram=printf\r\nDirectory=my dir\r\n[Pattern]\r\nValue=$HOME it'"'"'s\r\nFormat=-e %%s\r\n[Files]\r\nArg=1\r\nMultiple=1\r\n[Count]\r\nType=True\r\nValue=1\r\nFormat=-c\r\n' \
    >"$work/tool.Quarn"
run 0 "$launcher" --dry-run "$work/tool.Quarn" "a b" c
printf_path=$(type -P printf)
expected="cd '$work/my dir' && $printf_path -e '\$HOME it'\\''s' 'a b' c -c"
[ "$out" = "$expected" ] || fail "--dry-run prints
$out
expected
$expected"
# The line, run by a shell, gives exactly these words.
words=$(cd / && eval "${out/$printf_path -e/$printf_path \'%s|\'}")
[ "$words" = "\$HOME it's|a b|c|-c|" ] || fail "the shell reads the line back as '$words'"

printf '[Quarn]\r\nProgram=true\r\n[Input]\r\nMandatory=1\r\nArg=1\r\n' >"$work/mandatory.Quarn"
run 2 "$launcher" --dry-run "$work/mandatory.Quarn"
[ -z "$out" ] && grep -qF "Give a value for Input." <<<"$err" || fail "mandatory: '$out' / '$err'"
run 0 "$launcher" --dry-run "$work/mandatory.Quarn" given
run 2 "$launcher" --dry-run "$work/none.Quarn"
grep -qF "cannot read $work/none.Quarn" <<<"$err" || fail "a missing file: $err"

# A copy under the program's name, without a display: the hidden program
# runs in its place.
cat >"$work/bin/.tool.hidden-by-Quarn" <<'SCRIPT'
#!/bin/sh
printf '%s|' "$@"
read -r line
echo "in:$line"
exit 7
SCRIPT
chmod +x "$work/bin/.tool.hidden-by-Quarn"
cp "$launcher" "$work/bin/tool"
printf '[Quarn]\r\nProgram=%s\r\n[Unused]\r\nValue=x\r\n' "$work/bin/.tool.hidden-by-Quarn" \
    >"$work/bin/tool.Quarn"
out=$(echo input | "$work/bin/tool" "a b" --help 2>"$work/errors")
status=$?
[ "$status" -eq 7 ] || fail "the hidden program's status is $status: $(cat "$work/errors")"
[ "$out" = 'a b|--help|in:input' ] || fail "the hidden program printed '$out'"
out=$(echo x | PATH="$work/bin:$PATH" tool 2>&1)
[ "$out" = "|in:x" ] || fail "started through PATH, it printed '$out'"
# A link to the launcher under the program's name reads the definition
# beside the link.
ln -s "$launcher" "$work/bin/linked"
cp "$work/bin/tool.Quarn" "$work/bin/linked.Quarn"
out=$(echo y | PATH="$work/bin:$PATH" linked z 2>&1)
[ "$out" = "z|in:y" ] || fail "started through a link, it printed '$out'"

# A definition naming the copy itself, or nothing that exists, fails at once.
printf '[Quarn]\r\nProgram=%s\r\n' "$work/bin/tool" >"$work/bin/tool.Quarn"
run 2 "$work/bin/tool"
grep -qF "is this launcher" <<<"$err" || fail "the copy runs itself: $err"
printf '[Quarn]\r\nProgram=%s\r\n' "$work/bin/gone" >"$work/bin/tool.Quarn"
run 127 "$work/bin/tool"
rm "$work/bin/tool.Quarn"
run 2 "$work/bin/tool"
grep -qF "cannot read $work/bin/tool.Quarn" <<<"$err" || fail "no definition: $err"
echo "PASS: launcher-modes"
