#!/usr/bin/env bash
# See it in Java on the real designer: Ctrl+R shows the design's window on the JVM with its title
# and outer size; a designer killed with SIGKILL takes the JVM along, and the next start removes
# the folder the preview left.
#
#   tests/e2e/preview_e2e.sh VAPORINA WORK_DIR
#
# Every wait is bounded (WAIT_SECONDS); exit code 77 means a needed tool is missing (skipped).
set -Eeuo pipefail

WAIT_SECONDS=${WAIT_SECONDS:-30}
vaporina="${1:?usage: preview_e2e.sh VAPORINA WORK_DIR}"
work="${2:?usage: preview_e2e.sh VAPORINA WORK_DIR}"
pids=()
step="setting up"

fail() {
    echo "FAILED while $step: $*" >&2
    [ -z "${DISPLAY:-}" ] || import -window root "$work/failure.png" 2>/dev/null || true
    exit 1
}
begin() { step="$1"; echo "-- $(date +%T.%3N) $step"; }
cleanup() {
    local status=$? pid
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    [ "$status" -ne 0 ] || rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT

for tool in Xvfb openbox xdotool xwininfo xprop javac java; do
    command -v "$tool" >/dev/null || { echo "skipped: missing $tool (scripts/setup.sh)"; exit 77; }
done

wait_until() { # wait_until DESCRIPTION COMMAND...
    local what="$1" tries=$((WAIT_SECONDS * 10))
    shift
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "timed out after ${WAIT_SECONDS}s waiting for $what"
        sleep 0.1
    done
}
file_exists() { [ -s "$1" ]; }
windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
has_window() { [ -n "$(windows "$1")" ]; }
java_window() { windows '^Preview probe$' | grep -vx "$main"; }
gone() { [ ! -e "/proc/$1" ] || grep -q '^[^)]*) Z' "/proc/$1/stat"; }
no_folder() { ! compgen -G "$work/runtime/vaporina-preview-*" >/dev/null; }
outer_size_is() { # outer_size_is ID WIDTH HEIGHT: the frame included, as the design counts it
    local extents width height
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    width=$(xwininfo -id "$1" | sed -n 's/^ *Width: *//p')
    height=$(xwininfo -id "$1" | sed -n 's/^ *Height: *//p')
    read -r l r t b <<<"$extents"
    [ $((width + l + r)) = "$2" ] && [ $((height + t + b)) = "$3" ]
}
start_designer() {
    (cd "$work" && exec env HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
        XDG_CONFIG_HOME="$work/home/.config" XDG_STATE_HOME="$work/home/state" \
        QT_QPA_PLATFORM=xcb "$vaporina" "$work/probe.vap" >>"$work/vaporina.log" 2>&1) &
    app=$!
    pids+=("$app")
}

begin "starting the display"
rm -rf "$work"
mkdir -p "$work/home"
mkdir -m 700 "$work/runtime"
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/display.txt" \
    2>"$work/xvfb.log" &
pids+=("$!")
wait_until "Xvfb" file_exists "$work/display.txt"
export DISPLAY=":$(head -1 "$work/display.txt")"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=("$!")
wait_until "openbox" sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"

begin "starting the designer on a design 400 by 250"
printf 'JAN:20:20:250:400:0\r\nPreview probe\r\nTeste\r\n\r\nBUT:10:40:25:120:4\r\nOK\r\nbtnOk\r\n\r\n' \
    >"$work/probe.vap"
start_designer
wait_until "the splash" has_window 'orvalhan@'
for ((tries = 0; tries < 20 && $(windows 'orvalhan@' | wc -l) > 0; tries++)); do
    xdotool windowactivate "$(windows 'orvalhan@' | head -1)" key alt+F4 2>/dev/null || true
    sleep 0.5
done
wait_until "the main window" has_window '^Preview probe$'
main=$(windows '^Preview probe$' | head -1)

begin "pressing Ctrl+R"
xdotool windowactivate "$main" 2>/dev/null || true
sleep 0.5
xdotool key ctrl+r
wait_until "the Swing window" java_window
swing=$(java_window | head -1)
wait_until "the Swing window at 400 by 250" outer_size_is "$swing" 400 250
jvm=$(pgrep -P "$app" java) || fail "no JVM under the designer"
pids+=("$jvm")
no_folder && fail "no preview folder in the runtime folder"

begin "killing the designer with SIGKILL"
kill -9 "$app"
wait_until "the JVM to end" gone "$jvm"
wait_until "the Swing window to go" sh -c "! xdotool search --onlyvisible --name '^Preview probe$'"

begin "starting again: the folder left behind goes"
start_designer
wait_until "the preview's folder to go" no_folder
echo "passed"
