#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under the prefix /usr and checks what arrived:
# every file in its place and nothing outside /usr, the desktop entry and the AppStream metadata
# valid and naming each other and the icon, the manual page rendering without a warning.
#
#   check_install.sh <build folder> <application id>
#
# Exits 77 (skipped) only when a checking tool is not installed.
set -euo pipefail

BUILD=${1:?build folder}
ID=${2:?application id}

for tool in desktop-file-validate appstreamcli man; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
DESTDIR=$ROOT cmake --install "$BUILD" --prefix /usr >/dev/null

failed=0
fail() { echo "FAIL: $*"; failed=1; }

desktop=usr/share/applications/$ID.desktop
metainfo=usr/share/metainfo/$ID.metainfo.xml
icon=usr/share/icons/hicolor/scalable/apps/$ID.svg
manpage=usr/share/man/man1/gre-wordlist.1.gz
for f in usr/bin/gre-wordlist "$desktop" "$metainfo" "$icon" "$manpage"; do
    [ -f "$ROOT/$f" ] || fail "$f was not installed"
done
[ -x "$ROOT/usr/bin/gre-wordlist" ] || fail "the program is not executable"
outside=$(cd "$ROOT" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "installed outside /usr: $outside"

if [ $failed -eq 0 ]; then
    desktop-file-validate "$ROOT/$desktop" || fail "desktop-file-validate"
    appstreamcli validate --no-net --explain "$ROOT/$metainfo" || fail "appstreamcli validate"

    # The three files must agree on the id, or the menu shows no icon and the software
    # centre finds no program to launch.
    grep -qx "Icon=$ID" "$ROOT/$desktop" || fail "the desktop entry does not name the icon $ID"
    grep -qx "Exec=gre-wordlist" "$ROOT/$desktop" || fail "the desktop entry does not start gre-wordlist"
    # Qt names the X11 window class after the executable; the desktop groups windows by it.
    grep -qx "StartupWMClass=gre-wordlist" "$ROOT/$desktop" || fail "StartupWMClass is not gre-wordlist"
    grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$ROOT/$metainfo" ||
        fail "the metadata does not launch $ID.desktop"
    grep -q "<id>$ID</id>" "$ROOT/$metainfo" || fail "the metadata's id is not $ID"

    # man-db's own warning run (as Debian's lintian does it): any output is a fault.
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$ROOT/$manpage" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS COMMANDS FILES "EXIT STATUS"; do
        LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$ROOT/$manpage" 2>/dev/null | grep -q "^$section\$" ||
            fail "the manual page has no $section section"
    done
fi

[ $failed -eq 0 ] && echo "installed files: all checks passed"
exit $failed
