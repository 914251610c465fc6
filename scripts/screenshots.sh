#!/usr/bin/env bash
# Takes the README's screenshots from the real program under a virtual X display with a small
# window manager, driving it with xdotool. Needs xvfb, xdotool, openbox and imagemagick.
#   scripts/screenshots.sh [BUILD_DIR]      (default build/dev; pictures go to docs/)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/dev}"
if [ -z "${DISPLAY:-}" ] || [ -z "${VAP_SCREENSHOT_INNER:-}" ]; then
    export VAP_SCREENSHOT_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
fi

docs="$root/docs"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$build/src/app/vaporina" "$work/vaporina" # its settings file goes beside it
export XDG_RUNTIME_DIR="$work/runtime" && mkdir -p -m 700 "$XDG_RUNTIME_DIR"

openbox >/dev/null 2>&1 &
sleep 1

waitfor() { # waitfor NAME: the id of the first window whose title matches
    for _ in $(seq 50); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.2
    done
    echo "no window '$1'" >&2
    exit 1
}
shot() { sleep 0.4; import -frame -window "$1" "$docs/$2.png"; }
origin() { # client origin of a window on the screen: sets OX, OY
    xdotool mousemove --window "$1" 0 0
    eval "$(xdotool getmouselocation --shell)"
    OX=$X OY=$Y
}
drag() { # drag FROMX FROMY TOX TOY in screen coordinates
    xdotool mousemove "$1" "$2" mousedown 1
    for step in 1 2 3 4 5; do
        xdotool mousemove $(($1 + ($3 - $1) * step / 5)) $(($2 + ($4 - $2) * step / 5))
        sleep 0.05
    done
    xdotool mouseup 1
    sleep 0.2
}
menu() { # right click on the design window's background, then keys
    xdotool mousemove $((OX + 320)) $((OY + 300)) click 3
    sleep 0.4
    xdotool key "$@"
    sleep 0.6
}

"$work/vaporina" &
splash=$(waitfor "orvalhan@")
xdotool key alt+F4
main=$(waitfor "Vaporina - ")
xdotool windowsize "$main" 480 330
sleep 0.5
origin "$main"

menu o
palette=$(waitfor "Criar Objetos")
for i in 0 1 2 3 4 5; do
    xdotool mousemove --window "$palette" $((24 + 40 * i)) 24 click 1
    sleep 0.2
done
xdotool windowunmap "$palette" || true
origin "$main"
at() { echo $((OX + $1)) $((OY + $2)); }
place() { # place X Y: drags the control on top at (1, 40), held 8 pixels inside, to (X, Y)
    drag $(at 9 48) $(at $(($1 + 8)) $(($2 + 8)))
}
# Each new control lies on the others at (1, 40); the top one is dragged away each time.
place 300 80   # combo box
place 20 110   # list
place 300 140  # button
place 120 60   # password field
place 120 30   # text field
place 30 34    # label
shot "$main" designer

# The inspector on the button.
xdotool mousemove $(at 340 150) click 3
sleep 0.4
xdotool key a
inspector=$(waitfor "Ajusta Objeto")
shot "$inspector" factamanho
xdotool key Escape || true
sleep 0.3

menu g o
code=$(waitfor "Código para a Geração")
shot "$code" codewindow
xdotool key alt+F4
sleep 0.3

flag=(0 40 80 120)
for lang in 1 2 3; do
    name=(x pt en es)
    menu l
    chooser=$(waitfor "Bem Vindo|Welcome|Bienvenida")
    xdotool mousemove --window "$chooser" 40 $((${flag[$lang]} + 15)) click 1
    shot "$chooser" "chooser-${name[$lang]}"
    xdotool mousemove --window "$chooser" 256 132 click 1
    sleep 0.5
    origin "$main"
    menu Up Up Return
    splash=$(waitfor "orvalhan@")
    shot "$splash" "splash-${name[$lang]}"
    xdotool key alt+F4
    sleep 0.3
    menu Up Up Up Return
    about=$(waitfor "Vaporina - .* - [0-9]")
    shot "$about" "about-${name[$lang]}"
    xdotool key alt+F4
    sleep 0.3
done
echo "screenshots written to $docs"
