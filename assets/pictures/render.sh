#!/bin/sh
# Regenerates every rasterised picture in src/ui/pictures/ from the SVG
# sources beside this script, and the resource list src/ui/pictures.qrc.
# Needs rsvg-convert (Debian package librsvg2-bin) and ImageMagick's convert
# (package imagemagick); set CONVERT to use another convert binary.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../src/ui/pictures"
qrc="$here/../../src/ui/pictures.qrc"
CONVERT=${CONVERT:-/usr/bin/convert}

command -v rsvg-convert >/dev/null 2>&1 || { echo "render.sh: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2; exit 1; }
[ -x "$CONVERT" ] || { echo "render.sh: $CONVERT is missing (apt-get install imagemagick)" >&2; exit 1; }

mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# source name, width, height, output format
pictures="
menu00 16 16 png
menu01 16 16 png
menu02 16 16 png
menu03 16 16 png
menu04 16 16 png
menu05 16 16 png
menu06 16 16 png
menu07 16 16 png
menu08 16 16 png
menu09 16 16 png
menu10 16 16 png
menu11 16 16 png
menu12 16 16 png
menu13 16 16 png
menu14 16 16 png
menu15 16 16 png
object0 16 16 png
object1 16 16 png
editCut 16 16 png
editCopy 16 16 png
editPaste 16 16 png
editDuplicate 16 16 png
alignLeft 16 16 png
alignRight 16 16 png
alignTop 16 16 png
alignBottom 16 16 png
alignCentres 16 16 png
alignMiddles 16 16 png
sameWidth 16 16 png
sameHeight 16 16 png
distributeAcross 16 16 png
distributeDown 16 16 png
paletteLabel 18 14 png
paletteTextField 25 18 png
palettePassword 25 18 png
paletteButton 22 14 png
paletteList 22 21 png
paletteComboBox 22 20 png
selectAll 24 24 png
copy 24 24 png
check 24 24 png
checkDisabled 24 24 png
exit 24 24 png
exitDisabled 24 24 png
program 64 64 png
flagBrazil 54 31 gif
flagUsa 54 31 gif
flagMexico 54 31 gif
splash 389 399 jpg
about 295 294 jpg
"

echo "$pictures" | while read -r name width height format; do
    [ -n "$name" ] || continue
    src="$here/$name.svg"
    case "$format" in
    png)
        rsvg-convert -w "$width" -h "$height" -o "$out/$name.png" "$src"
        ;;
    gif)
        rsvg-convert -w "$width" -h "$height" -o "$tmp/$name.png" "$src"
        "$CONVERT" "$tmp/$name.png" -background white -flatten -strip "$out/$name.gif"
        ;;
    jpg)
        rsvg-convert -w "$width" -h "$height" -o "$tmp/$name.png" "$src"
        "$CONVERT" "$tmp/$name.png" -background white -flatten -strip -quality 92 "$out/$name.jpg"
        ;;
    esac
    echo "$name.$format" >>"$tmp/list"
done

{
    echo '<!DOCTYPE RCC>'
    echo '<RCC version="1.0">'
    echo '<qresource prefix="/pictures">'
    while read -r file; do
        echo "    <file alias=\"$file\">pictures/$file</file>"
    done <"$tmp/list"
    echo '</qresource>'
    echo '</RCC>'
} >"$qrc"

echo "render.sh: $(wc -l <"$tmp/list") pictures written to $out"
