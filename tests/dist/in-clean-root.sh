#!/usr/bin/env bash
# Runs inside the clean root of test-deb.sh: installs the package as a player does, checks what
# came in, starts the program, then purges it and looks for anything of it left behind.
set -euo pipefail
deb=$1
fail() { echo "FAIL: $*"; exit 1; }
installed() { dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" {print $2}' | sort; }
export DEBIAN_FRONTEND=noninteractive
# A player's PATH (/etc/profile's for users), which holds /usr/games; root's does not.
export PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games

if [ "${2:-}" = --window ]; then
  # Under xvfb-run: the main window must be mapped while the program still runs.
  korvane & pid=$!
  for _ in $(seq 120); do
    kill -0 $pid 2>/dev/null || fail "korvane ended before its window showed"
    if xwininfo -root -tree | grep -qF '"Korvane 1.4 -> Join Game"'; then
      echo "the window \"Korvane 1.4 -> Join Game\" shows"
      kill $pid; wait $pid || true; exit 0
    fi
    sleep 0.5
  done
  kill $pid; fail "no window titled \"Korvane 1.4 -> Join Game\" within a minute"
fi

installed > /tmp/before
# With Recommends, as apt installs for a player (mmdebstrap's own set-up turns them off).
apt-get install -y -q -o APT::Install-Recommends=true "$deb" > /tmp/apt.log || { cat /tmp/apt.log; fail "apt-get could not install $deb"; }
installed > /tmp/after
pulled=$(comm -13 /tmp/before /tmp/after)
echo "apt-get install pulled in $(wc -l <<<"$pulled") packages:" $pulled
build_tools=$(grep -E -- '-dev$|^(gcc|g\+\+|cpp|clang|binutils|make|cmake|ninja-build|pkgconf)(-[0-9.]+)?$' <<<"$pulled" || true)
[ -z "$build_tools" ] || fail "a player's install pulled in build tools:" $build_tools
grep -qx korvane <<<"$pulled" || fail "korvane is not installed"

version=$(korvane --version)
[ "$version" = "Korvane 1.4" ] || fail "korvane --version printed '$version'"
echo "korvane --version: $version"

apt-get install -y -q --no-install-recommends xvfb xauth x11-utils dbus > /dev/null
home=$(mktemp -d)
HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache \
  dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" /bin/bash "$0" "$deb" --window

dpkg -L korvane > /tmp/ours
apt-get purge -y -q korvane > /dev/null
dpkg-query -W -f='${db:Status-Abbrev}' korvane 2>/dev/null | grep -q '^i' && fail "korvane is still installed"
left=()
while read -r path; do
  if [ "$path" = /. ]; then
    continue
  elif [ -d "$path" ] && [ ! -L "$path" ]; then
    dpkg -S "$path" > /dev/null 2>&1 || left+=("$path") # a folder no package owns now
  elif [ -e "$path" ] || [ -L "$path" ]; then
    left+=("$path")
  fi
done < /tmp/ours
[ ${#left[@]} -eq 0 ] || fail "apt-get purge korvane left behind: ${left[*]}"
echo "apt-get purge korvane removed all $(wc -l < /tmp/ours) paths of the package"
