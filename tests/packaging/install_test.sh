#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the desktop
# integration with the freedesktop tools themselves, the way a desktop
# would see it: both entries are valid, .Quarn files are recognised by name
# (any letter case) and by their first line, the launcher is their default
# application and the editor is offered for them too, an install leaves
# another default in the prefix's mimeapps.list alone, `man QuarnEd` and
# `man QuarnExe` show the usage, the software-centre metadata is valid, and
# the installed programs start.
#
#   install_test.sh <cmake> <build dir>
set -uo pipefail

cmake=$1
build=$2
app_id=org.example.QuarnEd
launcher_id=org.example.QuarnExe
quarn_type=application/x-quarn

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
share=$prefix/share
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Runs a command in a bare desktop-less session that sees only the
# installed prefix: nothing of this user's or this machine's MIME
# database, applications or settings leaks in. The prefix's programs are on
# its PATH, as an install expects: xdg-mime passes over a default whose
# program it cannot find.
in_prefix_session() {
    env -i PATH="$prefix/bin:$PATH" HOME="$work/home" \
        XDG_DATA_DIRS="$share" XDG_DATA_HOME="$work/data-home" \
        XDG_CONFIG_HOME="$work/config-home" XDG_CONFIG_DIRS="$work/config-dirs" \
        XDG_RUNTIME_DIR="$work/runtime" "$@"
}
mkdir -p "$work/home" "$work/data-home" "$work/config-home" "$work/config-dirs" "$work/runtime"
chmod 700 "$work/runtime"

for tool in desktop-file-validate update-mime-database update-desktop-database xdg-mime file \
    man appstreamcli; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done
# Without a desktop, xdg-mime asks `mimetype` (libfile-mimeinfo-perl), the
# one generic tool that reads the shared MIME database; file(1), its
# fallback, knows nothing of installed MIME packages.
command -v mimetype >/dev/null \
    || { echo "FAIL: mimetype (libfile-mimeinfo-perl) is not installed" >&2; exit 1; }

install_into() {
    if ! "$cmake" --install "$build" --prefix "$1" >"$work/install.log" 2>&1; then
        cat "$work/install.log" >&2
        echo "FAIL: cmake --install $build did not succeed (are QuarnEd and QuarnExe built?)" >&2
        exit 1
    fi
}
install_into "$prefix"

# --- Files in place ------------------------------------------------------
desktop=$share/applications/$app_id.desktop
launcher_desktop=$share/applications/$launcher_id.desktop
mime_package=$share/mime/packages/$app_id.xml
for program in QuarnEd QuarnExe; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed as an executable"
done
for entry in "$desktop" "$launcher_desktop"; do
    [ -f "$entry" ] || fail "the desktop entry $entry is not installed"
done
[ -f "$mime_package" ] || fail "the MIME package $mime_package is not installed"
[ -f "$share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "the scalable icon is not installed"
for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
    if [ ! -f "$png" ]; then
        fail "the ${size}x${size} icon is not installed"
    elif ! file "$png" | grep -q "PNG image data, $size x $size,"; then
        fail "$png is not a ${size}x${size} PNG: $(file -b "$png")"
    fi
done
[ $failures -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }

# --- Desktop entries -----------------------------------------------------
# entry_value FILE KEY [GROUP]: the key's value in the group, the main one
# unless another is named.
entry_value() {
    awk -v key="$2" -v group="[${3:-Desktop Entry}]" '
        /^\[/ { in_group = ($0 == group) }
        in_group && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' "$1"
}
for entry in "$desktop" "$launcher_desktop"; do
    name=${entry##*/}
    if ! validation=$(desktop-file-validate "$entry" 2>&1) \
        || grep -qE ': (error|warning):' <<<"$validation"; then
        fail "desktop-file-validate rejects $name: $validation"
    fi
    icon=$(entry_value "$entry" Icon)
    [ "$icon" = "$app_id" ] || fail "$name: Icon is '$icon', not the installed $app_id"
    [ "$(entry_value "$entry" MimeType)" = "$quarn_type;" ] || fail "$name does not claim $quarn_type"
done
# entry|group|the installed program it starts on the file (%f)
while IFS='|' read -r entry group program; do
    exec_line=$(entry_value "$entry" Exec "$group")
    [ "$exec_line" = "$program %f" ] \
        || fail "${entry##*/}: [$group] Exec is '$exec_line', not '$program %f'"
done <<EOF
$desktop|Desktop Entry|QuarnEd
$launcher_desktop|Desktop Entry|QuarnExe
$launcher_desktop|Desktop Action edit|QuarnEd
EOF
[ "$(entry_value "$launcher_desktop" Name "Desktop Action edit")" = "Edit definition" ] \
    || fail "the launcher's action 'edit' is not named 'Edit definition'"
[ "$(entry_value "$launcher_desktop" StartupWMClass)" = QuarnExe ] \
    || fail "the launcher's StartupWMClass is not its window class QuarnExe"

# --- MIME type -----------------------------------------------------------
# The install step itself must leave the caches that desktops read.
[ -f "$share/mime/mime.cache" ] || fail "cmake --install did not update the MIME database"
[ -f "$share/applications/mimeinfo.cache" ] \
    || fail "cmake --install did not update the desktop database"
# Rebuilt here as well, as a check of the package: any complaint is a fault.
if ! warnings=$(in_prefix_session update-mime-database "$share/mime" 2>&1) || [ -n "$warnings" ]; then
    fail "update-mime-database complains about the MIME package: $warnings"
fi
if ! warnings=$(in_prefix_session update-desktop-database "$share/applications" 2>&1) \
    || [ -n "$warnings" ]; then
    fail "update-desktop-database complains about the entries: $warnings"
fi

samples=$work/samples
mkdir -p "$samples"
# The named samples lack the "[Quarn]" line, so that only their names can
# make them definition files.
printf 'Program=tool.exe\r\nName=Tool\r\n' >"$samples/tool.Quarn"
cp "$samples/tool.Quarn" "$samples/LOUD.QUARN"
cp "$samples/tool.Quarn" "$samples/Mixed.qUaRn"
printf '[Quarn]\r\nProgram=tool.exe\r\n' >"$samples/renamed.ini"
printf '[Other]\r\nQuarn=1\r\n' >"$samples/settings.ini"
printf 'notes about [Quarn]\n' >"$samples/notes.txt"

# sample: expected type (the name in any letter case, or a first line
# "[Quarn]", makes a definition file; text that only mentions it does not)
while read -r name expected; do
    answer=$(in_prefix_session xdg-mime query filetype "$samples/$name")
    [ "$answer" = "$expected" ] || fail "xdg-mime says $name is '$answer', expected $expected"
done <<EOF
tool.Quarn $quarn_type
LOUD.QUARN $quarn_type
Mixed.qUaRn $quarn_type
renamed.ini $quarn_type
settings.ini text/plain
notes.txt text/plain
EOF

# The launcher opens definition files; both entries are offered for them.
default_app=$(in_prefix_session xdg-mime query default "$quarn_type")
[ "$default_app" = "$launcher_id.desktop" ] \
    || fail "xdg-mime names '$default_app' as the default for $quarn_type, expected $launcher_id.desktop"
handlers=$(sed -n "s|^$quarn_type=||p" "$share/applications/mimeinfo.cache")
for id in "$app_id" "$launcher_id"; do
    [[ ";$handlers" == *";$id.desktop;"* ]] \
        || fail "mimeinfo.cache does not list $id.desktop for $quarn_type: $handlers"
done

# Another prefix's mimeapps.list, which names another default for the type,
# is left exactly as it was.
other_list=$work/other-prefix/share/applications/mimeapps.list
mkdir -p "${other_list%/*}"
printf '[Added Associations]\ntext/plain=other.desktop;\n\n[Default Applications]\n%s\n' \
    "$quarn_type=other.desktop;" >"$other_list"
cp "$other_list" "$work/other-list"
install_into "$work/other-prefix"
cmp -s "$other_list" "$work/other-list" \
    || fail "cmake --install changed another default: $(diff "$work/other-list" "$other_list")"

# --- Manual pages and software-centre metadata ---------------------------
for program in QuarnEd QuarnExe; do
    man_page=$share/man/man1/$program.1
    if [ ! -f "$man_page" ]; then
        fail "the manual page $man_page is not installed"
    elif ! page=$(MANPATH="$share/man" MANWIDTH=80 man -P cat "$program" 2>/dev/null); then
        fail "man $program does not find the installed page"
    elif ! help=$("$prefix/bin/$program" --help); then
        fail "$program --help fails"
    else
        # The synopsis holds the forms that --help prints.
        forms=$(sed -n "s/^\(Usage:\)\{0,1\} *\($program .*\)$/\2/p" <<<"$help")
        [ "$(wc -l <<<"$forms")" -ge 4 ] || fail "$program --help shows fewer forms than expected: $forms"
        while read -r form; do
            grep -qxF -- "       $form" <<<"$page" || fail "man $program lacks the form '$form'"
        done <<<"$forms"
    fi
done

metainfo=$share/metainfo/$app_id.metainfo.xml
if [ ! -f "$metainfo" ]; then
    fail "the metainfo file $metainfo is not installed"
else
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 \
        || fail "appstreamcli rejects the metainfo: $(cat "$work/appstream.log")"
    grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
        || fail "the metainfo does not name the desktop entry $app_id.desktop"
    grep -qF "<mediatype>$quarn_type</mediatype>" "$metainfo" \
        || fail "the metainfo does not name the type $quarn_type"
    for program in QuarnEd QuarnExe; do
        grep -qF "<binary>$program</binary>" "$metainfo" \
            || fail "the metainfo does not name the program $program"
        version=$("$prefix/bin/$program" --version)
        [[ "$version" == "$program "* ]] || fail "$program --version prints '$version'"
        grep -qF "<release version=\"${version#"$program "}\"" "$metainfo" \
            || fail "the metainfo has no release for '$version'"
    done
fi

# --- The installed programs start ----------------------------------------
# They must run from their installed place (no build-tree paths); still
# running after two seconds counts as started (timeout's 124). The launcher
# shows its window only where DISPLAY or WAYLAND_DISPLAY names a display.
in_prefix_session QT_QPA_PLATFORM=offscreen timeout 2 "$prefix/bin/QuarnEd" >"$work/run.log" 2>&1
status=$?
[ $status -eq 124 ] || fail "the installed QuarnEd ended early with status $status: $(cat "$work/run.log")"
in_prefix_session QT_QPA_PLATFORM=offscreen DISPLAY=:offscreen \
    timeout 2 "$prefix/bin/QuarnExe" "$samples/tool.Quarn" >"$work/run.log" 2>&1
status=$?
[ $status -eq 124 ] || fail "the installed QuarnExe ended early with status $status: $(cat "$work/run.log")"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "The installed desktop integration works."
