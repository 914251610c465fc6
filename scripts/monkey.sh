#!/usr/bin/env bash
# The monkey for a long while: builds the sanitizer build (preset asan), then runs ui_monkey with
# fresh seeds, one process per seed so that a crash is caught and its seed kept, until MINUTES
# have passed. The logs of failed seeds go to build/asan/monkey-logs/. The last line sums up;
# the exit code is non-zero when a seed crashed, hung or broke an invariant.
#
#   scripts/monkey.sh MINUTES [STEPS_PER_SEED]
set -u

minutes=${1:?usage: scripts/monkey.sh MINUTES [STEPS_PER_SEED]}
steps=${2:-2000}
cd "$(dirname "$0")/.."

nice cmake --preset asan >/dev/null || exit 2
nice cmake --build --preset asan --target ui_monkey || exit 2

binary=build/asan/tests/ui_monkey
logs=build/asan/monkey-logs
mkdir -p "$logs"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:abort_on_error=1 # a crash, not exit code 1

deadline=$(($(date +%s) + minutes * 60))
seeds=0 total=0 crashes=0 broken=0 hangs=0
while (($(date +%s) < deadline)); do
    seed=$(od -An -N6 -tu8 /dev/urandom | tr -d ' ')
    log=$logs/seed-$seed.log
    timeout -k 10 600 nice "$binary" --seed "$seed" --steps "$steps" >"$log" 2>&1
    code=$?
    seeds=$((seeds + 1))
    done_steps=$(sed -n 's/^monkey: 1 seeds, \([0-9]*\) steps.*/\1/p' "$log")
    total=$((total + ${done_steps:-0}))
    case $code in
    0) rm -f "$log" ;;
    1) broken=$((broken + 1)); echo "seed $seed: an invariant broke, see $log" ;;
    3 | 124 | 137) hangs=$((hangs + 1)); echo "seed $seed: hung, see $log" ;;
    *) crashes=$((crashes + 1)); echo "seed $seed: crashed (exit code $code), see $log" ;;
    esac
done
echo "monkey: $seeds seeds, $total steps, $crashes crashes, $broken broken invariants, $hangs hangs"
((crashes + broken + hangs == 0))
