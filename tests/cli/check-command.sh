#!/usr/bin/env bash
# check-command.sh QUARNED: "QuarnEd --check FILE..." prints each hazard as
# "FILE: option N: message" and answers 0 (none), 1 (some) or 2 (a file
# could not be read), without a display.
set -uo pipefail
quarned=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

fail() { echo "FAIL: $*" >&2; exit 1; }

expect() { # CODE EXPECTED-OUTPUT FILE...
    local code=$1 expected=$2 output status
    shift 2
    output=$("$quarned" --check "$@" 2>"$work/errors")
    status=$?
    [ "$status" -eq "$code" ] || fail "exit code $status, expected $code for $*: $(cat "$work/errors")"
    [ "$output" = "$expected" ] || fail "output for $*:
$output
expected:
$expected"
}

printf '[Quarn]\r\nName=Clean\r\n[In]\r\nType=String\r\n' >"$work/clean.Quarn"
printf '[Quarn]\r\n[In]\r\nType=String\r\n[Count]\r\nType=String\r\nArg=-2\r\n' >"$work/negative.Quarn"

expect 0 "" "$work/clean.Quarn"
expect 1 "$work/negative.Quarn: option 2: Option 2's argument number is negative; after saving it will be 0" \
    "$work/clean.Quarn" "$work/negative.Quarn"
expect 2 "" "$work/missing.Quarn" "$work/clean.Quarn"
grep -qF "missing.Quarn: cannot be read" "$work/errors" || fail "no message for the missing file"
echo "PASS: check-command"
