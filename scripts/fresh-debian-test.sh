#!/usr/bin/env bash
# Runs a command (by default the README's `make test`) in a clean clone of the committed HEAD on a
# brand-new minimal Debian 12 root, as on a new user's machine: only what scripts/setup.sh
# installs is there. CI runs it (.ci/run); locally, from the project's checkout, as root:
#
#   sudo scripts/fresh-debian-test.sh                  # make test
#   sudo scripts/fresh-debian-test.sh 'make package'
#   sudo KEEP=1 scripts/fresh-debian-test.sh 'make run'   # keeps the root to look inside
#
# The minimal root is made once with debootstrap and kept in FRESH_DEBIAN_BASE
# (/var/tmp/fresh-debian-base); each run copies it. The host's apt download cache is mounted in
# the root, so packages are installed afresh but downloaded once. With FRESH_DEBIAN_CCACHE=DIR
# the compilers go through ccache with its cache in DIR (kept on the host): the packages are
# still all installed afresh, only unchanged sources are not compiled again.
# Exit code: the command's; 2 when the root cannot be made.
set -u

cmd=${1:-make test}
[ "$(id -u)" -eq 0 ] || { echo "run as root (debootstrap and chroot need it)" >&2; exit 2; }
repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel) || exit 2
base=${FRESH_DEBIAN_BASE:-/var/tmp/fresh-debian-base}
ccache_dir=${FRESH_DEBIAN_CCACHE:-}
export DEBIAN_FRONTEND=noninteractive

if ! command -v debootstrap >/dev/null; then
    { apt-get update -qq && apt-get install -y -qq debootstrap; } >/dev/null ||
        { echo "cannot install debootstrap" >&2; exit 2; }
fi
mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
[ -n "$mirror" ] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list 2>/dev/null)
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian

# Made once; a lock keeps two runs from making it at the same time.
exec 9>"$base.lock"
flock 9
if [ ! -f "$base/.done" ]; then
    rm -rf "$base"
    echo "making the minimal Debian 12 root once (kept in $base)..."
    debootstrap --variant=minbase --include=git,ca-certificates,make,sudo bookworm "$base" \
        "$mirror" >"$base.log" 2>&1 || { echo "debootstrap failed, see $base.log" >&2; exit 2; }
    touch "$base/.done"
fi
flock -u 9

root=$(mktemp -d /var/tmp/fresh-debian-run.XXXXXX)
mounts=(proc sys dev dev/pts var/cache/apt/archives)
cleanup() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "$root/${mounts[i]}" 2>/dev/null; done
    [ -z "$ccache_dir" ] || umount "$root/var/cache/ccache" 2>/dev/null
    if [ "${KEEP:-0}" = 1 ]; then
        echo "root kept at $root (remove it with rm -rf when done)"
    else
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT
cp -a "$base/." "$root/"
cp /etc/resolv.conf "$root/etc/" 2>/dev/null
git clone -q "$repo" "$root/project" || exit 2
mount -t proc proc "$root/proc" && mount -t sysfs sys "$root/sys" && mount --bind /dev "$root/dev" ||
    exit 2
mount -t devpts devpts "$root/dev/pts" 2>/dev/null
mkdir -p /var/cache/apt/archives/partial
mount --bind /var/cache/apt/archives "$root/var/cache/apt/archives" || exit 2

path=/usr/sbin:/usr/bin:/sbin:/bin
if [ -n "$ccache_dir" ]; then
    mkdir -p "$ccache_dir" "$root/var/cache/ccache"
    mount --bind "$ccache_dir" "$root/var/cache/ccache" || exit 2
    chroot "$root" bash -c 'apt-get update -qq && apt-get install -y -qq ccache' >/dev/null ||
        { echo "cannot install ccache in the root" >&2; exit 2; }
    path=/usr/lib/ccache:$path
fi

start=$(date +%s)
chroot "$root" /usr/bin/env -i HOME=/root PATH="$path" LANG=C.UTF-8 CCACHE_DIR=/var/cache/ccache \
    bash -c "cd /project && $cmd" </dev/null
code=$?
echo "fresh Debian 12: '$cmd' exited $code after $(($(date +%s) - start)) s"
exit $code
