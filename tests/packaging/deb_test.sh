#!/usr/bin/env bash
# Builds the Debian package from the build folder into a temporary folder
# and checks what a user's dpkg would get: the library dependencies found
# by dpkg-shlibdeps, the SVG plugins that draw the icons, and the files of
# both programs, with no cache that would clash with the system's own MIME
# and desktop databases (those are rebuilt by dpkg's triggers) and no
# mimeapps.list of its own. Unpacked into a folder, with the triggers' work
# and its maintainer scripts run there as dpkg runs them (DPKG_ROOT), the
# package makes the launcher the default for .Quarn files and offers the
# editor too, keeps whatever another package or the administrator put into
# the system's mimeapps.list, and takes out only its own line on removal.
#
#   deb_test.sh <cpack> <build dir>
set -uo pipefail

cpack=$1
build=$2
quarn_type=application/x-quarn
launcher_entry=org.example.QuarnExe.desktop

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in dpkg-shlibdeps update-mime-database update-desktop-database xdg-mime; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack -G DEB did not succeed (are QuarnEd and QuarnExe built?)" >&2
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
# Matched in the shell: grep -q would stop reading early, and pipefail
# would take dpkg-deb's broken pipe for a failure.
depends=$(field Depends)
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 libc6; do
    [[ ", $depends," =~ ,\ $dependency[\ ,] ]] || fail "Depends lacks $dependency: $depends"
done
for name in Maintainer Description Section Homepage; do
    [ -n "$(field "$name")" ] || fail "the package has no $name"
done
[[ "$(field Description)" == *QuarnExe* ]] || fail "the description does not mention the launcher"

contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for path in ./usr/bin/QuarnEd ./usr/bin/QuarnExe \
    ./usr/share/applications/org.example.QuarnEd.desktop \
    ./usr/share/applications/$launcher_entry \
    ./usr/share/mime/packages/org.example.QuarnEd.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.example.QuarnEd.svg \
    ./usr/share/icons/hicolor/48x48/apps/org.example.QuarnEd.png \
    ./usr/share/man/man1/QuarnEd.1 ./usr/share/man/man1/QuarnExe.1 \
    ./usr/share/metainfo/org.example.QuarnEd.metainfo.xml; do
    grep -qx "$path" <<<"$contents" || fail "the package lacks $path"
done
unwanted=$(grep -E '^\./usr/share/mime/[^/]+$|mimeinfo\.cache$|icon-theme\.cache$|mimeapps\.list$' \
    <<<"$contents")
[ -z "$unwanted" ] || fail "the package carries generated or shared files: $unwanted"

# --- Installed -----------------------------------------------------------
control=$work/control
dpkg-deb --control "$deb" "$control"
for script in postinst postrm; do
    [ -x "$control/$script" ] || fail "the package has no executable $script"
done
[ $failures -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }

root=$work/root
share=$root/usr/share
list=$share/applications/mimeapps.list
dpkg-deb --extract "$deb" "$root"
update-mime-database "$share/mime" >/dev/null
update-desktop-database "$share/applications" >/dev/null
# Both entries handle the type, whatever the default.
handlers=$(sed -n "s|^$quarn_type=||p" "$share/applications/mimeinfo.cache")
for entry in org.example.QuarnEd.desktop "$launcher_entry"; do
    [[ ";$handlers" == *";$entry;"* ]] \
        || fail "mimeinfo.cache does not list $entry for $quarn_type: $handlers"
done

# The default as a desktop-less session on that system sees it.
default_app() {
    mkdir -p "$work/home" "$work/empty"
    env -i PATH="$root/usr/bin:$PATH" HOME="$work/home" XDG_DATA_DIRS="$share" \
        XDG_DATA_HOME="$work/empty" XDG_CONFIG_HOME="$work/empty" XDG_CONFIG_DIRS="$work/empty" \
        xdg-mime query default "$quarn_type"
}
maintainer_script() { DPKG_ROOT=$root "$control/$1" "${@:2}"; }

# what the system's mimeapps.list held before ("-": no file)|the default
# after the package's configuration
while IFS='|' read -r before expected; do
    rm -f "$list"
    [ "$before" = - ] || printf '%b' "$before" >"$list"
    maintainer_script postinst configure ||
        fail "postinst configure fails with the list '$before'"
    answer=$(default_app)
    [ "$answer" = "$expected" ] \
        || fail "with the list '$before', the default is '$answer', expected $expected"
    maintainer_script postrm remove || fail "postrm remove fails with the list '$before'"
    if [ "$before" = - ]; then
        [ ! -e "$list" ] || fail "postrm left the mimeapps.list it made: $(cat "$list")"
    elif [ "$(cat "$list")" != "$(printf '%b' "$before")" ]; then
        fail "with the list '$before', postrm left '$(cat "$list")'"
    fi
done <<EOF
-|$launcher_entry
[Default Applications]\ntext/plain=other.desktop;\n|$launcher_entry
[Added Associations]\ntext/plain=other.desktop;\n|$launcher_entry
[Default Applications]\n$quarn_type=org.example.QuarnEd.desktop;\n|org.example.QuarnEd.desktop
EOF

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "The Debian package is complete."
