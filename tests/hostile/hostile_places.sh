#!/usr/bin/env bash
# Another user of the same machine against every place the program writes, creates or deletes
# in: the recovery copy, the preview's folders, the single-instance lock and `vapgen java -o`.
# Each row plants a hostile shape as a second user, then runs the real programs as the victim,
# root first and then an ordinary user: the victim's files must stay as they were, and the
# program must say why it refused. The programs must not lean on the kernel's protection of
# links in shared folders (fs.protected_symlinks), which some systems leave off; the test says
# which way this machine has it. Needs root to make the users (exit code 77 otherwise).
#
#   hostile_places.sh VAPORINA VAPGEN WORK_DIR
set -uo pipefail
vaporina_built=$1 vapgen_built=$2 work=$3
other=vapother victim_user=vapvictim
[ "$(id -u)" = 0 ] || { echo "skipped: needs root to make a second user" && exit 77; }
for tool in Xvfb openbox xdotool xclip setpriv useradd javac; do
    command -v "$tool" >/dev/null || { echo "skipped: missing $tool (scripts/setup.sh)" && exit 77; }
done

pids=() passed=0 failed=0
cleanup() {
    kill -9 "${pids[@]}" 2>/dev/null
    pkill -9 -f "^$work/bin/" 2>/dev/null
    pkill -u "$other" 2>/dev/null
    pkill -u "$victim_user" 2>/dev/null
    wait 2>/dev/null
    [ "$failed" -ne 0 ] || rm -rf "$work"
}
trap cleanup EXIT
echo "fs.protected_symlinks is $(cat /proc/sys/fs/protected_symlinks 2>/dev/null) here"

for user in "$other" "$victim_user"; do
    id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /bin/sh "$user" ||
        exit 1
done

rm -rf "$work" && mkdir -p "$work/bin" && chmod 755 "$work" "$work/bin"
cp "$vaporina_built" "$vapgen_built" "$work/bin/"
vaporina=$work/bin/$(basename "$vaporina_built") vapgen=$work/bin/$(basename "$vapgen_built")
printf 'JAN:20:20:250:400:0\r\nHostile probe\r\nProbe\r\n\r\nBUT:10:40:25:120:0\r\nOK\r\nok\r\n\r\n' \
    >"$work/probe.vap"
chmod 644 "$work/probe.vap"
records=$'LAB:30:80:20:90:0\r\nPasted\r\nq1\r\n\r\n'

wait_until() { # wait_until SECONDS COMMAND...
    local tries=$(($1 * 10))
    shift
    until "$@" >/dev/null 2>&1; do
        [ $((tries -= 1)) -gt 0 ] || return 1
        sleep 0.1
    done
}
as_other() { setpriv --reuid="$other" --regid="$other" --init-groups -- "$@"; }
# as_victim ENV... COMMAND...: the victim with nothing of this shell's environment but PATH.
as_victim() {
    local -a switch=()
    [ "$victim" = root ] || switch=(setpriv --reuid="$victim" --regid="$victim" --init-groups --)
    "${switch[@]}" env -i PATH="$PATH" HOME="$home" LANG=C.UTF-8 "$@"
}

Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset -ac >"$work/display" 2>/dev/null &
pids+=("$!")
wait_until 30 test -s "$work/display" || { echo "FAIL: no Xvfb" && exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=("$!")
wait_until 30 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"

windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
has_window() { [ -n "$(windows "$1")" ]; }
box_title='^Davodiz ezuz Udiz$'

# start_designer ENV...: the designer as the victim on the probe design, past its splash.
start_designer() {
    (as_victim DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb "$@" "$vaporina" "$work/probe.vap" \
        >"$row/vaporina.log" 2>&1) >/dev/null 2>&1 &
    app=$!
    pids+=("$app")
    wait_until 30 has_window 'orvalhan@' || return 1
    for ((tries = 0; tries < 20; tries++)); do # a busy machine loses keys
        splash=$(windows 'orvalhan@' | head -1) && [ -n "$splash" ] || break
        xdotool windowactivate "$splash" key alt+F4 2>/dev/null
        sleep 0.5
    done
    wait_until 30 has_window '^Hostile probe$' || return 1
    main=$(windows '^Hostile probe$' | head -1)
}
# press KEYS...: on the designer's main window.
press() { xdotool windowactivate --sync "$main" key "$@" 2>/dev/null; }
# What the error box says, as the designer also writes it on standard error; "" when none shows.
box_text() {
    wait_until "$1" has_window "$box_title" || return 0
    sleep 0.2
    grep '^vaporina: ' "$row/vaporina.log"
}
paste_a_control() {
    # xclip stays to serve the clipboard: away from the row's output, which is read to its end.
    printf '%s' "$records" | xclip -selection clipboard -i >/dev/null 2>&1
    sleep 0.3
    press ctrl+v
}
# The designer runs as the child of the shell that started it (setpriv and env exec it).
stop_designer() {
    pkill -9 -P "$app" 2>/dev/null
    kill -9 "$app" 2>/dev/null
    wait "$app" 2>/dev/null
}
same() { [ "$(cat "$1" 2>/dev/null)" = "$2" ]; }

# ---- the rows: each plants as the other user, acts as the victim and checks; "" is a pass.

recovery_copy_through_a_link() {
    mkdir -m 1777 "$row/shared"
    as_other mkdir -m 777 "$row/shared/vaporina"
    as_other ln -s "$home/precious" "$row/shared/vaporina/vaporina.recovery.vap"
    start_designer XDG_STATE_HOME="$row/shared" XDG_RUNTIME_DIR="$runtime" || return
    has_window "$box_title" && echo "a box at start: the planted copy was offered"
    paste_a_control
    local said
    said=$(box_text 8)
    stop_designer
    [[ "$said" == *"vaporina is not used: another user owns it"* ]] || echo "said: '$said'"
    same "$home/precious" precious || echo "the victim's file was written"
}

recovery_in_another_users_folder() {
    mkdir -m 1777 "$row/shared"
    as_other mkdir -m 755 "$row/shared/vaporina"
    as_other sh -c "cp '$work/probe.vap' '$row/shared/vaporina/vaporina.recovery.vap'"
    start_designer XDG_STATE_HOME="$row/shared" XDG_RUNTIME_DIR="$runtime" || return
    has_window "$box_title" && echo "a box at start: another user's copy was offered"
    paste_a_control
    local said
    said=$(box_text 8)
    stop_designer
    [[ "$said" == *"another user owns it"* ]] || echo "said: '$said'"
    cmp -s "$work/probe.vap" "$row/shared/vaporina/vaporina.recovery.vap" ||
        echo "the victim's design went into another user's folder"
}

recovery_folder_open_to_others() {
    as_victim mkdir -p -m 700 "$home/state-$row_name"
    as_victim mkdir -m 777 "$home/state-$row_name/vaporina"
    start_designer XDG_STATE_HOME="$home/state-$row_name" XDG_RUNTIME_DIR="$runtime" || return
    paste_a_control
    local said
    said=$(box_text 8)
    stop_designer
    [[ "$said" == *"other users may open it (mode 0777)"* ]] || echo "said: '$said'"
    [ "$(stat -c %a "$home/state-$row_name/vaporina")" = 777 ] || echo "its mode was changed"
    [ -z "$(ls -A "$home/state-$row_name/vaporina")" ] || echo "a copy was written in it"
}

preview_in_a_folder_others_may_write() {
    mkdir -m 777 "$row/open"
    start_designer TMPDIR="$row/open" XDG_STATE_HOME="$home/state" || return
    press ctrl+r
    local said
    said=$(box_text 8)
    stop_designer
    [[ "$said" == *"Não há pasta segura para ver no Java: "*"/open is not safe to write in: other users may write in it"* ]] ||
        echo "said: '$said'"
    ! compgen -G "$row/open/vaporina-preview-*" >/dev/null || echo "a preview folder was made"
}

leftover_preview_folders_of_others() {
    mkdir -m 1777 "$row/shared"
    # A dead designer's folder name, as a link to the victim's folder and as another user's.
    as_other ln -s "$home/keep" "$row/shared/vaporina-preview-999999-linked"
    as_other mkdir "$row/shared/vaporina-preview-999998-theirs"
    as_other touch "$row/shared/vaporina-preview-999998-theirs/Theirs.class"
    # The victim's own leftover holding a link to the victim's folder: emptied, not followed.
    as_victim mkdir "$row/shared/vaporina-preview-999997-own"
    as_victim ln -s "$home/keep" "$row/shared/vaporina-preview-999997-own/sub"
    start_designer TMPDIR="$row/shared" XDG_STATE_HOME="$home/state" || return
    wait_until 10 test ! -e "$row/shared/vaporina-preview-999997-own" ||
        echo "the victim's leftover stayed"
    stop_designer
    same "$home/keep/kept" kept || echo "the victim's folder lost its file"
    [ -e "$row/shared/vaporina-preview-999998-theirs/Theirs.class" ] ||
        echo "another user's folder was emptied"
}

# The lock needs no display: the offscreen platform shows the windows nowhere.
lock_through_a_link() {
    mkdir -m 1777 "$row/shared"
    local name
    for name in vaporina.instance "vaporina-$(id -u "$victim").instance"; do
        as_other ln -s "$home/made-through-$name" "$row/shared/$name"
    done
    as_other mkdir -m 700 "$row/shared/runtime-$victim"
    (as_victim TMPDIR="$row/shared" XDG_STATE_HOME="$home/state" QT_QPA_PLATFORM=offscreen \
        "$vaporina" >"$row/vaporina.log" 2>&1) >/dev/null 2>&1 &
    app=$!
    pids+=("$app")
    sleep 2
    kill -0 "$app" 2>/dev/null || echo "the designer did not start"
    stop_designer
    ! compgen -G "$home/made-through-*" >/dev/null || echo "a file was made through the link"
    grep -q "no single-instance lock (.*: a link); starting anyway" "$row/vaporina.log" ||
        echo "said: '$(head -c 300 "$row/vaporina.log")'"
}

lock_held_by_another_user() {
    mkdir -m 1777 "$row/shared"
    local name
    for name in vaporina.instance "vaporina-$(id -u "$victim").instance"; do
        as_other sh -c "umask 022 && : >'$row/shared/$name'"
        (as_other flock -x "$row/shared/$name" sleep 30 >/dev/null 2>&1 &)
    done
    sleep 0.5
    (as_victim TMPDIR="$row/shared" XDG_STATE_HOME="$home/state" QT_QPA_PLATFORM=offscreen \
        "$vaporina" >"$row/vaporina.log" 2>&1) >/dev/null 2>&1 &
    app=$!
    pids+=("$app")
    sleep 2
    kill -0 "$app" 2>/dev/null || echo "the designer ended without a word"
    stop_designer
    grep -q "another user's file); starting anyway" "$row/vaporina.log" ||
        echo "said: '$(head -c 300 "$row/vaporina.log")'"
    pkill -u "$other" sleep
}

vapgen_below_a_link_in_a_sticky_folder() {
    mkdir -m 1777 "$row/S"
    as_other ln -s "$home/keep" "$row/S/d"
    as_victim "$vapgen" java "$work/probe.vap" -o "$row/S/d/sub/sub2" >"$row/out" 2>&1 &&
        echo "vapgen succeeded"
    [ ! -e "$home/keep/sub" ] || echo "a folder was made where the link points"
}

vapgen_into_another_users_open_folder() {
    mkdir -m 1777 "$row/shared"
    as_other mkdir -m 777 "$row/shared/O"
    as_other ln -s "$home/precious" "$row/shared/O/Probe.java"
    as_victim "$vapgen" java "$work/probe.vap" --name Probe -o "$row/shared/O" >"$row/out" 2>&1 &&
        echo "vapgen succeeded"
    grep -q "O is not safe to write in: another user owns it" "$row/out" ||
        echo "said: '$(head -c 300 "$row/out")'"
    same "$home/precious" precious || echo "the victim's file was replaced"
}

rows=(recovery_copy_through_a_link recovery_in_another_users_folder
    recovery_folder_open_to_others preview_in_a_folder_others_may_write
    leftover_preview_folders_of_others lock_through_a_link lock_held_by_another_user
    vapgen_below_a_link_in_a_sticky_folder vapgen_into_another_users_open_folder)

for victim in root "$victim_user"; do
    home=$work/home-$victim
    mkdir -m 700 "$home" && mkdir "$home/keep"
    echo precious >"$home/precious" && echo kept >"$home/keep/kept"
    chown -R "$victim:" "$home"
    runtime=$home/runtime
    as_victim mkdir -m 700 "$runtime"
    for row_name in "${rows[@]}"; do
        row=$work/rows/$row_name-$victim
        mkdir -p "$row" && chmod 755 "$work/rows" "$row"
        complaints=$("$row_name" 2>&1)
        if [ -z "$complaints" ]; then
            passed=$((passed + 1)) && echo "ok   $row_name ($victim)"
        else
            failed=$((failed + 1)) && echo "FAIL $row_name ($victim): $complaints"
        fi
        while has_window "$box_title"; do # a box left by a failed row
            xdotool windowactivate "$(windows "$box_title" | head -1)" key Return 2>/dev/null
            sleep 0.2
        done
    done
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
