#!/usr/bin/env bash
# Runs .ci/run on a clean clone inside a minimal Debian 12 system made with debootstrap,
# as a fresh machine would: whatever the scripts do not install is missing there. Needs
# root. The system is kept in QUENLOFT_FRESH_ROOT (default /var/tmp/quenloft-fresh) and
# reused; delete the folder for a new one. Arguments go to .ci/run's environment unchanged.
set -euo pipefail
source "$(dirname "$0")/common.sh"
[ "$(id -u)" -eq 0 ] || { echo "check-fresh-machine.sh needs root" >&2; exit 1; }
quenloft_install_missing debootstrap git

root="${QUENLOFT_FRESH_ROOT:-/var/tmp/quenloft-fresh}"
if [ ! -x "$root/bin/bash" ]; then
  debootstrap --variant=minbase --include=git,ca-certificates,sudo bookworm "$root" \
    http://deb.debian.org/debian
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
for fs in proc sys dev dev/pts; do
  mountpoint -q "$root/$fs" || mount --bind "/$fs" "$root/$fs"
done
trap 'for fs in dev/pts dev sys proc; do umount "$root/$fs" 2>/dev/null || true; done' EXIT

rm -rf "$root/root/quenloft"
git clone -q "$QUENLOFT_ROOT" "$root/root/quenloft"
# As in CI, the prebuilt Qt for Windows lies beside the checkout when there is one.
tarball="$QUENLOFT_ROOT/../shared/toolchains/qt-6.4.2-mingw-w64.tar.xz"
if [ -f "$tarball" ]; then
  mkdir -p "$root/root/shared/toolchains"
  cp "$tarball" "$root/root/shared/toolchains/"
fi
chroot "$root" /usr/bin/env HOME=/root bash -c 'cd /root/quenloft && time .ci/run'
