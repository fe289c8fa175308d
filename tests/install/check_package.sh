#!/usr/bin/env bash
# Makes the Debian package from this build with CPack into a temporary folder and reads it back:
# its name, the control fields a Debian system relies on, dependencies computed from the linked
# libraries plus the Qt plugins, and every file under /usr.
#
#   check_package.sh <build folder> <version>
#
# Exits 77 (skipped) only when dpkg-deb or dpkg-shlibdeps is not installed.
set -euo pipefail

BUILD=${1:?build folder}
VERSION=${2:?version}

for tool in dpkg-deb dpkg-shlibdeps cpack; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
(cd "$BUILD" && cpack -G DEB -B "$OUT" >"$OUT/cpack.log" 2>&1) ||
    { cat "$OUT/cpack.log"; echo "FAIL: cpack"; exit 1; }

failed=0
fail() { echo "FAIL: $*"; failed=1; }

arch=$(dpkg --print-architecture)
deb=$OUT/gre-wordlist_${VERSION}_${arch}.deb
[ -f "$deb" ] || { ls "$OUT"; echo "FAIL: no $(basename "$deb")"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = gre-wordlist ] || fail "package name $(field Package)"
[ "$(field Version)" = "$VERSION" ] || fail "version $(field Version)"
[ "$(field Section)" = education ] || fail "section $(field Section)"
[[ "$(field Maintainer)" == *"<"*"@"*">" ]] || fail "maintainer $(field Maintainer)"
[ -n "$(field Description)" ] || fail "no description"
[[ "$(field Description)" != *";"* ]] || fail "the description is a CMake list: $(field Description)"
depends=$(field Depends)
for dep in libqt6widgets6 libsqlite3-0 libc6 qt6-qpa-plugins libqt6svg6; do
    [[ "$depends" == *"$dep"* ]] || fail "Depends lacks $dep: $depends"
done

outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v -e '^\./$' -e '^\./usr/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
dpkg-deb -c "$deb" | awk '{print $6}' | grep -qx './usr/bin/gre-wordlist' ||
    fail "the package has no /usr/bin/gre-wordlist"

[ $failed -eq 0 ] && echo "package $(basename "$deb"): all checks passed"
exit $failed
