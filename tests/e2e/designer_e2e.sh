#!/usr/bin/env bash
# End-to-end test of the installed designer, driven like a user with real X input.
#
#   tests/e2e/designer_e2e.sh BUILD_DIR [CMAKE]
#
# Installs BUILD_DIR into a scratch prefix, starts <prefix>/bin/vaporina on a private virtual
# X display with a window manager, and with xdotool: closes the splash, creates one control of
# each kind from the palette, drags one, renames it and ticks two of its events in the
# inspector, generates the window-objects code and copies it, saves the design, clears, opens
# it again, clears and undoes that with Ctrl+Z, deletes a control, kills the designer with
# SIGKILL once the recovery copy is written, starts it again and answers Yes to the recovery
# question, saves, and quits answering Yes. Checks the X clipboard against vapgen, the saved file
# against the expected records, the reopened, undone and recovered designs against the files
# they came from, the exit code, the settings file, and that a save and an exit remove the
# recovery copy. Then places controls: selects one by a click, nudges it with the arrow keys,
# resizes it by a handle, adds another by Ctrl+click, aligns them, copies and pastes them, and
# checks the saved bytes; Ctrl+A, Delete and Ctrl+Z must bring every control back; Ctrl+Z pressed
# mid-drag leaves the design as the undo makes it, and Ctrl+Y redoes that step; edits in the
# inspector after a rename there is undone reach the control under its old name. Screenshots
# of the main
# steps go to BUILD_DIR/tests/e2e-shots/; the scratch folder BUILD_DIR/tests/e2e-work/ (prefix,
# saved designs, logs) stays after a failure.
#
# Every wait is bounded (WAIT_SECONDS); exit code 77 means a needed tool is missing (skipped).
set -Eeuo pipefail

WAIT_SECONDS=${WAIT_SECONDS:-10}
SCREEN_SIZE=1024x768x24

build="$(cd "${1:?usage: designer_e2e.sh BUILD_DIR [CMAKE]}" && pwd)"
cmake="${2:-cmake}"
shots="$build/tests/e2e-shots"
work="$build/tests/e2e-work"
pids=() # processes this script started, ended at exit
step="setting up"

# ---- helpers

fail() {
    echo "FAILED while $step: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        local id
        echo "active window: $(xdotool getactivewindow 2>/dev/null || echo none)" >&2
        for id in $(xdotool search --onlyvisible --classname '^vaporina$' 2>/dev/null); do
            echo "visible window $id: $(xdotool getwindowname "$id" 2>/dev/null)" >&2
        done
        shot "failure" || true
    fi
    exit 1
}

begin() { # begin TEXT: names the step for messages
    step="$1"
    echo "-- $(date +%T.%3N) $step"
}

cleanup() {
    local status=$? index
    for ((index = ${#pids[@]} - 1; index >= 0; index--)); do
        kill "${pids[index]}" 2>/dev/null || true
    done
    for index in "${pids[@]}"; do
        wait "$index" 2>/dev/null || true
    done
    if [ "$status" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "screenshots in $shots; logs, prefix and designs in $work" >&2
    fi
    exit "$status"
}

need_tools() {
    local tool missing=()
    for tool in "$@"; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "skipped: missing ${missing[*]} (scripts/setup.sh installs them)"
        exit 77
    fi
}

wait_until() { # wait_until DESCRIPTION COMMAND...: polls COMMAND for at most WAIT_SECONDS
    local what="$1" tries=$((WAIT_SECONDS * 10))
    shift
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "timed out after ${WAIT_SECONDS}s waiting for $what"
        sleep 0.1
    done
}

shot() { # shot NAME: a picture of the whole screen, when ImageMagick is there
    command -v import >/dev/null || return 0
    shot_count=$((shot_count + 1))
    import -window root "$shots/$(printf '%02d' "$shot_count")-$1.png" 2>/dev/null || true
}
shot_count=0

# Windows of the program. Pop-up menus are override-redirect windows, told from the drag
# outline's edges and tool tips by their height; the others are managed by the window manager.
override_redirect() { xwininfo -id "$1" 2>/dev/null | grep -q 'Override Redirect State: yes'; }

is_popup_menu() {
    local info height
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    height=$(sed -n 's/^ *Height: *//p' <<<"$info")
    grep -q 'Override Redirect State: yes' <<<"$info" && [ "${height:-0}" -ge 40 ]
}

find_window() { # find_window REGEX: the first visible managed window whose title matches
    local id
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        override_redirect "$id" || {
            echo "$id"
            return 0
        }
    done
    return 1
}

find_popup() {
    local id
    for id in $(xdotool search --onlyvisible --classname '^vaporina$' 2>/dev/null); do
        is_popup_menu "$id" && return 0
    done
    return 1
}

no_window() { ! find_window "$1"; }
no_popup() { ! find_popup; }

wait_window() { # wait_window REGEX: prints the window's id once it shows
    wait_until "a window titled '$1'" find_window "$1"
    find_window "$1"
}

wait_gone() { wait_until "the window '$1' to close" no_window "$1"; }

activate() { # activate ID: gives the window the keyboard
    is_active "$1" && return 0
    xdotool windowactivate "$1" >/dev/null 2>&1 || true
    wait_until "window $1 to be active" is_active "$1"
}
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

origin() { # origin ID: sets OX and OY to the screen position of the window's client area
    local info
    info=$(xwininfo -id "$1")
    OX=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    OY=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
}

client_size_is() { # client_size_is ID WIDTH HEIGHT
    local info
    info=$(xwininfo -id "$1")
    grep -q "Width: $2\$" <<<"$info" && grep -q "Height: $3\$" <<<"$info"
}

client_at() { # client_at ID X Y: the window's client area starts at screen (X, Y)
    origin "$1"
    [ "$OX" = "$2" ] && [ "$OY" = "$3" ]
}

place_window() { # place_window ID X Y: moves a window so that its client area starts at (X, Y)
    timeout 5 xdotool windowmove --sync "$1" "$2" "$3" >/dev/null 2>&1 || true
    wait_until "window $1 at ($2, $3)" client_at "$1" "$2" "$3"
}

pointer_at() { # pointer_at X Y
    [ "$(xdotool getmouselocation 2>/dev/null | cut -d' ' -f1,2)" = "x:$1 y:$2" ]
}

move_pointer() { # move_pointer X Y: in screen coordinates
    # Not mousemove --sync: it waits 15 s for a motion when the pointer is there already.
    xdotool mousemove "$1" "$2"
    wait_until "the pointer at ($1, $2)" pointer_at "$1" "$2"
}

click() { # click X Y [BUTTON]: in screen coordinates
    move_pointer "$1" "$2"
    xdotool click "${3:-1}"
}

menu_count=0
main_menu() { # main_menu KEY...: right click on the design window's background, then keys
    activate "$main"
    # Two right clicks on one spot within the double-click time make a double click, which
    # opens no menu: the spot changes each time.
    menu_count=$((menu_count + 1))
    click $((MX + 400 + 40 * (menu_count % 2))) $((MY + 300)) 3
    wait_until "the main menu" find_popup
    xdotool key --delay 80 "$@"
    wait_until "the menu to close" no_popup
}

control_menu() { # control_menu X Y KEY: right click on the control at client (X, Y), then a key
    activate "$main"
    click $((MX + $1)) $((MY + $2)) 3
    wait_until "the control menu" find_popup
    xdotool key "$3"
    wait_until "the menu to close" no_popup
}

close_window() { # close_window ID REGEX: closes it as its close box does
    # A busy machine can lose the first key to a window that is not yet taking keys: press it
    # again while the same window is still there and active, a few seconds apart.
    local tenths=0
    activate "$1"
    xdotool key alt+F4
    while ! no_window "$2"; do
        tenths=$((tenths + 1))
        [ "$tenths" -lt $((WAIT_SECONDS * 10)) ] ||
            fail "timed out after ${WAIT_SECONDS}s waiting for the window '$2' to close"
        if [ $((tenths % 30)) -eq 0 ] && is_active "$1"; then xdotool key alt+F4; fi
        sleep 0.1
    done
}

file_exists() { [ -s "$1" ]; }

# ---- the steps

start_display() {
    begin "starting the virtual display"
    # Xvfb picks a free display itself and writes its number: no race with other servers.
    # Without -noreset it would reset whenever its last client leaves, failing new ones.
    Xvfb -displayfd 1 -screen 0 "$SCREEN_SIZE" -nolisten tcp -noreset >"$work/display.txt" \
        2>"$work/xvfb.log" &
    pids+=("$!")
    wait_until "Xvfb to choose a display" file_exists "$work/display.txt"
    DISPLAY=":$(head -1 "$work/display.txt")"
    export DISPLAY
    wait_until "the display $DISPLAY" xdpyinfo
}

start_window_manager() {
    begin "starting the window manager"
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=("$!")
    wait_until "openbox to manage the screen" window_manager_running
}

window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

install_program() {
    begin "installing the build"
    "$cmake" --install "$build" --prefix "$work/prefix" >"$work/install.log" ||
        fail "cmake --install failed (see install.log)"
    [ -x "$work/prefix/bin/vaporina" ] || fail "no bin/vaporina in the installed layout"
    [ -x "$work/prefix/bin/vapgen" ] || fail "no bin/vapgen in the installed layout"
}

start_designer() {
    begin "starting the designer"
    mkdir -p -m 700 "$work/runtime"
    mkdir -p "$work/home"
    # The file dialogs start in the working folder, so they take plain file names.
    (cd "$work" && exec env HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
        XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb \
        "$work/prefix/bin/vaporina" >"$work/vaporina.log" 2>&1) &
    app=$!
    pids+=("$app")
}

close_splash() {
    begin "closing the splash"
    local splash
    splash=$(wait_window "orvalhan@")
    shot splash
    close_window "$splash" "orvalhan@" # by its close box: Escape does not close it
}

arrange_main_window() {
    begin "arranging the main window"
    main=$(wait_window "^Vaporina - versão 1\.02$")
    sleep 1 # sooner after the window manager placed it, a resize counts as its, not the user's
    timeout 5 xdotool windowsize --sync "$main" 480 330 >/dev/null 2>&1 || true
    wait_until "the main window's new size" client_size_is "$main" 480 330
    place_window "$main" 10 30
    origin "$main"
    MX=$OX MY=$OY
}

create_controls() {
    begin "creating one control of each kind"
    main_menu o
    local palette button
    palette=$(wait_window "^Criar Objetos$")
    place_window "$palette" 600 500
    # Label, text field, password field, button, list, combo box; each lands at (1, 40).
    for button in 0 1 2 3 4 5; do
        click $((600 + 24 + 40 * button)) $((500 + 24))
    done
    shot palette
    close_window "$palette" "^Criar Objetos$"
}

drag_combo_box() {
    begin "dragging the combo box"
    # The last control made lies on top at (1, 40): take it 20, 10 inside, move it by (150, 60).
    local fromx=$((MX + 21)) fromy=$((MY + 50)) tox=$((MX + 171)) toy=$((MY + 110)) part
    move_pointer "$fromx" "$fromy"
    xdotool mousedown 1
    for part in 1 2 3 4 5; do
        move_pointer $((fromx + (tox - fromx) * part / 5)) $((fromy + (toy - fromy) * part / 5))
    done
    xdotool mouseup 1
    shot dragged
}

rename_and_choose_events() {
    begin "renaming the combo box in the inspector"
    control_menu 191 110 a # the combo box at its new place (151, 100)
    local inspector
    inspector=$(wait_window "^Ajusta Objeto$")
    place_window "$inspector" 600 60
    activate "$inspector"
    # The grid sits under the tabs, whose height the style decides: a click in the label
    # column anywhere on the grid gives it the focus, then the keys go to the Name row.
    click $((600 + 30)) $((60 + 125))
    xdotool key --delay 50 ctrl+Home Down Down Down Down Down Right ctrl+a
    # A name that is refused first: the error box, dismissed with Enter, leaves the program
    # running with the typed text in the Name cell, for the user to correct.
    xdotool type --delay 50 1abc
    xdotool key Return
    local box
    box=$(wait_window "^Davodiz ezuz Udiz$")
    shot refused-name
    activate "$box"
    xdotool key Return
    wait_gone "^Davodiz ezuz Udiz$"
    kill -0 "$app" 2>/dev/null || fail "the designer ended after the refused name"
    activate "$inspector"
    xdotool key --delay 50 F2 ctrl+a
    xdotool type --delay 50 cbxCidade
    xdotool key Return
    shot renamed

    begin "choosing two events in the inspector"
    click $((600 + 165)) $((60 + 42)) # the Events tab
    click $((600 + 100)) $((60 + 130)) # the events list
    # Mouse clicked (item 1) and focus lost (item 4): the event mask becomes 2 + 16 = 18.
    xdotool key --delay 50 Home Down space Down Down Down space
    shot events
}

# xclip waits for the clipboard's owner to answer: bounded too.
clipboard_has_text() { [ -n "$(timeout 5 xclip -o -selection clipboard 2>/dev/null)" ]; }

generate_and_copy_code() {
    begin "generating the window-objects code"
    main_menu g o
    local code
    code=$(wait_window "^Código para a Geração da Janela$")
    activate "$code"
    shot codewindow
    xdotool key alt+s
    xdotool key alt+c
    wait_until "the code on the clipboard" clipboard_has_text
    timeout 5 xclip -o -selection clipboard >"$work/clipboard.txt"
    close_window "$code" "^Código para a Geração"
}

file_dialog() { # file_dialog TITLE FILE: types the file name into the dialog and confirms
    local dialog
    dialog=$(wait_window "^$1\$")
    activate "$dialog"
    xdotool type --delay 30 "$2"
    shot "dialog-$1"
    xdotool key Return
    wait_gone "^$1\$"
}

save_design() { # save_design FILE: the Save command, into the scratch folder
    begin "saving the design as $1"
    main_menu v
    file_dialog Salvar "$1"
    wait_until "$1 to be written" file_exists "$work/$1"
}

check_saved_design() {
    begin "checking the saved design"
    local saved="$work/design.vap"
    grep -qaE $'^JAN:-?[0-9]+:-?[0-9]+:[0-9]+:[0-9]+:0\r$' <(head -1 "$saved") ||
        fail "unexpected window record: $(head -1 "$saved")"
    # The controls in creation order: the combo box moved by (150, 60), renamed (its caption
    # follows the name), with events 2 + 16; the others as made, all at (1, 40).
    printf '%s\r\n' \
        "LAB:1:40:13:57:0" "JLabel1" "JLabel1" "" \
        "TXF:1:40:21:100:0" "JTextField1" "JTextField1" "" \
        "PWD:1:40:21:100:0" "JPasswordField1" "JPasswordField1" "" \
        "BUT:1:40:30:100:0" "JButton1" "JButton1" "" \
        "LIS:1:40:160:130:0" "JList1" "JList1" "" \
        "CBX:151:100:21:130:18" "cbxCidade" "cbxCidade" "" >"$work/expected-controls.txt"
    tail -n +5 "$saved" >"$work/saved-controls.txt"
    diff -u "$work/expected-controls.txt" "$work/saved-controls.txt" >&2 ||
        fail "the saved controls differ from the expected ones"
}

check_clipboard() {
    begin "checking the copied code"
    "$work/prefix/bin/vapgen" objects "$work/design.vap" --crlf >"$work/expected-code.txt" ||
        fail "vapgen objects failed"
    grep -q 'cbxCidade.addFocusListener' "$work/expected-code.txt" ||
        fail "the generated code has no focus listener for cbxCidade"
    cmp "$work/expected-code.txt" "$work/clipboard.txt" || {
        diff -u "$work/expected-code.txt" "$work/clipboard.txt" >&2 || true
        fail "the clipboard differs from the window-objects code of the saved design"
    }
}

clear_and_reopen() {
    begin "clearing the design"
    main_menu m
    shot cleared
    begin "opening the saved design"
    main_menu a
    file_dialog Abrir design.vap
    shot reopened
}

check_reopened_design() {
    save_design reopened.vap
    begin "comparing the reopened design with the saved one"
    cmp "$work/design.vap" "$work/reopened.vap" || {
        diff -u "$work/design.vap" "$work/reopened.vap" >&2 || true
        fail "saving the reopened design gives another file"
    }
    local counts
    counts=$("$work/prefix/bin/vapgen" check "$work/reopened.vap") || fail "vapgen check failed"
    echo "$counts"
}

clear_undo_and_save() {
    begin "clearing, then undoing the Clear with Ctrl+Z"
    main_menu m
    activate "$main"
    xdotool key ctrl+z
    shot undone
    save_design undone.vap
    cmp "$work/design.vap" "$work/undone.vap" || fail "undoing Clear did not give back the design"
}

# Each run writes its copy under a name of its own.
recovery_copy() { compgen -G "$work/home/.local/state/vaporina/vaporina.recovery-*.vap" | head -1; }
no_recovery_copy() { [ -z "$(recovery_copy)" ]; }

crash_after_a_change() {
    begin "deleting the combo box, then killing the designer once its recovery copy is written"
    no_recovery_copy || fail "a recovery copy is left after the save"
    control_menu 191 110 e
    wait_until "the recovery copy" recovery_copy
    cp "$(recovery_copy)" "$work/copy-before-kill.vap"
    kill -KILL "$app"
    wait "$app" 2>/dev/null || true
}

recover_after_restart() {
    start_designer
    close_splash
    begin "bringing the design back"
    activate "$(wait_window "^Vaporina$")"
    shot recovery-question
    xdotool key Return # Yes, the default button
    wait_gone "^Vaporina$"
    main=$(wait_window "^Vaporina - versão 1\\.02$")
    origin "$main"
    MX=$OX MY=$OY
    save_design recovered.vap
    no_recovery_copy || fail "the recovery copy is left after the save"
    cmp "$work/copy-before-kill.vap" "$work/recovered.vap" || fail "the recovered design differs"
    ! grep -qa cbxCidade "$work/recovered.vap" || fail "the deletion was not recovered"
}

place_controls() {
    # The recovered design: a label, a text field, a password field, a button and a list, all
    # at (1, 40), the list on top.
    begin "selecting the list by a click and nudging it with the arrow keys"
    activate "$main"
    click $((MX + 60)) $((MY + 150))
    xdotool key --delay 80 Right Right Right Down Down
    shot nudged
    begin "resizing the list by its bottom-right handle"
    # The list now spans (4, 42) to (133, 201); its handle is centred on that corner.
    local fromx=$((MX + 133)) fromy=$((MY + 201)) part
    move_pointer "$fromx" "$fromy"
    xdotool mousedown 1
    for part in 1 2 3 4; do move_pointer $((fromx + 5 * part)) $((fromy + 5 * part)); done
    shot resizing
    xdotool mouseup 1
    begin "adding the button by Ctrl+click and aligning the two on the list's left"
    move_pointer $((MX + 2)) $((MY + 65)) # left of the list, where only the button lies
    xdotool keydown ctrl click 1 keyup ctrl
    xdotool key ctrl+shift+Left
    begin "copying and pasting the two"
    xdotool key --delay 80 ctrl+c ctrl+v
    shot pasted
    save_design placed.vap
    begin "checking the placed controls"
    # Pasted copies come in creation order under new names, 10 pixels right and down.
    printf '%s\r\n' \
        "LAB:1:40:13:57:0" "JLabel1" "JLabel1" "" \
        "TXF:1:40:21:100:0" "JTextField1" "JTextField1" "" \
        "PWD:1:40:21:100:0" "JPasswordField1" "JPasswordField1" "" \
        "BUT:4:40:30:100:0" "JButton1" "JButton1" "" \
        "LIS:4:42:180:150:0" "JList1" "JList1" "" \
        "BUT:14:50:30:100:0" "JButton2" "JButton2" "" \
        "LIS:14:52:180:150:0" "JList2" "JList2" "" >"$work/expected-placed.txt"
    tail -n +5 "$work/placed.vap" >"$work/placed-controls.txt"
    diff -u "$work/expected-placed.txt" "$work/placed-controls.txt" >&2 ||
        fail "the placed controls differ from what the actions must give"

    begin "selecting all, deleting, and bringing every control back with Ctrl+Z"
    activate "$main"
    xdotool key --delay 80 ctrl+a Delete
    shot all-deleted
    save_design emptied.vap
    [ "$(wc -l <"$work/emptied.vap")" -eq 4 ] || fail "controls are left after Ctrl+A, Delete"
    activate "$main"
    xdotool key ctrl+z
    save_design restored.vap
    cmp "$work/placed.vap" "$work/restored.vap" || fail "Ctrl+Z did not bring every control back"
}

undo_mid_drag() {
    begin "nudging JList2 (on top at 14, 52), then pressing Ctrl+Z mid-drag"
    activate "$main"
    click $((MX + 150)) $((MY + 180))
    xdotool key Right # a step: JList2 at (15, 52)
    xdotool mousedown 1
    for part in 1 2 3; do move_pointer $((MX + 150 + 20 * part)) $((MY + 180 + 10 * part)); done
    xdotool key ctrl+z # ends the drag as Escape does, then undoes the nudge
    move_pointer $((MX + 230)) $((MY + 220))
    shot undone-mid-drag
    xdotool mouseup 1
    save_design undone-mid-drag.vap
    cmp "$work/placed.vap" "$work/undone-mid-drag.vap" || fail "the release after Ctrl+Z moved"
    activate "$main"
    xdotool key ctrl+y # the redo history is kept
    save_design redone.vap
    grep -qa $'^LIS:15:52:180:150:0\r$' "$work/redone.vap" || fail "Ctrl+Y did not redo the nudge"
}

inspector_cell() { # inspector_cell ROW: opens the editor of the inspector's value cell ROW
    activate "$inspector"
    click $((600 + 30)) $((60 + 125)) # the label column: the grid takes the keys
    xdotool key --delay 50 ctrl+Home $(for ((i = 0; i < $1; i++)); do echo Down; done) Right F2
}

undo_a_rename_then_edit() {
    begin "renaming JList2 in the inspector, Ctrl+Z on the design, then edits in the inspector"
    control_menu 100 150 a
    inspector=$(wait_window "^Ajusta Objeto$") && place_window "$inspector" 600 60
    inspector_cell 5 && xdotool key ctrl+a type --delay 50 lisNomes && xdotool key Return
    click $((MX + 400)) $((MY + 300)) && activate "$main" && xdotool key ctrl+z
    inspector_cell 3 && xdotool key --delay 50 ctrl+y Return # the editor's redo, not the design's
    inspector_cell 2 && xdotool key ctrl+a type --delay 50 77 && xdotool key Return
    inspector_cell 4 && xdotool key End type --delay 50 abc
    xdotool key --delay 50 ctrl+z ctrl+z ctrl+z Return # the editor's undo: the caption stays
    save_design renamed-undone.vap
    tail -n 4 "$work/renamed-undone.vap" |
        diff -u <(printf '%s\r\n' LIS:15:52:180:77:0 JList2 JList2 '') - >&2 ||
        fail "the list is not JList2 with the width typed after the undo, its caption kept"
}

process_ended() { # gone, or a zombie not yet reaped
    ! kill -0 "$app" 2>/dev/null || grep -q '^[0-9]* ([^)]*) Z' "/proc/$app/stat" 2>/dev/null
}

quit_designer() {
    begin "quitting"
    main_menu s
    local question
    question=$(wait_window "^Vaporina$")
    activate "$question"
    shot exit-question
    xdotool key Return # Yes, the default button, whatever language its text is in
    wait_until "the designer to end" process_ended
    local status=0
    wait "$app" || status=$?
    [ "$status" -eq 0 ] || fail "the designer ended with code $status"
    local settings="$work/prefix/bin/vaporina.INI"
    [ -f "$settings" ] || fail "no settings file $settings"
    grep -q '^Idioma=1' "$settings" || fail "the settings file holds no Idioma=1"
    no_recovery_copy || fail "a recovery copy is left after a normal exit"
}

# ---- the scenario

need_tools Xvfb openbox xdotool xclip xwininfo xdpyinfo xprop timeout "$cmake"
rm -rf "$shots" "$work"
mkdir -p "$shots" "$work"
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
# Command substitutions inherit this trap (set -E); only the script itself reports.
trap '[ "$BASHPID" != "$$" ] || fail "command failed: $BASH_COMMAND"' ERR

start_display
start_window_manager
install_program
start_designer
close_splash
arrange_main_window
create_controls
drag_combo_box
rename_and_choose_events
generate_and_copy_code
save_design design.vap
check_saved_design
check_clipboard
clear_and_reopen
check_reopened_design
clear_undo_and_save
crash_after_a_change
recover_after_restart
place_controls
undo_mid_drag
undo_a_rename_then_edit
quit_designer
echo "passed; screenshots in $shots"
