#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the desktop
# integration with the freedesktop tools themselves, the way a desktop
# would see it: the entry is valid, .Quarn files are recognised by name
# (any letter case) and by their first line, the editor is their default
# application, `man QuarnEd` shows the usage, the software-centre metadata
# is valid, and the installed program starts.
#
#   install_test.sh <cmake> <build dir>
set -uo pipefail

cmake=$1
build=$2
app_id=org.example.QuarnEd
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
# database, applications or settings leaks in.
in_prefix_session() {
    env -i PATH="$PATH" HOME="$work/home" \
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

if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "FAIL: cmake --install $build did not succeed (is QuarnEd built?)" >&2
    exit 1
fi

# --- Files in place ------------------------------------------------------
desktop=$share/applications/$app_id.desktop
mime_package=$share/mime/packages/$app_id.xml
[ -x "$prefix/bin/QuarnEd" ] || fail "bin/QuarnEd is not installed as an executable"
[ -f "$desktop" ] || fail "the desktop entry $desktop is not installed"
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

# --- Desktop entry -------------------------------------------------------
if ! validation=$(desktop-file-validate "$desktop" 2>&1) \
    || grep -qE ': (error|warning):' <<<"$validation"; then
    fail "desktop-file-validate rejects the entry: $validation"
fi
entry_value() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
exec_program=$(entry_value Exec | cut -d ' ' -f 1)
[ -x "$prefix/bin/$exec_program" ] || fail "Exec names '$exec_program', which is not in bin/"
entry_value Exec | grep -q ' %f$' || fail "Exec does not pass the file as %f: $(entry_value Exec)"
[ "$(entry_value Icon)" = "$app_id" ] || fail "Icon is '$(entry_value Icon)', not the installed $app_id"
grep -qx "MimeType=$quarn_type;" "$desktop" || fail "the entry does not claim $quarn_type"

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
    fail "update-desktop-database complains about the entry: $warnings"
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

default_app=$(in_prefix_session xdg-mime query default "$quarn_type")
[ "$default_app" = "$app_id.desktop" ] \
    || fail "xdg-mime names '$default_app' as the default for $quarn_type, expected $app_id.desktop"

# --- Manual page and software-centre metadata ----------------------------
man_page=$share/man/man1/QuarnEd.1
if [ ! -f "$man_page" ]; then
    fail "the manual page $man_page is not installed"
elif ! page=$(MANPATH="$share/man" MANWIDTH=80 man -P cat QuarnEd 2>/dev/null); then
    fail "man QuarnEd does not find the installed page"
else
    # The synopsis holds the forms that --help prints.
    forms=$("$prefix/bin/QuarnEd" --help | sed -n 's/^\(Usage:\)\{0,1\} *\(QuarnEd.*\)$/\2/p')
    [ "$(wc -l <<<"$forms")" -eq 4 ] || fail "--help shows other forms than expected: $forms"
    while read -r form; do
        grep -qxF -- "       $form" <<<"$page" || fail "man QuarnEd lacks the form '$form'"
    done <<<"$forms"
fi

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
    version=$("$prefix/bin/QuarnEd" --version)
    grep -qF "<release version=\"${version#QuarnEd }\"" "$metainfo" \
        || fail "the metainfo has no release for '$version'"
fi

# --- The installed program starts ----------------------------------------
# It must run from its installed place (no build-tree paths); still running
# after two seconds counts as started (timeout's 124).
in_prefix_session QT_QPA_PLATFORM=offscreen timeout 2 "$prefix/bin/QuarnEd" >"$work/run.log" 2>&1
status=$?
[ $status -eq 124 ] || fail "the installed QuarnEd ended early with status $status: $(cat "$work/run.log")"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "The installed desktop integration works."
