#!/usr/bin/env bash
# See it in Java on the real designer: Ctrl+R shows the design's window on the JVM with its title
# and outer size; a designer killed with SIGKILL takes the JVM along, and the next start removes
# the folder the preview left. Usage: preview_e2e.sh VAPORINA WORK_DIR. Exit code 77: a tool is
# missing (skipped).
set -Eeuo pipefail
vaporina="$1" work="$2" pids=() step="setting up"
fail() {
    echo "FAILED while $step: $*" >&2
    import -window root "$work/failure.png" 2>/dev/null || true
    exit 1
}
begin() { step="$1" && echo "-- $(date +%T.%3N) $step"; }
trap 'status=$?; kill -9 "${pids[@]}" 2>/dev/null; [ $status -ne 0 ] || rm -rf "$work"' EXIT
for tool in Xvfb openbox xdotool xwininfo xprop javac java; do
    command -v "$tool" >/dev/null || { echo "skipped: missing $tool (scripts/setup.sh)" && exit 77; }
done
wait_until() { # wait_until DESCRIPTION COMMAND...: at most 30 s
    local what="$1" tries=300
    shift
    while ! "$@" >/dev/null 2>&1; do
        [ $((tries -= 1)) -gt 0 ] || fail "timed out waiting for $what"
        sleep 0.1
    done
}
windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
has_window() { [ -n "$(windows "$1")" ]; }
java_window() { windows '^Preview probe$' | grep -vx "$main"; }
gone() { [ ! -e "/proc/$1" ] || grep -q '^[^)]*) Z' "/proc/$1/stat"; }
no_folder() { ! compgen -G "$work/runtime/vaporina-preview-*"; }
outer_size_is() { # outer_size_is ID WIDTH HEIGHT: the frame included, as the design counts it
    local l r t b
    read -r l r t b <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    xwininfo -id "$1" | grep -q "Width: $(($2 - l - r))\$" &&
        xwininfo -id "$1" | grep -q "Height: $(($3 - t - b))\$"
}
start_designer() {
    (cd "$work" && exec env HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
        XDG_STATE_HOME="$work/home/state" QT_QPA_PLATFORM=xcb "$vaporina" probe.vap \
        >>"$work/vaporina.log" 2>&1) &
    app=$! && pids+=("$app")
}

begin "starting the display"
rm -rf "$work" && mkdir -p "$work/home" && mkdir -m 700 "$work/runtime"
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/display" 2>/dev/null &
pids+=("$!")
wait_until "Xvfb" test -s "$work/display"
export DISPLAY=":$(head -1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=("$!")
wait_until "openbox" sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"

begin "starting the designer on a design 400 by 250"
printf 'JAN:20:20:250:400:0\r\nPreview probe\r\nTeste\r\n\r\nBUT:10:40:25:120:4\r\nOK\r\nok\r\n\r\n' \
    >"$work/probe.vap"
start_designer
wait_until "the splash" has_window 'orvalhan@'
for ((tries = 0; tries < 20; tries++)); do # closed by its close box; a busy machine loses keys
    splash=$(windows 'orvalhan@' | head -1) && [ -n "$splash" ] || break
    xdotool windowactivate "$splash" key alt+F4 2>/dev/null || true
    sleep 0.5
done
wait_until "the main window" has_window '^Preview probe$'
main=$(windows '^Preview probe$' | head -1)

begin "pressing Ctrl+R"
xdotool windowactivate "$main" 2>/dev/null || true
sleep 0.5
xdotool key ctrl+r
wait_until "the Swing window" java_window
wait_until "the Swing window at 400 by 250" outer_size_is "$(java_window | head -1)" 400 250
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
