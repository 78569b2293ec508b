#!/usr/bin/env bash
# Installs the Debian package the way a player does, into a clean Debian 12 root that mmdebstrap
# makes from the Debian mirror (not on this build machine, which has every -dev package), and
# checks it there with in-clean-root.sh. Needs root; takes some minutes. The root is thrown away.
# Usage: tests/dist/test-deb.sh korvane_VERSION_amd64.deb
set -euo pipefail
deb=$(realpath "${1:?the .deb to test}")
here=$(dirname "$(realpath "$0")")
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
[ -f "$deb" ] || { echo "no package at $deb: run make deb first" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "test-deb makes a root file system: run it as root" >&2; exit 2; }

mmdebstrap --mode=root --variant=apt --quiet \
  --customize-hook="copy-in '$deb' '$here/in-clean-root.sh' /tmp" \
  --customize-hook="chroot \"\$1\" /bin/bash /tmp/in-clean-root.sh /tmp/$(basename "$deb")" \
  bookworm /dev/null "deb $mirror bookworm main" "deb $mirror bookworm-updates main"
