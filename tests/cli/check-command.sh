#!/usr/bin/env bash
# check-command.sh QUARNED: "QuarnEd --check FILE..." prints each finding as
# "FILE:LINE: warning: message" and each file it cannot read, check or load
# as "FILE: error: ..." on its errors, and answers 0 (nothing found), 1
# (something found) or 2 (a file failed, or the output), without a display.
source "$(dirname "$0")/lib.sh"
quarned=$1

expect() { # CODE EXPECTED-OUTPUT FILE...
    local code=$1 expected=$2 output status
    shift 2
    output=$(timeout 20 "$quarned" --check "$@" 2>"$work/errors")
    status=$?
    [ "$status" -eq "$code" ] || fail "exit code $status, expected $code for $*: $(cat "$work/errors")"
    [ "$output" = "$expected" ] || fail "output for $*:
$output
expected:
$expected"
}

printf '[Quarn]\r\nName=Clean\r\n[In]\r\nType=String\r\n' >"$work/clean.Quarn"
printf '[Quarn]\r\n[In]\r\nType=String\r\nFormt=-i %%s\r\n[in]\r\nType=Select\r\n' >"$work/typo.Quarn"
# Any bytes at all: a finding, never a hang.
head -c 300000 /dev/urandom >"$work/noise.Quarn"

expect 0 "" "$work/clean.Quarn"
expect 1 "$work/typo.Quarn:4: warning: key \"Formt\" is never read: the reader does not ask for it in an option's section (did you mean \"Format\"?)
$work/typo.Quarn:5: warning: section \"[in]\" has the name of the section at line 2, letter case aside: its keys are never read, as the reader looks only in the first section of a name" \
    "$work/clean.Quarn" "$work/typo.Quarn"
output=$(timeout 20 "$quarned" --check "$work/noise.Quarn")
[ $? -eq 1 ] && grep -q "^$work/noise.Quarn:1: warning: " <<<"$output" || fail "no findings in noise"
expect 2 "" "$work/missing.Quarn" "$work/clean.Quarn"
grep -qxF "$work/missing.Quarn: error: cannot read: No such file or directory" "$work/errors" \
    || fail "no message for the missing file"
# A FIFO is refused at once, with the reason, instead of waiting for a writer.
mkfifo "$work/fifo.Quarn"
expect 2 "" "$work/fifo.Quarn"
grep -qxF "$work/fifo.Quarn: error: cannot read: not a regular file" "$work/errors" \
    || fail "no reason for the FIFO"
# Without a file it is a usage error; a write error on the findings ends the
# check.
output=$(timeout 20 "$quarned" --check 2>"$work/errors")
[ $? -eq 2 ] && [ -z "$output" ] && grep -qxF "Usage: QuarnEd [FILE]" "$work/errors" \
    || fail "--check without a file: $(cat "$work/errors")"
timeout 20 "$quarned" --check "$work/typo.Quarn" >/dev/full 2>"$work/errors"
[ $? -eq 2 ] && grep -qxF "QuarnEd: error: cannot write the findings: No space left on device" \
    "$work/errors" || fail "no write error for /dev/full: $(cat "$work/errors")"

# Memory running out in a file's own check is an error of that file, not an
# abort: under a limit that lets the program start and read 30 MB of
# sections, but not learn their names. A sanitizer's shadow memory needs
# more address space than any such limit allows.
start=""
for megabytes in 64 96 128 192 256 384 512; do
    if (prlimit --as=$((megabytes << 20)) "$quarned" --check "$work/clean.Quarn" >/dev/null 2>&1; exit) \
        2>/dev/null; then
        start=$megabytes
        break
    fi
done
if [ -z "$start" ]; then
    echo "SKIP: no address space limit lets the program start (a sanitizer build?)"
else
    seq -f '[s%.0f]' 3000000 >"$work/large.Quarn"
    timeout 60 prlimit --as=$(((start + 80) << 20)) "$quarned" --check "$work/large.Quarn" \
        >/dev/null 2>"$work/errors"
    status=$?
    [ "$status" -eq 2 ] && grep -qxF "$work/large.Quarn: error: cannot check: out of memory" \
        "$work/errors" || fail "out of memory in the check: exit code $status, $(cat "$work/errors")"
fi
echo "PASS: check-command"
