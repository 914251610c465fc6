#!/usr/bin/env bash
# Starts many copies of the real program at once on the offscreen platform, with a runtime folder
# of their own: exactly one must stay and hold the guard's lock, every other one must end by
# itself with exit code 0. Then the survivor is killed with SIGKILL, leaving its lock file behind,
# and the next start must take the guard and stay.
#
#   single_instance_race.sh PROGRAM RUNTIME_BASE [COPIES]
set -uo pipefail

program=$1
base=$2
copies=${3:-20}
# Bounds on the waits only, so that a hang fails the test instead of stalling it; a loaded
# machine may take its time within them.
deadline_seconds=30

mkdir -p "$base"
runtime=$(mktemp -d "$base/run.XXXXXX")
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen
lock="$runtime/$(basename "$program").instance"

pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill -KILL "$pid"
    done
    wait
    rm -rf "$runtime"
} 2>/dev/null
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    for log in "$runtime"/copy-*.log; do
        [ -s "$log" ] && { echo "--- $log"; head -20 "$log"; }
    done
    exit 1
}

alive() { kill -0 "$1" 2>/dev/null; }

# The process that holds the guard's lock, read from /proc/locks without touching the lock.
lock_holder() {
    local inode
    inode=$(stat -c %i "$lock" 2>/dev/null) || return 0
    awk -v inode="$inode" '$2 == "FLOCK" && $6 ~ (":" inode "$") { print $5 }' /proc/locks
}
lock_held_by() { [ "$(lock_holder)" = "$1" ]; }

# Waits until the command succeeds, polling, for at most the deadline.
wait_until() {
    local end=$((SECONDS + deadline_seconds))
    until "$@"; do
        [ "$SECONDS" -ge "$end" ] && return 1
        sleep 0.05
    done
}

count_alive() {
    local n=0
    for pid in "$@"; do
        alive "$pid" && n=$((n + 1))
    done
    echo "$n"
}

one_left() { [ "$(count_alive "${pids[@]}")" -le 1 ]; }

for ((i = 1; i <= copies; i++)); do
    "$program" >"$runtime/copy-$i.log" 2>&1 &
    pids+=($!)
done
started=$(date +%s%N)

wait_until one_left || fail "$(count_alive "${pids[@]}") of $copies copies still run after ${deadline_seconds}s"

survivor=
ended=0
for pid in "${pids[@]}"; do
    if alive "$pid"; then
        survivor=$pid
        continue
    fi
    wait "$pid"
    code=$?
    [ "$code" -eq 0 ] || fail "copy $pid ended with exit code $code, not 0"
    ended=$((ended + 1))
done
[ -n "$survivor" ] || fail "no copy stayed: all $copies ended"
wait_until lock_held_by "$survivor" || fail "the copy that stayed ($survivor) does not hold the guard's lock (holder: $(lock_holder))"
sleep 1
alive "$survivor" || fail "the copy that stayed ($survivor) ended by itself"
took_ms=$((($(date +%s%N) - started) / 1000000))
echo "$copies copies started at once: $ended ended with exit code 0, the last after about ${took_ms} ms (polled); $survivor stays and holds the guard"

{
    kill -KILL "$survivor"
    wait "$survivor"
} 2>/dev/null
[ -e "$lock" ] || fail "the lock file went with the killed copy; the restart below would prove nothing"
"$program" >"$runtime/copy-restart.log" 2>&1 &
restarted=$!
pids+=("$restarted")
wait_until lock_held_by "$restarted" || fail "the start after SIGKILL did not take the guard (holder: $(lock_holder))"
sleep 1
alive "$restarted" || fail "the start after SIGKILL ended instead of staying"
echo "after SIGKILL of $survivor the next start ($restarted) took the guard and stays"
