#!/usr/bin/env bash
# Start-up benchmark: the time from launch to the main window's first paint, and the peak memory,
# of vaporina (as startupprobe, the program's own start-up reporting its first paint) beside
# barewindow (an empty Qt window of the same size), run interleaved under Xvfb.
# Prints the medians and the ratios vaporina / barewindow against the limit.
#
#   scripts/startup-bench.sh [BUILD_DIR]      (default build/release, relative to the repository)
#
# Missing programs are built first (startupprobe and barewindow; both need Google Benchmark
# installed, as the bench folder is only configured then). RUNS (default 15) sets the runs per
# program. The limits are reported, not enforced: the exit status is 0 once figures are printed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-build/release}
[[ $build == /* ]] || build=$root/$build
runs=${RUNS:-15}
limit=1.5
run_limit=30 # seconds one start may take before it is stopped

vaporina=$build/bench/ui/startupprobe
bare=$build/bench/ui/barewindow

# ---- outside Xvfb: build what is missing, then run this script again under xvfb-run -----------

if [[ -z ${VAP_STARTUP_BENCH_INNER:-} ]]; then
    if [[ ! -x $vaporina || ! -x $bare ]]; then
        echo "Building startupprobe and barewindow in $build"
        if [[ ! -f $build/CMakeCache.txt ]]; then
            timeout 600 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
                -DVAP_WERROR=ON >/dev/null
        fi
        timeout 1800 cmake --build "$build" --target startupprobe barewindow
    fi
    for program in "$vaporina" "$bare"; do
        if [[ ! -x $program ]]; then
            echo "startup-bench: $program is missing (is Google Benchmark installed?)" >&2
            exit 1
        fi
    done
    if ! command -v xvfb-run >/dev/null; then
        echo "startup-bench: xvfb-run is missing (package xvfb)" >&2
        exit 1
    fi
    export VAP_STARTUP_BENCH_INNER=1
    exec timeout -k 10 1200 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build"
fi

# ---- under Xvfb ------------------------------------------------------------------------------

# One start: prints "<microseconds to first paint> <peak KiB>", or "fail ..." when the program did
# not report its first paint in time. Extra arguments are environment assignments. As soon as the
# "first-paint" line arrives the program is frozen (SIGSTOP), its high-water mark VmHWM is read
# from /proc/PID/status, and it is ended (SIGKILL): both programs are measured up to the same
# moment, whatever they would do next.
run_once() {
    local program=$1
    shift
    local runtime line fd pid start stop=0 peak=
    runtime=$(mktemp -d) # a fresh XDG_RUNTIME_DIR, so no single-instance lock stays behind

    start=$EPOCHREALTIME
    exec {fd}< <(exec env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" "$@" "$program" \
        2>/dev/null)
    pid=$! # env replaced itself with the program
    while IFS= read -r -t "$run_limit" -u "$fd" line; do
        if [[ $line == first-paint ]]; then
            stop=$EPOCHREALTIME
            kill -STOP "$pid" 2>/dev/null || true
            local key value _
            while read -r key value _; do
                [[ $key == VmHWM: ]] && peak=$value
            done <"/proc/$pid/status" 2>/dev/null || true
            break
        fi
    done
    kill -KILL "$pid" 2>/dev/null || true
    exec {fd}<&-
    wait "$pid" 2>/dev/null || true
    rm -rf "$runtime"

    if [[ $stop == 0 ]]; then
        echo "fail: no first paint within ${run_limit} s"
        return
    fi
    if [[ -z $peak ]]; then
        echo "fail: the program ended before its memory was read"
        return
    fi
    # EPOCHREALTIME is seconds with six decimals; the decimal sign follows the locale.
    local from=${start//[!0-9]/} to=${stop//[!0-9]/}
    echo "$((10#$to - 10#$from)) $peak"
}

median() {
    sort -n | awk '{ v[NR] = $1 }
        END {
            if (NR == 0) print 0
            else if (NR % 2) print v[(NR + 1) / 2]
            else print (v[NR / 2] + v[NR / 2 + 1]) / 2
        }'
}

bare_times=() bare_peaks=() vap_times=() vap_peaks=()
failures=0

measure() { # name program [env...]
    local name=$1
    shift
    local result
    result=$(run_once "$@")
    if [[ $result == fail* ]]; then
        echo "  $name: $result" >&2
        failures=$((failures + 1))
        return
    fi
    local micros=${result% *} peak=${result#* }
    if [[ $name == barewindow ]]; then
        bare_times+=("$micros")
        bare_peaks+=("$peak")
    else
        vap_times+=("$micros")
        vap_peaks+=("$peak")
    fi
    awk -v name="$name" -v u="$micros" -v k="$peak" \
        'BEGIN { printf "  %-10s %8.1f ms %8.1f MiB\n", name, u / 1000, k / 1024 }'
}

echo "Start-up under Xvfb (display $DISPLAY), $runs runs of each program, interleaved"
echo "time: launch to the \"first-paint\" line; memory: VmHWM at that line"
echo "Warm-up (not counted):"
run_once "$bare" >/dev/null
run_once "$vaporina" >/dev/null
echo "Runs:"
for ((i = 1; i <= runs; i++)); do
    # The order alternates, so that neither program always runs right after the other.
    if ((i % 2)); then
        measure barewindow "$bare"
        measure vaporina "$vaporina"
    else
        measure vaporina "$vaporina"
        measure barewindow "$bare"
    fi
done

if ((${#bare_times[@]} == 0 || ${#vap_times[@]} == 0)); then
    echo "startup-bench: no complete runs of one of the programs" >&2
    exit 1
fi

bare_time=$(printf '%s\n' "${bare_times[@]}" | median)
vap_time=$(printf '%s\n' "${vap_times[@]}" | median)
bare_peak=$(printf '%s\n' "${bare_peaks[@]}" | median)
vap_peak=$(printf '%s\n' "${vap_peaks[@]}" | median)

awk -v bt="$bare_time" -v vt="$vap_time" -v bm="$bare_peak" -v vm="$vap_peak" \
    -v limit="$limit" -v nb="${#bare_times[@]}" -v nv="${#vap_times[@]}" -v failed="$failures" '
BEGIN {
    time_ratio = vt / bt
    memory_ratio = vm / bm
    printf "\nSummary (medians; ratio = vaporina / barewindow, measured in this run)\n\n"
    printf "%-12s %6s %14s %14s\n", "program", "runs", "first paint", "peak memory"
    printf "%s\n", "----------------------------------------------"
    printf "%-12s %6d %11.1f ms %10.1f MiB\n", "barewindow", nb, bt / 1000, bm / 1024
    printf "%-12s %6d %11.1f ms %10.1f MiB\n", "vaporina", nv, vt / 1000, vm / 1024
    printf "%-12s %6s %14.2f %14.2f\n", "ratio", "", time_ratio, memory_ratio
    printf "%-12s %6s %14s %14s\n", "limit", "", "<= " limit, "<= " limit
    printf "%-12s %6s %14s %14s\n", "met", "", (time_ratio <= limit ? "PASS" : "FAIL"), \
        (memory_ratio <= limit ? "PASS" : "FAIL")
    if (failed > 0)
        printf "\n%d runs did not report a first paint and are left out.\n", failed
}'
exit 0
