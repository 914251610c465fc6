#!/usr/bin/env bash
# Builds the design-file fuzz target with clang, libFuzzer and the address and undefined-behaviour
# sanitizers, and runs it on the seed corpus in fuzz/corpus.
#
#   scripts/fuzz.sh [SECONDS] [libFuzzer flags...]     (default 600 seconds)
#
# New inputs go to build/fuzz/corpus, crashes to build/fuzz/artifacts/ (VAP_FUZZ_BUILD moves both).
# Minimise a crash with: build/fuzz/fuzz/fuzz_designfile -minimize_crash=1 -runs=100000 CRASH
# and keep it in fuzz/crashes/, which the fuzz_designfile_replay test replays in every build.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
shift || true
build=${VAP_FUZZ_BUILD:-build/fuzz}

bash scripts/setup.sh
missing=()
for package in clang libclang-rt-14-dev; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ "${#missing[@]}" -ne 0 ]; then
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake --preset fuzz -B "$build"
cmake --build "$build" --target fuzz_designfile
mkdir -p "$build/corpus" "$build/artifacts"
# libFuzzer stops itself after max_total_time; timeout is the backstop for a hang in the target.
exec timeout --signal=INT $((seconds + 120)) "$build/fuzz/fuzz_designfile" \
    -max_len=4096 -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -dict=fuzz/designfile.dict -artifact_prefix="$build/artifacts/" \
    "$@" "$build/corpus" fuzz/corpus tests/data
