#!/bin/sh
# A minimal Debian 12 root (debootstrap --variant=minbase) in which the
# README's two commands can be tried as on a freshly installed machine.
#
#   scripts/debian-root.sh create DIR [MIRROR]   make the root, clone this repository into DIR/root/qarv
#   scripts/debian-root.sh enter DIR [COMMAND...] run COMMAND (default: a shell) inside it as root
#
# Needs root (debootstrap and chroot); installs debootstrap when missing.
set -e

usage() {
    echo "usage: $0 create DIR [MIRROR] | enter DIR [COMMAND...]" >&2
    exit 2
}

[ $# -ge 2 ] || usage
action=$1
dir=$2
shift 2

if [ "$(id -u)" != "0" ]; then
    echo "$0: must run as root" >&2
    exit 2
fi

case $action in
create)
    mirror=${1:-http://deb.debian.org/debian}
    if ! command -v debootstrap >/dev/null 2>&1; then
        apt-get install -y --no-install-recommends debootstrap
    fi
    repo=$(cd "$(dirname "$0")/.." && pwd)
    debootstrap --variant=minbase bookworm "$dir" "$mirror"
    # The repository as a fresh clone would bring it: committed files only.
    rm -rf "$dir/root/qarv"
    git clone --quiet "$repo" "$dir/root/qarv"
    echo "ready: $0 enter $dir sh -c 'cd /root/qarv && ./test'"
    ;;
enter)
    [ -d "$dir/root" ] || usage
    mount -t proc proc "$dir/proc"
    mount --rbind /dev "$dir/dev"
    trap 'umount -R "$dir/dev" 2>/dev/null; umount "$dir/proc" 2>/dev/null' EXIT INT TERM
    cp /etc/resolv.conf "$dir/etc/resolv.conf"
    if [ $# -eq 0 ]; then
        set -- /bin/sh
    fi
    env -i HOME=/root TERM="${TERM:-dumb}" PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        chroot "$dir" "$@"
    ;;
*)
    usage
    ;;
esac
