#!/usr/bin/env bash
# run-scenario.sh QUARNED SCENARIO: runs tests/e2e/SCENARIO.sh in its own
# virtual X server against the QuarnEd executable.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export QUARNED=$1
scenario="$here/$2.sh"
[ -f "$scenario" ] || { echo "no scenario $2" >&2; exit 2; }
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$scenario"
