#!/usr/bin/env bash
# Installs the Debian packages that are missing, only those:
#
#   scripts/setup.sh run     what building and running the designer needs (`make run`)
#   scripts/setup.sh test    that, and what the tests, the package check and the benchmarks need
#                            (`make test`, `make package`, `make bench`); the default
set -euo pipefail
cd "$(dirname "$0")/.."

set_name=${1:-test}

run_packages=(
    build-essential
    cmake
    ninja-build
    pkg-config
    qt6-base-dev
    libgl-dev
    # Qt's own texts (buttons of message boxes, the file dialog) in Portuguese and Spanish.
    qt6-translations-l10n
    # The splash and about titles are laid out for these fonts.
    fonts-liberation
)

test_packages=(
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    default-jdk-headless
    default-jre
    xvfb
    xauth
    xdotool
    x11-utils
    xclip
    openbox
    imagemagick
    # Kills a save at a chosen system call, to prove it leaves nothing behind.
    strace
    # The package: cpack's dependency scan (dpkg-shlibdeps, file), its checks.
    dpkg-dev
    file
    desktop-file-utils
    lintian
)

case "$set_name" in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
*)
    echo "usage: scripts/setup.sh [run|test]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
