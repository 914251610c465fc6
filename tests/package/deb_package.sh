#!/usr/bin/env bash
# Builds the Debian package of a build folder with cpack, unpacks it into a scratch root and
# checks what it holds: the control fields, the installed files, that lintian finds no error or
# warning, and that the packaged vapgen runs from there.
#
#   tests/package/deb_package.sh BUILD_DIR [CPACK] [DATA_DIR]
#
# DATA_DIR is tests/data; its cadastro-file golden case is generated with the packaged vapgen.
# Exit code 77 means dpkg-deb or lintian is missing (skipped; scripts/setup.sh installs them).
set -euo pipefail

build="$(cd "${1:?usage: deb_package.sh BUILD_DIR [CPACK] [DATA_DIR]}" && pwd)"
cpack="${2:-cpack}"
data="${3:-$(cd "$(dirname "$0")/../data" && pwd)}"

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

for tool in dpkg-deb lintian; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool not found"
        exit 77
    fi
done

# Scratch in the build folder, emptied at each start and removed when the check passes.
work="$build/tests/package-work"
rm -rf "$work"
mkdir -p "$work"

echo "-- building the package"
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
debs=("$work"/out/vaporina_*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "expected one vaporina_*.deb, got: ${debs[*]}"
fi
deb="${debs[0]}"
basename "$deb"

echo "-- checking the control fields"
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = vaporina ] || fail "Package is '$(field Package)'"
[ -n "$(field Version)" ] || fail "no Version"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends="$(field Depends)"
echo "Depends: $depends"
names="$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')"
for package in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libstdc++6 libc6; do
    grep -qxF "$package" <<<"$names" || fail "Depends does not name $package"
done
[ "$(field Recommends)" = "fonts-liberation, qt6-translations-l10n" ] ||
    fail "Recommends is '$(field Recommends)'"
[ "$(field Suggests)" = "default-jdk" ] || fail "Suggests is '$(field Suggests)'"

echo "-- lintian"
# Info and pedantic tags are shown but pass; any error or warning fails.
lintian --fail-on error,warning --display-info "$deb" || fail "lintian reports errors or warnings"

echo "-- unpacking into a scratch root"
dpkg-deb -x "$deb" "$work/root"
root="$work/root"
for program in vaporina vapgen; do
    [ -x "$root/usr/bin/$program" ] || fail "no executable /usr/bin/$program"
done
[ -s "$root/usr/share/icons/hicolor/64x64/apps/vaporina.png" ] || fail "no 64x64 icon"
[ -s "$root/usr/share/icons/hicolor/scalable/apps/vaporina.svg" ] || fail "no scalable icon"
desktop="$root/usr/share/applications/vaporina.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
grep -qx 'Exec=vaporina %f' "$desktop" || fail "the desktop entry does not start vaporina with a file"
grep -qx 'MimeType=application/x-vaporina-design;' "$desktop" || fail "the desktop entry names no file type"
mime="$root/usr/share/mime/packages/vaporina.xml"
grep -q '<glob pattern="\*.vap"/>' "$mime" || fail "no file type for *.vap in $mime"
doc="$root/usr/share/doc/vaporina"
grep -q '^License: Expat' "$doc/copyright" || fail "no copyright file with the licence"
for page in "$doc/changelog.gz" "$root/usr/share/man/man1/vaporina.1.gz" "$root/usr/share/man/man1/vapgen.1.gz"; do
    gzip -t "$page" || fail "$page is missing or not compressed"
done
grep -qx 'Icon=vaporina' "$desktop" || fail "the desktop entry does not name the icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the entry"
fi
unexpected="$(cd "$root" && find . -type f ! -path './usr/bin/*' ! -path './usr/share/*')"
[ -z "$unexpected" ] || fail "files outside /usr/bin and /usr/share: $unexpected"

echo "-- running the packaged vapgen"
help="$("$root/usr/bin/vapgen" --help)" || fail "vapgen --help failed"
grep -q '^Usage: vapgen COMMAND' <<<"$help" || fail "unexpected vapgen --help output: $help"
golden="$data/golden/cadastro-file"
"$root/usr/bin/vapgen" objects "$golden/design.vap" >"$work/objects.java" ||
    fail "vapgen objects failed"
cmp "$golden/objects-pt.java" "$work/objects.java" ||
    fail "the packaged vapgen generates other code than $golden/objects-pt.java"
rm -rf "$work"
echo "passed"
