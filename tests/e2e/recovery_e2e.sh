#!/usr/bin/env bash
# Recovery copies and the window's own numbers on the real designer under Xvfb and openbox: one
# row per way a design used to be lost (Escape, a file on the command line, kills after Yes and
# after Open, a second designer, an exit with changes, No, unreadable copies, a bad language
# setting), then designs off and larger than the screen saved untouched and a maximize
# undone and redone. Usage: recovery_e2e.sh VAPORINA WORK_DIR. Exit code 77: a tool is missing.
set -Eeuo pipefail
vaporina="$1" work="$2" pids=() step="setting up" copies="$2/home/state/vaporina"
fail() {
    echo "FAILED while $step: $*" >&2
    import -window root "$work/failure.png" 2>/dev/null || true
    exit 1
}
begin() { step="$1" && echo "-- $(date +%T.%3N) $step"; }
trap 'status=$?; { kill -9 "${pids[@]}" && wait; } 2>/dev/null
    [ $status != 0 ] || rm -rf "$work"' EXIT
for tool in Xvfb openbox xdotool xwininfo xprop; do
    command -v "$tool" >/dev/null || { echo "skipped: missing $tool (scripts/setup.sh)" && exit 77; }
done
wait_until() { # wait_until DESCRIPTION COMMAND...: at most 20 s
    local what="$1" tries=200
    shift
    while ! "$@" >/dev/null 2>&1; do
        [ $((tries -= 1)) -gt 0 ] || fail "timed out waiting for $what"
        sleep 0.1
    done
}
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
has_window() { [ -n "$(window "$1")" ]; }
unmapped() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
copies_left() { find "$copies" -maxdepth 1 -name "$1" | wc -l; }
press() { # press REGEX KEY...: the keys to the window of that title, once it is active
    wait_until "a window '$1'" has_window "$1"
    pressed=$(window "$1")
    shift
    xdotool windowactivate "$pressed" 2>/dev/null || true
    wait_until "window $pressed active" sh -c "[ \"\$(xdotool getactivewindow)\" = $pressed ]"
    xdotool key --delay 60 "$@"
}
start() { # start [RUNTIME] [DESIGN]: a designer, its splash closed by its close box
    (cd "$work" && exec env HOME="$work/home" XDG_RUNTIME_DIR="${1:-$work/runtime}" \
        XDG_STATE_HOME="$work/home/state" QT_QPA_PLATFORM=xcb "$work/bin/vaporina" ${2:+"$2"} \
        >>"$work/vaporina.log" 2>&1) &
    app=$! && pids+=("$app")
    ! grep -qs abc "$work/bin/vaporina.INI" || return 0 # the setting's error: no splash
    wait_until "the splash" has_window 'orvalhan@'
    while has_window 'orvalhan@'; do # a busy machine loses keys
        xdotool windowactivate "$(window 'orvalhan@')" key alt+F4 2>/dev/null || true
        sleep 0.3
    done
}
kill_designer() { kill -9 "$app" && { wait "$app"; } 2>/dev/null || true; }
main_is() { wait_until "the main window titled '$1'" has_window "^$1\$"; }
answer() { # answer KEY: to the question, which then goes (another may follow at once)
    press '^Vaporina$' "$1"
    wait_until "the question to close" unmapped "$pressed"
}
caption() { # caption TITLE TEXT: a change the title shows
    press "^$1\$" shift+F10 e
    press '^Janela Principal$' ctrl+a
    xdotool type --delay 20 "$2" && xdotool key Return
    main_is "$2"
}
in_dialog() { # in_dialog TITLE FILE: a file typed into the Open or Save dialog
    wait_until "the dialog $1" has_window "^$1\$"
    sleep 0.3
    xdotool type --delay 20 "$2"
    press "^$1\$" Return
}
save_as() { # save_as TITLE FILE
    press "^$1\$" shift+F10 v && in_dialog Salvar "$2" && wait_until "$2" test -s "$work/$2"
}
record() { printf 'JAN:%s\r\n%s\r\n\r\n\r\n' "$1" "$2"; }

begin "starting the display"
rm -rf "$work" && mkdir -p "$copies" "$work/bin" && mkdir -m 700 "$work/runtime"
chmod 700 "$copies"
cp "$vaporina" "$work/bin/vaporina" # its settings beside it, apart from other runs
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/display" 2>/dev/null &
pids+=("$!")
wait_until "Xvfb" test -s "$work/display"
export DISPLAY=":$(head -1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=("$!")
wait_until "openbox" sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
record 50:60:200:300:0 'File F' >"$work/F.vap"
record 40:40:200:300:0 'Planted one' >"$copies/vaporina.recovery-Dead01.vap"

begin "Escape keeps the copy; a file on the command line, Yes: the copy's design; killed at once"
start "" F.vap
answer Escape
main_is 'File F'
kill_designer
start "" F.vap
answer Return
main_is 'Planted one'
kill_designer

begin "Yes, then Open over a change, then killed: the replaced change comes back"
start
answer Return
caption 'Planted one' 'Replaced by Open'
press '^Replaced by Open$' shift+F10 a
in_dialog Abrir F.vap
main_is 'File F'
kill_designer
start
answer Return
main_is 'Replaced by Open'

begin "a second designer with a runtime folder of its own leaves the live copy alone"
first=$app && mkdir -m 700 "$work/runtime2" && start "$work/runtime2"
main_is 'Vaporina - versão 1.02'
sleep 1 # the question would have come by now
! has_window '^Vaporina$' || fail "the second designer offered the first one's live copy"
kill_designer
app=$first
[ "$(copies_left 'vaporina.recovery-*.vap')" = 1 ] || fail "the live copy is gone"

begin "a confirmed exit with the change unsaved keeps it for the next start"
press '^Replaced by Open$' shift+F10 s
answer Return
wait "$app" || fail "the designer ended with code $?"
[ "$(copies_left '*.exit.vap')" = 1 ] || fail "no copy kept at exit: $(ls "$copies")"
start
answer Return
main_is 'Replaced by Open'
kill_designer

begin "a bad language setting: one box at a time; No; unreadable copies both set aside"
printf '[Padrao]\nIdioma=abc\n' >"$work/bin/vaporina.INI"
for bytes in 'not a design' 'nor this'; do
    printf '%s' "$bytes" >"$copies/vaporina.recovery.vap"
    touch -d '2 hours ago' "$copies/vaporina.recovery.vap"
    start
    wait_until "the setting's error" has_window '^Davodiz ezuz Udiz$'
    sleep 1
    ! has_window '^Vaporina$' || fail "the question came over the error box"
    press '^Davodiz ezuz Udiz$' Return
    [ "$(copies_left 'vaporina.recovery-*.vap')" = 0 ] || answer alt+n # the newest
    answer Return # the unreadable one: reported and set aside
    press '^Davodiz ezuz Udiz$' Return
    kill_designer
done
rm "$work/bin/vaporina.INI"
[ "$(ls "$copies" | grep -v lock | tr '\n' ' ')" = \
    "vaporina.recovery.vap.bad vaporina.recovery.vap.bad-2 " ] || fail "left: $(ls "$copies")"

begin "designs off the screen and larger than it are saved untouched"
for design in '-3000:-3000:250:400:0 Off screen' '100:100:5000:9000:0 Larger'; do
    record "${design%% *}" "${design#* }" >"$work/window.vap"
    start "" window.vap
    main_is "${design#* }"
    sleep 1 # whatever the window manager does meanwhile
    save_as "${design#* }" saved.vap
    cmp "$work/window.vap" "$work/saved.vap" || fail "saved as $(head -1 "$work/saved.vap")"
    press "^${design#* }\$" shift+F10 s
    answer Return
    wait "$app"
    [ "$(copies_left 'vaporina.recovery-*')" = 0 ] || fail "an untouched design left a copy"
    rm "$work/saved.vap"
done

begin "a maximize undone and redone gives back its numbers"
record 100:100:250:400:0 'Maximized' >"$work/max.vap"
start "" max.vap
main_is 'Maximized'
sleep 1
info=$(xwininfo -id "$(window '^Maximized$')")
xdotool mousemove $(($(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info") + 150)) \
    $(($(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info") - 8)) click --repeat 2 --delay 80 1
wait_until "the window to fill the screen" sh -c "xwininfo -id $(window '^Maximized$') |
    grep -q 'Width: 1024'"
sleep 1
save_as Maximized maximized.vap
head -1 "$work/maximized.vap" | grep -qa '^JAN:-\?[01]:-\?[01]:7[67][0-9]:10[0-9][0-9]:0' ||
    fail "the maximize was saved as $(head -1 "$work/maximized.vap")"
for keys in ctrl+z ctrl+y ctrl+z ctrl+y; do press '^Maximized$' "$keys" && sleep 0.6; done
save_as Maximized redone.vap
cmp "$work/maximized.vap" "$work/redone.vap" || fail "redone as $(head -1 "$work/redone.vap")"
echo "passed"
