#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a desktop finds everything it needs
# there, and that the desktop entry and the AppStream data pass their validators.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/korvane \
            share/applications/net.brix2online.Korvane.desktop \
            share/metainfo/net.brix2online.Korvane.metainfo.xml \
            share/icons/hicolor/32x32/apps/net.brix2online.Korvane.png; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -x "$prefix/bin/korvane" ] || { echo "korvane is not executable"; exit 1; }
# The network module, where the program looks for it: a lib folder beside bin/.
modules=("$prefix"/lib*/korvane/libkorvane-network.so "$prefix"/lib/*/korvane/libkorvane-network.so)
found=0
for module in "${modules[@]}"; do [ -f "$module" ] && found=1; done
[ $found -eq 1 ] || { echo "not installed: the network module libkorvane-network.so"; exit 1; }

desktop-file-validate "$prefix/share/applications/net.brix2online.Korvane.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/net.brix2online.Korvane.metainfo.xml"
echo "install layout and metadata are valid"
