#!/usr/bin/env bash
# usage-options.sh QUARNED: "QuarnEd --help" prints the usage text and
# "QuarnEd --version" the version, both with exit code 0 and without a
# display; any other first argument, "./--help" included, is a file.
source "$(dirname "$0")/lib.sh"
quarned=$(realpath "$1")

output=$(timeout 20 "$quarned" --help 2>"$work/errors")
status=$?
[ "$status" -eq 0 ] || fail "--help exits with $status: $(cat "$work/errors")"
[ ! -s "$work/errors" ] || fail "--help writes to standard error: $(cat "$work/errors")"
for line in "Usage: QuarnEd [FILE]" "       QuarnEd --check FILE..." "       QuarnEd --draft PROGRAM" "       QuarnEd --help" \
    "       QuarnEd --version" "Edit Quarn definition files (.Quarn), or check them from scripts." \
    "  --version        print the version and exit"; do
    grep -qxF -- "$line" <<<"$output" || fail "--help lacks the line '$line':
$output"
done

output=$(timeout 20 "$quarned" --version 2>&1)
status=$?
[ "$status" -eq 0 ] || fail "--version exits with $status: $output"
[ "$output" = "QuarnEd 1.02.2" ] || fail "--version prints '$output'"

# Only the exact words are options: a file named like one opens in the window
# (still running after two seconds, timeout's 124), and prints nothing.
cd "$work" && printf '[Quarn]\r\nName=Not an option\r\n' >./--help
# A settings folder of its own keeps the user's recent files out of it.
output=$(HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen \
    timeout 2 "$quarned" ./--help 2>/dev/null)
status=$?
[ "$status" -eq 124 ] || fail "QuarnEd ./--help ended with $status instead of opening the file"
[ -z "$output" ] || fail "QuarnEd ./--help printed: $output"
# After "--" a name like an option is a file too.
output=$(HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen \
    timeout 2 "$quarned" -- --help 2>/dev/null)
status=$?
[ "$status" -eq 124 ] || fail "QuarnEd -- --help ended with $status instead of opening the file"

# Any other word that looks like an option is an error, told without a window.
output=$(timeout 20 "$quarned" --frobnicate 2>"$work/errors")
status=$?
[ "$status" -eq 2 ] || fail "an unknown option exits with $status"
[ -z "$output" ] || fail "an unknown option printed: $output"
grep -qxF "QuarnEd: unknown option --frobnicate" "$work/errors" || fail "unknown option: $(cat "$work/errors")"
echo "PASS: usage-options"
