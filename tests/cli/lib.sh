# What every command-line scenario starts with: strict mode, a work folder
# removed at the end, no display (the modes must work without one), and
# fail MESSAGE.
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

fail() { echo "FAIL: $*" >&2; exit 1; }
