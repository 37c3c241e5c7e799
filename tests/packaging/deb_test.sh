#!/usr/bin/env bash
# Builds the Debian package from the build folder into a temporary folder
# and checks what a user's dpkg would get: the library dependencies found
# by dpkg-shlibdeps, the SVG plugins that draw the icons, and the files,
# with no cache that would clash with the system's own MIME and desktop
# databases (those are rebuilt by dpkg's triggers).
#
#   deb_test.sh <cpack> <build dir>
set -uo pipefail

cpack=$1
build=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

command -v dpkg-shlibdeps >/dev/null || { echo "FAIL: dpkg-shlibdeps (dpkg-dev) is not installed" >&2; exit 1; }

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack -G DEB did not succeed (is QuarnEd built?)" >&2
    exit 1
fi
packages=("$work"/*.deb)
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
    echo "FAIL: cpack made no single .deb: ${packages[*]}" >&2
    exit 1
fi
deb=${packages[0]}

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = quarned ] || fail "the package is named '$(field Package)'"
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 libc6; do
    field Depends | grep -qE "(^|, )$dependency( |,|$)" \
        || fail "Depends lacks $dependency: $(field Depends)"
done
for name in Maintainer Description Section Homepage; do
    [ -n "$(field "$name")" ] || fail "the package has no $name"
done

contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for path in ./usr/bin/QuarnEd \
    ./usr/share/applications/org.example.QuarnEd.desktop \
    ./usr/share/mime/packages/org.example.QuarnEd.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.example.QuarnEd.svg \
    ./usr/share/icons/hicolor/48x48/apps/org.example.QuarnEd.png \
    ./usr/share/man/man1/QuarnEd.1 \
    ./usr/share/metainfo/org.example.QuarnEd.metainfo.xml; do
    grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done
unwanted=$(grep -E '^\./usr/share/mime/[^/]+$|mimeinfo\.cache$|icon-theme\.cache$' <<<"$contents")
[ -z "$unwanted" ] || fail "the package carries generated caches: $unwanted"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "The Debian package is complete."
