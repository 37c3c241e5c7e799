#!/usr/bin/env bash
# draft-command.sh QUARNED: "QuarnEd --draft PROGRAM" prints the definition
# drafted from the program's own --help, without a display; 0 when the help
# lists options, 1 when it lists none, 2 when the program gives no help.
source "$(dirname "$0")/lib.sh"
quarned=$(realpath "$1")

# run EXPECTED-CODE ARGS...: output in $out, errors in $err.
run() {
    local code=$1 status
    shift
    out=$(timeout 30 "$quarned" "$@" 2>"$work/errors")
    status=$?
    err=$(cat "$work/errors")
    [ "$status" -eq "$code" ] || fail "QuarnEd $* ended with $status, expected $code: $err"
}

cat >"$work/frob" <<'SCRIPT'
#!/bin/sh
[ "$1" = --help ] || exit 3
cat <<'HELP'
Usage: frob [OPTION]... FILE...
Frobnicate each FILE.

  -v, --verbose          explain what is being done
  -o, --output=FILE      write the result to FILE
      --color[=WHEN]     colour the output; WHEN is 'always', 'never' or 'auto'
HELP
SCRIPT
printf '#!/bin/sh\necho "Usage: bare"\n' >"$work/bare"
chmod +x "$work/frob" "$work/bare"

run 0 --draft "$work/frob"
printf '%s\n' "$out" | tr -d '\r' >"$work/frob.Quarn"
for line in "[Quarn]" "Name=frob" "Program=$work/frob" "[verbose]" "Type=True" "Format=--verbose" \
    "[output]" "Format=--output=%s" "[color]" "Type=Suggest" "Value1=always" "Mandatory=1"; do
    grep -qxF -- "$line" "$work/frob.Quarn" || fail "the draft lacks '$line':
$out"
done
# It is a definition as the editor writes it: the check finds nothing.
printf '%s' "$out" >"$work/check.Quarn"
"$quarned" --check "$work/check.Quarn" >"$work/findings" 2>&1 || fail "the draft has findings: $(cat "$work/findings")"

run 1 --draft "$work/bare"
grep -q "^Name=bare" <<<"$(tr -d '\r' <<<"$out")" || fail "a help without options drafts: $out"
run 2 --draft "$work/none"
[ -z "$out" ] && grep -qF "$work/none" <<<"$err" || fail "a missing program: '$out' / '$err'"
run 2 --draft
grep -qF "Usage: QuarnEd" <<<"$err" || fail "--draft without a program: $err"
echo "PASS: draft-command"
